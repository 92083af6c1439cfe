// The settings pages without windows: the control <-> setting map both ways,
// the enable rules and the pages each sheet shows, on a fake page.
#include "core/EffectInfo.h"
#include "core/SettingsPages.h"
#include "resources/SettingsIds.h"
#include "tests/core/FakePage.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

SaverSettings Defaults() {
    SaverTrailer t{};
    LoadDefaultSettings(t, 1);
    return t.Settings;
}

std::vector<int32_t> Ids(const SheetLayout& sheet) {
    std::vector<int32_t> ids;
    for (const SheetPage& p : sheet.Pages)
        ids.push_back(p.Id);
    return ids;
}

} // namespace

TEST(SettingsPages, GeneralShowsAndWritesChangeAndIgnoreOptions) {
    SaverSettings s = Defaults();
    s.ChangeMode = 0;
    s.ChangeMinutes = 17;
    s.IgnoreInput = 5;
    FakePage page(PageGeneral);
    FillPage(page, PageGeneral, s);
    EXPECT_FALSE(page.Checked(IDC_CHANGE));
    EXPECT_EQ(page.c[IDC_MINUTES].number, 17u);
    EXPECT_EQ(page.c[IDC_MINUTES_SPIN].min, 1);
    EXPECT_EQ(page.c[IDC_MINUTES_SPIN].max, 60);
    EXPECT_TRUE(page.Checked(IDC_IGNORE_KEYS));
    EXPECT_FALSE(page.Checked(IDC_IGNORE_CLICKS));
    EXPECT_TRUE(page.Checked(IDC_IGNORE_MOVES));

    // The typed number is stored as typed, even outside the arrows' 1..60.
    for (uint32_t typed : {0u, 99u, 60u}) {
        page.c[IDC_MINUTES].number = typed;
        page.SetChecked(IDC_CHANGE, true);
        page.SetChecked(IDC_IGNORE_KEYS, false);
        page.SetChecked(IDC_IGNORE_CLICKS, true);
        WritePage(page, PageGeneral, s);
        EXPECT_EQ(s.ChangeMinutes, static_cast<int32_t>(typed));
        EXPECT_EQ(s.ChangeMode, 1);
        EXPECT_EQ(s.IgnoreInput, 6);
    }
    // The general page never touches the effect masks.
    EXPECT_EQ(s.EnabledMask, Defaults().EnabledMask);
}

TEST(SettingsPages, EffectPagesWriteTheirEnabledBitFromTheEnabledBox) {
    for (int i = 0; i < EffectCount; ++i) {
        const int32_t mask = EffectInfoTable[i].Mask;
        SaverSettings s = Defaults();
        s.EnabledMask = 0xFF & ~mask;
        FakePage page(mask);
        FillPage(page, mask, s);
        page.SetChecked(IDC_ENABLED, true);
        WritePage(page, mask, s);
        EXPECT_EQ(s.EnabledMask, 0xFF) << EffectInfoTable[i].Name;
        page.SetChecked(IDC_ENABLED, false);
        WritePage(page, mask, s);
        EXPECT_EQ(s.EnabledMask, 0xFF & ~mask) << EffectInfoTable[i].Name;
    }
}

TEST(SettingsPages, DisplayListsOfStaticDripAndSlider) {
    struct Case {
        int32_t page;
        int32_t SaverSettings::*field;
    } cases[] = {{EffectStatic, &SaverSettings::StaticDisplay},
                 {EffectDrip, &SaverSettings::DripDisplay},
                 {EffectSlider, &SaverSettings::SliderDisplay}};
    const char* names[] = {"Normal size", "Full screen", "Stretch to fit the screen",
                           "Tiled over the screen"};
    for (const Case& k : cases) {
        for (int32_t mode = 1; mode <= 4; ++mode) {
            SaverSettings s = Defaults();
            s.*k.field = mode;
            FakePage page(k.page);
            FillPage(page, k.page, s);
            ASSERT_EQ(page.c[IDC_DISPLAY].items.size(), 4u);
            EXPECT_EQ(page.SelectedText(IDC_DISPLAY), names[mode - 1]);
            s.*k.field = 0;
            WritePage(page, k.page, s);
            EXPECT_EQ(s.*k.field, mode);
        }
        // A stored value no item has selects nothing and writes back 1.
        SaverSettings s = Defaults();
        s.*k.field = 9;
        FakePage page(k.page);
        FillPage(page, k.page, s);
        EXPECT_EQ(page.c[IDC_DISPLAY].selected, -1);
        WritePage(page, k.page, s);
        EXPECT_EQ(s.*k.field, 1);
    }
}

