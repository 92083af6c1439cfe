// A form holding the controls under test, and pixel helpers.
#pragma once

#include "wizard/controls/ColorDrop.h"
#include "wizard/controls/CommandLink.h"
#include "tests/wizard/FormTestSupport.h"
#include "wizard/frame/Form.h"

#include <windows.h>

#include <vector>

struct frmPickers : Form {
    frmPickers();
    CommandLink& cmdTest;
    CommandLink& cmdExit;
    CommandLink& cmdBrowse;
    CommandLink& cmdPlain;
    ColorDrop& clrBackground;
    int OkClicks = 0, CancelClicks = 0;
};

// The client area of a window as drawn by WM_PRINTCLIENT, 0x00BBGGRR pixels.
class Printed {
  public:
    explicit Printed(HWND window);
    COLORREF At(int x, int y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    int width_ = 0, height_ = 0;
    std::vector<COLORREF> pixels_;
};

// Colours equal within `tolerance` per channel.
bool Near(COLORREF a, COLORREF b, int tolerance);

// Real mouse input at a point of the screen, `foreground` brought forward first.
void ClickAt(POINT screen, HWND foreground);
POINT ScreenPoint(HWND window, int x, int y);
// Pumps until `done` holds, for at most `ms` milliseconds; its last answer.
template <typename Done> bool PumpUntil(Done done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < ms)
        PumpEvents(10);
    return done();
}
