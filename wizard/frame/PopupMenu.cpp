#include "wizard/frame/PopupMenu.h"

#include "common/Handles.h"
#include "wizard/frame/Errors.h"

namespace {

struct MenuTraits {
    using Type = HMENU;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { DestroyMenu(h); }
};
using UniqueMenu = UniqueHandle<MenuTraits>;

UINT TrackReal(HMENU menu, const PopupMenuShown& shown) {
    // The owner is made foreground first, so a click outside dismisses the menu.
    SetForegroundWindow(shown.Owner);
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON,
                       shown.Screen.x, shown.Screen.y, 0, shown.Owner, nullptr));
    PostMessageW(shown.Owner, WM_NULL, 0, 0);
    return chosen;
}

} // namespace

UINT (*TrackPopup)(HMENU, const PopupMenuShown&) = TrackReal;

std::wstring PopupMenu(HWND owner, POINT screen, std::span<const MenuItemDecl> items) {
    const UniqueMenu menu(CreatePopupMenu());
    if (!menu)
        RaiseLastError();
    PopupMenuShown shown{owner, screen, {}};
    UINT id = 1;
    for (const MenuItemDecl& item : items) {
        const std::wstring caption = item.Caption;
        shown.Captions.push_back(caption);
        const BOOL added = caption == L"-"
                               ? AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr)
                               : AppendMenuW(menu.get(), MF_STRING, id, caption.c_str());
        if (!added)
            RaiseLastError();
        ++id;
    }
    const UINT chosen = TrackPopup(menu.get(), shown);
    if (chosen < 1 || chosen > items.size())
        return L"";
    const MenuItemDecl& item = items[chosen - 1];
    if (item.Click)
        item.Click();
    return item.Name;
}
