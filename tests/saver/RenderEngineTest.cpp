// The render thread, watched through a probe put in place of an effect's
// draw function: the order of operations, the thread they run on, stops
// at every stage, pacing, and repaints that arrive while a frame draws.
#include "tests/saver/EngineTestSupport.h"

#include "core/StepClock.h"
#include "saver/EffectTable.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <vector>

namespace {

struct Call {
    EffectOp Op;
    DWORD Thread;
    bool HasDc;
    DWORD Tick;
};

// Records every call; op 3 can take a while (as drawing does) and can wait
// on the stop inside the frame (as fades do).
struct Probe {
    std::mutex Lock;
    std::vector<Call> Calls;
    std::atomic<int> InFlight{0};
    std::atomic<int> MaxInFlight{0};
    DWORD FrameCost = 0;
    int FrameWaits = 0; // WaitStop(5000) calls inside each frame
    int WaitsSeenStopped = 0;

    std::vector<EffectOp> Ops() {
        std::lock_guard<std::mutex> hold(Lock);
        std::vector<EffectOp> ops;
        for (const Call& c : Calls)
            ops.push_back(c.Op);
        return ops;
    }
    std::vector<DWORD> FrameTicks() {
        std::lock_guard<std::mutex> hold(Lock);
        std::vector<DWORD> ticks;
        for (const Call& c : Calls)
            if (c.Op == OpFrame)
                ticks.push_back(c.Tick);
        return ticks;
    }
    int Count(EffectOp op) {
        int n = 0;
        for (EffectOp o : Ops())
            n += o == op;
        return n;
    }
};

Probe* ActiveProbe = nullptr;

void ProbeDraw(HDC dc, EffectOp op) {
    Probe& p = *ActiveProbe;
    const int now = ++p.InFlight;
    int seen = p.MaxInFlight.load();
    while (now > seen && !p.MaxInFlight.compare_exchange_weak(seen, now)) {
    }
    {
        std::lock_guard<std::mutex> hold(p.Lock);
        p.Calls.push_back({op, GetCurrentThreadId(), dc != nullptr, GetTickCount()});
    }
    if (op == OpFrame) {
        if (p.FrameCost)
            Sleep(p.FrameCost);
        for (int i = 0; i < p.FrameWaits; ++i)
            if (WaitStop(5000))
                ++p.WaitsSeenStopped;
    }
    --p.InFlight;
}

// Puts the probe in place of one row's draw function for a test.
class ProbedEffect {
  public:
    ProbedEffect(int32_t mask, Probe& probe) : row_(FindEffect(mask)) {
        saved_ = EffectTable[row_].Draw;
        EffectTable[row_].Draw = ProbeDraw;
        ActiveProbe = &probe;
    }
    ~ProbedEffect() {
        StopRenderThread();
        EffectTable[row_].Draw = saved_;
        ActiveProbe = nullptr;
    }

