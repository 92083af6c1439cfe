#include "core/WizardChrome.h"

#include <gtest/gtest.h>

namespace {

void ExpectRect(const ChromeRect& r, int l, int t, int rt, int b) {
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rt);
    EXPECT_EQ(r.bottom, b);
}

} // namespace

// A thin frame with equal sides, the classic look.
TEST(WizardChrome, GlassLayoutOfAThinFrame) {
    const GlassLayout g = ComputeGlassLayout({.fx = 4,
                                              .fy = 4,
                                              .cap = 18,
                                              .smallIcon = 16,
                                              .outerWidth = 476,
                                              .outerHeight = 510,
                                              .headerHeight = 41,
                                              .navHeight = 26});
    ExpectRect(g.header, 4, 18, 472, 51);
    ExpectRect(g.main, 4, 51, 472, 496);
    ExpectRect(g.about, 422, 0, 468, 46);
    EXPECT_EQ(g.nav.x, 0);
    EXPECT_EQ(g.nav.y, 7);
    EXPECT_EQ(g.margins.left, 4);
    EXPECT_EQ(g.margins.right, 4);
    EXPECT_EQ(g.margins.top, 52);
    EXPECT_EQ(g.margins.bottom, 4);
    EXPECT_EQ(g.logoOnAbout.x, 0);
    EXPECT_EQ(g.logoOnAbout.y, -10);
    EXPECT_EQ(g.logoOnWindow.x, 426);
    EXPECT_EQ(g.logoOnWindow.y, 8);
    EXPECT_EQ(g.tinyOnWindow.x, 4);
    EXPECT_EQ(g.tinyOnWindow.y, 2);
    ExpectRect(g.title, 24, 4, 200, 18);
}

// A padded frame whose sides differ: fx and fy must not be swapped, and the
// half of an odd fx rounds to even.
TEST(WizardChrome, GlassLayoutOfAPaddedFrame) {
    const GlassLayout g = ComputeGlassLayout({.fx = 9,
                                              .fy = 8,
                                              .cap = 23,
                                              .smallIcon = 16,
                                              .outerWidth = 488,
                                              .outerHeight = 526,
                                              .headerHeight = 41,
                                              .navHeight = 26});
    ExpectRect(g.header, 8, 23, 480, 56);
    ExpectRect(g.main, 8, 56, 480, 507);
    ExpectRect(g.about, 426, 0, 472, 46);
    EXPECT_EQ(g.nav.y, 7);
    // Left and right take SM_CYFRAME, the bottom SM_CXFRAME.
    EXPECT_EQ(g.margins.left, 8);
    EXPECT_EQ(g.margins.right, 8);
    EXPECT_EQ(g.margins.top, 57);
    EXPECT_EQ(g.margins.bottom, 9);
    EXPECT_EQ(g.logoOnWindow.x, 434);
    EXPECT_EQ(g.logoOnWindow.y, 13);
    EXPECT_EQ(g.tinyOnWindow.x, 8);
    EXPECT_EQ(g.tinyOnWindow.y, 4); // 4.5 to even
    ExpectRect(g.title, 34, 9, 200, 23);
}

TEST(WizardChrome, GlassHitStripsAndCaption) {
    const int w = 480, h = 500, fx = 9, fy = 8, cap = 23;
    auto hit = [&](int x, int y) { return GlassHitTest({x, y}, w, h, fx, fy, cap); };
    // The side strips are fx wide, the top and bottom ones fy high.
    EXPECT_EQ(hit(8, 200), 2);
    EXPECT_EQ(hit(9, 200), 0);
    EXPECT_EQ(hit(470, 200), 0);
    EXPECT_EQ(hit(471, 200), 2);
    EXPECT_EQ(hit(200, 491), 0);
    EXPECT_EQ(hit(200, 492), 2);
    // Above the caption height all of the width drags.
    EXPECT_EQ(hit(200, 22), 2);
    EXPECT_EQ(hit(200, 23), 0);
    // Points left of or above the window (signed halves) are in the strips.
    EXPECT_EQ(hit(-30, 200), 2);
    EXPECT_EQ(hit(200, -5), 2);
    EXPECT_TRUE(InWindowMenuCorner({19, 19}));
    EXPECT_TRUE(InWindowMenuCorner({0, 0}));
    EXPECT_FALSE(InWindowMenuCorner({20, 5}));
    EXPECT_FALSE(InWindowMenuCorner({5, 20}));
}

TEST(WizardChrome, HelpTopicsKeysAndNoGlass) {
    EXPECT_EQ(HelpTopicOf(-1), L"/howto/index.html");
    EXPECT_EQ(HelpTopicOf(0), L"/howto/index.html");
    EXPECT_EQ(HelpTopicOf(1), L"/howto/step1.html");
    EXPECT_EQ(HelpTopicOf(4), L"/howto/step4.html");
    EXPECT_EQ(HelpTopicOf(5), L"/howto/finished.html");
    EXPECT_TRUE(IsAboutKey(112, AltMask));
    EXPECT_FALSE(IsAboutKey(112, ShiftMask));
    EXPECT_FALSE(IsAboutKey(112, CtrlMask | AltMask));
    EXPECT_FALSE(IsAboutKey(112, 0));
    EXPECT_FALSE(IsAboutKey(113, AltMask));
    EXPECT_TRUE(NoGlassRequested(L"Quorvel.exe /NoGlass"));
    EXPECT_TRUE(NoGlassRequested(L"x --NOGLASSES"));
    EXPECT_FALSE(NoGlassRequested(L"Quorvel.exe /glass"));
    const char bytes[] = {'T', 'i', 'p', '\0', 'x', 'y'};
    EXPECT_EQ(HelpBytes(bytes, sizeof bytes), "Tip");
    const char full[] = {'a', 'b', 'c'}; // no NUL: only as far as the buffer
    EXPECT_EQ(HelpBytes(full, sizeof full), "abc");
    EXPECT_EQ(TitleWithoutAccelerators(L"&Fade the logo"), L"Fade the logo");
    EXPECT_EQ(TitleWithoutAccelerators(L"Save && e&xit"), L"Save  exit");
}
