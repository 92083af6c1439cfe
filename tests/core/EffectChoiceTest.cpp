#include "core/EffectChoice.h"
#include "core/EffectInfo.h"
#include "core/Random.h"
#include "core/SaverInput.h"

#include <gtest/gtest.h>

namespace {

TEST(PickEffectRow, NothingEnabledOrUnknownBitsGiveNoEffect) {
    EXPECT_EQ(PickEffectRow(0, -1), -1);
    EXPECT_EQ(PickEffectRow(-4, -1), -1);
    EXPECT_EQ(PickEffectRow(1, -1), -1);   // PageGeneral is no effect
    EXPECT_EQ(PickEffectRow(256, -1), -1); // no row has this bit
}

TEST(PickEffectRow, OneEnabledEffectIsTakenWithoutDrawing) {
    SeedRand(1234);
    const int next = Rand();
    SeedRand(1234);
    EXPECT_EQ(PickEffectRow(EffectMany | 1 | 256, EffectMany), 3);
    EXPECT_EQ(Rand(), next); // the generator did not move
}

TEST(PickEffectRow, TwoEnabledEffectsAlternate) {
    SeedRand(77);
    int32_t current = -1;
    int repeats = 0;
    for (int i = 0; i < 1000; ++i) {
        const int row = PickEffectRow(EffectStatic | EffectSlider, current);
        ASSERT_TRUE(row == 0 || row == 6);
        if (EffectInfoTable[row].Mask == current)
            ++repeats;
        current = EffectInfoTable[row].Mask;
    }
    // A repeat needs 20 draws in a row to hit it: 1 in 2^20.
    EXPECT_EQ(repeats, 0);
}

TEST(PickEffectRow, DrawsStopAtTheFirstEffectThatDiffersFromTheCurrentOne) {
    for (uint32_t seed = 1; seed < 300; ++seed) {
        // Replay the generator: how many draws until one picks Bounce (odd)?
        SeedRand(seed);
        int draws = 1;
        while (Rand() % 2 == 0 && draws < 20)
            ++draws;
        const int after = Rand();

        SeedRand(seed);
        ASSERT_EQ(PickEffectRow(EffectStandard | EffectBounce, EffectStandard), 2) << seed;
        ASSERT_EQ(Rand(), after) << "seed " << seed << " used other than " << draws << " draws";
    }
}

TEST(FrameInterval, PerEffectAndForContent) {
    SaverSettings s{};
    s.StandardDelay = 7000;
    s.ManyDelay = 305;
    s.DripInterval = 310;
    s.FallingInterval = 5;
    s.SliderInterval = 500;
    EXPECT_EQ(FrameInterval(s, EffectStatic, false), 1000);
    EXPECT_EQ(FrameInterval(s, EffectStandard, false), 7000);
    EXPECT_EQ(FrameInterval(s, EffectBounce, false), 100);
    EXPECT_EQ(FrameInterval(s, EffectMany, false), 305);
    s.ManyDim = 1;
    EXPECT_EQ(FrameInterval(s, EffectMany, false), 30); // floor(305 / 10)
    EXPECT_EQ(FrameInterval(s, EffectDrip, false), 310);
    EXPECT_EQ(FrameInterval(s, EffectFalling, false), 5);
    EXPECT_EQ(FrameInterval(s, EffectSlider, false), 500);
    EXPECT_EQ(FrameInterval(s, -1, false), 5000);
    EXPECT_EQ(FrameInterval(s, EffectStandard, true), 100);
    EXPECT_EQ(FrameInterval(s, -1, true), 100);
}

TEST(JudgeMouseMove, JitterOfThreePixelsIsNeverInputHoweverLongItGoesOn) {
    CursorPoint last = NoMouse;
    EXPECT_EQ(JudgeMouseMove(last, {500, 500}, 0), MouseVerdict::Recorded);
    EXPECT_EQ(JudgeMouseMove(last, {500, 500}, 0), MouseVerdict::Unchanged);
    CursorPoint now{500, 500};
    for (int i = 0; i < 100; ++i) {
        now = {now.X + 2, now.Y + 1}; // |dx| + |dy| = 3
        ASSERT_EQ(JudgeMouseMove(last, now, 0), MouseVerdict::Recorded);
        ASSERT_EQ(last, now);
    }
    EXPECT_EQ(JudgeMouseMove(last, {now.X + 4, now.Y}, 0), MouseVerdict::Input);
    EXPECT_EQ(JudgeMouseMove(last, {now.X - 2, now.Y - 2}, 0), MouseVerdict::Input);
}

TEST(JudgeMouseMove, IgnoredMovementKeepsTheOldPosition) {
    CursorPoint last{100, 100};
    EXPECT_EQ(JudgeMouseMove(last, {110, 100}, IgnoreMovement), MouseVerdict::Swallowed);
    EXPECT_EQ(last, (CursorPoint{100, 100}));
    // The next small move is measured from the old position: 8 pixels away.
    EXPECT_EQ(JudgeMouseMove(last, {108, 100}, IgnoreMovement), MouseVerdict::Swallowed);
    EXPECT_EQ(JudgeMouseMove(last, {102, 101}, IgnoreMovement), MouseVerdict::Recorded);
    // Keys and clicks ignored do not ignore movement.
    EXPECT_EQ(JudgeMouseMove(last, {120, 101}, IgnoreKeys | IgnoreClicks), MouseVerdict::Input);
}

TEST(BeyondCloseDistance, MoreThanFourPixelsFromTheStart) {
    EXPECT_FALSE(BeyondCloseDistance({10, 10}, {12, 12}));
    EXPECT_TRUE(BeyondCloseDistance({10, 10}, {13, 12}));
    EXPECT_TRUE(BeyondCloseDistance({10, 10}, {5, 10}));
}

} // namespace
