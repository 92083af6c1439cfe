#include "saver/SaverEntry.h"

#include "core/SaverCommandLine.h"
#include "core/SaverInput.h"
#include "saver/ConfigureDialog.h"
#include "saver/SaverWindow.h"
#include "saver/SaverWindowShared.h"

#include <imm.h>

namespace {

constexpr char SaverClass[] = "WindowsScreenSaverClass";
constexpr char SaverTitle[] = "Screen Saver";
constexpr int DialogConfigure = 2003;

CursorPoint StartCursor{};
BYTE StartAcLine = 255; // AC line state when the saver started
bool Closing = false;

CursorPoint CursorNow() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

void RequestClose(HWND window) {
    if (Closing)
        return;
    Closing = true;
    PostMessageA(window, WM_CLOSE, 0, 0);
}

bool AcLineChanged() {
    SYSTEM_POWER_STATUS status{};
    return GetSystemPowerStatus(&status) && status.ACLineStatus != StartAcLine;
}

// The layer's own procedure in front of SaverWindowProc.
LRESULT CALLBACK ScreenSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        StartCursor = CursorNow();
        SYSTEM_POWER_STATUS status{};
        if (GetSystemPowerStatus(&status))
            StartAcLine = status.ACLineStatus;
        ImmAssociateContext(window, nullptr);
        if (!InPreviewPane)
            SetCursor(nullptr);
        break;
    }
    case WM_SETCURSOR:
        if (!InPreviewPane) {
            SetCursor(nullptr);
            return TRUE;
        }
        break;
    case WM_SYSCOMMAND:
        if (!InPreviewPane) {
            switch (wParam & 0xFFF0) {
            case SC_NEXTWINDOW:
            case SC_PREVWINDOW:
            case SC_SCREENSAVE:
                return FALSE;
            case SC_MONITORPOWER:
                RequestClose(window);
                return FALSE;
            default:
                break;
            }
        }
        break;
    default:
        break;
    }
    return SaverWindowProc(window, message, wParam, lParam);
}

int RunSaverWindow(HINSTANCE instance, HWND parent) {
    InPreviewPane = parent != nullptr;
    if (!parent) {
        // One full-screen saver at a time.
        if (HWND running = FindWindowA(SaverClass, SaverTitle)) {
            SetForegroundWindow(running);
            return 0;
        }
    }
    WNDCLASSA wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_SAVEBITS | CS_DBLCLKS;
    wc.lpfnWndProc = ScreenSaverProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(5));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = SaverClass;
    if (!RegisterClassA(&wc))
        return -1;

    HWND window;
    if (parent) {
        RECT pane{};
        GetClientRect(parent, &pane);
        window = CreateWindowExA(0, SaverClass, "Preview", WS_CHILD | WS_VISIBLE, 0, 0, pane.right,
                                 pane.bottom, parent, nullptr, instance, nullptr);
    } else {
        // Over every monitor, also those left of or above the primary one.
        window = CreateWindowExA(
            WS_EX_TOPMOST, SaverClass, SaverTitle, WS_POPUP | WS_VISIBLE,
            GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr,
            nullptr, instance, nullptr);
    }
    if (!window)
        return -1;
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

int RunConfigure(HINSTANCE instance, HWND owner) {
    if (!RegisterSaverControls(instance))
        return 0;
    return static_cast<int>(DialogBoxParamA(instance, MAKEINTRESOURCEA(DialogConfigure), owner,
                                            ConfigureDialogProc, 0));
}

} // namespace

LRESULT DefaultSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (InPreviewPane || !IsWindow(window))
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_CLOSE:
        // (The Windows 9x password check before closing is not offered.)
        DestroyWindow(window);
        return 0;
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case WM_ACTIVATEAPP:
        if (!wParam)
            RequestClose(window);
        break;
    case WM_POWER:
        RequestClose(window);
        break;
    case WM_POWERBROADCAST:
        if (wParam != PBT_APMPOWERSTATUSCHANGE || AcLineChanged())
            RequestClose(window);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
        RequestClose(window);
        return 0;
    case WM_MOUSEMOVE:
        if (BeyondCloseDistance(StartCursor, CursorNow()))
            RequestClose(window);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int RunScreenSaver(HINSTANCE instance, const char* commandLine) {
    const SaverCommandLine line = ParseSaverCommandLine(commandLine);
    const auto handle = reinterpret_cast<HWND>(static_cast<uintptr_t>(line.Window));
    switch (line.Command) {
    case SaverCommand::None:
        return RunConfigure(instance, nullptr);
    case SaverCommand::Configure:
        return RunConfigure(instance,
                            line.HasWindow && IsWindow(handle) ? handle : GetForegroundWindow());
    case SaverCommand::Saver:
        return RunSaverWindow(instance, nullptr);
    case SaverCommand::Preview:
        if (!line.HasWindow || !IsWindow(handle))
            return -1;
        return RunSaverWindow(instance, handle);
    case SaverCommand::Password:
        return 0; // no screen-saver password on this platform
    default:
        return -1;
    }
}
