// The creator's settings against the real registry, in a key of this test's own.
#include "wizard/frame/Errors.h"
#include "wizard/frame/Registry.h"
#include "wizard/frame/Settings.h"
#include "common/Handles.h"

#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CreatorSettingsKey = L"Software\\QuorvelTest\\" + std::to_wstring(GetCurrentProcessId());
        RegDeleteTreeW(HKEY_CURRENT_USER, CreatorSettingsKey.c_str());
        CreatorSettings = SettingsRecord{};
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, CreatorSettingsKey.c_str());
        CreatorSettings = SettingsRecord{};
    }
    HKEY Key(const std::wstring& sub = L"") {
        HKEY key = nullptr;
        const std::wstring path =
            sub.empty() ? CreatorSettingsKey : CreatorSettingsKey + L"\\" + sub;
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr);
        keys_.emplace_back(key);
        return key;
    }
    static DWORD TypeOf(HKEY key, const wchar_t* name, DWORD* size = nullptr) {
        DWORD type = 0, bytes = 0;
        if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
            return REG_NONE;
        if (size)
            *size = bytes;
        return type;
    }
    static void PutSz(HKEY key, const wchar_t* name, const std::wstring& text) {
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    static void PutDword(HKEY key, const wchar_t* name, DWORD value) {
        RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value);
    }
    void WriteList(int count, int stored) {
        HKEY mru = Key(L"MRU");
        PutDword(mru, L"", static_cast<DWORD>(count));
        for (int i = 0; i < stored; ++i) {
            PutSz(mru, (std::to_wstring(i) + L"Name").c_str(), L"Saver " + std::to_wstring(i));
            PutSz(mru, (std::to_wstring(i) + L"File").c_str(),
                  L"C:\\Savers\\S" + std::to_wstring(i) + L".scr");
        }
    }
    std::vector<UniqueKey> keys_;
};

} // namespace