TEST(SettingsPages, TrackbarsScaleAndClampTheirValues) {
    struct Case {
        int32_t page;
        int control;
        int32_t SaverSettings::*field;
        int32_t min, max, tick;
        int32_t value, shown, written;
    } cases[] = {
        {EffectStandard, IDC_DELAY, &SaverSettings::StandardDelay, 1, 15, 0, 5000, 5, 5000},
        {EffectStandard, IDC_DELAY, &SaverSettings::StandardDelay, 1, 15, 0, 7999, 7, 7000},
        {EffectStandard, IDC_DELAY, &SaverSettings::StandardDelay, 1, 15, 0, 99000, 15, 15000},
        {EffectStandard, IDC_DELAY, &SaverSettings::StandardDelay, 1, 15, 0, 0, 1, 1000},
        {EffectMany, IDC_DELAY, &SaverSettings::ManyDelay, 1, 26, 5, 300, 3, 300},
        {EffectMany, IDC_DELAY, &SaverSettings::ManyDelay, 1, 26, 5, 5000, 26, 2600},
        {EffectBounce, IDC_SPEED, &SaverSettings::BounceSpeed, 1, 10, 0, 3, 3, 3},
        {EffectBounce, IDC_SPEED, &SaverSettings::BounceSpeed, 1, 10, 0, -4, 1, 1},
        {EffectDrip, IDC_SPEED, &SaverSettings::DripInterval, 10, 1000, 100, 310, 690, 310},
        {EffectDrip, IDC_SPEED, &SaverSettings::DripInterval, 10, 1000, 100, 0, 1000, 0},
        {EffectDrip, IDC_SPEED, &SaverSettings::DripInterval, 10, 1000, 100, 995, 10, 990},
        {EffectDrip, IDC_SPEED, &SaverSettings::DripInterval, 10, 1000, 100, INT32_MIN, 1000, 0},
        {EffectFalling, IDC_SPEED, &SaverSettings::FallingSpeed, 1, 25, 4, 10, 10, 10},
        {EffectFalling, IDC_SPEED, &SaverSettings::FallingSpeed, 1, 25, 4, 40, 25, 25},
    };
    for (const Case& k : cases) {
        SaverSettings s = Defaults();
        s.*k.field = k.value;
        FakePage page(k.page);
        page.SetChecked(IDC_ENABLED, true);
        FillPage(page, k.page, s);
        const FakeControl& bar = page.c[k.control];
        EXPECT_EQ(bar.min, k.min) << k.page << " " << k.value;
        EXPECT_EQ(bar.max, k.max) << k.page << " " << k.value;
        EXPECT_EQ(bar.tick, k.tick) << k.page << " " << k.value;
        EXPECT_EQ(bar.pos, k.shown) << k.page << " " << k.value;
        WritePage(page, k.page, s);
        EXPECT_EQ(s.*k.field, k.written) << k.page << " " << k.value;
    }
}

TEST(SettingsPages, BounceWrapIsTheOppositeOfBounceOffSidesAndOnlyWithGravity) {
    SaverSettings s = Defaults();
    FakePage page(EffectBounce);
    s.BounceGravity = 9;
    s.BounceWrap = 0;
    s.BounceTrail = 1;
    FillPage(page, EffectBounce, s);
    EXPECT_TRUE(page.Checked(IDC_GRAVITY));
    EXPECT_TRUE(page.Checked(IDC_BOUNCE_SIDES));
    EXPECT_TRUE(page.Checked(IDC_TRAIL));

    s.BounceGravity = 0; // wrap 0 without gravity does not show as "bounce off sides"
    FillPage(page, EffectBounce, s);
    EXPECT_FALSE(page.Checked(IDC_BOUNCE_SIDES));

    page.SetChecked(IDC_GRAVITY, true);
    page.SetChecked(IDC_BOUNCE_SIDES, true);
    WritePage(page, EffectBounce, s);
    EXPECT_EQ(s.BounceGravity, 1);
    EXPECT_EQ(s.BounceWrap, 0);
    page.SetChecked(IDC_GRAVITY, false); // the box stays checked but counts only with gravity
    WritePage(page, EffectBounce, s);
    EXPECT_EQ(s.BounceGravity, 0);
    EXPECT_EQ(s.BounceWrap, 1);
}

