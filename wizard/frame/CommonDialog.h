// modCommonDialog: the open, save and colour dialogs of the creator.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Open (true) or save dialog. The filter is "Description|*.ext|..." pairs;
// filterIndex is 1-based (0 none). fileName is the initial name and, also
// after a cancel, the dialog's result. True when the user confirmed a file.
bool ShowFileDialog(bool open, DWORD flags, std::wstring& fileName, HWND owner,
                    const std::wstring& title, const std::wstring& initialDir,
                    const std::wstring& filter, int filterIndex, const std::wstring& defaultExt);

// The colour dialog, owned by the active form, with sixteen custom colours
// that are built once and keep the user's changes while the program runs.
bool ShowColorDialog(DWORD flags, COLORREF& colour);

// The custom colours as the colour dialog keeps them (built on first use).
const COLORREF* CustomColours();
