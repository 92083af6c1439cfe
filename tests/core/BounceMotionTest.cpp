#include "core/BounceMotion.h"
#include "core/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

// A 100 x 100 logo falling from 10 with gravity 0.5 lands exactly on a
// 215-pixel-high screen after 20 frames (10 + 0.25 * 20 * 21 = 115).
constexpr BounceSettings Ball{10, 50, 0};
constexpr BounceArea BallArea{100, 100, 1000, 215};

TEST(BounceGravity, ElasticBounceReturnsToItsHeightAndTheReboundFrameAddsNoGravity) {
    SeedRand(7);
    BounceState b = BounceStart(Ball, BallArea);
    ASSERT_EQ(b.FloatY, 10.0f);
    ASSERT_EQ(b.VelX, 10);

    int frame = 0;
    while (b.Landed == 0.0f && frame < 1000) {
        BounceStep(b, Ball, BallArea);
        ++frame;
    }
    ASSERT_EQ(frame, 20);
    EXPECT_EQ(b.PosY, 115);
    EXPECT_EQ(b.VelY, -10.0f);

    // The frame after the landing moves up by the full landing speed.
    BounceStep(b, Ball, BallArea);
    EXPECT_EQ(b.FloatY, 105.0f);
    EXPECT_EQ(b.VelY, -10.0f);
    EXPECT_EQ(b.Landed, 0.0f);

    int highest = b.PosY, landings = 0;
    for (int i = 0; i < 200; ++i) {
        BounceStep(b, Ball, BallArea);
        highest = std::min(highest, b.PosY);
        if (b.Landed != 0.0f) {
            ++landings;
            EXPECT_EQ(b.VelY, -10.0f) << "every landing at the same speed";
        }
    }
    EXPECT_EQ(highest, 10);
    EXPECT_GE(landings, 4);
}

TEST(BounceGravity, RisesUntilJustOutOfSightThenFallsBack) {
    BounceState b;
    b.FloatY = -90;
    b.PosY = -90;
    b.VelY = -20;
    b.VelX = 10;
    BounceStep(b, Ball, BallArea);
    EXPECT_EQ(b.PosY, -100);
    EXPECT_EQ(b.FloatY, -100.0f);
    EXPECT_GT(b.VelY, 0.0f);
}

TEST(BounceEdges, BottomTestsWithGreaterOrEqualAndRightWithGreater) {
    const BounceSettings s{10, 0, 0};
    const BounceArea a{100, 50, 1000, 500};
    BounceState b;
    b.PosX = 890;
    b.PosY = 440;
    b.VelX = 10;
    b.StepY = 10;
    BounceStep(b, s, a);
    // Touching the bottom exactly bounces; touching the right edge does not yet.
    EXPECT_EQ(b.PosY, 450);
    EXPECT_EQ(b.StepY, -10);
    EXPECT_EQ(b.PosX, 900);
    EXPECT_EQ(b.VelX, 10);

    BounceStep(b, s, a);
    EXPECT_EQ(b.PosX, 900);
    EXPECT_EQ(b.VelX, -10);
    EXPECT_EQ(b.PosY, 440);

    // Top and left use <= 0.
    b.PosX = 10;
    b.PosY = 10;
    b.VelX = -10;
    b.StepY = -10;
    BounceStep(b, s, a);
    EXPECT_EQ(b.PosX, 0);
    EXPECT_EQ(b.VelX, 10);
    EXPECT_EQ(b.PosY, 0);
    EXPECT_EQ(b.StepY, 10);
}

TEST(BounceEdges, GravityWithoutWrapBouncesOffTheSides) {
    BounceState b;
    b.PosX = 895;
    b.VelX = 10;
    b.FloatY = 10;
    BounceStep(b, Ball, BallArea);
    EXPECT_EQ(b.PosX, 900);
    EXPECT_EQ(b.VelX, -10);
}

TEST(BounceWrap, ReentersOnTheLeftOnlyWhenMoreThanSpeedPastTheRightEdge) {
    const BounceSettings s{10, 30, 1};
    const BounceArea a{100, 100, 1000, 800};
    BounceState b;
    b.PosX = 1000;
    b.VelX = 10;
    b.FloatY = 10;
    BounceStep(b, s, a);
    EXPECT_EQ(b.PosX, 1010) << "exactly BounceSpeed past the edge: not yet";
    BounceStep(b, s, a);
    EXPECT_EQ(b.PosX, -100) << "right edge at the left border";
    EXPECT_EQ(b.VelX, 10);

    b.PosX = -95;
    b.VelX = -10;
    BounceStep(b, s, a);
    EXPECT_EQ(b.PosX, 1000);
}

