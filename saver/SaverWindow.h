// The saver window: its procedure for the full-screen saver, the preview
// pane and the settings Preview window.
#pragma once

#include "saver/SaverState.h"

#include <windows.h>

// Fields of Shared (SaverState.h says which thread writes each).
extern HDC& SaverWindowDC;             // the saver window's DC (WindowDC), taken at creation
extern int& SettingsPreview;           // 1 in the settings Preview window
extern int& InputGuard;                // 1 in the first 500 ms of a settings Preview
extern HWND& SettingsPage;             // the page (or window) that opened the Preview
extern bool& InPreviewPane;            // the saver runs as a child of the preview pane
extern SaverSettings& ScratchSettings; // settings shown by the Preview window
extern SaverSettings*& SavedSettings;  // CurrentSettings to put back afterwards
extern int& SaverExitCode;             // exit code posted when the saver window goes

constexpr UINT_PTR ChangeTimer = 7;
constexpr UINT_PTR GuardTimer = 8;
// Posted by the render thread: make the content host window.
constexpr UINT WM_ENSURECONTENT = WM_APP + 1;
// Posted by the render thread: the logo is missing, end with exit code 1.
constexpr UINT WM_SAVERFAILED = WM_APP + 2;

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Opens the full-screen settings Preview window owned by `page`, showing
// *CurrentSettings (the caller has pointed it at ScratchSettings).
HWND OpenPreviewWindow(HWND page);

// Outside the preview pane: hides the cursor (display count below 0) or
// shows it (count 0 or more).
void ShowSaverCursor(bool hide);

// Registers the window classes the dialogs need; TRUE.
BOOL WINAPI RegisterSaverControls(HINSTANCE instance);

// The platform screen-saver layer's default procedure (SaverEntry.cpp).
LRESULT DefaultSaverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
