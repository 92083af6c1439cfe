// The Inno Setup script compiler library (inno\ISCmplr.dll beside the
// creator), as far as the creator uses it: one entry point that pulls the
// script line by line through a callback and reports through it.
#pragma once

#include <windows.h>

// Callback codes.
constexpr int iscbReadScript = 1;
constexpr int iscbNotifyIdle = 3;
constexpr int iscbNotifyError = 5;

// Results of ISDllCompileScript: 0 success, anything else failure.
constexpr int isceNoError = 0;
constexpr int isceInvalidParam = 1;
constexpr int isceCompileFailure = 2;

using CompilerCallbackProc = int(WINAPI*)(int code, void* data, LONG_PTR appData);

// The parameter record: 24 bytes in the 32-bit program.
struct CompileScriptParams {
    DWORD Size;
    const char* CompilerPath; // folder of the library, ending in "\"
    const char* SourcePath;   // folder that relative script paths start from
    CompilerCallbackProc CallbackProc;
    LONG_PTR AppData;
    const char* Options;
};
#ifndef _WIN64
static_assert(sizeof(CompileScriptParams) == 24, "the compiler's record is 24 bytes");
#endif

// iscbReadScript: the callback stores the next line, or null after the last.
struct ReadScriptData {
    BOOL Reset;
    const char* LineRead;
};
#ifndef _WIN64
static_assert(sizeof(ReadScriptData) == 8, "the read record is 8 bytes");
#endif

// iscbNotifyIdle: 16 bytes of progress figures.
struct NotifyIdleData {
    DWORD CompressProgress;
    DWORD CompressProgressMax;
    int SecondsRemaining;
    DWORD BytesCompressedPerSecond;
};
static_assert(sizeof(NotifyIdleData) == 16, "the idle record is 16 bytes");

// iscbNotifyError: 12 bytes in the 32-bit program.
struct NotifyErrorData {
    const char* ErrorMsg;
    const char* ErrorFilename; // may be null
    int ErrorLine;
};
#ifndef _WIN64
static_assert(sizeof(NotifyErrorData) == 12, "the error record is 12 bytes");
#endif

using ISDllCompileScriptProc = int(WINAPI*)(const CompileScriptParams* params);
