// The render engine's pacing of effects whose wait between steps is shorter
// than a display frame: their motion takes a step per wait as time goes (a
// wait of 0 is a step per millisecond), and the screen is drawn once per
// display frame with the steps due by then. The logos move as fast and
// along the same path as when every step is drawn, in the frames a display
// can show.
#pragma once

#include <cstdint>

// Milliseconds of one frame of a display refreshed `hertz` times a second;
// 60 Hz when the display gives no rate (0 or 1).
constexpr double DisplayFrameMs(int32_t hertz) {
    return 1000.0 / (hertz > 1 ? hertz : 60);
}

// Milliseconds of one step for an effect's wait; a wait of 0 or less is a
// step per millisecond.
constexpr double StepMs(int32_t wait) {
    return wait > 0 ? wait : 1;
}

// True when an effect with this wait takes its steps faster than a display
// with frames of frameMs shows them.
constexpr bool StepsOutrunFrames(int32_t wait, double frameMs) {
    return StepMs(wait) < frameMs;
}

// Steps from a start time on, and the display frames that show them.
class StepClock {
  public:
    // Never more steps at once than fit in this: after a stall (a suspended
    // machine, a thread held up) the motion goes on from where it was rather
    // than rushing through what was missed.
    static constexpr double MostBehindMs = 250;

    StepClock(double stepMs, double frameMs, double startMs)
        : stepMs_(stepMs), frameMs_(frameMs), stepsFromMs_(startMs),
          nextFrameMs_(startMs + frameMs) {}

    // Milliseconds from nowMs until the next frame is due, rounded up; 0
    // when it is.
    int32_t WaitMs(double nowMs) const {
        const double left = nextFrameMs_ - nowMs; // never more than a frame
        return left > 0 ? static_cast<int32_t>(left) + 1 : 0;
    }

    // The steps due by nowMs and not yet taken, now counted as taken; the
    // next frame becomes the first due after nowMs (after a late frame the
    // frames go on from nowMs).
    int32_t Take(double nowMs) {
        if (nowMs >= nextFrameMs_) {
            nextFrameMs_ += frameMs_;
            if (nowMs >= nextFrameMs_)
                nextFrameMs_ = nowMs + frameMs_;
        }
        if (nowMs - stepsFromMs_ > MostBehindMs)
            stepsFromMs_ = nowMs - MostBehindMs;
        const double behind = nowMs - stepsFromMs_;
        const int32_t due = behind > 0 ? static_cast<int32_t>(behind / stepMs_) : 0;
        stepsFromMs_ += due * stepMs_;
        return due;
    }

  private:
    double stepMs_, frameMs_;
    double stepsFromMs_; // the steps not taken yet are due from here on, one a stepMs_
    double nextFrameMs_;
};
