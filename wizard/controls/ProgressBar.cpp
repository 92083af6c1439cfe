#include "wizard/controls/ProgressBar.h"

#include "core/CreatorMath.h"
#include "core/Random.h"
#include "wizard/frame/Errors.h"

#include <commctrl.h>

#include <cstdlib>

ProgressBar::~ProgressBar() {
    Destroy();
}

void ProgressBar::Resize(int width, int height) {
    if (CtlWnd)
        MoveWindow(CtlWnd, 0, 0, width, height, TRUE);
}

void ProgressBar::OnDestroy() {
    CtlWnd = nullptr; // destroyed with its parent
}

void ProgressBar::Create() {
    Destroy();
    const HWND host = hWnd();
    RECT r{};
    if (host)
        GetClientRect(host, &r);
    CtlWnd = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 0, 0, r.right,
                             r.bottom, host, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void ProgressBar::Destroy() {
    if (CtlWnd && IsWindow(CtlWnd))
        DestroyWindow(CtlWnd);
    CtlWnd = nullptr;
}

LRESULT ProgressBar::Message(UINT message, WPARAM wParam, LPARAM lParam) {
    return CtlWnd ? SendMessageW(CtlWnd, message, wParam, lParam) : 0;
}

void ProgressBar::SetPos(int position) {
    Message(PBM_SETPOS, static_cast<WPARAM>(position), 0);
    if (Delay > 0) {
        Sleep(static_cast<DWORD>(Delay));
    } else if (Delay < 0) {
        const double r = Rand() / (RandMax + 1.0);
        Sleep(static_cast<DWORD>(RoundHalfEven(r * std::abs(static_cast<double>(Delay)))));
    }
    DoEvents();
}

void ProgressBar::SetRange(int minimum, int maximum) {
    Message(PBM_SETRANGE32, static_cast<WPARAM>(minimum), static_cast<LPARAM>(maximum));
}

void ProgressBar::SetState(int State) {
    Message(PBM_SETSTATE, static_cast<WPARAM>(State), 0);
}

void ProgressBar::Begin(int max, int pos, int delay) {
    Delay = delay;
    Create();
    SetRange(0, max);
    SetPos(pos);
    if (Extender())
        Extender()->SetVisible(true);
}

void ProgressBar::End() {
    Destroy();
    if (Extender())
        Extender()->SetVisible(false);
}
