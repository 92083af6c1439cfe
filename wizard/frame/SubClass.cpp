#include "wizard/frame/SubClass.h"

#include "common/Handles.h"
#include "core/CreatorError.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Form.h"

#include <commctrl.h>

#include <utility>
#include <vector>

namespace {

constexpr UINT_PTR LinkId = 0x51564C; // our one link in a window's chain

std::vector<SubClassRecord>& Table() {
    static std::vector<SubClassRecord> table;
    return table;
}

// Drops the record: our link leaves the window's chain (when the window is
// still there), the object lets go of the window.
void Release(int32_t index) {
    auto& table = Table();
    const SubClassRecord record = table[static_cast<size_t>(index)];
    table.erase(table.begin() + index);
    if (record.OldProc && IsWindow(record.hWnd))
        RemoveWindowSubclass(record.hWnd, SubClassWndProc, LinkId);
    if (SubClasser* obj = record.Obj; obj && obj->hWnd == record.hWnd) {
        obj->hWnd = nullptr;
        obj->Active = false;
    }
}

// Where a hook's handler is reported: its form's sc_GotMessage.
std::wstring HookLocation(HWND window) {
    for (const Form* form : LoadedForms())
        if (form->hWnd() == window || form->FindByHwnd(window) || IsChild(form->hWnd(), window))
            return form->Name() + L".sc_GotMessage";
    return L"modSubClass.SubClassWndProc";
}

} // namespace

SubClasser::SubClasser() {
    Table();
}

SubClasser::~SubClasser() {
    Active = false;
    auto& table = Table();
    for (size_t i = table.size(); i-- > 0;)
        if (table[i].Obj == this)
            Release(static_cast<int32_t>(i));
}

bool SubClasser::SubClass(HWND window, bool DontChangeProc) {
    if (!window || FindSubClass(window) >= 0)
        return false;
    SubClassRecord record;
    if (!DontChangeProc) {
        record.OldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
        if (!SetWindowSubclass(window, SubClassWndProc, LinkId, 0))
            return false;
    }
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
        Release(index);
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
    if (!SubClassAt(index).OldProc)
        return DefWindowProcW(window, message, wParam, lParam);
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK DefWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK SubClassWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR /*id*/, DWORD_PTR /*data*/) {
    const HWND hooked = window;
    const UINT original = message;
    bool proceed = true;
    LRESULT result = 0;
    // Read the record now and not after the handler: it may release it.
    const int32_t index = FindSubClass(window);
    if (index >= 0)
        if (SubClasser* obj = Table()[static_cast<size_t>(index)].Obj; obj && obj->Active) {
            LRESULT returnValue = 0;
            AtCallback(
                [&] {
                    obj->WndProc(window, message, wParam, lParam, proceed, returnValue);
                    return LRESULT{0};
                },
                [&] { return HookLocation(hooked); });
            result = returnValue;
        }
    // A destroyed window's record goes even when the handler kept the
    // message, so a later window with the same handle can be hooked.
    if (original == WM_NCDESTROY) {
        if (const int32_t mine = FindSubClass(hooked); mine >= 0)
            Release(mine);
        else
            RemoveWindowSubclass(hooked, SubClassWndProc, LinkId);
    }
    if (!proceed)
        return result;
    return DefSubclassProc(hooked, message, wParam, lParam);
}

SubClasser::GotMessageHandler PaintAfter(std::function<void(HDC)> draw) {
    return [draw = std::move(draw)](HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam,
                                    bool& Proceed, LRESULT& ReturnValue) {
        if (message != WM_PAINT)
            return;
        ReturnValue = CallOldWndProc(hWnd, message, wParam, lParam);
        Proceed = false;
        if (const WindowDC dc(hWnd); dc)
            draw(dc.get());
    };
}
