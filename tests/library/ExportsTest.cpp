// Every export of quorvel.dll, bound by name and called as the creator calls
// it, on the library's one in-memory record.
#include "core/SaverRecord.h"
#include "library/Exports.h"
#include "tests/library/LibraryApi.h"
#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

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

class Exports : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Library().Loaded()) << "not bound: " << Library().missing;
        SaverTrailer zero{};
        Library().SetSettings(&zero);
        Library().SetSettings(nullptr); // the defaults
    }
    LibraryApi& lib = Library();
};

} // namespace

TEST_F(Exports, AllEighteenAreBoundByName) {
    EXPECT_EQ(lib.missing, "");
    // No decorated or undecorated twins of the names.
    EXPECT_EQ(GetProcAddress(lib.module.get(), "ShowSettings"), nullptr);
    EXPECT_EQ(GetProcAddress(lib.module.get(), "_SetName@12"), nullptr);
}

TEST_F(Exports, SetNameStoresCutsAndWorksAsAGetter) {
    char name[] = "Harbour Lights", about[] = "By the sea", web[] = "https://example.org/";
    EXPECT_EQ(lib.SetName(name, about, web), 0);
    SaverTrailer t = Current();
    EXPECT_STREQ(t.SaverName, "Harbour Lights");
    EXPECT_STREQ(t.AboutText, "By the sea");
    EXPECT_STREQ(t.WebAddress, "https://example.org/");

    // Three empty strings: the getter; nothing changes.
    char outName[1024] = "", outAbout[1024] = "", outWeb[1024] = "";
    EXPECT_EQ(lib.SetName(outName, outAbout, outWeb), 0);
    EXPECT_STREQ(outName, "Harbour Lights");
    EXPECT_STREQ(outAbout, "By the sea");
    EXPECT_STREQ(outWeb, "https://example.org/");
    const SaverTrailer after = Current();
    EXPECT_EQ(std::memcmp(&after, &t, sizeof t), 0);

    // A name with two empty strings clears the other two; null counts as empty.
    char other[] = "Other", empty1[] = "";
    lib.SetName(other, empty1, nullptr);
    t = Current();
    EXPECT_STREQ(t.SaverName, "Other");
    EXPECT_STREQ(t.AboutText, "");
    EXPECT_STREQ(t.WebAddress, "");
    EXPECT_EQ(t.AboutText[1], 0);

    // Longer than 63 bytes: cut to fit the 64-byte field, which ends in a NUL;
    // the fields after it are untouched.
    std::string longName(200, 'n'), longAbout(64, 'a'), longWeb(100, 'w');
    lib.SetName(longName.data(), longAbout.data(), longWeb.data());
    t = Current();
    EXPECT_EQ(std::string(t.SaverName), std::string(63, 'n'));
    EXPECT_EQ(std::string(t.AboutText), std::string(63, 'a'));
    EXPECT_EQ(std::string(t.WebAddress), std::string(63, 'w'));
    EXPECT_EQ(std::memcmp(t.Marker, "TORVASKE", 8), 0);
}

TEST_F(Exports, GetterNeverWritesMoreThanSixtyFourBytes) {
    // A record read from a file may hold a name without its NUL.
    SaverTrailer t = Defaults();
    std::memset(t.SaverName, 'x', sizeof t.SaverName);
    lib.SetSettings(&t);
    char buffers[3][80];
    std::memset(buffers, 0x7E, sizeof buffers);
    buffers[0][0] = buffers[1][0] = buffers[2][0] = 0;
    lib.SetName(buffers[0], buffers[1], buffers[2]);
    EXPECT_EQ(std::string(buffers[0]), std::string(63, 'x'));
    EXPECT_EQ(buffers[0][64], 0x7E);
}

TEST_F(Exports, SetLogoKindZeroAfterTwoKeepsTheContentFields) {
    lib.SetLogo("C:\\logos\\movie.swf", 2, 640, 480, 0);
    SaverTrailer t = Current();
    EXPECT_EQ(t.DynamicLogo, 1);
    EXPECT_EQ(t.Settings.ContentWidth, 640);
    EXPECT_EQ(t.Settings.ContentHeight, 480);
    EXPECT_EQ(t.Settings.ContentFromFile, 1);
    EXPECT_EQ(t.Settings.DynSize, 2);
    EXPECT_EQ(t.PicHasTrans, 0);

    lib.SetLogo("C:\\logos\\logo.bmp", 0, 10, 20, 1);
    t = Current();
    EXPECT_EQ(t.DynamicLogo, 0);
    EXPECT_EQ(t.PicHasTrans, 1);
    EXPECT_EQ(t.Settings.ContentFromFile, 1);
    EXPECT_EQ(t.Settings.DynSize, 2);
    EXPECT_EQ(t.Settings.ContentWidth, 640);
}

