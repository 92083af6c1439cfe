// What the pieces beneath the saver window (the render engine, the logo and
// its content host, the effects) know of it: its handle, the running
// effect, the requests they post to it and the cursor. SaverWindow.cpp
// answers the requests; nothing here calls up into it.
#pragma once

#include "saver/SaverState.h"

#include <windows.h>

#include <atomic>
#include <cstdint>

// Fields of Shared (SaverState.h says which thread writes each).
extern std::atomic<int32_t>& CurrentEffect; // EffectMask of the running effect, -1 for none
extern std::atomic<HWND>& SaverWindow;      // the window the effects draw on
extern bool& InPreviewPane;                 // the saver runs as a child of the preview pane
extern int& SaverExitCode;                  // exit code posted when the saver window goes

// Posted by the render thread: make the content host window.
constexpr UINT WM_ENSURECONTENT = WM_APP + 1;
// Posted by the render thread: the logo is missing, end with exit code 1.
constexpr UINT WM_SAVERFAILED = WM_APP + 2;

// Outside the preview pane: hides the cursor (display count below 0) or
// shows it (count 0 or more).
void ShowSaverCursor(bool hide);
