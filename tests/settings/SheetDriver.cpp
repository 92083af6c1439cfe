#include "SheetDriver.h"

#include <commctrl.h>

namespace {

std::function<void(HWND)> Driver;
bool Closed = false; // the driver pressed OK or Cancel

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && ClassOf(window) == "#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || !Driver)
        return;
    KillTimer(nullptr, timer);
    auto driver = std::move(Driver);
    Driver = nullptr;
    Closed = false;
    driver(dialog);
    if (!Closed && IsWindow(dialog))
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

void DriveModal(const std::function<void()>& modal, const std::function<void(HWND)>& driver) {
    Driver = driver;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, Tick);
    modal();
    KillTimer(nullptr, timer);
    Driver = nullptr;
}

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

HWND SelectPage(HWND sheet, int index) {
    SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return CurrentPage(sheet);
}

int PageCount(HWND sheet) {
    HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    return static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
}

std::string PageTitle(HWND sheet, int index) {
    HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    char text[128] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

void PressOk(HWND sheet) {
    Closed = true;
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    PostMessageA(sheet, WM_NULL, 0, 0); // wakes the sheet's loop to see it ended
}
void PressCancel(HWND sheet) {
    Closed = true;
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    PostMessageA(sheet, WM_NULL, 0, 0);
}

void Click(HWND dialog, int id) {
    if (id == IDOK || id == IDCANCEL || id == 1029)
        Closed = true;
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    // WM_GETTEXT, not GetWindowText: it reads controls of other processes too.
    char text[256] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}
