// The creator's own tip window: a small bordered pop-up in the tooltip
// colours next to a control or the mouse pointer. modTip owns the one tip of
// the program; clsTip is the object through which callers show and hide it.
// Its pixel sizes are for a 96-DPI screen and scaled like twips.
#pragma once

#include <windows.h>

#include <climits>
#include <cstdint>
#include <string>

// An explicit "place it automatically" for xPos and yPos: negative screen
// coordinates are real ones on a monitor left of or above the primary.
constexpr int TipAuto = INT_MIN;

class clsTip {
  public:
    clsTip() = default;
    clsTip(const clsTip&) = delete;
    clsTip& operator=(const clsTip&) = delete;
    // Destroys the tip (200 ms) when this object showed it; else nothing.
    ~clsTip();

    // Seconds for the next tip shown through this object: 0 is 8, negative
    // none; set back to 0 when that tip is created.
    int32_t TimeOut = 0;
    // The next tip stays when the pointer leaves its area; set back to false
    // when that tip is created.
    bool Persistant = false;

    void HideTip(bool NoFade);
    void ShowTip(HWND hWndParent, HWND hWndCtl, const std::wstring& Text, bool Mouse, bool Fade,
                 int xPos = TipAuto, int yPos = TipAuto);
};

// modTip
void ShowTip_(clsTip& owner, HWND hWndParent, HWND hWndCtl, const std::wstring& Text, bool Mouse,
              bool& Fade, int xPos, int yPos);
void DestroyTip(int milliseconds);
LRESULT CALLBACK TipWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The tip window now, nullptr when none; its area (screen pixels).
HWND TipWindow();
// The text of the tip window now, empty when none is up.
std::wstring TipShownText();
RECT TipArea();
// The tip's class name: AppTitle followed by "_tipwnd".
std::wstring TipClassName();
// AnimateWindow, which tests replace (under Wine it shows or hides at once).
extern BOOL(WINAPI* AnimateTipWindow)(HWND window, DWORD milliseconds, DWORD flags);
