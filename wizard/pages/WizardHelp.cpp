#include "wizard/pages/WizardHelp.h"

#include "wizard/frame/Cursor.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/Tip.h"

bool WizardHelpMessage(Form& frm, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                       bool& Proceed, LRESULT& ReturnValue) {
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            DestroyTip(0);
        return true;
    case WM_KILLFOCUS:
        DestroyTip(0);
        return true;
    case WM_SETCURSOR:
        if (Handle_WM_SETCURSOR(frm, reinterpret_cast<HWND>(wParam), lParam, false)) {
            ReturnValue = 1;
            Proceed = false;
        }
        return true;
    case WM_HELP:
        ReturnValue = Handle_WM_HELP(frm, hWnd, wParam, lParam);
        return true;
    case WM_SYSCOMMAND:
        ReturnValue = Handle_WM_SYSCOMMAND(frm, hWnd, wParam, lParam, Proceed);
        return true;
    default:
        return false;
    }
}
