// The preview's host of Flash and web-page logos: a window of the ActiveX
// host class "AtlAxWin" that opens its window text, and the note drawn in
// its place where nothing here can play that content.
#pragma once

#include "wizard/frame/WindowHandle.h"

#include <windows.h>

#include <string>

// Whether this computer can show content of `dynType` ("HTML": the
// browser's document can be made; "Flash": that and the Flash control's
// ProgID resolve). The platform is asked once per run and type; tests put
// their own answer in its place.
extern bool (*ContentHostAvailable)(const std::wstring& dynType);
bool PlatformContentHostAvailable(const std::wstring& dynType);

// A visible "AtlAxWin" child of `parent` at `box` (its client pixels) that
// opens `text`; empty when it could not be made.
UniqueWindow CreateContentHost(HWND parent, const std::wstring& text, const RECT& box);

// In place of the host: `box` framed in grey, the centred note that
// content of `dynType` cannot be previewed here, in `font` and a colour
// that shows on `background`.
void DrawContentNote(HDC dc, const RECT& box, const std::wstring& dynType, COLORREF background,
                     HFONT font);
// The note's text for `dynType`.
std::wstring ContentNoteText(const std::wstring& dynType);
