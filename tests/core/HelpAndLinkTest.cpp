// Help texts of the settings controls and the browser-style link settings.
#include "core/HelpText.h"
#include "core/LinkStyle.h"
#include "core/SaverRecord.h"
#include "resources/SettingsIds.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Help(int32_t page, int32_t control) {
    const char* text = HelpText(page, control);
    return text ? text : "<none>";
}
uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r | g << 8 | b << 16;
}
} // namespace

TEST(HelpText, TextsDependOnPageWhereTheControlIsShared) {
    EXPECT_EQ(Help(EffectMany, IDC_DELAY), "This how fast the logos will appear");
    EXPECT_EQ(Help(EffectStandard, IDC_DELAY),
              "This sets how long the logo is to be shown for, before changing position.");
    EXPECT_EQ(Help(EffectBounce, IDC_SPEED), "This sets the speed that the logo will move");
    EXPECT_EQ(Help(EffectDrip, IDC_SPEED), "This specifies how fast the drips are");
    EXPECT_EQ(Help(EffectFalling, IDC_SPEED), "This sets how fast the logos will move");
    EXPECT_EQ(Help(EffectStatic, IDC_SPEED), "<none>");
    EXPECT_EQ(Help(EffectStandard, IDC_FADE), "This causes the logo to fade in and out");
    EXPECT_EQ(Help(EffectFalling, IDC_FADE),
              "Enable this to make the logos appear darker when they are further away");
}

TEST(HelpText, SharedTextsAndControlsWithout) {
    EXPECT_EQ(Help(PageGeneral, IDC_MINUTES), Help(PageGeneral, IDC_MINUTES_SPIN));
    EXPECT_EQ(Help(PageGeneral, IDC_MINUTES), "This sets the delay between each new animation");
    EXPECT_EQ(Help(EffectFalling, IDC_COUNT), "This specifies how many logos should appear");
    EXPECT_EQ(Help(EffectFalling, IDC_COUNT_SPIN), Help(EffectFalling, IDC_COUNT));
    EXPECT_EQ(Help(PAGE_ABOUT, IDC_ABOUT_OK), "Click here to close this dialog.");
    EXPECT_EQ(Help(EffectSlider, IDC_TILE),
              "Check this option to repeat the logo to cover the whole screen. Useful for "
              "smaller images.");
    // Labels (no id), the list of display modes, the radios, the link, the
    // minutes label: no help.
    for (int id : {-1, 0xFFFF, IDC_DISPLAY, IDC_TILE_SMALL, IDC_LINK, IDC_MINUTES_LABEL,
                   IDC_ABOUT_NAME, IDC_TRAIL})
        EXPECT_EQ(Help(EffectSlider, id), "<none>") << id;
}

TEST(LinkStyle, AnchorColorParts) {
    EXPECT_EQ(ParseAnchorColor("0,0,255"), Rgb(0, 0, 255));
    EXPECT_EQ(ParseAnchorColor("128, 0, 128"), Rgb(128, 0, 128));
    EXPECT_EQ(ParseAnchorColor(""), Rgb(255, 0, 0));
    EXPECT_EQ(ParseAnchorColor("12"), Rgb(255, 0, 0));
    EXPECT_EQ(ParseAnchorColor("12,34"), Rgb(12, 0, 0));
    EXPECT_EQ(ParseAnchorColor("1,2,3,4"), Rgb(1, 2, 3)); // the third part is the rest
    EXPECT_EQ(ParseAnchorColor("a,b,c"), Rgb(0, 0, 0));
    EXPECT_EQ(ParseAnchorColor("7x,8y,9z"), Rgb(7, 8, 9));
    EXPECT_EQ(ParseAnchorColor("256,257,-1"), Rgb(0, 1, 255)); // low bytes, as RGB() keeps
    EXPECT_EQ(ParseAnchorColor("99999999999999999999,0,0"), Rgb(255, 0, 0));
    EXPECT_EQ(ParseAnchorColor(std::string("0,255,0\0,9", 10)), Rgb(0, 255, 0));
}

TEST(LinkStyle, UnderlineAndHoverSwitches) {
    EXPECT_EQ(ParseUnderlineMode(std::nullopt), UnderlineAlways);
    EXPECT_EQ(ParseUnderlineMode("no"), UnderlineNever);
    EXPECT_EQ(ParseUnderlineMode("NO"), UnderlineNever);
    EXPECT_EQ(ParseUnderlineMode("Hover"), UnderlineHover);
    EXPECT_EQ(ParseUnderlineMode("hovering"), UnderlineHover); // five characters compared
    EXPECT_EQ(ParseUnderlineMode("yes"), UnderlineAlways);
    EXPECT_EQ(ParseUnderlineMode("nope"), UnderlineAlways);
    EXPECT_EQ(ParseUnderlineMode(""), UnderlineAlways);
    EXPECT_TRUE(IsYes("yes"));
    EXPECT_TRUE(IsYes("YeS"));
    EXPECT_FALSE(IsYes("yess"));
    EXPECT_FALSE(IsYes("no"));
}

TEST(LinkStyle, LinkTextAndTarget) {
    EXPECT_EQ(LinkText(""), "");
    EXPECT_EQ(LinkText("    "), "");
    EXPECT_EQ(LinkText(" www.example.com"), " www.example.com");
    EXPECT_EQ(LinkTarget("www.example.com"), "http://www.example.com");
    EXPECT_EQ(LinkTarget("HTTP://Example.com/"), "HTTP://Example.com/");
    EXPECT_EQ(LinkTarget("https://example.com"), "https://example.com");
    const std::string longText(100, 'a');
    EXPECT_EQ(LinkTarget(longText), "http://" + std::string(74, 'a'));
}
