// The render thread: picks an enabled effect, prepares the logo and calls
// the effect's draw function once per frame interval until the stop event
// is signalled (an effect stepping faster than the display: once per
// display frame, with the steps due by then).
#pragma once

#include "core/EffectInfo.h"
#include "saver/SaverState.h"
#include "saver/SaverWindowShared.h"

#include <windows.h>

#include <cstdint>

// Fields of Shared that both threads touch.
extern std::atomic<int>& StopFlag; // 1 once a wait saw the stop event

// How long a stop waits for the render thread: every pause of a frame waits
// on the stop (WaitStop), so a thread that takes longer is stuck.
constexpr DWORD StopTimeout = 1000;

// Stops any render thread and starts a new one drawing on `window`; none
// when the old one could not be stopped.
void StartRenderThread(HWND window);

// Signals the stop event and waits up to StopTimeout for the render thread
// to end; the thread runs its effect's clean-up itself. True when no render
// thread is left. A thread still running then may be drawing with anything
// of the run, so nothing is freed: Hooks.RenderThreadStuck ends the process.
// False (everything left as it is) only when that hook returns, or when
// called on the render thread itself (the signal ends the run).
bool StopRenderThread();

bool RenderThreadRunning();

// 1 when the stop event is signalled within `ms` (negative: 0), setting
// StopFlag; 0 on time-out. Effects make every pause inside a frame with it.
int WaitStop(int ms);

// Hands an operation to the current effect (or the content host): op 2
// becomes 3, op 4 stops the render thread instead.
void CallEffect(HWND window, HDC dc, EffectOp op);

// Takes `steps` steps of the current effect and draws the last on `dc`:
// op 6 for each step before it (when its row takes op 6), then op 3.
void ShowSteps(HDC dc, int32_t steps);

// Milliseconds between frames of the current effect.
int32_t GetFrameInterval();

// Run on the render thread when a run begins: seeds its random generator,
// loads the logo, picks the effect, prepares the logo and sends op 1.
// False when the logo is missing and the program is ending.
bool StartEffect(HWND window, HDC dc);

// The window was painted over: the background and op 5 are drawn on the
// render thread between two frames (see RenderEngine.cpp), or at once on
// `dc` when no render thread runs.
void RepaintEffect(HWND window, HDC dc);
