// The About page's web link: a static control drawn and behaving like a
// browser link, in the colours and underline style of the user's Internet
// Explorer settings.
#pragma once

#include <windows.h>

#include <string>

extern COLORREF LinkColor;      // blue until read
extern COLORREF LinkHoverColor; // red until read
extern int UnderlineMode;       // -1 until read, then a LinkUnderline
extern int LinkHover;           // 1 while the pointer is over the link's text

// A colour text of `key`'s value `name` ("r,g,b", up to 64 bytes), or
// `fallback` when the value is missing.
COLORREF ReadAnchorColor(HKEY key, const char* name, COLORREF fallback);

// Underlines the link's font as the mode and `hover` say and tells the page
// (WM_USER + 10, wParam = hover).
void SetLinkFont(HWND link, bool hover);

// Whether `point` (client coordinates, packed as in a mouse message), or the
// cursor when `point` is null, lies on the link's text.
bool IsOverLinkText(HWND link, const LPARAM* point);

// Turns static control `link` into the link and re-reads the colours.
void SetUpLink(HWND link);

// Opens a link's target; tests replace it to see what would be opened.
extern void (*OpenLinkTarget)(HWND link, const std::string& target);

LRESULT CALLBACK LinkWndProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam);
