#include "core/ScaleImage.h"

#include <gtest/gtest.h>

TEST(ScaleImageText, NumbersReadAsTheToolkitWritesThem) {
    // 29 % of 100 x 50 in binary fractions is 28.999999999999996 x 14.499999999999998.
    const double scale = 29 / 100.0;
    EXPECT_EQ(SizeText(scale * 100, scale * 50), L"29 x 14.5");
    EXPECT_EQ(SizeText(3.0 * 100, 3.0 * 50), L"300 x 150");
    EXPECT_EQ(SizeText(0.97 * 101, 0.01 * 200), L"97.97 x 2");
    EXPECT_EQ(ScaleNumberText(0.01 * 5), L"0.05");
    EXPECT_EQ(ScaleNumberText(1.0 / 3), L"0.333333333333333");
    EXPECT_EQ(ScaleNumberText(123456.75), L"123456.75");
    EXPECT_EQ(ScaleNumberText(0), L"0");
    EXPECT_EQ(ScaleNumberText(-0.0), L"0");
    EXPECT_EQ(PercentText(100), L"100%");
    EXPECT_EQ(PercentText(7), L"7%");
}

TEST(ScaleImageRules, OnlyPositionsNextToHundredSnap) {
    for (int v : {97, 98, 99, 101, 102, 103})
        EXPECT_TRUE(SnapsToHundred(v)) << v;
    for (int v : {1, 96, 100, 104, 300})
        EXPECT_FALSE(SnapsToHundred(v)) << v;
    EXPECT_EQ(ScalePosition(1.0), 100);
    EXPECT_EQ(ScalePosition(2.0), 200);
    EXPECT_EQ(ScalePosition(0.29), 29);
    EXPECT_EQ(ScalePosition(0.125), 12); // 12.5, halves to even
    EXPECT_EQ(ScalePosition(0.135), 14); // 13.5
}

TEST(ScaleImageLayout, TipMiniatureAndPopupSums) {
    const ScreenPoint tip = ScaleTipPoint(300, 400, 311, 421);
    EXPECT_EQ(tip.X, 306); // 305.5, halves to even
    EXPECT_EQ(tip.Y, 380);
    EXPECT_EQ(ScaleTipPoint(300, 10, 310, 30).X, 305);

    const double factor = MiniatureFactor(128, 1024);
    EXPECT_DOUBLE_EQ(factor, 0.125);
    EXPECT_EQ(MiniatureFactor(128, 0), 0.0);
    EXPECT_EQ(MiniatureSide(200, 1.0, factor), 25);
    EXPECT_EQ(MiniatureSide(200, 3.0, factor), 75);
    EXPECT_EQ(MiniatureSide(20, 1.0, factor), 2); // 2.5
    EXPECT_EQ(MiniatureSide(200, 0.01, factor), 0);

    const PopupPlace twice = PopupLayout(500, 300, 200, 100, 2.0, 5, 20);
    EXPECT_EQ(twice.ImageWidth, 400);
    EXPECT_EQ(twice.ImageHeight, 200);
    EXPECT_EQ(twice.Left, 500);
    EXPECT_EQ(twice.Top, 330);
    EXPECT_EQ(twice.Width, 410);
    EXPECT_EQ(twice.Height, 225);
    const PopupPlace half = PopupLayout(-40, 0, 201, 99, 0.5, 5, 20);
    EXPECT_EQ(half.ImageWidth, 100); // 100.5
    EXPECT_EQ(half.ImageHeight, 50); // 49.5
    EXPECT_EQ(half.Left, -40);       // a monitor left of the primary
    EXPECT_EQ(half.Width, 110);
    EXPECT_EQ(half.Height, 75);
}

TEST(ScaleImageLayout, PopupHidesOnlyPastTenPixels) {
    EXPECT_FALSE(PopupShouldHide(100, 100, 100, 100));
    for (int d : {10, -10}) {
        EXPECT_FALSE(PopupShouldHide(100, 100, 100 + d, 100)) << d;
        EXPECT_FALSE(PopupShouldHide(100, 100, 100, 100 + d)) << d;
    }
    EXPECT_FALSE(PopupShouldHide(100, 100, 110, 90));
    for (int d : {11, -11}) {
        EXPECT_TRUE(PopupShouldHide(100, 100, 100 + d, 100)) << d;
        EXPECT_TRUE(PopupShouldHide(100, 100, 100, 100 + d)) << d;
    }
}
