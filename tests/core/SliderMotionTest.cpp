#include "core/Random.h"
#include "core/SliderMotion.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(SliderSlide, A128PixelSlideTakes123StepsOf10msThenDoublesForTheLastFive) {
    SliderState s = SliderStart({128, 128}, 0, 0, 1920, 1080);
    s.HoleCol = 3;
    s.HoleRow = 2;
    SliderVacated left = SliderBeginMove(s, SliderRight);
    EXPECT_EQ(s.HoleCol, 2);
    EXPECT_EQ(s.HoleRow, 2);
    EXPECT_EQ(s.CurX, 256);
    EXPECT_EQ(s.CurY, 256);
    EXPECT_EQ(s.TargetX, 384);
    EXPECT_EQ(left.Left, 256);
    EXPECT_EQ(left.Top, 256);
    EXPECT_EQ(left.Right, 384);
    EXPECT_EQ(left.Bottom, 384);

    std::vector<int> delays;
    while (SliderNextStep(s))
        delays.push_back(s.Delay);
    ASSERT_EQ(delays.size(), 128u);
    for (int i = 0; i < 123; ++i)
        ASSERT_EQ(delays[i], 10) << i;
    EXPECT_EQ(std::vector<int>(delays.begin() + 123, delays.end()),
              (std::vector<int>{20, 40, 80, 160, 320}));
    EXPECT_EQ(s.CurX, 384);
    EXPECT_EQ(s.CurY, 256);
}

TEST(SliderSlide, UpAndLeftMovesEndOneTileAway) {
    SliderState s = SliderStart({64, 32}, 10, 20, 650, 340);
    s.HoleCol = 2;
    s.HoleRow = 2;
    SliderBeginMove(s, SliderUp); // the tile below the hole moves up
    EXPECT_EQ(s.HoleRow, 3);
    EXPECT_EQ(s.CurY, 20 + 3 * 32);
    int steps = 0;
    while (SliderNextStep(s))
        ++steps;
    EXPECT_EQ(steps, 32);
    EXPECT_EQ(s.CurY, 20 + 2 * 32);

    SliderBeginMove(s, SliderLeft);
    EXPECT_EQ(s.HoleCol, 3);
    EXPECT_EQ(s.CurX, 10 + 3 * 64);
    while (SliderNextStep(s))
        ;
    EXPECT_EQ(s.CurX, 10 + 2 * 64);
}

TEST(SliderChoice, NeverMovesStraightBackAndRarelyRepeats) {
    SliderState s = SliderStart({128, 128}, 0, 0, 1920, 1080);
    s.HoleCol = 5;
    s.HoleRow = 4;
    s.Direction = SliderRight;
    int counts[9] = {};
    for (uint32_t seed = 1; seed <= 3000; ++seed) {
        SeedRand(seed);
        counts[SliderChooseMove(s)]++;
    }
    EXPECT_EQ(counts[SliderLeft], 0);
    EXPECT_LT(counts[SliderRight], 30) << "the last direction needs six draws in a row";
    EXPECT_GT(counts[SliderUp], 1000);
    EXPECT_GT(counts[SliderDown], 1000);
}

TEST(SliderChoice, TheSixthDrawOfTheLastDirectionIsTaken) {
    // One row: only left and right; right was last, so left is forbidden and
    // right must come after five redraws.
    SliderState s = SliderStart({128, 128}, 0, 0, 1024, 100);
    ASSERT_EQ(s.MaxRow, 0);
    s.HoleCol = 3;
    s.Direction = SliderRight;
    for (uint32_t seed = 1; seed <= 50; ++seed) {
        SeedRand(seed);
        EXPECT_EQ(SliderChooseMove(s), SliderRight);
    }
}

TEST(SliderChoice, CandidatesFollowTheHole) {
    SliderState s = SliderStart({128, 128}, 0, 0, 1920, 1080);
    s.HoleCol = 0;
    s.HoleRow = 0;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SeedRand(seed);
        const SliderMove m = SliderChooseMove(s);
        EXPECT_TRUE(m == SliderLeft || m == SliderUp) << m;
    }
    s.HoleCol = s.MaxCol;
    s.HoleRow = s.MaxRow;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        SeedRand(seed);
        const SliderMove m = SliderChooseMove(s);
        EXPECT_TRUE(m == SliderRight || m == SliderDown) << m;
    }
}

TEST(SliderGrid, StretchedFullHdWithMediumTilesIs15By9) {
    const SliderTile t = SliderTileSize(SliderTileMedium, 300, 200, false);
    SliderState s = SliderStart(t, 0, 0, 1920, 1080);
    EXPECT_EQ(s.MaxCol, 14);
    EXPECT_EQ(s.MaxRow, 8);
}

TEST(SliderGrid, StartingHoleIsNeverInTheLastColumnOrRow) {
    bool firstCol = false, nextToLast = false;
    for (uint32_t seed = 1; seed <= 2000; ++seed) {
        SeedRand(seed);
        SliderState s = SliderStart({128, 128}, 0, 0, 1920, 1080);
        ASSERT_GE(s.HoleCol, 0);
        ASSERT_LT(s.HoleCol, 14);
        ASSERT_GE(s.HoleRow, 0);
        ASSERT_LT(s.HoleRow, 8);
        firstCol |= s.HoleCol == 0;
        nextToLast |= s.HoleCol == 13;
    }
    EXPECT_TRUE(firstCol && nextToLast);
}

TEST(SliderGrid, TileSizesAndTheUndefinedCases) {
    EXPECT_EQ(SliderTileSize(SliderTileSmall, 1, 1, false).W, 64);
    EXPECT_EQ(SliderTileSize(SliderTileLarge, 1, 1, false).H, 256);
    const SliderTile logo = SliderTileSize(SliderTileLogo, 300, 200, false);
    EXPECT_EQ(logo.W, 300);
    EXPECT_EQ(logo.H, 200);
    const SliderTile unknown = SliderTileSize(1053, 300, 200, false);
    EXPECT_EQ(unknown.W, 128) << "an unknown id counts as Medium";
    EXPECT_EQ(unknown.H, 128);
    EXPECT_EQ(SliderTileSize(SliderTileMedium, 1, 1, true).W, 16);
    const SliderTile tiny = SliderTileSize(SliderTileLogo, 7, 3, true);
    EXPECT_EQ(tiny.W, 1) << "never a tile of no size";
    EXPECT_EQ(tiny.H, 1);

    // A logo smaller than one tile: one column and row, the hole at 0.
    SeedRand(3);
    SliderState s = SliderStart({128, 128}, 100, 100, 200, 150);
    EXPECT_EQ(s.MaxCol, 0);
    EXPECT_EQ(s.MaxRow, 0);
    EXPECT_EQ(s.HoleCol, 0);
    EXPECT_EQ(s.HoleRow, 0);
    // Exactly one tile: 128 / 128 leaves no remainder, so the last index is 0.
    s = SliderStart({128, 128}, 0, 0, 128, 256);
    EXPECT_EQ(s.MaxCol, 0);
    EXPECT_EQ(s.MaxRow, 1);
    // Nothing drawn at all.
    s = SliderStart({128, 128}, 0, 0, 0, 0);
    EXPECT_EQ(s.MaxCol, 0);
    EXPECT_EQ(s.MaxRow, 0);
    const SliderMove m = SliderChooseMove(s);
    EXPECT_TRUE(m == SliderLeft || m == SliderRight || m == SliderUp || m == SliderDown);
}

} // namespace
