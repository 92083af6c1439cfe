// Reading saver files back through ReadSaverInfo, SaveLogo and LoadSettings,
// including files that are not savers or lie about their logo.
#include "core/SaverTail.h"
#include "library/Exports.h"
#include "tests/library/LibraryApi.h"
#include "tests/library/SaverFiles.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>

namespace {

SaverTrailer Current() {
    SaverTrailer t{};
    Library().GetSettings(&t);
    return t;
}

SaverTrailer Defaults() {
    SaverTrailer t{};
    LoadDefaultSettings(t, 1);
    return t;
}

bool SameSettings(const SaverSettings& a, const SaverSettings& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class Reader : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(lib.Loaded()) << lib.missing;
        lib.SetSettings(nullptr);
    }
    // The template with `t` and `logo` appended (LogoSize as given when
    // `logoSize` is set).
    std::string Saver(SaverTrailer t, const std::vector<uint8_t>& logo,
                      std::optional<int32_t> logoSize = std::nullopt) {
        std::vector<uint8_t> file = ReadFileBytes(TemplatePath());
        std::vector<uint8_t> tail = BuildSaverTail(t, logo);
        if (logoSize)
            std::memcpy(tail.data() + tail.size() - TrailerSize + 12, &*logoSize, 4);
        file.insert(file.end(), tail.begin(), tail.end());
        const std::string path = dir.Path("saver" + std::to_string(++count) + ".scr");
        WriteFileBytes(path, file);
        return path;
    }
    LibraryApi& lib = Library();
    TempFolder dir;
    int count = 0;
};

SaverTrailer Named(const char* name) {
    SaverTrailer t = Defaults();
    SetField(t.SaverName, name);
    SetField(t.AboutText, "about");
    t.SaverId = 0x321;
    t.Settings.EnabledMask = 64;
    t.Settings.IgnoreInput = 7;
    t.BackgroundColor = 0xABCDEF;
    return t;
}

} // namespace

TEST_F(Reader, AFileThatCannotBeOpenedLeavesTheRecord) {
    lib.GetVersion(777);
    const SaverTrailer before = Current();
    EXPECT_EQ(lib.ReadSaverInfo(dir.Path("missing.scr").c_str()), ReadCannotOpen);
    EXPECT_EQ(lib.ReadSaverInfo("C:\\no\\such\\folder\\x.scr"), ReadCannotOpen);
    EXPECT_EQ(lib.ReadSaverInfo(nullptr), ReadCannotOpen);
    const SaverTrailer after = Current();
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
}

TEST_F(Reader, NoMarkerGivesTheDefaultsAndKeepsWhatTheyLeave) {
    SaverTrailer t = Named("Unmarked");
    std::memcpy(t.Marker, "TORVASKX", 8);
    t.Settings.ContentWidth = 640;
    ASSERT_EQ(lib.ReadSaverInfo(Saver(t, {1, 2, 3}).c_str()), ReadNotSaver);
    const SaverTrailer read = Current();
    EXPECT_TRUE(SameSettings(read.Settings, Defaults().Settings) ||
                read.Settings.ContentWidth == 640);
    EXPECT_EQ(read.Settings.EnabledMask, 4);
    EXPECT_EQ(read.Settings.ContentWidth, 640);
    EXPECT_STREQ(read.SaverName, "Unmarked");
    EXPECT_EQ(read.BackgroundColor, 0u);
    EXPECT_EQ(std::memcmp(read.Marker, "TORVASKE", 8), 0);

    // The shipped template carries no record at all; neither does a tiny file.
    EXPECT_EQ(lib.ReadSaverInfo(TemplatePath().c_str()), ReadNotSaver);
    const std::string tiny = dir.Path("tiny.scr");
    WriteFileBytes(tiny, {'T', 'O', 'R', 'V', 'A', 'S', 'K', 'E'});
    EXPECT_EQ(lib.ReadSaverInfo(tiny.c_str()), ReadNotSaver);
    EXPECT_EQ(Current().Settings.EnabledMask, 4);
}

