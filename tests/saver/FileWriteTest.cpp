// Whole files written beside and replaced: a write that stops part-way (a
// full disk) is reported as a failure and leaves the old file as it was and
// no part-written file anywhere.
#include "tests/saver/EngineTestSupport.h"

#include "saver/FileIo.h"

#include <gtest/gtest.h>

#include <new>

namespace {

// Takes the first 100 bytes, then fails as a full disk does.
DWORD DiskRoom = 0;
BOOL WINAPI FullDiskWrite(HANDLE file, LPCVOID data, DWORD count, LPDWORD put, LPOVERLAPPED) {
    const DWORD n = count < DiskRoom ? count : DiskRoom;
    DiskRoom -= n;
    if (n == 0) {
        *put = 0;
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    return WriteFile(file, data, n, put, nullptr);
}

class FullDisk {
  public:
    FullDisk() {
        DiskRoom = 100;
        WriteFileCall = FullDiskWrite;
    }
    ~FullDisk() { WriteFileCall = WriteFile; }
};

std::vector<uint8_t> Bytes(std::size_t n) {
    std::vector<uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<uint8_t>(i * 13 + 1);
    return bytes;
}

TEST(WholeFile, ReplacesTheFileOnlyWhenEveryByteWasWritten) {
    TempFolder dir;
    const std::string path = dir.Path("logo.bmp");
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    WriteFileBytes(path, old);
    const std::vector<uint8_t> logo = Bytes(5000);
    {
        FullDisk full;
        EXPECT_FALSE(WriteWholeFile(path, logo.data(), logo.size()));
    }
    EXPECT_EQ(ReadFileBytes(path), old);
    EXPECT_EQ(CountFiles(dir.Path("*")), 1);

    EXPECT_TRUE(WriteWholeFile(path, logo.data(), logo.size()));
    EXPECT_EQ(ReadFileBytes(path), logo);
    EXPECT_EQ(CountFiles(dir.Path("*")), 1);
    // A place that cannot take a file is a failure too.
    EXPECT_FALSE(WriteWholeFile(dir.Path("no\\such\\folder\\x.bmp"), logo.data(), logo.size()));
}

// A name near the limit of a file name's length (255) still has room: the
// partial file beside it must not be longer. In a folder at the root, so
// that the whole path stays within MAX_PATH.
TEST(WholeFile, ANameOfTwoHundredAndFiftyCharactersIsWritten) {
    const std::string folder = TempFolder().Path("").substr(0, 3) + "q\\";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    const std::string path = folder + std::string(246, 'n') + ".scr";
    const std::wstring wide =
        std::wstring(folder.begin(), folder.end()) + std::wstring(246, L'w') + L".scr";
    const std::vector<uint8_t> content = Bytes(3000);
    EXPECT_TRUE(WriteWholeFile(path, content.data(), content.size()));
    EXPECT_TRUE(WriteFileBeside(wide, [&](HANDLE file) { return WriteAll(file, "wide", 4); }));
    EXPECT_EQ(CountFiles(folder + "*"), 2);
    EXPECT_EQ(ReadFileBytes(path), content);
    DeleteFileA(path.c_str());
    DeleteFileW(wide.c_str());
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
}

TEST(WholeFile, AWriterThatFailsHalfWayKeepsTheTargetAndItsReason) {
    TempFolder dir;
    const std::string path = dir.Path("saver.scr");
    const std::vector<uint8_t> old = {'o', 'l', 'd'}, content = Bytes(5000);
    WriteFileBytes(path, old);
    const auto half = [&](HANDLE file) { return WriteAll(file, content.data(), 2500); };
    const auto kept = [&] { return ReadFileBytes(path) == old && CountFiles(dir.Path("*")) == 1; };
    EXPECT_FALSE(WriteFileBeside(
        path, [&](HANDLE file) { return half(file) && (SetLastError(ERROR_DISK_FULL), false); }));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL)); // the user is told why
    EXPECT_TRUE(kept());
    EXPECT_THROW(WriteFileBeside(path,
                                 [&](HANDLE file) -> bool {
                                     half(file);
                                     throw std::bad_alloc();
                                 }),
                 std::bad_alloc);
    EXPECT_TRUE(kept());
}

TEST(WholeFile, TheLogoTempFileReportsAFullDiskAsNothingWritten) {
    SaverFixture saver(Bytes(5000), 100, 100);
    TempFolder dir;
    std::string path = dir.Path("logo.tmp");
    {
        FullDisk full;
        EXPECT_EQ(WriteLogoTemp(path), 0u);
    }
    EXPECT_EQ(CountFiles(dir.Path("*")), 0);
    EXPECT_EQ(WriteLogoTemp(path), 5000u);
    EXPECT_EQ(ReadFileBytes(path), LogoBlock);
}

} // namespace
