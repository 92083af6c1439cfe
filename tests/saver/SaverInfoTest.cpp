// The screensaver's own options: its record, the per-user registry copy, and
// what the program does when it carries no record.
#include "core/SaverTail.h"
#include "saver/SaverInfo.h"
#include "saver/SaverState.h"
#include "tests/support/AllocationLimit.h"
#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string TemplatePath() {
    return TestDir() + "SaverTemplate.scr";
}

SaverTrailer Defaults() {
    SaverTrailer t{};
    LoadDefaultSettings(t, 1);
    return t;
}

// A copy of the built screensaver program with a record appended.
std::string MakeSaver(const TempFolder& dir, const std::string& name, const SaverTrailer& t,
                      const std::vector<uint8_t>& logo) {
    std::vector<uint8_t> file = ReadFileBytes(TemplatePath());
    const std::vector<uint8_t> tail = BuildSaverTail(t, logo);
    file.insert(file.end(), tail.begin(), tail.end());
    const std::string path = dir.Path(name);
    WriteFileBytes(path, file);
    return path;
}

// Each test's saver has a name of its own; its keys go when the test ends.
class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        name_ = "QvTest" + std::to_string(GetCurrentProcessId()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CurrentTrailer = Defaults();
        CurrentSettings = &CurrentTrailer.Settings;
        SetField(CurrentTrailer.SaverName, name_.c_str());
        CurrentTrailer.SaverId = 0x2A;
    }
    void TearDown() override {
        for (uint32_t id : {0x2Au, 0x2Bu}) {
            SaverTrailer t{};
            SetField(t.SaverName, name_.c_str());
            t.SaverId = id;
            RegDeleteTreeA(HKEY_CURRENT_USER, SaverRegistryKey(t).c_str());
        }
    }
    void PutValue(DWORD type, const void* data, DWORD size, uint32_t id = 0x2A) {
        SaverTrailer t{};
        SetField(t.SaverName, name_.c_str());
        t.SaverId = id;
        HKEY raw = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SaverRegistryKey(t).c_str(), 0, nullptr, 0,
                                  KEY_WRITE, nullptr, &raw, nullptr),
                  ERROR_SUCCESS);
        UniqueKey key(raw);
        ASSERT_EQ(
            RegSetValueExA(key.get(), "Settings", 0, type, static_cast<const BYTE*>(data), size),
            ERROR_SUCCESS);
    }
    std::string name_;
};

} // namespace

TEST(ReadSaverTrailer, ALogoBlockBeyondMemoryIsCorrupt) {
    TempFolder dir;
    SaverTrailer t = Defaults();
    t.LogoSize = 0x70000000; // inside the (sparse) file
    const std::string path = dir.Path("huge.scr");
    {
        UniqueFile file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        LARGE_INTEGER end{};
        end.QuadPart = t.LogoSize + 1000;
        DWORD put = 0;
        ASSERT_TRUE(SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN));
        ASSERT_TRUE(WriteFile(file.get(), &t, TrailerSize, &put, nullptr));
    }
    AllocationLimit limit(std::size_t{1} << 30);
    EXPECT_EQ(ReadSaverTrailer(path), ReadNotSaver);
    EXPECT_TRUE(LogoBlock.empty());
}

TEST(ReadSaverTrailer, ReadsARecordAppendedToTheProgram) {
    TempFolder dir;
    SaverTrailer t = Defaults();
    SetField(t.SaverName, "Harbour");
    t.Settings.EnabledMask = 2;
    std::vector<uint8_t> logo(4096);
    for (std::size_t i = 0; i < logo.size(); ++i)
        logo[i] = static_cast<uint8_t>(i * 13);
    const std::string path = MakeSaver(dir, "Harbour.scr", t, logo);

    ASSERT_EQ(ReadSaverTrailer(path), ReadOk);
    EXPECT_EQ(LogoBlock, logo);
    EXPECT_EQ(CurrentTrailer.LogoSize, 4096);
    EXPECT_STREQ(CurrentTrailer.SaverName, "Harbour");
    EXPECT_EQ(CurrentTrailer.Settings.EnabledMask, 2);
}