TEST_F(Exports, ColoursGoInAndOut) {
    lib.SetColor(0x00336699, -1);
    int32_t background = 0, transparent = 0;
    EXPECT_EQ(lib.GetColor(&background, &transparent), 0);
    EXPECT_EQ(background, 0x00336699);
    EXPECT_EQ(transparent, -1);
    EXPECT_EQ(Current().TransparentColor, -1);
}

TEST_F(Exports, SetSettingsCopiesWholeRecordsAndNormalises) {
    SaverTrailer t = Defaults();
    t.Settings.IgnoreInput = 7;
    t.Settings.BounceGravity = 1;
    t.Settings.BounceSpeed = 4;
    t.SaverId = 0x1234;
    SetField(t.SaverName, "Copied");
    EXPECT_EQ(lib.SetSettings(&t), 0);
    SaverTrailer back = Current();
    EXPECT_EQ(back.Settings.IgnoreInput, 6);
    EXPECT_EQ(back.Settings.BounceGravity, 12);
    t.Settings.IgnoreInput = 6;
    t.Settings.BounceGravity = 12;
    EXPECT_EQ(std::memcmp(&back, &t, sizeof t), 0);
}

TEST_F(Exports, SetDefaultsKeepsTheFieldsWithoutDefaults) {
    EXPECT_EQ(lib.GetVersion(40515), 40515);
    EXPECT_EQ(lib.GetVersion(0), 40515);
    char name[] = "Kept", about[] = "About", web[] = "web";
    lib.SetName(name, about, web);
    lib.SetLogo("x.swf", 3, 320, 200, 0);
    lib.SetColor(0xFF, 5);
    lib.SetSaverState(EffectBounce, SaverStateEnabled);
    lib.SetSettings(nullptr);

    EXPECT_EQ(lib.GetVersion(0), 40515);
    SaverTrailer t = Current();
    EXPECT_STREQ(t.SaverName, "Kept");
    EXPECT_STREQ(t.AboutText, "About");
    EXPECT_EQ(t.DynamicLogo, 1);
    EXPECT_EQ(t.Settings.DynSize, 3);
    EXPECT_EQ(t.Settings.ContentWidth, 320);
    // ...and restores every field that has one.
    EXPECT_EQ(t.BackgroundColor, 0u);
    EXPECT_EQ(t.TransparentColor, 0);
    EXPECT_EQ(t.Settings.EnabledMask, 4);
    EXPECT_EQ(t.Settings.HiddenMask, 250);
    EXPECT_EQ(t.Magic, 1234567890);
    EXPECT_EQ(t.Version, 2);

    EXPECT_EQ(lib.SetDefaults(), 0);
    EXPECT_EQ(lib.GetVersion(0), 40515);
}

TEST_F(Exports, GetSaverInfoNamesTheSevenEffects) {
    char name[64] = "unchanged", description[256] = "unchanged";
    EXPECT_EQ(lib.GetSaverInfo(7, name, description), -1);
    EXPECT_EQ(lib.GetSaverInfo(0xFFFFFFFFu, name, description), -1);
    EXPECT_STREQ(name, "unchanged");
    EXPECT_STREQ(description, "unchanged");

    EXPECT_EQ(lib.GetSaverInfo(0, name, description), EffectStatic);
    EXPECT_STREQ(name, "Static");
    EXPECT_STREQ(description, "The logo is displayed in the middle of the screen.");
    const int32_t masks[] = {2, 4, 8, 16, 32, 64, 128};
    const char* names[] = {"Static", "Standard", "Bounce", "Many", "Drip", "Falling", "Slider"};
    for (uint32_t i = 0; i < 7; ++i) {
        EXPECT_EQ(lib.GetSaverInfo(i, name, nullptr), masks[i]);
        EXPECT_STREQ(name, names[i]);
    }
    EXPECT_EQ(lib.GetSaverInfo(6, nullptr, description), EffectSlider);
    EXPECT_STREQ(description, "Sliding tile puzzle.");
}

