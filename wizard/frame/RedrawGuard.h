// Stops a visible window from drawing for the guard's life, then repaints it
// whole, its frame, background and children with it. Guards nest: only the
// outermost one turns drawing back on. A hidden window is left alone, as
// turning drawing on again would show it.
#pragma once

#include <windows.h>

class RedrawGuard {
  public:
    explicit RedrawGuard(HWND window);
    RedrawGuard(const RedrawGuard&) = delete;
    RedrawGuard& operator=(const RedrawGuard&) = delete;
    ~RedrawGuard();

  private:
    HWND window_ = nullptr; // nullptr: nothing to undo
};