TEST_F(Reader, OtherVersionsKeepTheBytesReadUnnormalised) {
    struct Case {
        uint8_t version;
        int32_t result;
    } cases[] = {{3, ReadNewer}, {0x7F, ReadNewer}, {1, ReadOlder},
                 {0, ReadOlder}, {0x80, ReadOlder}, {0xFF, ReadOlder}};
    for (const Case& c : cases) {
        SaverTrailer t = Named("Versioned");
        t.Version = c.version;
        EXPECT_EQ(lib.ReadSaverInfo(Saver(t, {1, 2}).c_str()), c.result) << int(c.version);
        const SaverTrailer read = Current();
        EXPECT_EQ(read.Version, c.version);
        EXPECT_EQ(read.Settings.IgnoreInput, 7); // not normalised
        EXPECT_EQ(read.Settings.EnabledMask, 64);
    }
}

TEST_F(Reader, NoLogoLoadsTheDefaultsWithTheStoredNames) {
    for (int32_t size : {0, -5}) {
        SaverTrailer t = Named("Empty");
        ASSERT_EQ(lib.ReadSaverInfo(Saver(t, {}, size).c_str()), ReadOk) << size;
        const SaverTrailer read = Current();
        EXPECT_TRUE(SameSettings(read.Settings, Defaults().Settings));
        EXPECT_STREQ(read.SaverName, "Empty");
        EXPECT_STREQ(read.AboutText, "about");
        EXPECT_EQ(read.SaverId, 0x321u);
        EXPECT_EQ(read.LogoSize, 0);
        EXPECT_EQ(read.BackgroundColor, 0u);
        EXPECT_EQ(lib.SaveLogo(dir.Path("none.bin").c_str()), 0);
    }
}

TEST_F(Reader, ALogoSizeBeyondTheFileIsNotASaverAndHoldsNoLogo) {
    const std::size_t program = ReadFileBytes(TemplatePath()).size();
    for (int64_t size : {static_cast<int64_t>(program) + 1, int64_t{0x7FFFFFFF}}) {
        ASSERT_EQ(lib.ReadSaverInfo(Saver(Named("Liar"), {}, static_cast<int32_t>(size)).c_str()),
                  ReadNotSaver)
            << size;
        EXPECT_EQ(lib.SaveLogo(dir.Path("liar.bin").c_str()), 0);
        EXPECT_TRUE(ReadFileBytes(dir.Path("liar.bin")).empty());
    }
    // Exactly the whole program is still inside the file.
    EXPECT_EQ(lib.ReadSaverInfo(Saver(Named("Whole"), {}, static_cast<int32_t>(program)).c_str()),
              ReadOk);
    EXPECT_EQ(lib.SaveLogo(dir.Path("whole.bin").c_str()), static_cast<int32_t>(program));
}

TEST_F(Reader, ReadOkNormalisesAndHoldsTheLogoUntilTheNextRead) {
    const std::vector<uint8_t> logo = MakeBmp32(5, 5, 1);
    SaverTrailer t = Named("Normal");
    t.Settings.BounceGravity = 1;
    t.Settings.BounceSpeed = 4;
    ASSERT_EQ(lib.ReadSaverInfo(Saver(t, logo).c_str()), ReadOk);
    SaverTrailer read = Current();
    EXPECT_EQ(read.Settings.IgnoreInput, 6);
    EXPECT_EQ(read.Settings.BounceGravity, 12);
    EXPECT_EQ(read.Settings.EnabledMask, 64);
    EXPECT_EQ(read.LogoSize, static_cast<int32_t>(logo.size()));
    EXPECT_EQ(read.LogoData, 0u);
    t.Settings.IgnoreInput = -1; // would ignore every key, click and move
    ASSERT_EQ(lib.ReadSaverInfo(Saver(t, logo).c_str()), ReadOk);
    EXPECT_EQ(Current().Settings.IgnoreInput, 6);

    // Setters do not drop the logo bytes; SaveLogo replaces an existing file.
    lib.SetSettings(nullptr);
    const std::string out = dir.Path("out.bmp");
    WriteFileBytes(out, std::vector<uint8_t>(5000, 1));
    EXPECT_EQ(lib.SaveLogo(out.c_str()), static_cast<int32_t>(logo.size()));
    EXPECT_EQ(ReadFileBytes(out), logo);
}

