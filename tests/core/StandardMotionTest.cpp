#include "core/Random.h"
#include "core/StandardMotion.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int32_t> Levels(bool fadeIn) {
    std::vector<int32_t> shown;
    FadeRamp ramp(fadeIn);
    do
        shown.push_back(ramp.Level());
    while (ramp.Advance() && shown.size() < 100);
    return shown;
}

TEST(FadeRamp, FadingInShowsEightToTwoFortyEightThenFull) {
    std::vector<int32_t> expected;
    for (int level = 8; level <= 248; level += 8)
        expected.push_back(level);
    expected.push_back(255);
    EXPECT_EQ(Levels(true), expected);
}

TEST(FadeRamp, FadingOutShowsTwoFortySevenToSevenThenTheBareBackground) {
    std::vector<int32_t> expected;
    for (int level = 247; level >= 7; level -= 8)
        expected.push_back(level);
    expected.push_back(0);
    EXPECT_EQ(Levels(false), expected);
}

TEST(StandardPosition, RangeIsScreenLessLogoDrawnXFirst) {
    SeedRand(99);
    const int rx = Rand(), ry = Rand();
    SeedRand(99);
    const LogoPosition p = StandardPosition(1920, 1080, 400, 300);
    EXPECT_EQ(p.X, rx % 1520);
    EXPECT_EQ(p.Y, ry % 780);
}

TEST(StandardPosition, EdgeRangesOfOneMinusOneAndNegative) {
    for (uint32_t seed = 1; seed < 200; ++seed) {
        SeedRand(seed);
        // One pixel narrower than the screen: rand() mod 1.
        EXPECT_EQ(StandardPosition(1000, 1000, 999, 999).X, 0);
        // As wide as the screen, which was reduced by one: rand() mod -1.
        EXPECT_EQ(StandardPosition(999, 999, 1000, 1000).X, 0);
        // Wider: the remainder keeps the dividend's sign, 0 .. 1199 - 1000 - 1.
        const LogoPosition p = StandardPosition(1000, 1000, 1200, 10);
        EXPECT_GE(p.X, 0);
        EXPECT_LE(p.X, 199);
        // Exactly as large as the drawing area: no division by zero.
        EXPECT_EQ(StandardPosition(1000, 1000, 1000, 1000).Y, 0);
    }
}

TEST(ManyPosition, LogosHangOverEveryEdge) {
    int minX = 1 << 30, maxX = -(1 << 30), minY = 1 << 30, maxY = -(1 << 30);
    SeedRand(5);
    for (int i = 0; i < 20000; ++i) {
        const LogoPosition p = ManyPosition(1920, 1080, 401, 301);
        minX = std::min(minX, p.X);
        maxX = std::max(maxX, p.X);
        minY = std::min(minY, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    EXPECT_EQ(minX, -200);
    EXPECT_EQ(maxX, 1919 - 200);
    EXPECT_EQ(minY, -150);
    EXPECT_EQ(maxY, 1079 - 150);
}

} // namespace
