// Whole files written beside their target and moved over it, so that the
// target is always either the old file or the whole new one. In a header,
// so that each program builds only the path width it uses (the screensaver
// program must stay small).
#pragma once

#include "common/Handles.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

// The system call a write goes through (tests put in one that stops part-way).
using WriteFileFunction = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);

// True only when all `count` bytes went through `write`.
inline bool WriteAll(HANDLE file, const void* data, std::size_t count,
                     WriteFileFunction write = WriteFile) {
    constexpr DWORD Block = 0x100000;
    const auto* in = static_cast<const uint8_t*>(data);
    while (count > 0) {
        DWORD put = 0;
        const DWORD chunk = count > Block ? Block : static_cast<DWORD>(count);
        if (!write(file, in, chunk, &put, nullptr) || put == 0)
            return false;
        in += put;
        count -= put;
    }
    return true;
}

// The name of the file beside a target: a short one in the target's folder
// (a target's own name may already be as long as a name can be), unique to
// this process and this write, so that two writers never share it.
template <typename Char> std::basic_string<Char> BesideName(const std::basic_string<Char>& path) {
    static std::atomic<unsigned long> writes{0};
    std::size_t folder = path.size();
    while (folder > 0 && path[folder - 1] != Char('\\') && path[folder - 1] != Char('/') &&
           path[folder - 1] != Char(':'))
        --folder;
    std::basic_string<Char> beside = path.substr(0, folder);
    const unsigned long parts[2] = {GetCurrentProcessId(), ++writes};
    beside += Char('~');
    for (unsigned long part : parts) {
        for (int shift = 28; shift >= 0; shift -= 4)
            beside += Char("0123456789abcdef"[(part >> shift) & 0xF]);
        beside += Char('.');
    }
    beside.append({Char('n'), Char('e'), Char('w')});
    return beside;
}

// The system's calls for 8-bit and UTF-16 paths.
template <typename Char> struct PathCalls;
template <> struct PathCalls<char> {
    static HANDLE Create(const char* path, DWORD attributes) {
        return CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    }
    static BOOL MoveOver(const char* from, const char* to) {
        return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    static void Delete(const char* path) { DeleteFileA(path); }
};
template <> struct PathCalls<wchar_t> {
    static HANDLE Create(const wchar_t* path, DWORD attributes) {
        return CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    }
    static BOOL MoveOver(const wchar_t* from, const wchar_t* to) {
        return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    static void Delete(const wchar_t* path) { DeleteFileW(path); }
};

// The file beside the target: closed and deleted unless it was moved into
// place, keeping the error of the step that failed.
template <typename Char> struct PartialFile {
    const std::basic_string<Char>& Path;
    UniqueFile& File;
    bool Placed = false;
    ~PartialFile() {
        if (Placed)
            return;
        const DWORD error = GetLastError();
        File.reset();
        PathCalls<Char>::Delete(Path.c_str());
        SetLastError(error);
    }
};

// Makes `path` (8-bit or UTF-16) the file that `produce`, a callable
// bool(HANDLE), writes into the open handle (false on failure, the last
// error saying why). The content goes into a new file beside `path` (so the
// move stays on one volume), which is flushed, closed and then moved over
// `path`, the move written through to the disk. False on any failure,
// GetLastError() giving the failed step's error, with `path` as it was and
// nothing left beside it (also when `produce` throws).
template <typename Char, typename Produce>
bool WriteFileBeside(const std::basic_string<Char>& path, Produce&& produce,
                     DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    using Calls = PathCalls<Char>;
    const std::basic_string<Char> beside = BesideName(path);
    UniqueFile file(Calls::Create(beside.c_str(), attributes));
    if (!file)
        return false;
    PartialFile<Char> partial{beside, file};
    SetLastError(ERROR_SUCCESS);
    if (!produce(file.get()) || !FlushFileBuffers(file.get()) || !CloseHandle(file.release()) ||
        !Calls::MoveOver(beside.c_str(), path.c_str())) {
        if (GetLastError() == ERROR_SUCCESS) // a short write that set no error
            SetLastError(ERROR_WRITE_FAULT);
        return false;
    }
    partial.Placed = true;
    return true;
}
