#include "tests/library/LibraryApi.h"

namespace {

template <typename Fn> void Bind(LibraryApi& api, Fn& fn, const char* name) {
    fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(api.module.get(), name)));
    if (!fn)
        api.missing += std::string(name) + " ";
}

} // namespace

LibraryApi::LibraryApi(const std::string& path) : module(LoadLibraryA(path.c_str())) {
    if (!module) {
        missing = "the library itself";
        return;
    }
    Bind(*this, SetName, "SetName");
    Bind(*this, SetLogo, "SetLogo");
    Bind(*this, SetColor, "SetColor");
    Bind(*this, GetColor, "GetColor");
    Bind(*this, SetSettings, "SetSettings");
    Bind(*this, GetSettings, "GetSettings");
    Bind(*this, SetDefaults, "SetDefaults");
    Bind(*this, GetVersion, "GetVersion");
    Bind(*this, WriteSettings, "WriteSettings");
    Bind(*this, ReadSaverInfo, "ReadSaverInfo");
    Bind(*this, SaveLogo, "SaveLogo");
    Bind(*this, LoadSettings, "LoadSettings");
    Bind(*this, GetSaverInfo, "GetSaverInfo");
    Bind(*this, GetSaverState, "GetSaverState");
    Bind(*this, SetSaverState, "SetSaverState");
    Bind(*this, ShowConfig, "ShowConfig");
    Bind(*this, ShowSettings, "_ShowSettings@8");
    Bind(*this, GetHelpStr, "GetHelpStr");
}

LibraryApi& Library() {
    static LibraryApi api;
    return api;
}
