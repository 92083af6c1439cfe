// The toolbar-button look shared by the command link and the colour palette:
// the theme's "ToolBar" button where the theme has one, else the classic
// flat toolbar button.
#pragma once

#include <windows.h>

// Toolbar button states: 1 normal, 2 hot, 3 pressed, 4 disabled, 5 checked,
// 6 hot and checked.
void DrawToolbarButton(HWND window, HDC dc, const RECT& button, int state);

// Set by tests: the classic look even where a theme is on.
extern bool ClassicToolbarOnly;
