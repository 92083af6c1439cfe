#include "tests/support/CreatorDriver.h"

#include "common/Handles.h"
#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {

struct Found {
    std::wstring Text;
    HWND Window = nullptr;
};

BOOL CALLBACK FindText(HWND w, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    if (f->Text == WindowText(w) && IsWindowVisible(w)) {
        f->Window = w;
        return FALSE;
    }
    return TRUE;
}

struct TopLevel {
    DWORD Process = 0;
    const wchar_t* Class = nullptr;
    HWND Window = nullptr;
};

BOOL CALLBACK FindTopLevel(HWND w, LPARAM lp) {
    auto* t = reinterpret_cast<TopLevel*>(lp);
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    if (process == t->Process && IsWindowVisible(w) && ClassOf(w) == t->Class) {
        t->Window = w;
        return FALSE;
    }
    return TRUE;
}

struct OfClass {
    std::wstring Class;
    std::vector<HWND> Found;
};

BOOL CALLBACK FindClass(HWND w, LPARAM lp) {
    auto* f = reinterpret_cast<OfClass*>(lp);
    if (IsWindowVisible(w) && ClassOf(w) == f->Class)
        f->Found.push_back(w);
    return TRUE;
}

} // namespace

HWND Child(HWND top, const std::wstring& text) {
    Found f{text};
    EnumChildWindows(top, FindText, reinterpret_cast<LPARAM>(&f));
    return f.Window;
}

HWND WaitChild(HWND top, const std::wstring& text, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND w = Child(top, text))
            return w;
        if (GetTickCount() - start > ms)
            return nullptr;
        PumpFor(50);
    }
}

void Pause() {
    PumpFor(GetEnvironmentVariableA("QV_SHOT_PAUSE", nullptr, 0) ? 2500 : 300);
}

void Click(HWND button) {
    if (!button) {
        ADD_FAILURE() << "no button to click";
        return;
    }
    DWORD_PTR r = 0;
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 60000, &r);
    Pause();
}

void ClickLink(HWND link) {
    if (!link) {
        ADD_FAILURE() << "no link to click";
        return;
    }
    DWORD_PTR r = 0;
    SendMessageTimeoutW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), SMTO_NORMAL, 5000,
                        &r);
    SendMessageTimeoutW(link, WM_LBUTTONUP, 0, MAKELPARAM(10, 10), SMTO_NORMAL, 60000, &r);
    Pause();
}

void Type(const std::wstring& text) {
    std::vector<INPUT> keys;
    for (wchar_t c : text)
        for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT in{};
            in.type = INPUT_KEYBOARD;
            in.ki.wScan = c;
            in.ki.dwFlags = KEYEVENTF_UNICODE | up;
            keys.push_back(in);
        }
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    PumpFor(500);
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (WORD k : keys) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        in.push_back(i);
    }
    for (auto k = keys.end(); k != keys.begin();) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *--k;
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
    PumpFor(500);
}

std::wstring WindowText(HWND w) {
    wchar_t text[1024] = {};
    SendMessageTimeoutW(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                        nullptr);
    return text;
}

std::vector<HWND> VisibleChildren(HWND top, const std::wstring& className) {
    OfClass f{className, {}};
    EnumChildWindows(top, FindClass, reinterpret_cast<LPARAM>(&f));
    const auto topOf = [](HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        return r.top;
    };
    std::sort(f.Found.begin(), f.Found.end(), [&](HWND a, HWND b) { return topOf(a) < topOf(b); });
    return f.Found;
}

COLORREF ShownPixel(HWND w, int x, int y, bool redraw) {
    if (redraw)
        RedrawWindow(w, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const WindowDC dc(w);
    return dc ? GetPixel(dc.get(), x, y) : CLR_INVALID;
}

std::wstring ClassOf(HWND w) {
    wchar_t name[128] = {};
    GetClassNameW(w, name, 128);
    return name;
}

HWND Focused(HWND top) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info);
    return info.hwndFocus;
}

HWND WaitTopLevel(DWORD pid, const wchar_t* className, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        TopLevel t{pid, className};
        EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&t));
        if (t.Window || GetTickCount() - start > ms)
            return t.Window;
        PumpFor(50);
    }
}

// A visible balloon tooltip of process `pid` showing `text` (other than
// `except`), waited for.
HWND WaitForBalloon(DWORD pid, const std::wstring& text, DWORD ms, HWND except) {
    const DWORD start = GetTickCount();
    do {
        for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w;
             w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner != pid || w == except || !IsWindowVisible(w) ||
                !(GetWindowLongPtrW(w, GWL_STYLE) & TTS_BALLOON))
                continue;
            wchar_t shown[256] = {}; // read across processes
            SendMessageTimeoutW(w, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(shown),
                                SMTO_ABORTIFHUNG, 1000, nullptr);
            if (text == shown)
                return w;
        }
        PumpFor(50);
    } while (GetTickCount() - start < ms);
    return nullptr;
}
