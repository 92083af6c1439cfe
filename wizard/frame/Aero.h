// modAero: 32-bit drawing surfaces, visual styles only where Windows has
// them, and glowing text on the glass frame.
#pragma once

#include "common/Handles.h"

#include <windows.h>
#include <uxtheme.h>

#include <string>

class Control;

// The platform's theme calls behind OpenThemeDataSafe, UniqueTheme and the
// Help button's arrow; tests stand in for a platform with visual styles.
struct ThemeCalls {
    HTHEME(WINAPI* Open)(HWND, LPCWSTR);
    HRESULT(WINAPI* Close)(HTHEME);
    HRESULT(WINAPI* DrawBackground)(HTHEME, HDC, int, int, LPCRECT, LPCRECT);
};
extern ThemeCalls Theme;

// Owns theme data (OpenThemeDataSafe); theme handles exist only in the creator.
struct ThemeTraits {
    using Type = HTHEME;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { Theme.Close(h); }
};
using UniqueTheme = UniqueHandle<ThemeTraits>;

// The wizard window's glass frame is on (set by the wizard's glass handling).
extern bool WizardGlass;

// A 32-bit top-down DIB section of width x height; `info` is filled with its
// header. dc 0 uses the screen's. 0 on failure.
HBITMAP CreateDib32(HDC dc, int width, int height, BITMAPINFO& info);

// OpenThemeData from Windows XP on (OsLevel 2 and above); 0 before, or when
// the platform has no data for the class.
HTHEME OpenThemeDataSafe(HWND window, const wchar_t* classList);

// Draws a caption as glowing text while the glass frame is on; with a label
// the label is hidden and its caption drawn in its place.
void DrawGlassText(Control* label, int part, const RECT* rect, std::wstring text, HDC dc,
                   DWORD extraFlags, int glowSize);
