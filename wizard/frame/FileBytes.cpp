#include "wizard/frame/FileBytes.h"

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
    if (bytes.size() > MAXDWORD)
        return false;
    // Beside the target, so that a failed write leaves the file as it was and
    // the replacing move stays on one volume.
    const std::wstring beside = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".new";
    UniqueFile file(
        CreateFileW(beside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file)
        return false;
    DWORD put = 0;
    const bool written =
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
        put == bytes.size() && FlushFileBuffers(file.get());
    if (CloseHandle(file.release()) && written &&
        MoveFileExW(beside.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileW(beside.c_str());
    return false;
}
