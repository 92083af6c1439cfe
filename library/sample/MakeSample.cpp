// Makes a sample screensaver the way the creator does: a copy of the
// screensaver program, the built-in logo premultiplied by its alpha as a
// 32-bit bitmap, and the saver library, loaded by name, to finish the file.
//   MakeSample [output.scr]
// Reads SaverTemplate.scr and defimg.bmp beside itself; writes
// "Quorvel Sample.scr" there unless another output is named.
#include "common/Handles.h"
#include "core/Bmp32.h"
#include "core/Premultiply.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Beside(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of("\\/") + 1) + name;
}

bool ReadAll(const std::string& path, std::vector<uint8_t>& bytes) {
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (!file)
        return false;
    bytes.resize(GetFileSize(file.get(), nullptr));
    DWORD got = 0;
    return ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
           got == bytes.size();
}

bool WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
    const UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file)
        return false;
    DWORD put = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
           put == bytes.size();
}

// AlphaBlend wants colours premultiplied by alpha; the built-in logo keeps
// them straight, as picture files do.
bool Premultiply(std::vector<uint8_t>& bmp) {
    auto picture = ReadBmp32(bmp.data(), bmp.size());
    if (!picture)
        return false;
    PremultiplyPixels(picture->Pixels.data(), picture->Pixels.size() / 4);
    bmp = WriteBmp32(*picture);
    return true;
}

int Fail(const char* what) {
    std::fprintf(stderr, "MakeSample: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string output = argc > 1 ? argv[1] : Beside("Quorvel Sample.scr");
    std::vector<uint8_t> logo;
    if (!ReadAll(Beside("defimg.bmp"), logo) || !Premultiply(logo))
        return Fail("cannot read the 32-bit logo defimg.bmp");
    char temp[MAX_PATH] = {}, logoPath[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    GetTempFileNameA(temp, "qvs", 0, logoPath);
    if (!WriteAll(logoPath, logo))
        return Fail("cannot write the logo to the temporary folder");
    if (!CopyFileA(Beside("SaverTemplate.scr").c_str(), output.c_str(), FALSE))
        return Fail("cannot copy SaverTemplate.scr");

    HMODULE library = LoadLibraryA("quorvel.dll");
    if (!library)
        return Fail("cannot load quorvel.dll");
    auto bind = [library](const char* name) {
        return reinterpret_cast<void*>(GetProcAddress(library, name));
    };
    auto setSettings = reinterpret_cast<int32_t(WINAPI*)(const void*)>(bind("SetSettings"));
    auto setName =
        reinterpret_cast<int32_t(WINAPI*)(const char*, const char*, const char*)>(bind("SetName"));
    auto setSaverState =
        reinterpret_cast<int32_t(WINAPI*)(int32_t, int32_t)>(bind("SetSaverState"));
    auto setLogo =
        reinterpret_cast<int32_t(WINAPI*)(const char*, int32_t, int32_t, int32_t, int32_t)>(
            bind("SetLogo"));
    auto setColor = reinterpret_cast<int32_t(WINAPI*)(int32_t, int32_t)>(bind("SetColor"));
    auto getVersion = reinterpret_cast<int32_t(WINAPI*)(int32_t)>(bind("GetVersion"));
    auto writeSettings =
        reinterpret_cast<int32_t(WINAPI*)(const char*, const char*, int32_t, const char*, int32_t)>(
            bind("WriteSettings"));
    if (!setSettings || !setName || !setSaverState || !setLogo || !setColor || !getVersion ||
        !writeSettings)
        return Fail("quorvel.dll lacks an export");

    setSettings(nullptr); // the defaults
    setName("Quorvel Sample", "A sample screensaver made with Quorvel.", "");
    setSaverState(2, 1); // Static beside the default Standard
    setLogo(logoPath, 0, 0, 0, 1);
    setColor(0, -1);
    getVersion(10000);
    const int32_t result = writeSettings(output.c_str(), logoPath, -1, "", 0);
    DeleteFileA(logoPath);
    if (result != 0)
        return Fail(result == 2 ? "cannot read the logo" : "cannot write the screensaver");
    std::printf("%s\n", output.c_str());
    return 0;
}
