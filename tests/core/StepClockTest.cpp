// The pacing of effects that step faster than the display shows frames.
#include "core/StepClock.h"

#include <gtest/gtest.h>

namespace {

// Woken late by up to 4 ms at every frame, as waits are, the clock still
// gives a step per wait over the run and never more than a frame a frame.
TEST(StepClock, StepsKeepTheirPaceWhateverTheFramesDo) {
    for (const int32_t wait : {0, 5, 16}) {
        const double frame = DisplayFrameMs(0), start = 1e7; // 60 Hz: none known
        ASSERT_TRUE(StepsOutrunFrames(wait, frame));
        StepClock clock(StepMs(wait), frame, start);
        double now = start;
        int64_t steps = 0, frames = 0;
        for (int i = 0; now < start + 1000; ++i) {
            const int32_t w = clock.WaitMs(now);
            EXPECT_GT(w, 0) << "a frame is never due right after one was taken";
            now += w + i % 5;
            const int32_t due = clock.Take(now);
            EXPECT_GE(due, 0);
            steps += due;
            frames += due > 0;
        }
        EXPECT_NEAR(static_cast<double>(steps), (now - start) / StepMs(wait), 1.0) << wait;
        EXPECT_LE(frames, 61) << wait;
        EXPECT_GE(frames, 45) << wait;
    }
}

TEST(StepClock, AStallDropsTheStepsBeyondAQuarterSecond) {
    StepClock clock(5, DisplayFrameMs(60), 0);
    EXPECT_EQ(clock.Take(20), 4);
    EXPECT_EQ(clock.Take(10020), 50);
    EXPECT_EQ(clock.WaitMs(10020), 17); // frames go on from 10020: the next at 10036.7
    EXPECT_EQ(clock.Take(10035), 3);    // steps too, at the old pace
}

} // namespace
