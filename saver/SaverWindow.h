// The saver window: its procedure for the full-screen saver, the preview
// pane and the settings Preview window. What the engine and the logo beneath
// it know of the window is in SaverWindowShared.h.
#pragma once

#include "saver/SaverState.h"

#include <windows.h>

// Fields of Shared (SaverState.h says which thread writes each).
extern HDC& SaverWindowDC;             // the saver window's DC (WindowDC), taken at creation
extern int& SettingsPreview;           // 1 in the settings Preview window
extern int& InputGuard;                // 1 in the first 500 ms of a settings Preview
extern HWND& SettingsPage;             // the page (or window) that opened the Preview
extern SaverSettings& ScratchSettings; // settings shown by the Preview window
extern SaverSettings*& SavedSettings;  // CurrentSettings to put back afterwards

constexpr UINT_PTR ChangeTimer = 7;
constexpr UINT_PTR GuardTimer = 8;

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Opens the full-screen settings Preview window owned by `page`, showing
// *CurrentSettings (the caller has pointed it at ScratchSettings). None
// while the run of an earlier one still goes on after its stop.
HWND OpenPreviewWindow(HWND page);

// Registers the window classes the dialogs need; TRUE.
BOOL WINAPI RegisterSaverControls(HINSTANCE instance);

// The platform screen-saver layer's default procedure (SaverEntry.cpp).
LRESULT DefaultSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