TEST_F(SettingsTest, RegistryValuesBothWays) {
    HKEY key = Key();
    RegSetNum(key, L"Num", -7);
    EXPECT_EQ(TypeOf(key, L"Num"), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(RegGetNum(key, L"Num", 3), -7);
    RegSetStr(key, L"Text", L"C:\\Logo");
    DWORD size = 0;
    EXPECT_EQ(TypeOf(key, L"Text", &size), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 8u * sizeof(wchar_t)); // with its terminator
    EXPECT_EQ(RegGetStr(key, L"Text", L"x"), L"C:\\Logo");
    // An empty text is stored as 0 bytes and reads back as the default.
    RegSetStr(key, L"Empty", L"");
    EXPECT_EQ(TypeOf(key, L"Empty", &size), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(RegGetStr(key, L"Empty", L"before"), L"before");
    // Missing values give the default.
    EXPECT_EQ(RegGetStr(key, L"Missing", L"def"), L"def");
    EXPECT_EQ(RegGetNum(key, L"Missing", 42), 42);
}

TEST_F(SettingsTest, TypesAreConvertedOnRead) {
    HKEY key = Key();
    PutSz(key, L"Twelve", L"12");
    PutSz(key, L"Half", L"12.5");
    PutSz(key, L"OddHalf", L"13.5");
    PutSz(key, L"Words", L"none");
    PutDword(key, L"Seven", 7);
    const BYTE blob[] = {1, 2, 3, 4};
    RegSetValueExW(key, L"Blob", 0, REG_BINARY, blob, sizeof blob);
    EXPECT_EQ(RegGetNum(key, L"Twelve", 0), 12);
    EXPECT_EQ(RegGetNum(key, L"Half", 0), 12); // halves to even
    EXPECT_EQ(RegGetNum(key, L"OddHalf", 0), 14);
    EXPECT_EQ(RegGetNum(key, L"Words", 5), 0);
    EXPECT_EQ(RegGetStr(key, L"Seven", L"x"), L"7");
    EXPECT_EQ(RegGetNum(key, L"Blob", 9), 9);
    EXPECT_EQ(RegGetStr(key, L"Blob", L"d"), L"d");
}

TEST_F(SettingsTest, AStringWithoutTerminatorKeepsItsLastCharacter) {
    HKEY key = Key();
    const char raw[] = {'a', 'b', 'c'};
    RegSetValueExA(key, "Raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), sizeof raw);
    EXPECT_EQ(RegGetStr(key, L"Raw", L""), L"abc");
}

TEST_F(SettingsTest, FirstRunLoadsNothingAndSaveCreatesTheKeys) {
    DoSettings(false);
    EXPECT_EQ(CreatorSettings.ImageDir, L"");
    EXPECT_EQ(CreatorSettings.SaverDir, L"");
    EXPECT_EQ(CreatorSettings.MRUCount, 0);
    DoSettings(true);
    HKEY key = Key();
    HKEY mru = Key(L"MRU");
    EXPECT_EQ(TypeOf(mru, L""), static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(RegGetNum(mru, L"", -1), 0);
    EXPECT_EQ(TypeOf(key, L"SaverDir"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(TypeOf(key, L"ImageDir"), static_cast<DWORD>(REG_SZ));
}

TEST_F(SettingsTest, RecentListAndFolders) {
    WriteList(2, 2);
    HKEY key = Key();
    PutSz(key, L"SaverDir", L"D:\\NotRead"); // written at every save, never read back
    DoSettings(false);
    EXPECT_EQ(CreatorSettings.MRUCount, 2);
    EXPECT_EQ(CreatorSettings.MRUName[1], L"Saver 1");
    EXPECT_EQ(CreatorSettings.MRUFile[0], L"C:\\Savers\\S0.scr");
    EXPECT_EQ(CreatorSettings.SaverDir, L"C:\\Savers\\");
    EXPECT_FALSE(CreatorSettings.ImageDir.empty());
    EXPECT_EQ(CreatorSettings.ImageDir.find(L'\0'), std::wstring::npos);
}

TEST_F(SettingsTest, FolderFromTheShellWhenTheListHasNone) {
    WriteList(1, 0);
    HKEY mru = Key(L"MRU");
    PutSz(mru, L"0File", L"NoBackslash.scr");
    DoSettings(false);
    EXPECT_EQ(CreatorSettings.MRUFile[0], L"NoBackslash.scr");
    EXPECT_FALSE(CreatorSettings.SaverDir.empty());
    EXPECT_NE(CreatorSettings.SaverDir.back(), L'\\'); // a shell folder has no final backslash
}

TEST_F(SettingsTest, EmptyEntryReadsBackAsTheValueBeforeTheLoad) {
    CreatorSettings.MRUCount = 2;
    CreatorSettings.MRUName[0] = L"";
    CreatorSettings.MRUFile[0] = L"C:\\a.scr";
    CreatorSettings.MRUName[1] = L"B";
    CreatorSettings.MRUFile[1] = L"C:\\b.scr";
    DoSettings(true);
    CreatorSettings = SettingsRecord{};
    CreatorSettings.MRUName[0] = L"kept";
    DoSettings(false);
    EXPECT_EQ(CreatorSettings.MRUName[0], L"kept");
    EXPECT_EQ(CreatorSettings.MRUName[1], L"B");
}

TEST_F(SettingsTest, ShrinkingTheListLeavesOldValues) {
    CreatorSettings.MRUCount = 5;
    for (int i = 0; i < 5; ++i) {
        CreatorSettings.MRUName[i] = L"N" + std::to_wstring(i);
        CreatorSettings.MRUFile[i] = L"C:\\F" + std::to_wstring(i) + L".scr";
    }
    DoSettings(true);
    CreatorSettings.MRUCount = 3;
    DoSettings(true);
    HKEY mru = Key(L"MRU");
    EXPECT_EQ(RegGetNum(mru, L"", 0), 3);
    EXPECT_EQ(RegGetStr(mru, L"4File", L""), L"C:\\F4.scr");
    CreatorSettings = SettingsRecord{};
    DoSettings(false);
    EXPECT_EQ(CreatorSettings.MRUCount, 3);
    EXPECT_EQ(CreatorSettings.MRUName[3], L"");
}

TEST_F(SettingsTest, ACountBeyondTheListIsReportedOnceAndClamped) {
    WriteList(1003, 3);
    std::vector<std::wstring> reports;
    {
        ScopedErrorReporter reporter([&](std::wstring& location, const CreatorError& e) {
            reports.push_back(location + L" " + std::to_wstring(e.Number()));
            return AnswerIgnore;
        });
        DoSettings(false);
    }
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], L"modMain.DoSettings 9");
    EXPECT_EQ(CreatorSettings.MRUCount, 1000);
    EXPECT_EQ(CreatorSettings.MRUName[2], L"Saver 2");
    EXPECT_EQ(CreatorSettings.SaverDir, L"C:\\Savers\\"); // the load went on
}

TEST_F(SettingsTest, AbortEndsTheLoad) {
    WriteList(1001, 1);
    {
        ScopedErrorReporter reporter(
            [](std::wstring&, const CreatorError&) { return AnswerAbort; });
        DoSettings(false);
    }
    EXPECT_EQ(CreatorSettings.MRUCount, 1000);
    EXPECT_EQ(CreatorSettings.SaverDir, L""); // not reached
}

TEST_F(SettingsTest, NegativeCountLoadsNoEntries) {
    WriteList(static_cast<int>(0xFFFFFFFF), 1);
    DoSettings(false);
    EXPECT_EQ(CreatorSettings.MRUCount, 0);
    EXPECT_EQ(CreatorSettings.MRUName[0], L"");
}

TEST_F(SettingsTest, RecentPathsOutsideTheAnsiCodePageComeBackAsStored) {
    // Greek, Japanese and a snowman: no ANSI code page holds all of them.
    const std::wstring folder = L"C:\\Sav\u03b5rs \u65e5\u672c\\";
    const std::wstring file = folder + L"\u2603 Snow.scr";
    CreatorSettings.MRUCount = 1;
    CreatorSettings.MRUName[0] = L"\u2603 Snow";
    CreatorSettings.MRUFile[0] = file;
    DoSettings(true);
    // Stored as the same REG_SZ values as before, only now with every
    // character kept.
    HKEY mru = Key(L"MRU");
    EXPECT_EQ(TypeOf(mru, L"0File"), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(RegGetStr(mru, L"0File", L""), file);

    CreatorSettings = SettingsRecord{};
    DoSettings(false);
    EXPECT_EQ(CreatorSettings.MRUCount, 1);
    EXPECT_EQ(CreatorSettings.MRUName[0], L"\u2603 Snow");
    EXPECT_EQ(CreatorSettings.MRUFile[0], file);
    EXPECT_EQ(CreatorSettings.SaverDir, folder);
    // A value written the old way, through the ANSI functions, reads back the
    // same.
    const char old[] = "C:\\Old\\Plain.scr";
    RegSetValueExA(mru, "0File", 0, REG_SZ, reinterpret_cast<const BYTE*>(old), sizeof old);
    EXPECT_EQ(RegGetStr(mru, L"0File", L""), L"C:\\Old\\Plain.scr");
}
