#include "wizard/frame/SubClass.h"

#include "core/CreatorError.h"

#include <vector>

namespace {

// Grows by one record per newly hooked window and never shrinks.
std::vector<SubClassRecord>& Table() {
    static std::vector<SubClassRecord> table;
    return table;
}

void Release(int32_t index, bool windowAlive) {
    SubClassRecord& record = Table()[static_cast<size_t>(index)];
    if (windowAlive && record.OldProc)
        SetWindowLongPtrW(record.hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record.OldProc));
    SubClasser* obj = record.Obj;
    if (obj && obj->hWnd == record.hWnd) {
        obj->hWnd = nullptr;
        obj->Active = false;
    }
    record.hWnd = nullptr;
    record.Obj = nullptr;
}

} // namespace

SubClasser::SubClasser() {
    Table();
}

SubClasser::~SubClasser() {
    Active = false;
    UnSubClass();
    std::vector<SubClassRecord>& table = Table();
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].Obj == this)
            Release(static_cast<int32_t>(i), IsWindow(table[i].hWnd) != FALSE);
}

bool SubClasser::SubClass(HWND window, bool DontChangeProc) {
    if (FindSubClass(window) >= 0)
        return false;
    SubClassRecord record;
    if (!DontChangeProc)
        record.OldProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubClassWndProc)));
    record.hWnd = window;
    record.Obj = this;
    Table().push_back(record);
    hWnd = window;
    Active = true;
    return true;
}

void SubClasser::UnSubClass() {
    if (!hWnd)
        return;
    const int32_t index = FindSubClass(hWnd);
    if (index >= 0)
        Release(index, true);
}

void SubClasser::WndProc(HWND& window, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                         LRESULT& ReturnValue) {
    if (GotMessage)
        GotMessage(window, message, wParam, lParam, Proceed, ReturnValue);
}

int32_t SubClassCount() {
    return static_cast<int32_t>(Table().size());
}

const SubClassRecord& SubClassAt(int32_t index) {
    if (index < 0 || index >= SubClassCount())
        Raise(ErrSubscript);
    return Table()[static_cast<size_t>(index)];
}

int32_t FindSubClass(HWND window) {
    const std::vector<SubClassRecord>& table = Table();
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].hWnd == window)
            return static_cast<int32_t>(i);
    return -1;
}

LRESULT CallOldWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int32_t index) {
    if (index < 0) {
        index = FindSubClass(window);
        if (index < 0)
            return 0;
    }
    const WNDPROC old = SubClassAt(index).OldProc;
    if (!old)
        return DefWindowProcW(window, message, wParam, lParam);
    return CallWindowProcW(old, window, message, wParam, lParam);
}

LRESULT CALLBACK DefWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK SubClassWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hooked = window;
    const UINT original = message;
    int32_t index = FindSubClass(window);
    if (index < 0)
        return DefWindowProcW(window, message, wParam, lParam);
    // The table may grow or the object go while the handler runs: read the
    // record again afterwards rather than keep a reference into it.
    const WNDPROC old = Table()[static_cast<size_t>(index)].OldProc;
    LRESULT result = 0;
    if (SubClasser* obj = Table()[static_cast<size_t>(index)].Obj; obj && obj->Active) {
        bool proceed = true;
        LRESULT returnValue = 0;
        obj->WndProc(window, message, wParam, lParam, proceed, returnValue);
        result = returnValue;
        if (!proceed)
            return result;
    }
    if (old)
        result = CallWindowProcW(old, window, message, wParam, lParam);
    // A destroyed window's record is dropped, so a later window that gets
    // the same handle can be hooked again.
    if (original == WM_NCDESTROY) {
        index = FindSubClass(hooked);
        if (index >= 0)
            Release(index, false);
    }
    return result;
}