  private:
    int row_;
    EffectDraw saved_;
};

std::vector<uint8_t> SmallLogo() {
    return MakeBitmap32(40, 30, [](int, int) { return 0xFF808080u; });
}

TEST(RenderThread, AStopDuringTheFirstHalfSecondStillCleansUp) {
    SaverFixture saver(SmallLogo(), 200, 150);
    CurrentSettings->EnabledMask = EffectStatic;
    Probe probe;
    ProbedEffect probed(EffectStatic, probe);

    StartRenderThread(saver.Window());
    Sleep(150);
    const DWORD before = GetTickCount();
    StopRenderThread();
    EXPECT_LT(GetTickCount() - before, 200u); // the initial wait ends at once
    EXPECT_FALSE(RenderThreadRunning());

    const std::vector<EffectOp> ops = probe.Ops();
    ASSERT_EQ(ops, (std::vector<EffectOp>{OpInitialise, OpCleanUp}));
    EXPECT_NE(probe.Calls[0].Thread, GetCurrentThreadId());
    EXPECT_EQ(probe.Calls[1].Thread, probe.Calls[0].Thread);
    EXPECT_TRUE(probe.Calls[1].HasDc); // the thread's context, released after
    EXPECT_EQ(CurrentEffect, EffectStatic);
}

TEST(RenderThread, FramesFollowTheInitialWaitAndNeverSeeOpTwo) {
    SaverFixture saver(SmallLogo(), 200, 150);
    CurrentSettings->EnabledMask = EffectMany;
    CurrentSettings->ManyDelay = 100;
    Probe probe;
    ProbedEffect probed(EffectMany, probe);

    StartRenderThread(saver.Window());
    Sleep(850);
    StopRenderThread();
    const std::vector<EffectOp> ops = probe.Ops();
    ASSERT_GE(ops.size(), 4u);
    EXPECT_EQ(ops.front(), OpInitialise);
    EXPECT_EQ(ops.back(), OpCleanUp);
    EXPECT_EQ(probe.Count(OpFirstFrame), 0);
    // First frame at 500 ms, then every 100 ms: three or four by 850 ms.
    EXPECT_GE(probe.Count(OpFrame), 3);
    EXPECT_LE(probe.Count(OpFrame), 5);
    EXPECT_GE(probe.Calls[1].Tick - probe.Calls[0].Tick, 450u);
}

TEST(RenderThread, AStopInsideAFrameEndsEveryLaterWaitOfThatFrame) {
    SaverFixture saver(SmallLogo(), 200, 150);
    CurrentSettings->EnabledMask = EffectMany;
    CurrentSettings->ManyDelay = 100;
    Probe probe;
    probe.FrameWaits = 3; // three 5-second pauses inside each frame
    ProbedEffect probed(EffectMany, probe);

    StartRenderThread(saver.Window());
    Sleep(700); // inside the first frame's first pause
    const DWORD before = GetTickCount();
    StopRenderThread();
    EXPECT_LT(GetTickCount() - before, 300u);
    EXPECT_EQ(probe.WaitsSeenStopped, 3);
    EXPECT_EQ(probe.Ops().back(), OpCleanUp);
}

// The race the engine settles: repaints asked for on the window thread while
// frames draw on the render thread.
TEST(RenderThread, RepaintsAreDrawnBetweenFramesOnTheRenderThreadWithoutBlocking) {
    SaverFixture saver(SmallLogo(), 200, 150);
    CurrentSettings->EnabledMask = EffectMany;
    CurrentSettings->ManyDelay = 100;
    Probe probe;
    probe.FrameCost = 60; // each frame draws for 60 ms
    ProbedEffect probed(EffectMany, probe);
    WindowDC dc(saver.Window());

    StartRenderThread(saver.Window());
    DWORD slowest = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 1500) {
        const DWORD before = GetTickCount();
        RepaintEffect(saver.Window(), dc.get());
        slowest = std::max<DWORD>(slowest, GetTickCount() - before);
        Sleep(7);
    }
    StopRenderThread();

    EXPECT_LT(slowest, 30u); // the window thread never waited for a frame
    EXPECT_EQ(probe.MaxInFlight.load(), 1);
    EXPECT_GE(probe.Count(OpRepaint), 5);
    EXPECT_GE(probe.Count(OpFrame), 3);
    const DWORD renderThread = probe.Calls.front().Thread;
    for (const Call& c : probe.Calls)
        EXPECT_EQ(c.Thread, renderThread) << "op " << c.Op;

    // With no run, a repaint only fills the background: no effect state is live.
    const std::size_t calls = probe.Ops().size();
    RepaintEffect(saver.Window(), dc.get());
    EXPECT_EQ(probe.Ops().size(), calls);
}

TEST(RenderThread, PacedFramesThatTakeLongerThanTheIntervalFollowAtOnce) {
    SaverFixture saver(SmallLogo(), 200, 150);
    CurrentSettings->EnabledMask = EffectBounce; // paced, 100 ms
    Probe probe;
    probe.FrameCost = 150;
    ProbedEffect probed(EffectBounce, probe);

    StartRenderThread(saver.Window());
    Sleep(1400);
    StopRenderThread();
    const std::vector<DWORD> starts = probe.FrameTicks();
    ASSERT_GE(starts.size(), 4u);
    // The first frame is not measured; after it each frame follows the last
    // one's end at once (about 150 ms apart, not 250).
    for (std::size_t i = 2; i < starts.size(); ++i)
        EXPECT_LT(starts[i] - starts[i - 1], 215u) << i;
}

