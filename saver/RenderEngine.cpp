#include "saver/RenderEngine.h"

#include "core/EffectChoice.h"
#include "core/Random.h"
#include "core/Saturate.h"
#include "core/StepClock.h"
#include "saver/EffectTable.h"
#include "common/Handles.h"
#include "saver/LogoImage.h"
#include "saver/SaverHooks.h"
#include "saver/SaverState.h"
#include "saver/SaverWindowShared.h"

// Repaints and frames never overlap. A repaint (op 5) is asked for on the
// window thread, but drawn on the render thread: WM_PAINT only signals
// RepaintEvent, and the render thread answers it in its waits between
// frames (with the background fill that goes before op 5). Effects keep
// their state without locks, and a frame that pauses inside itself (a fade,
// a slide) never blocks the window thread, which must stay free to see the
// input that ends the saver. A repaint asked for during such a frame is
// drawn as soon as the frame ends. For the same reason the window erases
// its background through this path while a run is active.
//
// Stopping: every pause of a frame waits on the stop event, so a run ends
// within a frame's drawing time of the stop. The thread runs its effect's
// clean-up itself, after its last frame; nothing else ever does, so the
// clean-up never overlaps a frame. A thread that has not ended after
// StopTimeout is stuck inside a frame and may still use the logo, the DCs
// and the effect's state: freeing any of them would pull them from under
// it, so the process ends instead.

SaverHooks Hooks{LoadSaverLogo, ChooseRandomEffect, EndStuckProcess};

namespace {

// The render thread waits like a thread with a message queue (but wakes for
// no message): Wine puts a window's drawing on the screen only when a
// thread of the process waits that way, and the window thread may sleep in
// GetMessage for minutes. Elsewhere this is a plain wait.
DWORD WaitEvents(DWORD count, const HANDLE* events, DWORD ms) {
    return MsgWaitForMultipleObjects(count, events, FALSE, ms, 0);
}

// Made and replaced by the window thread only while no render thread runs;
// the render thread only waits on them.
UniqueKernel StopEvent;    // auto-reset; its one waiter is the render thread
UniqueKernel RepaintEvent; // auto-reset; set by RepaintEffect
UniqueKernel RenderThread;
std::atomic<DWORD> RenderThreadId{0};

// Performance-counter ticks per millisecond; 0 when there is no counter.
double PerfTicksPerMs() {
    LARGE_INTEGER frequency{};
    if (!QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0)
        return 0;
    return static_cast<double>(frequency.QuadPart) / 1000.0;
}

LONGLONG PerfNow() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

void Repaint(HWND window, HDC dc) {
    if (!ContentMode())
        FillRect(dc, &ScreenRect, BackgroundBrush);
    CallEffect(window, dc, OpRepaint);
}

// Waits `ms` for the stop event on the render thread, drawing the repaints
// asked for meanwhile. 1 when stopped (StopFlag set).
int WaitFrame(HWND window, HDC dc, int ms) {
    if (StopFlag)
        return 1;
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms < 0 ? 0 : ms);
    const HANDLE events[2] = {StopEvent.get(), RepaintEvent.get()};
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD left = now >= end ? 0 : static_cast<DWORD>(end - now);
        const DWORD result = WaitEvents(2, events, left);
        if (result == WAIT_OBJECT_0) {
            StopFlag = 1;
            return 1;
        }
        if (result != WAIT_OBJECT_0 + 1)
            return 0;
        Repaint(window, dc);
        if (StopFlag)
            return 1;
    }
}

// Effects whose steps come faster than the display's frames: the steps run
// on a clock of their own and a frame is drawn once per display frame with
// the steps due by then (see core/StepClock.h).
void RunSteps(HWND window, HDC dc, int interval, double frameMs, double ticksPerMs) {
    StepClock clock(StepMs(interval), frameMs, static_cast<double>(PerfNow()) / ticksPerMs);
    while (!WaitFrame(window, dc, clock.WaitMs(static_cast<double>(PerfNow()) / ticksPerMs)))
        ShowSteps(dc, clock.Take(static_cast<double>(PerfNow()) / ticksPerMs));
}

DWORD WINAPI RenderThreadProc(void* parameter) {
    const auto window = static_cast<HWND>(parameter);
    WindowDC dc(window); // the thread's own, not the one the window paints with
    if (!StartEffect(window, dc.get()))
        return 1;
    FillRect(dc.get(), &ScreenRect, BackgroundBrush);

    const EffectEntry* entry = CurrentEntry();
    const double ticksPerMs = PerfTicksPerMs();
    const bool paced = entry && entry->Paced == 1 && ticksPerMs > 0;
    const int interval = GetFrameInterval();
    int wait = interval;
    const double frameMs = DisplayFrameMs(GetDeviceCaps(dc.get(), VREFRESH));
    const bool stepped = entry && entry->Steps && !ContentMode() && ticksPerMs > 0 &&
                         StepsOutrunFrames(interval, frameMs);

    if (!WaitFrame(window, dc.get(), 500)) {
        StopFlag = 0;
        FillRect(dc.get(), &ScreenRect, BackgroundBrush);
        CallEffect(window, dc.get(), OpFirstFrame);
        if (stepped) {
            RunSteps(window, dc.get(), interval, frameMs, ticksPerMs);
        } else {
            while (!WaitFrame(window, dc.get(), wait)) {
                if (!paced) {
                    CallEffect(window, dc.get(), OpFrame);
                    continue;
                }
                const LONGLONG frameStart = PerfNow();
                CallEffect(window, dc.get(), OpFrame);
                // The interval comes from the record: any int32_t.
                const double spent = static_cast<double>(PerfNow() - frameStart) / ticksPerMs;
                wait = SaturateToInt32(static_cast<int64_t>(interval) - TruncateToInt32(spent));
            }
        }
    }
    if (const EffectEntry* current = CurrentEntry())
        current->Draw(dc.get(), OpCleanUp);
    return 0;
}

} // namespace

