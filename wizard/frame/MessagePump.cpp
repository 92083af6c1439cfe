#include "wizard/frame/MessagePump.h"

#include "wizard/frame/Form.h"

#include <map>
#include <vector>

namespace {

std::vector<const MSG*>& Dispatching() {
    static std::vector<const MSG*> messages;
    return messages;
}

std::map<HWND, int>& Holds() {
    static std::map<HWND, int> holds;
    return holds;
}

bool IsUserInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_LBUTTONDOWN && message <= WM_MOUSELAST) ||
           (message >= WM_NCLBUTTONDOWN && message <= WM_NCXBUTTONDBLCLK);
}

bool InputHeld(const MSG& msg) {
    return !Holds().empty() && msg.hwnd && IsUserInput(msg.message) &&
           Holds().count(GetAncestor(msg.hwnd, GA_ROOT)) > 0;
}

enum class Pumped { Dispatched, Empty, Quit };

Pumped PumpOne(bool wait) {
    MSG msg;
    if (wait) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            return Pumped::Quit;
        }
    } else {
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            return Pumped::Empty;
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return Pumped::Quit;
        }
    }
    struct Noted {
        explicit Noted(const MSG* m) { Dispatching().push_back(m); }
        ~Noted() { Dispatching().pop_back(); }
    } noted(&msg);
    if (InputHeld(msg))
        return Pumped::Dispatched;
    if (PumpFilter && PumpFilter(msg))
        return Pumped::Dispatched;
    if (PreviewFormKey(msg))
        return Pumped::Dispatched;
    if (!FormDialogMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return Pumped::Dispatched;
}

} // namespace

bool (*PumpFilter)(const MSG&) = nullptr;

bool PreviewFormKey(const MSG& msg) {
    if ((msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) || !msg.hwnd)
        return false;
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    for (Form* form : LoadedForms())
        if (form->hWnd() == root)
            return form->PreviewKey(msg);
    return false;
}

bool FormDialogMessage(MSG& msg) {
    if (!msg.hwnd)
        return false;
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    for (Form* form : LoadedForms())
        if (form->hWnd() == root)
            return IsDialogMessageW(root, &msg) != FALSE;
    return false;
}

void DoEvents() {
    while (PumpOne(false) == Pumped::Dispatched) {
    }
}

bool PumpWhile(const std::function<bool()>& keepGoing) {
    while (keepGoing())
        if (PumpOne(true) == Pumped::Quit)
            return false;
    return true;
}

void RunMessageLoop() {
    PumpWhile([] { return !LoadedForms().empty(); });
}

const MSG* DispatchedMessage() {
    return Dispatching().empty() ? nullptr : Dispatching().back();
}

void HoldInput(HWND top) {
    if (top)
        ++Holds()[top];
}

void ReleaseInput(HWND top) {
    const auto held = Holds().find(top);
    if (held != Holds().end() && --held->second <= 0)
        Holds().erase(held);
}
