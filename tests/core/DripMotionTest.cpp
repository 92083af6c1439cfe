#include "core/DripMotion.h"
#include "core/Random.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(DripBurst, RunsOfNeighbouringColumnsThatContinueAtColumnZero) {
    DripState d;
    DripStart(d, 1000);
    ASSERT_EQ(d.Offsets.size(), 1010u);
    d.Rect = {995, 40, 1000, 140};
    bool wrapped = false;
    std::vector<int> slid(1010, 0);
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        SeedRand(seed);
        const std::vector<DripColumn> burst = DripBurst(d);
        ASSERT_TRUE(burst.size() == 2 || burst.size() == 4 || burst.size() == 6 ||
                    burst.size() == 8)
            << burst.size();
        ASSERT_GE(burst[0].X, 995);
        ASSERT_LT(burst[0].X, 1000);
        for (std::size_t i = 0; i < burst.size(); ++i) {
            const DripColumn& c = burst[i];
            ASSERT_GE(c.Distance, 1);
            ASSERT_LE(c.Distance, 4);
            ASSERT_EQ(c.From, 40 + slid[c.X]) << "each column continues where it stopped";
            slid[c.X] += c.Distance;
            if (i > 0) {
                const int prev = burst[i - 1].X;
                if (prev == 1000) {
                    ASSERT_EQ(c.X, 0);
                    wrapped = true;
                } else {
                    ASSERT_EQ(c.X, prev + 1);
                }
            }
        }
    }
    EXPECT_TRUE(wrapped);
    EXPECT_EQ(std::vector<int>(d.Offsets.begin(), d.Offsets.end()), slid);
}

TEST(DripBurst, ColumnsOutsideTheTableAreSkipped) {
    // A Normal-size logo wider than a 20-pixel screen hangs over both sides.
    DripState d;
    DripStart(d, 20);
    d.Rect = {-40, 0, 60, 10};
    int moved = 0;
    for (uint32_t seed = 1; seed <= 500; ++seed) {
        SeedRand(seed);
        for (const DripColumn& c : DripBurst(d)) {
            ASSERT_GE(c.X, 0);
            ASSERT_LT(c.X, 30);
            ++moved;
        }
    }
    EXPECT_GT(moved, 0);
}

TEST(DripBurst, HostileRectanglesAtTheInt32EndWrapToColumnZero) {
    DripState d;
    DripStart(d, 100);
    for (const DripRect r :
         {DripRect{INT32_MAX - 3, 0, INT32_MAX, 10}, DripRect{INT32_MAX, 0, 0, 10}})
        for (uint32_t seed = 1; seed <= 50; ++seed) {
            d.Rect = r;
            SeedRand(seed);
            for (const DripColumn& c : DripBurst(d))
                ASSERT_LT(c.X, 8) << "only the columns after the wrap are in the table";
        }
}

TEST(DripBurst, EmptyLogoDripsAtItsLeftColumn) {
    DripState d;
    DripStart(d, 100);
    d.Rect = {50, 0, 50, 0};
    SeedRand(9);
    const std::vector<DripColumn> burst = DripBurst(d);
    ASSERT_FALSE(burst.empty());
    EXPECT_EQ(burst[0].X, 50);
}

TEST(DripStart, StartsAgainWithZeroOffsets) {
    DripState d;
    DripStart(d, 10);
    d.Rect = {0, 0, 10, 10};
    d.First = false;
    SeedRand(1);
    DripBurst(d);
    DripStart(d, 10);
    EXPECT_TRUE(d.First);
    EXPECT_EQ(d.Offsets, std::vector<int32_t>(20, 0));
}

} // namespace
