// The exports of quorvel.dll (names fixed by quorvel.def). Strings are 8-bit
// in the system code page, numbers 32-bit; every export is stdcall except
// SaveLogo. Nothing raises across this boundary: failures come back as
// ReadResult and WriteResult codes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// Results of WriteSettings.
enum WriteResult : int32_t {
    WriteOk = 0,
    WriteSaverFailed = 1,
    WriteLogoFailed = 2,
};

// Results of GetSaverState, arguments of SetSaverState.
enum SaverState : int32_t {
    SaverStateHidden = 0,
    SaverStateEnabled = 1,
    SaverStateDisabled = 2,
};

extern "C" {
int32_t WINAPI SetName(char* name, char* about, char* web);
int32_t WINAPI SetLogo(const char* path, int32_t kind, int32_t width, int32_t height,
                       int32_t alpha);
int32_t WINAPI SetColor(int32_t background, int32_t transparent);
int32_t WINAPI GetColor(int32_t* background, int32_t* transparent);
int32_t WINAPI SetSettings(const void* trailer);
int32_t WINAPI GetSettings(void* trailer);
int32_t WINAPI SetDefaults();
// Exported as "GetVersion" (kernel32 has a function of that name).
int32_t WINAPI QvGetVersion(int32_t version);
int32_t WINAPI WriteSettings(const char* saverPath, const char* logoPath, int32_t allow,
                             const char* iconSource, int32_t iconIndex);
int32_t WINAPI ReadSaverInfo(const char* path);
int32_t __cdecl SaveLogo(const char* path);
int32_t WINAPI LoadSettings();
// Copies a name of at most 64 bytes and a description of at most
// SaverInfoSize bytes, the NULs included.
int32_t WINAPI GetSaverInfo(uint32_t index, char* name, char* description);
int32_t WINAPI GetSaverState(int32_t mask);
int32_t WINAPI SetSaverState(int32_t mask, int32_t state);
int32_t WINAPI ShowConfig(HWND owner, int32_t page);
// Exported as "_ShowSettings@8".
int32_t WINAPI ShowSettings(HWND owner, int32_t page);
// Copies at most HelpStrSize bytes, the terminating NUL included: the
// creator's buffer for help texts.
int32_t WINAPI GetHelpStr(int32_t page, int32_t control, char* text);
}

inline constexpr std::size_t HelpStrSize = 512;
// The creator's buffer for an effect's description (the longest, Standard's,
// takes 100 bytes).
inline constexpr std::size_t SaverInfoSize = 1000;
