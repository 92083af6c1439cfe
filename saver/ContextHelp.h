// Context help of the settings pages: a one-sentence text pop-up through the
// HTML Help control.
#pragma once

#include <windows.h>

#include <cstdint>

// The HTML Help control (hhctrl), loaded on first use and kept; nullptr
// when it cannot be loaded.
HMODULE HtmlHelpModule();

// Shows the help of the control that `info` names on the page `pageId`;
// nothing when the control has no text or HTML Help cannot be loaded.
void ShowContextHelp(HWND page, const HELPINFO* info, int32_t pageId);

// Shows `text` at screen point `at`; tests replace it to see what would be
// shown.
extern void (*ShowHelpPopup)(HWND page, const char* text, POINT at);