TEST_F(Reader, LoadSettingsReadsTheHostProgram) {
    // The test program carries no record: defaults, not a saver.
    char name[] = "Before";
    lib.SetName(name, nullptr, nullptr);
    lib.SetSaverState(EffectBounce, SaverStateEnabled);
    EXPECT_EQ(lib.LoadSettings(), ReadNotSaver);
    EXPECT_EQ(Current().Settings.EnabledMask, 4);

    // A copy of it with a record appended reads that record.
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::vector<uint8_t> program = ReadFileBytes(self);
    SaverTrailer t = Named("Hosted");
    const std::vector<uint8_t> tail = BuildSaverTail(t, {7, 7, 7});
    program.insert(program.end(), tail.begin(), tail.end());
    const std::string hosted = dir.Path("hosted.exe");
    WriteFileBytes(hosted, program);
    ASSERT_TRUE(
        CopyFileA((TestDir() + "quorvel.dll").c_str(), dir.Path("quorvel.dll").c_str(), FALSE));
    ChildProcess child("\"" + hosted + "\" --gtest_filter=Hosted.*");
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(child.Wait(60000), 0u);
}

// Runs only inside the hosted copy above.
TEST(Hosted, LoadSettingsFindsItsOwnRecord) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (std::string(self).find("hosted.exe") == std::string::npos)
        GTEST_SKIP() << "runs in the hosted copy";
    ASSERT_TRUE(Library().Loaded());
    EXPECT_EQ(Library().LoadSettings(), ReadOk);
    const SaverTrailer read = Current();
    EXPECT_STREQ(read.SaverName, "Hosted");
    EXPECT_EQ(read.Settings.IgnoreInput, 6);
    EXPECT_EQ(read.Settings.EnabledMask, 64);
}

TEST_F(Reader, APathInTheSystemFolderIsTriedAgainThroughSysnative) {
    // Where redirection hides a saver from a 32-bit program, the same name
    // under "<windows>\sysnative\" reaches it. Here a real folder of that
    // name stands in for the alias.
    char system[MAX_PATH] = {}, windows[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string sysnative = std::string(windows) + "\\sysnative";
    const bool made = CreateDirectoryA(sysnative.c_str(), nullptr) != FALSE;
    if (!made && GetLastError() != ERROR_ALREADY_EXISTS)
        GTEST_SKIP() << "cannot make " << sysnative;
    const std::string name = "qvtest" + std::to_string(GetCurrentProcessId()) + ".scr";
    const std::string hidden = sysnative + "\\" + name;
    std::vector<uint8_t> file = ReadFileBytes(TemplatePath());
    const std::vector<uint8_t> tail = BuildSaverTail(Named("Hidden"), {4, 5, 6});
    file.insert(file.end(), tail.begin(), tail.end());
    WriteFileBytes(hidden, file);

    std::string inSystem = std::string(system) + "\\" + name;
    EXPECT_EQ(lib.ReadSaverInfo(inSystem.c_str()), ReadOk);
    EXPECT_STREQ(Current().SaverName, "Hidden");
    // The system folder is compared without regard to case.
    for (char& c : inSystem)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    lib.SetSettings(nullptr);
    EXPECT_EQ(lib.ReadSaverInfo(inSystem.c_str()), ReadOk);
    // Outside the system folder there is no second attempt.
    EXPECT_EQ(lib.ReadSaverInfo((std::string(windows) + "\\" + name).c_str()), ReadCannotOpen);

    DeleteFileA(hidden.c_str());
    if (made)
        RemoveDirectoryA(sysnative.c_str());
}
