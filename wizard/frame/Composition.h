// The desktop composition calls of the glass frame, looked up by name in
// dwmapi.dll: the creator starts on systems without it. Tests put a
// stand-in in the library's place.
#pragma once

#include <windows.h>

struct CompositionMargins {
    int cxLeftWidth, cxRightWidth, cyTopHeight, cyBottomHeight;
};

struct CompositionApi {
    HRESULT(WINAPI* IsCompositionEnabled)(BOOL* enabled) = nullptr;
    HRESULT(WINAPI* ExtendFrameIntoClientArea)
    (HWND window, const CompositionMargins* margins) = nullptr;
    BOOL(WINAPI* DefWindowProc)
    (HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) = nullptr;
};

// The calls in use: dwmapi's, loaded on first need; where the library or a
// function is missing, that member stays nullptr.
const CompositionApi& Composition();
// Tests: replaces the calls (nullptr: back to dwmapi's).
void SetCompositionApi(const CompositionApi* standIn);

// DwmIsCompositionEnabled; false where it is missing or fails.
bool CompositionEnabled();
// DwmExtendFrameIntoClientArea; raises the failure.
void ExtendFrameIntoClientArea(HWND window, const CompositionMargins& margins);
// DwmDefWindowProc; false (nothing handled) where it is missing.
bool CompositionDefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT& result);
