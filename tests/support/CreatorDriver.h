// Driving Quorvel.exe from another process as a user does: its windows
// found by their texts, buttons pressed, keys typed.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

// The visible child of `top` with this text; nullptr when none.
HWND Child(HWND top, const std::wstring& text);
// The same, waited for up to `ms` milliseconds.
HWND WaitChild(HWND top, const std::wstring& text, DWORD ms = 10000);
// Screenshots are taken from outside while a test pauses (QV_SHOT_PAUSE set).
void Pause();
// BM_CLICK on a button, then a pause.
void Click(HWND button);
// A command link takes a mouse click, not BM_CLICK: one at (10, 10).
void ClickLink(HWND link);
// Characters typed as keyboard input.
void Type(const std::wstring& text);
// Keys pressed together and let go in reverse order (e.g. VK_MENU, VK_F1).
void PressKeys(std::initializer_list<WORD> keys);
std::wstring WindowText(HWND w);
// The pixel (x, y) of a window's client area as the screen shows it, after
// the window and its children repaint (unless `redraw` is false).
COLORREF ShownPixel(HWND w, int x, int y, bool redraw = true);
// The visible children of `top` of a window class, from the top down.
std::vector<HWND> VisibleChildren(HWND top, const std::wstring& className);
std::wstring ClassOf(HWND w);
// The focused window of `top`'s thread.
HWND Focused(HWND top);
// The visible top-level window of process `pid` with this class; nullptr
// when none shows within `ms` milliseconds.
HWND WaitTopLevel(DWORD pid, const wchar_t* className, DWORD ms);
// A visible balloon tooltip of process `pid` showing `text` (other than
// `except`), waited for up to `ms` milliseconds; nullptr when none shows.
HWND WaitForBalloon(DWORD pid, const std::wstring& text, DWORD ms, HWND except = nullptr);
