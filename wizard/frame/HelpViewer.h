// The help viewer: the help file's pages in HTML Help.
#pragma once

#include <windows.h>

#include <string>

// Opens the help file's table of contents (HelpFile + "::" + topic); a
// missing help file or viewer is reported ("modHelp.ShowHelpTOC").
void ShowHelpTOC(HWND hWnd, const std::wstring& topic);
// Closes every help viewer ShowHelpTOC opened (HH_CLOSE_ALL), so none
// outlives the program; nothing when help was never opened.
void CloseHelpViewers();

// The help viewer call (HtmlHelpW), which tests replace.
extern HWND(WINAPI* HtmlHelpViewer)(HWND caller, const wchar_t* file, UINT command, DWORD_PTR data);
