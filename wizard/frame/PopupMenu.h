// Pop-up menus of forms: items from a table, shown with TrackPopupMenu
// (TPM_RETURNCMD) and the chosen item's handler run after the menu closed.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

struct MenuItemDecl {
    const wchar_t* Name = L"";
    const wchar_t* Caption = L""; // "-": a separator
    std::function<void()> Click;
};

// What a pop-up menu shows, for the function that tracks it.
struct PopupMenuShown {
    HWND Owner = nullptr;
    POINT Screen{};
    std::vector<std::wstring> Captions; // "-" for separators
};

// Shows the items at a screen point, owned by `owner`; runs the chosen
// item's Click once the menu has closed. Returns the chosen item's name, ""
// when the menu was dismissed.
std::wstring PopupMenu(HWND owner, POINT screen, std::span<const MenuItemDecl> items);

// The call that tracks the menu and returns the chosen command (0: none);
// tests replace it to pick an entry without a real menu.
extern UINT (*TrackPopup)(HMENU menu, const PopupMenuShown& shown);
