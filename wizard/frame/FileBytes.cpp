#include "wizard/frame/FileBytes.h"

#include "common/FileWriter.h"
#include "common/Handles.h"

#include <new>

bool ReadFilePrefix(const std::wstring& path, std::size_t limit, std::vector<uint8_t>& bytes,
                    bool& whole) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size))
        return false;
    whole = static_cast<uint64_t>(size.QuadPart) <= limit;
    const uint64_t count = whole ? static_cast<uint64_t>(size.QuadPart) : limit;
    if (count > MAXDWORD)
        return false;
    try {
        bytes.resize(static_cast<std::size_t>(count));
    } catch (const std::bad_alloc&) {
        return false;
    }
    DWORD got = 0;
    return ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) &&
           got == bytes.size();
}

bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>& bytes) {
    bool whole = false;
    return ReadFilePrefix(path, MAXDWORD, bytes, whole) && whole;
}

bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    return WriteFileBeside(path,
                           [&](HANDLE file) { return WriteAll(file, bytes.data(), bytes.size()); });
}