TEST(BounceNoGravity, MovesBounceSpeedOnBothAxesEveryFrameInRandomDirections) {
    const BounceSettings s{10, 0, 0};
    const BounceArea a{64, 64, 1920, 1080};
    bool seen[2][2] = {};
    for (uint32_t seed = 1; seed < 40; ++seed) {
        SeedRand(seed);
        BounceState b = BounceStart(s, a);
        ASSERT_EQ(std::abs(b.VelX), 10);
        ASSERT_EQ(std::abs(b.StepY), 10);
        seen[b.VelX > 0][b.StepY > 0] = true;
        ASSERT_GE(b.PosX, 0);
        ASSERT_LT(b.PosX, 1920 - 64);
        ASSERT_GE(b.PosY, 0);
        ASSERT_LT(b.PosY, 1080 - 64);
        for (int i = 0; i < 300; ++i) {
            const int x = b.PosX, y = b.PosY;
            BounceStep(b, s, a);
            ASSERT_GE(b.PosX, 0);
            ASSERT_LE(b.PosX + 64, 1920);
            ASSERT_GE(b.PosY, 0);
            ASSERT_LE(b.PosY + 64, 1080);
            if (b.PosX > 0 && b.PosX + 64 < 1920) {
                ASSERT_EQ(std::abs(b.PosX - x), 10);
            }
            if (b.PosY > 0 && b.PosY + 64 < 1080) {
                ASSERT_EQ(std::abs(b.PosY - y), 10);
            }
        }
    }
    EXPECT_TRUE(seen[0][0] && seen[0][1] && seen[1][0] && seen[1][1]);
}

TEST(BounceStartPlace, EmptyOrNegativeRangeNeverDividesByZero) {
    const BounceSettings s{10, 0, 0};
    for (uint32_t seed = 1; seed < 20; ++seed) {
        SeedRand(seed);
        BounceState b = BounceStart(s, {1000, 500, 1000, 500});
        EXPECT_EQ(b.PosX, 0);
        EXPECT_EQ(b.PosY, 0);
        b = BounceStart(s, {1010, 50, 1000, 500});
        EXPECT_GE(b.PosX, 0) << "remainder takes the sign of the dividend";
        EXPECT_LE(b.PosX, 9);
    }
}

TEST(BounceUnionRect, CoversOldAndNewLogoWithFivePixelMargin) {
    const BounceArea a{100, 50, 1000, 500};
    BounceRect r = BounceUnion(30, 5, 10, 20, a);
    EXPECT_EQ(r.Left, 10);
    EXPECT_EQ(r.Top, 5);
    EXPECT_EQ(r.Width, 125);
    EXPECT_EQ(r.Height, 70);
    r = BounceUnion(10, 20, 10, 20, a);
    EXPECT_EQ(r.Width, 105);
    EXPECT_EQ(r.Height, 55);
}

} // namespace

TEST(BounceHostileRecord, SpeedsAndSizesAtTheInt32EndsStayOnTheScreenEdges) {
    // Values a settings page never writes but a file can hold: every frame
    // ends at an edge of the screen instead of overflowing.
    const BounceArea screen{100, 100, 1920, 1080};
    for (int32_t speed : {INT32_MAX, INT32_MIN}) {
        for (int32_t gravity : {0, 1}) {
            const BounceSettings s{speed, gravity, 0};
            SeedRand(3);
            BounceState b = BounceStart(s, screen);
            for (int frame = 0; frame < 6; ++frame) {
                BounceStep(b, s, screen);
                EXPECT_GE(b.PosX, 0);
                EXPECT_LE(b.PosX, 1820);
            }
        }
    }
    // A logo wider than any screen can be, without gravity.
    const BounceArea huge{INT32_MAX, INT32_MAX, 1920, 1080};
    const BounceSettings s{3, 0, 0};
    BounceState b = BounceStart(s, huge);
    BounceStep(b, s, huge);
    EXPECT_EQ(b.PosX, 1920 - INT32_MAX);
    const BounceRect r = BounceUnion(b.PosX, b.PosY, 0, 0, huge);
    EXPECT_EQ(r.Width, INT32_MAX);
}
