#include "saver/FileIo.h"

#include "common/Handles.h"

WriteFileFunction WriteFileCall = WriteFile;

namespace {
constexpr DWORD Chunk = 0x100000;
}

HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

bool Seek(HANDLE file, uint64_t offset, DWORD from) {
    LARGE_INTEGER pos;
    pos.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, pos, nullptr, from) != FALSE;
}

bool ReadExactly(HANDLE file, void* buffer, std::size_t count) {
    auto* out = static_cast<uint8_t*>(buffer);
    while (count > 0) {
        DWORD got = 0;
        const DWORD chunk = count > Chunk ? Chunk : static_cast<DWORD>(count);
        if (!ReadFile(file, out, chunk, &got, nullptr) || got == 0)
            return false;
        out += got;
        count -= got;
    }
    return true;
}

bool WriteExactly(HANDLE file, const void* buffer, std::size_t count) {
    const auto* in = static_cast<const uint8_t*>(buffer);
    while (count > 0) {
        DWORD put = 0;
        const DWORD chunk = count > Chunk ? Chunk : static_cast<DWORD>(count);
        if (!WriteFileCall(file, in, chunk, &put, nullptr) || put == 0)
            return false;
        in += put;
        count -= put;
    }
    return true;
}

bool WriteWholeFile(const std::string& path, const void* data, std::size_t count,
                    DWORD attributes) {
    // Beside the target, so that the replacing move stays on one volume.
    const std::string beside = path + "." + std::to_string(GetCurrentProcessId()) + ".new";
    {
        UniqueFile file(CreateFileA(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    attributes, nullptr));
        if (!file)
            return false;
        if (!WriteExactly(file.get(), data, count) || !FlushFileBuffers(file.get())) {
            file.reset();
            DeleteFileA(beside.c_str());
            return false;
        }
    }
    if (!MoveFileExA(beside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(beside.c_str());
        return false;
    }
    return true;
}