TEST(ReadSaverTrailer, ShippedProgramIsNotASaverAndMissingFileCannotOpen) {
    EXPECT_EQ(ReadSaverTrailer(TemplatePath()), ReadNotSaver);
    EXPECT_TRUE(LogoBlock.empty());
    EXPECT_EQ(ReadSaverTrailer(TestDir() + "no-such-saver.scr"), ReadCannotOpen);
    // Outside the system folder there is no second attempt through sysnative.
    EXPECT_EQ(ReadSaverTrailer("C:\\no\\such\\folder\\x.scr"), ReadCannotOpen);
}

TEST_F(RegistryTest, ExactlyOneHundredFortyFourBinaryBytesOverrideTheFile) {
    SaverSettings stored = CurrentTrailer.Settings;
    stored.EnabledMask = 0x48;
    stored.IgnoreInput = 7;   // normalised after reading
    stored.BounceGravity = 1; // likewise: BounceSpeed * 3
    stored.BounceSpeed = 4;
    PutValue(REG_BINARY, &stored, sizeof stored);
    ApplyRegistrySettings();
    NormaliseSettings(*CurrentSettings);
    EXPECT_EQ(CurrentSettings->EnabledMask, 0x48);
    EXPECT_EQ(CurrentSettings->IgnoreInput, 6);
    EXPECT_EQ(CurrentSettings->BounceGravity, 12);
}

TEST_F(RegistryTest, ValuesOfOtherSizeOrTypeAreIgnored) {
    uint8_t bytes[145];
    std::memset(bytes, 0x33, sizeof bytes);
    struct Case {
        DWORD type;
        DWORD size;
    } cases[] = {
        {REG_BINARY, 143}, {REG_BINARY, 145}, {REG_SZ, 144}, {REG_DWORD, 4}, {REG_NONE, 144}};
    for (const Case& c : cases) {
        PutValue(c.type, bytes, c.size);
        CurrentTrailer.Settings.EnabledMask = 4;
        ApplyRegistrySettings();
        EXPECT_EQ(CurrentSettings->EnabledMask, 4) << "type " << c.type << " size " << c.size;
    }
}

TEST_F(RegistryTest, SaversOfOneNameWithDifferentIdsKeepTheirOwnSettings) {
    CurrentSettings->EnabledMask = 8;
    SaveRegistrySettings(); // id 0x2A
    CurrentTrailer.SaverId = 0x2B;
    CurrentSettings->EnabledMask = 64;
    SaveRegistrySettings();

    CurrentTrailer.SaverId = 0x2A;
    CurrentSettings->EnabledMask = 4;
    ApplyRegistrySettings();
    EXPECT_EQ(CurrentSettings->EnabledMask, 8);
    CurrentTrailer.SaverId = 0x2B;
    ApplyRegistrySettings();
    EXPECT_EQ(CurrentSettings->EnabledMask, 64);

    // What was written is exactly one settings block of REG_BINARY.
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, SaverRegistryKey(CurrentTrailer).c_str(), 0,
                            KEY_READ, &raw),
              ERROR_SUCCESS);
    UniqueKey key(raw);
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExA(key.get(), "Settings", nullptr, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(size, 144u);
}

namespace {
// Runs a program that should show the "Screensaver" error box with `text`,
// confirms the box and returns the exit code.
DWORD ExpectErrorBox(const std::string& program, const char* text) {
    ChildProcess saver("\"" + program + "\" /s");
    EXPECT_TRUE(saver.Started());
    HWND box = WaitForWindow(saver.Id(), "#32770", "Screensaver", 20000);
    EXPECT_NE(box, nullptr) << "no message box";
    if (!box)
        return STILL_ACTIVE;
    EXPECT_EQ(MessageBoxText(box), text);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return saver.Wait(20000);
}
} // namespace

TEST(SaverProgram, WithoutRecordSaysCorruptAndExitsWithOne) {
    EXPECT_EQ(ExpectErrorBox(TemplatePath(), "This Screensaver is corrupt!"), 1u);
}

TEST(SaverProgram, NewerRecordIsCorruptToo) {
    TempFolder dir;
    SaverTrailer t = Defaults();
    t.Version = 3;
    const std::string path = MakeSaver(dir, "Newer.scr", t, std::vector<uint8_t>(64, 1));
    EXPECT_EQ(ExpectErrorBox(path, "This Screensaver is corrupt!"), 1u);
}
