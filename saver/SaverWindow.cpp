#include "saver/SaverWindow.h"

#include "core/SaverInput.h"
#include "saver/EffectTable.h"
#include "saver/FileIo.h"
#include "saver/LogoImage.h"
#include "saver/RenderEngine.h"
#include "saver/SaverInfo.h"
#include "saver/SaverState.h"
#include "saver/SaverWindowShared.h"

#include <commctrl.h>

namespace {

UniqueDC Display;
WindowDC OwnedWindowDC; // SaverWindowDC's owner
UniqueBrush Background;
CursorPoint LastMouse = NoMouse;

constexpr char PreviewClass[] = "WindowsScreenSaverClassPreview";

CursorPoint CursorNow() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

LRESULT OnCreate(HWND window) {
    SaverWindow = window;
    LastMouse = NoMouse;
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    OwnedWindowDC = WindowDC(window);
    SaverWindowDC = OwnedWindowDC.get();
    Display.reset(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    DisplayDC = Display.get();
    if (!SettingsPreview && LoadSaverInfo() != 0)
        return 1; // the posted quit request ends the program
    CurrentEffect = -1;
    Background.reset(CreateSolidBrush(CurrentTrailer.BackgroundColor));
    BackgroundBrush = Background.get();
    SetClassLongPtrA(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(BackgroundBrush));
    StartRenderThread(window);
    InputGuard = 0;
    if (SettingsPreview) {
        InputGuard = 1;
        SetTimer(window, GuardTimer, 500, nullptr);
        SetForegroundWindow(window);
    } else if (CurrentSettings->ChangeMode) {
        // A minutes value typed outside 1..60 is kept in the settings; the
        // timer is held to that range so that 0 does not restart the effect
        // every few milliseconds.
        int minutes = CurrentSettings->ChangeMinutes;
        minutes = minutes < 1 ? 1 : minutes > 60 ? 60 : minutes;
        SetTimer(window, ChangeTimer, static_cast<UINT>(minutes) * 60000u, nullptr);
    }
    return 0;
}

// Frees what a run draws with; only once the render thread has ended.
void ReleaseRunResources(HWND window) {
    ReleaseLogo();
    ContentWindow = nullptr;
    OwnedWindowDC.reset();
    SaverWindowDC = nullptr;
    Display.reset();
    DisplayDC = nullptr;
    // The class must not keep a brush that is about to be deleted.
    SetClassLongPtrA(window, GCLP_HBRBACKGROUND,
                     reinterpret_cast<LONG_PTR>(GetStockObject(BLACK_BRUSH)));
    Background.reset();
    BackgroundBrush = nullptr;
}

void OnDestroy(HWND window) {
    // A render thread that could not be stopped may still draw with what a
    // run uses, which then stays as it is.
    const bool stopped = StopRenderThread();
    if (stopped)
        ReleaseRunResources(window);
    ShowSaverCursor(false);
    if (SettingsPreview) {
        SettingsPreview = 0;
        InputGuard = 0;
        SendMessageA(SettingsPage, WM_PARENTNOTIFY, WM_DESTROY, reinterpret_cast<LPARAM>(window));
    } else {
        if (stopped) {
            LogoBlock.clear();
            LogoBlock.shrink_to_fit();
        }
        PostQuitMessage(SaverExitCode);
    }
}

// A key, a click or a large move that is not ignored.
LRESULT OnInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (SettingsPreview) {
        if (InputGuard)
            return 1;
        ShowSaverCursor(false);
        DestroyWindow(window);
    }
    return DefaultSaverProc(window, message, wParam, lParam);
}

void OnTimer(HWND window, UINT_PTR id) {
    if (id == ChangeTimer) {
        if (!StopRenderThread())
            return;
        FillRect(SaverWindowDC, &ScreenRect, BackgroundBrush);
        StartRenderThread(window);
    } else if (id == GuardTimer) {
        InputGuard = 0;
        KillTimer(window, GuardTimer);
    }
}

} // namespace

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window);
    case WM_DESTROY:
        OnDestroy(window);
        return 1;
    case WM_NCDESTROY: // the content host, a child, is gone by now
        RemoveContentTemp();
        return DefaultSaverProc(window, message, wParam, lParam);
    case WM_ACTIVATE:
    case WM_SETFOCUS:
    case WM_ACTIVATEAPP:
        return 1;
    case WM_PAINT: {
        const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        RepaintEffect(window, SaverWindowDC);
        return result;
    }
    case WM_ERASEBKGND: {
        // While a run draws, the background goes with the repaint on the
        // render thread: a fill from this thread could land in the middle
        // of a frame and leave it half wiped.
        if (RenderThreadRunning()) {
            RepaintEffect(window, SaverWindowDC);
            return 1;
        }
        const EffectEntry* entry = CurrentEntry();
        if (!(entry && entry->Spare) && BackgroundBrush) {
            RECT client{};
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, BackgroundBrush);
        }
        return DefaultSaverProc(window, message, wParam, lParam);
    }
    case WM_CLOSE:
        ShowSaverCursor(false);
        return DefaultSaverProc(window, message, wParam, lParam);
    case WM_TIMER:
        OnTimer(window, wParam);
        return 0;
    case WM_ENSURECONTENT:
        if (wParam && GetCapture() != window)
            SetCapture(window);
        if (lParam)
            EnsureContentWindow();
        return 0;
    case WM_SAVERFAILED:
        SaverExitCode = 1;
        DestroyWindow(window);
        return 0;
    case WM_KEYDOWN:
        if (CurrentSettings->IgnoreInput & IgnoreKeys)
            return 1;
        return OnInput(window, message, wParam, lParam);
    case WM_MOUSEMOVE:
        switch (JudgeMouseMove(LastMouse, CursorNow(), CurrentSettings->IgnoreInput)) {
        case MouseVerdict::Recorded:
            return -1;
        case MouseVerdict::Unchanged:
        case MouseVerdict::Swallowed:
            return 1;
        case MouseVerdict::Input:
            break;
        }
        return OnInput(window, message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (CurrentSettings->IgnoreInput & IgnoreClicks)
            return 1;
        return OnInput(window, message, wParam, lParam);
    default:
        return DefaultSaverProc(window, message, wParam, lParam);
    }
}

HWND OpenPreviewWindow(HWND page) {
    // A run of an earlier preview that did not stop still draws with what
    // a new window would replace.
    if (!StopRenderThread())
        return nullptr;
    const HINSTANCE instance = ThisModule();
    RegisterSaverControls(instance);
    SettingsPage = page;

    WNDCLASSA wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS;
    wc.lpfnWndProc = SaverWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(5));
    // No class brush of its own: WM_CREATE gives the class the saver
    // window's brush, and WM_DESTROY puts a stock one back.
    wc.hbrBackground = nullptr;
    wc.lpszClassName = PreviewClass;
    RegisterClassA(&wc); // fails harmlessly when an earlier Preview registered it

    SettingsPreview = 1;
    CurrentEffect = -1;
    NormaliseSettings(*CurrentSettings);
    return CreateWindowExA(WS_EX_TOPMOST, PreviewClass, "", WS_POPUP | WS_VISIBLE,
                           GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                           GetSystemMetrics(SM_CXVIRTUALSCREEN),
                           GetSystemMetrics(SM_CYVIRTUALSCREEN), page, nullptr, instance, nullptr);
}

BOOL WINAPI RegisterSaverControls(HINSTANCE) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&icc);
    InitCommonControls();
    return TRUE;
}