TEST_F(Exports, SaverStatesFollowTheMasks) {
    // Defaults: Enabled 4 (Standard), Hidden 250 (every effect but Standard, General shown).
    EXPECT_EQ(lib.GetSaverState(0), SaverStateHidden); // the empty mask
    EXPECT_EQ(lib.GetSaverState(EffectStandard), SaverStateEnabled);
    EXPECT_EQ(lib.GetSaverState(EffectBounce), SaverStateHidden);
    EXPECT_EQ(lib.GetSaverState(PageGeneral), SaverStateDisabled);

    lib.SetSaverState(EffectBounce, SaverStateEnabled);
    EXPECT_EQ(lib.GetSaverState(EffectBounce), SaverStateEnabled);
    EXPECT_EQ(Current().Settings.HiddenMask, 250 & ~8);
    EXPECT_EQ(Current().Settings.EnabledMask, 4 | 8);

    lib.SetSaverState(EffectBounce, SaverStateDisabled);
    EXPECT_EQ(lib.GetSaverState(EffectBounce), SaverStateDisabled);
    EXPECT_EQ(Current().Settings.EnabledMask, 4);

    lib.SetSaverState(EffectStandard, SaverStateHidden);
    EXPECT_EQ(lib.GetSaverState(EffectStandard), SaverStateHidden);
    EXPECT_EQ(Current().Settings.EnabledMask, 0);
    EXPECT_EQ(Current().Settings.HiddenMask, (250 & ~8) | 4);

    // Several bits: they leave a mask only when all of them are in it.
    lib.SetSaverState(EffectMany | EffectDrip, SaverStateEnabled); // both hidden: unhidden
    EXPECT_EQ(Current().Settings.EnabledMask, 16 | 32);
    lib.SetSaverState(EffectMany | EffectBounce, SaverStateHidden); // Bounce not enabled
    EXPECT_EQ(Current().Settings.EnabledMask, 16 | 32);
    EXPECT_EQ(lib.GetSaverState(EffectMany | EffectBounce), SaverStateHidden);

    // Any other state changes nothing.
    const SaverTrailer before = Current();
    EXPECT_EQ(lib.SetSaverState(EffectSlider, 3), 0);
    EXPECT_EQ(lib.SetSaverState(EffectSlider, -1), 0);
    const SaverTrailer after = Current();
    EXPECT_EQ(std::memcmp(&after, &before, sizeof before), 0);
}

TEST_F(Exports, SheetEntriesExistAndDoNothingWithoutAWindow) {
    EXPECT_EQ(lib.ShowConfig(nullptr, 1), 0);
    EXPECT_EQ(lib.ShowConfig(nullptr, -8), 0);
    char text[256] = "x";
    EXPECT_EQ(lib.GetHelpStr(EffectBounce, 99999, text), 0);
    EXPECT_STREQ(text, "");
}

TEST(LibraryLoad, SaveLogoBeforeAnyReadWritesAnEmptyFile) {
    // A fresh copy of the library, so nothing has been read into it yet.
    TempFolder dir;
    const std::string copy = dir.Path("quorvel-fresh.dll");
    ASSERT_TRUE(CopyFileA((TestDir() + "quorvel.dll").c_str(), copy.c_str(), FALSE));
    {
        LibraryApi fresh(copy);
        ASSERT_TRUE(fresh.Loaded()) << fresh.missing;
        const std::string out = dir.Path("logo.bmp");
        WriteFileBytes(out, {1, 2, 3});
        EXPECT_EQ(fresh.SaveLogo(out.c_str()), 0);
        EXPECT_TRUE(ReadFileBytes(out).empty());
        // Its state starts zeroed: no version, no name.
        EXPECT_EQ(fresh.GetVersion(0), 0);
        char a[64] = "", b[64] = "", c[64] = "";
        fresh.SetName(a, b, c);
        EXPECT_STREQ(a, "");
        EXPECT_EQ(fresh.SaveLogo(dir.Path("no\\such\\folder\\x.bmp").c_str()), 0);
    }
}
