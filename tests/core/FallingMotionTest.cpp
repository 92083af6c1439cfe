#include "core/FallingMotion.h"
#include "core/Random.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

namespace {

const FallingArea Area{200, 100, 1920, 1080};

TEST(FallingDirection, NoneFallsDownAndOneBitDrawsNothing) {
    SeedRand(5);
    const int expected = Rand();
    SeedRand(5);
    EXPECT_EQ(FallingPickDirection(0), FallingDown);
    EXPECT_EQ(FallingPickDirection(FallingUp), FallingUp);
    EXPECT_EQ(FallingPickDirection(FallingRight), FallingRight);
    EXPECT_EQ(Rand(), expected) << "one choice or none draws no random number";
}

TEST(FallingDirection, HorizontalPicksLeftOrRight) {
    std::set<int> seen;
    for (uint32_t seed = 1; seed < 50; ++seed) {
        SeedRand(seed);
        seen.insert(FallingPickDirection(FallingLeft | FallingRight));
    }
    EXPECT_EQ(seen, (std::set<int>{FallingLeft, FallingRight}));
}

TEST(FallingSpeed, NearestMovesFallingSpeedPixelsAndFarthestOnePointOneTenths) {
    const FallingVelocity down = FallingVelocityOf(FallingDown, 30);
    FallingLogo l;
    l.Depth = 1.0;
    l.Near = 11 - l.Depth;
    l.PosX = 100;
    l.PosY = 50;
    FallingMove(l, down);
    EXPECT_EQ(l.X, 100);
    EXPECT_EQ(l.Y, 80);

    FallingLogo far;
    far.Depth = 9.9;
    far.Near = 11 - far.Depth;
    FallingMove(far, down);
    EXPECT_NEAR(far.PosY, 1.1 * 30 / 10, 1e-9);
    EXPECT_EQ(far.Y, 3);

    const FallingVelocity left = FallingVelocityOf(FallingLeft, 10);
    EXPECT_EQ(left.X, -1.0);
    EXPECT_EQ(left.Y, 0.0);
    const FallingVelocity up = FallingVelocityOf(FallingUp, 10);
    EXPECT_EQ(up.Y, -1.0);
}

TEST(FallingCount, LimitedToTheTable) {
    EXPECT_EQ(FallingUsed(1), 1);
    EXPECT_EQ(FallingUsed(50), 50);
    EXPECT_EQ(FallingUsed(51), 50);
    EXPECT_EQ(FallingUsed(100000), 50);
    EXPECT_EQ(FallingUsed(0), 0);
    EXPECT_EQ(FallingUsed(-3), 0);
}

TEST(FallingRenew, FirstFrameScattersLaterOnesEnterFromTheFarEdge) {
    SeedRand(11);
    std::set<int> depths;
    for (int i = 0; i < 2000; ++i) {
        FallingLogo l;
        FallingRenew(l, true, true, FallingVelocityOf(FallingDown, 10), Area);
        const int tenths = static_cast<int>(l.Depth * 10 + 0.5);
        ASSERT_GE(tenths, 10);
        ASSERT_LE(tenths, 99);
        depths.insert(tenths);
        ASSERT_DOUBLE_EQ(l.Near, 11 - l.Depth);
        ASSERT_EQ(l.W, static_cast<int>(200 / l.Depth));
        ASSERT_EQ(l.H, static_cast<int>(100 / l.Depth));
        ASSERT_GE(l.PosX, -l.W / 2);
        ASSERT_LT(l.PosX, 1920 - l.W / 2);
        ASSERT_GE(l.PosY, -l.H / 2);
        ASSERT_LT(l.PosY, 1080 - l.H / 2);
    }
    EXPECT_EQ(depths.size(), 90u);

    FallingLogo l;
    FallingRenew(l, false, true, FallingVelocityOf(FallingDown, 10), Area);
    EXPECT_EQ(l.PosY, -l.H);
    FallingRenew(l, false, true, FallingVelocityOf(FallingUp, 10), Area);
    EXPECT_EQ(l.PosY, 1080);
    FallingRenew(l, false, false, FallingVelocityOf(FallingLeft, 10), Area);
    EXPECT_EQ(l.PosX, 1920);
    EXPECT_EQ(l.W, 200) << "unscaled copies keep the logo's size";
    FallingRenew(l, false, false, FallingVelocityOf(FallingRight, 10), Area);
    EXPECT_EQ(l.PosX, -200);
    EXPECT_GE(l.PosY, -50);
    EXPECT_LT(l.PosY, 1080 - 50);
}

TEST(FallingKeep, KeepsLogosWithinFivePixelsOfTheScreen) {
    FallingLogo l;
    l.W = 40;
    l.H = 30;
    l.X = -45;
    EXPECT_TRUE(FallingKeep(l, Area));
    l.X = -46;
    EXPECT_FALSE(FallingKeep(l, Area));
    l.X = 1925;
    EXPECT_TRUE(FallingKeep(l, Area));
    l.X = 1926;
    EXPECT_FALSE(FallingKeep(l, Area));
    l.X = 0;
    l.Y = -35;
    EXPECT_TRUE(FallingKeep(l, Area));
    l.Y = -36;
    EXPECT_FALSE(FallingKeep(l, Area));
    l.Y = 1085;
    EXPECT_TRUE(FallingKeep(l, Area));
    l.Y = 1086;
    EXPECT_FALSE(FallingKeep(l, Area));
}

TEST(FallingKeep, HostileSizesAtTheInt32EndsAreComparedExactly) {
    FallingLogo l;
    l.W = l.H = INT32_MAX - 1; // reaches the screen from any X and Y
    l.X = l.Y = INT32_MIN;
    EXPECT_TRUE(FallingKeep(l, Area));
    l.W = l.H = INT32_MIN; // ends before it starts
    l.X = l.Y = 0;
    EXPECT_FALSE(FallingKeep(l, Area));
    l.W = l.H = 0;
    l.X = l.Y = INT32_MAX;
    EXPECT_TRUE(FallingKeep(l, {0, 0, INT32_MAX, INT32_MAX}));
}

TEST(FallingFade, NearestIs235AndFarthest57) {
    EXPECT_EQ(FallingAlpha(1.0, true), 235);
    EXPECT_EQ(FallingAlpha(99 / 10.0, true), 57);
    EXPECT_EQ(FallingAlpha(5.5, true), 145);
    EXPECT_EQ(FallingAlpha(9.9, false), 255);
}

struct Sprite {
    double Depth;
    std::unique_ptr<int> Image; // resources follow their record
};

TEST(FallingSort, DeepestFirstCarryingEachRecordsResources) {
    const double depths[] = {2.0, 5.5, 1.0, 9.9, 5.5, 3.1};
    std::vector<Sprite> s;
    for (int i = 0; i < 6; ++i)
        s.push_back({depths[i], std::make_unique<int>(static_cast<int>(depths[i] * 10))});
    FallingSort(s.data(), 5, [](const Sprite& x) { return x.Depth; });
    const double sorted[] = {9.9, 5.5, 5.5, 2.0, 1.0};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s[i].Depth, sorted[i]);
        EXPECT_EQ(*s[i].Image, static_cast<int>(s[i].Depth * 10));
    }
    EXPECT_EQ(s[5].Depth, 3.1) << "records past the count stay where they are";
}

} // namespace