// Drip at its fastest (a step a millisecond) and Falling (5 ms): the steps
// keep their pace, the frames drawn keep the display's.
TEST(RenderThread, StepsFasterThanTheDisplayAreDrawnOncePerDisplayFrame) {
    SaverFixture saver(SmallLogo(), 200, 150);
    const double frameMs = DisplayFrameMs(GetDeviceCaps(WindowDC(saver.Window()).get(), VREFRESH));
    for (const auto& [effect, stepMs] :
         {std::pair<int32_t, int>{EffectDrip, 1}, {EffectFalling, 5}}) {
        CurrentSettings->EnabledMask = effect;
        CurrentSettings->DripInterval = 0;
        Probe probe;
        ProbedEffect probed(effect, probe);
        StartRenderThread(saver.Window());
        Sleep(1500);
        StopRenderThread();
        const std::vector<DWORD> frames = probe.FrameTicks();
        ASSERT_GE(frames.size(), 10u) << effect;
        // The first frame is the first step; the steps' clock starts there.
        const double ms = frames.back() - frames.front();
        const double steps = probe.Count(OpStep) + static_cast<double>(frames.size()) - 1;
        EXPECT_NEAR(steps, ms / stepMs, ms / stepMs / 10 + 20) << effect;
        EXPECT_LE(frames.size() - 1, ms / frameMs + 2) << effect;
    }
}

TEST(RenderThread, NoEnabledEffectShowsTheBackgroundAndWaitsUntilStopped) {
    SaverFixture saver(SmallLogo(), 200, 150);
    CurrentSettings->EnabledMask = 0;
    Probe probe;
    ProbedEffect probed(EffectStatic, probe);
    CurrentEffect = EffectStatic; // left from an earlier run
    StartRenderThread(saver.Window());
    Sleep(300);
    EXPECT_EQ(CurrentEffect, -1);
    EXPECT_EQ(GetFrameInterval(), 5000);
    EXPECT_TRUE(RenderThreadRunning());
    StopRenderThread();
    EXPECT_TRUE(probe.Ops().empty());
}

TEST(RenderThread, ARestartAvoidsThePreviousEffect) {
    SaverFixture saver(SmallLogo(), 200, 150);
    CurrentSettings->EnabledMask = EffectStatic | EffectMany;
    Probe a, b;
    ProbedEffect one(EffectStatic, a);
    int32_t previous = -1;
    for (int run = 0; run < 6; ++run) {
        StartRenderThread(saver.Window());
        Sleep(60);
        StopRenderThread();
        ASSERT_NE(CurrentEffect, previous) << run;
        previous = CurrentEffect;
    }
}

TEST(CallEffect, CleanUpStopsTheThreadInsteadOfCallingTheEffect) {
    SaverFixture saver(SmallLogo(), 200, 150);
    CurrentSettings->EnabledMask = EffectStatic;
    Probe probe;
    ProbedEffect probed(EffectStatic, probe);
    StartRenderThread(saver.Window());
    Sleep(100);
    CallEffect(saver.Window(), nullptr, OpCleanUp);
    EXPECT_FALSE(RenderThreadRunning());
    // Op 4 came once, from the render thread with its own context.
    ASSERT_EQ(probe.Count(OpCleanUp), 1);
    EXPECT_TRUE(probe.Calls.back().HasDc);
    EXPECT_NE(probe.Calls.back().Thread, GetCurrentThreadId());
}

TEST(WaitStop, NegativeWaitsAreZeroAndAStopIsSeenOnce) {
    SaverFixture saver(SmallLogo(), 200, 150);
    CurrentSettings->EnabledMask = 0;
    StartRenderThread(saver.Window());
    StopRenderThread(); // leaves the event made and unsignalled
    StopFlag = 0;
    const DWORD before = GetTickCount();
    EXPECT_EQ(WaitStop(-100), 0);
    EXPECT_EQ(WaitStop(30), 0);
    EXPECT_LT(GetTickCount() - before, 200u);
}

} // namespace