TEST(SettingsPages, FallingCountDirectionAndFade) {
    SaverSettings s = Defaults();
    s.FallingCount = 70;
    s.FallingDirection = 12;
    s.FallingFade = 1;
    FakePage page(EffectFalling);
    FillPage(page, EffectFalling, s);
    EXPECT_EQ(page.c[IDC_COUNT_SPIN].min, 1);
    EXPECT_EQ(page.c[IDC_COUNT_SPIN].max, 50);
    EXPECT_EQ(page.c[IDC_COUNT_SPIN].pos, 50);
    EXPECT_EQ(page.SelectedText(IDC_DIRECTION), "Horizontal");
    ASSERT_EQ(page.c[IDC_DIRECTION].items.size(), 7u);
    EXPECT_EQ(page.c[IDC_DIRECTION].items[5].Data, 3); // "Vertical"
    EXPECT_TRUE(page.Checked(IDC_FADE));

    page.c[IDC_COUNT_SPIN].pos = 33;
    page.SelectData(IDC_DIRECTION, 15);
    page.SetChecked(IDC_FADE, false);
    WritePage(page, EffectFalling, s);
    EXPECT_EQ(s.FallingCount, 33);
    EXPECT_EQ(s.FallingDirection, 15);
    EXPECT_EQ(s.FallingFade, 0);

    // No direction selected leaves the stored one.
    s.FallingDirection = 6;
    FillPage(page, EffectFalling, s);
    EXPECT_EQ(page.c[IDC_DIRECTION].selected, -1);
    WritePage(page, EffectFalling, s);
    EXPECT_EQ(s.FallingDirection, 6);
}

TEST(SettingsPages, SliderTileSizeRadios) {
    for (int32_t value : {1050, 1051, 1052, 1054, 1053, 0}) {
        SaverSettings s = Defaults();
        s.SliderTileSize = value;
        FakePage page(EffectSlider);
        FillPage(page, EffectSlider, s);
        const int32_t expected = value == 1053 || value == 0 ? 1051 : value;
        for (int id : {IDC_TILE_SMALL, IDC_TILE_MEDIUM, IDC_TILE_LARGE, IDC_TILE_LOGO})
            EXPECT_EQ(page.Checked(id), id == expected) << value << " " << id;
        s.SliderTileSize = 0;
        WritePage(page, EffectSlider, s);
        EXPECT_EQ(s.SliderTileSize, expected);
    }
}

TEST(SettingsPages, UncheckedEnabledGreysEverythingElseOut) {
    FakePage page(EffectBounce);
    SaverSettings s = Defaults();
    s.BounceGravity = 0;
    FillPage(page, EffectBounce, s);
    page.SetChecked(IDC_ENABLED, false);
    UpdatePage(page, EffectBounce);
    for (auto& [id, control] : page.c)
        EXPECT_EQ(control.enabled, id == IDC_ENABLED || id == IDC_HIDE) << id;

    page.SetChecked(IDC_ENABLED, true);
    UpdatePage(page, EffectBounce);
    EXPECT_TRUE(page.c[IDC_PREVIEW].enabled);
    EXPECT_TRUE(page.c[-1].enabled);
    EXPECT_FALSE(page.c[IDC_BOUNCE_SIDES].enabled); // only with gravity
    page.SetChecked(IDC_GRAVITY, true);
    UpdatePage(page, EffectBounce);
    EXPECT_TRUE(page.c[IDC_BOUNCE_SIDES].enabled);

    // The library's pages hide the box, and stay usable whatever it holds.
    page.SetChecked(IDC_ENABLED, false);
    UpdatePage(page, EffectBounce, false);
    EXPECT_TRUE(page.c[IDC_SPEED].enabled);
    EXPECT_TRUE(page.c[IDC_BOUNCE_SIDES].enabled);
}

TEST(SettingsPages, GeneralRules) {
    FakePage page(PageGeneral);
    page.SetChecked(IDC_CHANGE, false);
    UpdatePage(page, PageGeneral);
    for (int id : {IDC_MINUTES, IDC_MINUTES_SPIN, IDC_MINUTES_LABEL})
        EXPECT_FALSE(page.c[id].enabled) << id;
    page.SetChecked(IDC_CHANGE, true);
    UpdatePage(page, PageGeneral);
    for (int id : {IDC_MINUTES, IDC_MINUTES_SPIN, IDC_MINUTES_LABEL})
        EXPECT_TRUE(page.c[id].enabled) << id;

    // Ignoring everything is not allowed: the keyboard box gives way.
    for (int id : {IDC_IGNORE_KEYS, IDC_IGNORE_CLICKS, IDC_IGNORE_MOVES})
        page.SetChecked(id, true);
    UpdatePage(page, PageGeneral);
    EXPECT_FALSE(page.Checked(IDC_IGNORE_KEYS));
    EXPECT_TRUE(page.Checked(IDC_IGNORE_CLICKS));
    EXPECT_TRUE(page.Checked(IDC_IGNORE_MOVES));
    page.SetChecked(IDC_IGNORE_KEYS, true);
    page.SetChecked(IDC_IGNORE_CLICKS, false);
    UpdatePage(page, PageGeneral);
    EXPECT_TRUE(page.Checked(IDC_IGNORE_KEYS));
}

