// The settings property sheet and its pages, shared by the screensaver and
// the library. The library's sheet differs in a few places; it passes a
// SheetVariant with its hooks instead of copying the page code.
#pragma once

#include "core/SaverRecord.h"
#include "core/SettingsPages.h"
#include "saver/FileIo.h"

#include <windows.h>

// Set whenever a page writes its controls back (OK or "&Preview"); never
// cleared: the sheet runs once per configure command, and the library keeps
// it for its lifetime.
extern int SettingsChanged;

struct SheetVariant {
    // The library's pages hide "&Enabled" too (effects are chosen in the
    // creator's lists), so that box no longer greys the page out.
    bool HideEnabledBox = false;
    // A page made without a page record is the screensaver's stand-alone
    // About dialog; the library has none and ends such a page at once.
    bool StandaloneAbout = true;
    // Called before the Preview window opens for the page `pageId`.
    void (*OnPreview)(int32_t pageId) = nullptr;
    // Called after a page wrote its controls into *CurrentSettings.
    void (*OnWriteBack)(HWND page, int32_t pageId) = nullptr;
};

// Runs `sheet` modally with `variant`'s hooks; 0 pages show nothing.
void RunSettingsSheet(HWND owner, const SheetLayout& sheet, const SheetVariant& variant);

// The screensaver's sheet: then, when anything was written back, the
// settings are normalised and saved to the per-user registry value.
int ShowSettingsSheet(HWND owner, int32_t startMask);

INT_PTR CALLBACK SettingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
void UpdatePageControls(HWND page, int32_t pageId);