int ChooseRandomEffect() {
    return PickEffectRow(CurrentSettings->EnabledMask, CurrentEffect);
}

void EndStuckProcess() {
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(SaverExitCode));
}

void StartRenderThread(HWND window) {
    if (!StopRenderThread())
        return;
    if (!StopEvent)
        StopEvent.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    else
        ResetEvent(StopEvent.get());
    if (!RepaintEvent)
        RepaintEvent.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    else
        ResetEvent(RepaintEvent.get());
    StopFlag = 0;
    // Made suspended so that its id is known before it can ask for it.
    DWORD id = 0;
    RenderThread.reset(CreateThread(nullptr, 0, RenderThreadProc, window, CREATE_SUSPENDED, &id));
    RenderThreadId = id;
    if (RenderThread)
        ResumeThread(RenderThread.get());
}

bool StopRenderThread() {
    if (StopEvent)
        SetEvent(StopEvent.get());
    if (!RenderThread)
        return true;
    if (GetCurrentThreadId() == RenderThreadId)
        return false; // a run cannot wait for itself; the signal ends it
    if (WaitForSingleObject(RenderThread.get(), StopTimeout) != WAIT_OBJECT_0) {
        Hooks.RenderThreadStuck();
        return false;
    }
    RenderThread.reset();
    RenderThreadId = 0;
    return true;
}

bool RenderThreadRunning() {
    return RenderThread && WaitForSingleObject(RenderThread.get(), 0) == WAIT_TIMEOUT;
}

int WaitStop(int ms) {
    if (StopFlag)
        return 1;
    if (!StopEvent)
        return 0;
    const HANDLE stop = StopEvent.get();
    if (WaitEvents(1, &stop, static_cast<DWORD>(ms < 0 ? 0 : ms)) == WAIT_OBJECT_0) {
        StopFlag = 1;
        return 1;
    }
    return 0;
}

void CallEffect(HWND window, HDC dc, EffectOp op) {
    SaverWindow = window;
    if (CurrentEffect != -1 && FindEffect(CurrentEffect) < 0)
        return;
    if (op == OpFirstFrame)
        op = OpFrame;
    if (op == OpCleanUp) {
        StopRenderThread();
        return;
    }
    if (ContentMode()) {
        DrawContent(dc, op);
        return;
    }
    if (const EffectEntry* entry = CurrentEntry())
        entry->Draw(dc, op);
}

void ShowSteps(HDC dc, int32_t steps) {
    const EffectEntry* entry = CurrentEntry();
    if (!entry || steps <= 0)
        return;
    for (int32_t i = 1; i < steps && entry->Steps; ++i)
        entry->Draw(dc, OpStep);
    CallEffect(SaverWindow, dc, OpFrame);
}

int32_t GetFrameInterval() {
    return FrameInterval(*CurrentSettings, CurrentEffect, ContentMode());
}

bool StartEffect(HWND window, HDC dc) {
    SeedRand(GetTickCount() + static_cast<uint32_t>(CurrentEffect));
    SaverWindow = window;
    GetClientRect(window, &ScreenRect);
    LowColour = GetDeviceCaps(DisplayDC, BITSPIXEL) < 32 ? 1 : 0;
    if (!LoadLogo())
        return false;

    int row = -1;
    if (CurrentSettings->EnabledMask > 0)
        row = Hooks.ChooseEffect ? Hooks.ChooseEffect() : ChooseRandomEffect();
    if (row >= 0 && row < EffectCount) {
        const EffectEntry& entry = EffectTable[row];
        CurrentEffect = entry.Mask;
        SetClassLongPtrA(window, GCLP_HBRBACKGROUND,
                         reinterpret_cast<LONG_PTR>(entry.Spare ? GetStockObject(BLACK_BRUSH)
                                                                : BackgroundBrush));
        PrepareLogo();
    } else {
        CurrentEffect = -1;
    }
    if (ContentMode())
        PublishContentHost();
    ShowSaverCursor(true);
    CallEffect(window, dc, OpInitialise);
    return true;
}

void RepaintEffect(HWND, HDC dc) {
    if (RenderThreadRunning()) {
        SetEvent(RepaintEvent.get());
        return;
    }
    // No run: no effect holds state worth redrawing.
    if (!ContentMode())
        FillRect(dc, &ScreenRect, BackgroundBrush);
}
