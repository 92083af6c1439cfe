#include "saver/FileIo.h"

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
    return WriteAll(file, buffer, count, WriteFileCall);
}

bool WriteWholeFile(const std::string& path, const void* data, std::size_t count,
                    DWORD attributes) {
    return WriteFileBeside(
        path, [&](HANDLE file) { return WriteExactly(file, data, count); }, attributes);
}
