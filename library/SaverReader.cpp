// Reading a screensaver's record and logo back for the creator.
#include "library/Exports.h"

#include "saver/FileIo.h"
#include "saver/SaverInfo.h"
#include "saver/SaverState.h"

extern "C" {

int32_t WINAPI ReadSaverInfo(const char* path) {
    if (!path)
        return ReadCannotOpen;
    // The screensaver's own reader: redirection and "sysnative" included.
    const ReadResult result = ReadSaverTrailer(path);
    if (result == ReadCannotOpen || result == ReadOlder || result == ReadNewer)
        return result;
    // The defaults may have been restored: they belong to the record.
    CurrentSettings = &CurrentTrailer.Settings;
    if (result == ReadOk)
        NormaliseSettings(*CurrentSettings);
    return result;
}

int32_t __cdecl SaveLogo(const char* path) {
    if (!path)
        return 0;
    // A short write (a full disk) is a failure, and leaves no part-written
    // file behind.
    if (!WriteWholeFile(path, LogoBlock.data(), LogoBlock.size(), FILE_ATTRIBUTE_TEMPORARY))
        return 0;
    return static_cast<int32_t>(LogoBlock.size());
}

int32_t WINAPI LoadSettings() {
    SetDefaults();
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const int32_t result = ReadSaverInfo(path);
    NormaliseSettings(*CurrentSettings);
    return result;
}

} // extern "C"
