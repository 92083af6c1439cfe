#include "core/GlassText.h"

#include <gtest/gtest.h>

TEST(GlassText, TwoLinesArePaddedAndMultiLine) {
    const std::wstring caption = L"Line one\r\nLine two";
    EXPECT_EQ(PadGlassText(caption), L" Line one\r\n Line two ");
    EXPECT_EQ(GlassTextFormat(true, false, caption, 0), 0u);
    EXPECT_EQ(GlassTextFormat(false, false, caption, 0), 0u);
    EXPECT_EQ(PadGlassText(L""), L"  ");
}

TEST(GlassText, SingleLineUnlessTheLabelWraps) {
    EXPECT_EQ(GlassTextFormat(true, false, L"Title", 0x4), 0x24u);
    EXPECT_EQ(GlassTextFormat(true, true, L"Title", 0x4), 0x4u);
    // Without a label the label's wrapping cannot count.
    EXPECT_EQ(GlassTextFormat(false, true, L"Title", 0), 0x20u);
    EXPECT_EQ(GlassTextFormat(true, false, L"Lone\nfeed", 0), 0x20u);
}

TEST(GlassText, MeasuringRectangle) {
    // No label and no rectangle: measured from (-3, -3).
    const GlassRect none = GlassTextRect({0, 0, 0, 0});
    EXPECT_EQ(none.left, -3);
    EXPECT_EQ(none.top, -3);
    EXPECT_EQ(none.right, 26); // 17 * 1.5 = 25.5, to even
    EXPECT_EQ(none.bottom, 17);
    const GlassRect label = GlassTextRect({6, 6, 100, 20});
    EXPECT_EQ(label.left, 3);
    EXPECT_EQ(label.right, 176); // 117 * 1.5 = 175.5, to even
    EXPECT_EQ(label.bottom, 37);
}