TEST(SettingsPages, SameAsTheLogoOnlyWhenTiled) {
    FakePage page(EffectSlider);
    SaverSettings s = Defaults();
    s.SliderDisplay = DisplayTiled;
    s.SliderTileSize = IDC_TILE_LOGO;
    FillPage(page, EffectSlider, s);
    page.SetChecked(IDC_ENABLED, true);
    UpdatePage(page, EffectSlider);
    EXPECT_TRUE(page.c[IDC_TILE_LOGO].enabled);
    EXPECT_TRUE(page.Checked(IDC_TILE_LOGO));

    page.SelectData(IDC_DISPLAY, DisplayFull);
    UpdatePage(page, EffectSlider);
    EXPECT_FALSE(page.c[IDC_TILE_LOGO].enabled);
    EXPECT_FALSE(page.Checked(IDC_TILE_LOGO));
    EXPECT_TRUE(page.Checked(IDC_TILE_MEDIUM));

    // A size other than the logo's stays chosen when the mode changes.
    page.SetChecked(IDC_TILE_MEDIUM, false);
    page.SetChecked(IDC_TILE_LARGE, true);
    page.SelectData(IDC_DISPLAY, DisplayNormal);
    UpdatePage(page, EffectSlider);
    EXPECT_TRUE(page.Checked(IDC_TILE_LARGE));
    EXPECT_FALSE(page.Checked(IDC_TILE_MEDIUM));

    // The library's pages follow the same rule without the enabled box.
    page.SetChecked(IDC_ENABLED, false);
    page.SelectData(IDC_DISPLAY, DisplayTiled);
    UpdatePage(page, EffectSlider, false);
    EXPECT_TRUE(page.c[IDC_TILE_LOGO].enabled);
}

TEST(SettingsSheets, ScreensaverPagesFollowHiddenMaskAndContentMode) {
    SaverSettings s = Defaults(); // HiddenMask 0xFA
    SheetLayout sheet = ScreensaverSheet(s, false, 0);
    EXPECT_EQ(Ids(sheet), (std::vector<int32_t>{1, 4, PageAbout}));
    EXPECT_EQ(sheet.StartPage, 0);
    EXPECT_EQ(sheet.Pages[1].Dialog, IDD_STANDARD);
    EXPECT_STREQ(sheet.Pages[1].Title, "Standard");
    EXPECT_EQ(sheet.Pages[2].Dialog, IDD_ABOUT);
    EXPECT_STREQ(sheet.Pages[2].Title, "About");

    s.HiddenMask = 0xFF;
    EXPECT_EQ(Ids(ScreensaverSheet(s, false, 0)), (std::vector<int32_t>{PageAbout}));

    s.HiddenMask = 0;
    sheet = ScreensaverSheet(s, false, EffectMany);
    EXPECT_EQ(Ids(sheet), (std::vector<int32_t>{1, 2, 4, 8, 16, 32, 64, 128, PageAbout}));
    EXPECT_EQ(sheet.StartPage, 4);
    EXPECT_EQ(sheet.Pages[6].Dialog, IDD_FALLING);
    EXPECT_EQ(Ids(ScreensaverSheet(s, true, 0)), (std::vector<int32_t>{1, PageAbout}));
}

TEST(SettingsSheets, LibraryPagesHaveNoAboutAndOpenAHiddenEffectAlone) {
    SaverSettings s = Defaults(); // Bounce hidden, Standard shown
    SheetLayout sheet = LibrarySheet(s, false, EffectBounce);
    EXPECT_EQ(Ids(sheet), (std::vector<int32_t>{EffectBounce}));
    EXPECT_EQ(sheet.Pages[0].Dialog, IDD_BOUNCE);
    EXPECT_EQ(sheet.StartPage, 0);

    sheet = LibrarySheet(s, false, EffectStandard);
    EXPECT_EQ(Ids(sheet), (std::vector<int32_t>{1, 4}));
    EXPECT_EQ(sheet.StartPage, 1);
    EXPECT_EQ(LibrarySheet(s, false, 1).StartPage, 0);
    EXPECT_EQ(LibrarySheet(s, false, 3).StartPage, 0);

    // Content logo: the General page only, or nothing when it is hidden.
    EXPECT_EQ(Ids(LibrarySheet(s, true, 1)), (std::vector<int32_t>{1}));
    s.HiddenMask |= PageGeneral;
    EXPECT_TRUE(LibrarySheet(s, true, 1).Pages.empty());
    // A hidden effect still opens alone in content mode.
    EXPECT_EQ(Ids(LibrarySheet(s, true, EffectSlider)), (std::vector<int32_t>{EffectSlider}));
}
