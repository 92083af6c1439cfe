#include "core/CreditScroll.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Runs ticks as the timer would: each one fires at the interval the last
// one set. Returns the intervals set, 0 for a tick that did not move.
struct Ticker {
    int32_t Counter = 0;
    int32_t Interval = CreditFirstInterval;
    std::vector<int32_t> Run(bool inside, int ticks) {
        std::vector<int32_t> seen;
        for (int i = 0; i < ticks; ++i) {
            const CreditScroll s = CreditScrollTick(Counter, Interval, inside);
            Counter = s.Counter;
            Interval = s.Interval;
            seen.push_back(s.Moves ? s.Interval : 0);
        }
        return seen;
    }
};

} // namespace

TEST(CreditScroll, SlowsToAStopUnderThePointerAndSpeedsUpAway) {
    Ticker t;
    // The first tick starts the counter at 5: away from the pointer it
    // speeds up to a step every 50 ms.
    EXPECT_EQ(t.Run(false, 6), (std::vector<int32_t>{130, 95, 70, 55, 50, 50}));
    EXPECT_EQ(t.Counter, 0);
    // Under the pointer: six slower steps, then it stands still (ticking
    // every 50 ms, so it notices the pointer leaving).
    EXPECT_EQ(t.Run(true, 9), (std::vector<int32_t>{55, 70, 95, 130, 175, 230, 0, 0, 0}));
    EXPECT_EQ(t.Interval, 50);
    // Away again: it restarts at 175 ms and is at 50 ms five ticks later.
    EXPECT_EQ(t.Run(false, 7), (std::vector<int32_t>{175, 130, 95, 70, 55, 50, 50}));
}

TEST(CreditScroll, TheFirstTickUnderThePointerStopsSoon) {
    Ticker t;
    EXPECT_EQ(t.Run(true, 3), (std::vector<int32_t>{230, 0, 0}));
    // Leaving and coming back half way: it never stands still longer than
    // the pointer stays, nor moves more than six times under it.
    EXPECT_EQ(t.Run(false, 2), (std::vector<int32_t>{175, 130}));
    EXPECT_EQ(t.Run(true, 4), (std::vector<int32_t>{175, 230, 0, 0}));
    // Only an interval of 1000 counts as the first tick.
    EXPECT_EQ(CreditScrollTick(0, 999, false).Interval, 50);
    EXPECT_EQ(CreditScrollTick(0, 1000, false).Interval, 130);
}

TEST(CreditScroll, ThePanelWrapsOnceItHasLeftTheTop) {
    const int32_t height = 200, viewport = 120;
    int32_t top = 30;
    int steps = 0;
    while (top <= 30 && steps < 1000) {
        const int32_t next = NextCreditTop(top, height, viewport);
        if (next > top) {
            // Its last line was at the top edge before the jump.
            EXPECT_EQ(top, -height);
            EXPECT_EQ(next, viewport);
            break;
        }
        top = next;
        ++steps;
    }
    EXPECT_EQ(steps, 30 + height);
    EXPECT_EQ(NextCreditTop(-height + 1, height, viewport), -height);
}
