#include "wizard/frame/Aero.h"

#include "core/CreatorMath.h"
#include "core/CreatorText.h"
#include "core/ErrorSteps.h"
#include "core/GlassText.h"
#include "common/Handles.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/Program.h"

#include <cstddef>

bool WizardGlass = false;

ThemeCalls Theme = {OpenThemeData, CloseThemeData, DrawThemeBackground};

HBITMAP CreateDib32(HDC dc, int width, int height, BITMAPINFO& info) {
    info = BITMAPINFO{};
    BITMAPINFOHEADER& h = info.bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = -height; // top-down rows
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
    WindowDC screen;
    if (!dc) {
        screen = WindowDC(nullptr);
        dc = screen.get();
        if (!dc)
            return nullptr;
    }
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
}

HTHEME OpenThemeDataSafe(HWND window, const wchar_t* classList) {
    if (OsLevel < 2)
        return nullptr;
    return Theme.Open(window, classList);
}

void DrawGlassText(Control* label, int part, const RECT* rect, std::wstring text, HDC dc,
                   DWORD extraFlags, int glowSize) {
    if (!WizardGlass)
        return;
    HWND window = nullptr;
    WindowDC containerDc;
    HWND container = nullptr;
    if (!label) {
        window = WindowFromDC(dc);
    } else {
        if (text.empty())
            text = label->Caption();
        if (label->Visible()) // hidden once: hiding again would ask for a paint
            label->SetVisible(false);
        container = label->Container ? label->Container->hWnd() : label->Parent().hWnd();
        if (!dc) {
            containerDc = WindowDC(container);
            dc = containerDc.get();
        }
        window = container;
    }
    const UniqueTheme owned(OpenThemeDataSafe(window, L"TEXTSTYLE"));
    const HTHEME theme = owned.get();
    DTTOPTS options{};
    options.dwSize = offsetof(DTTOPTS, pfnDrawTextCallback); // up to the glow size: 56
    options.dwFlags = DTT_GLOWSIZE | DTT_COMPOSITED;
    options.iGlowSize = glowSize;
    RECT r{};
    if (rect)
        r = *rect;
    else if (label)
        r = label->PixelRect();
    const GlassRect measured = GlassTextRect({r.left, r.top, r.right, r.bottom});
    r = RECT{measured.left, measured.top, measured.right, measured.bottom};
    const DWORD format =
        GlassTextFormat(label != nullptr, label && label->WordWrap(), text, extraFlags);
    UniqueDC memory(CreateCompatibleDC(dc));
    // From here on a failing step is skipped.
    IgnoreErrors([&] {
        const std::wstring padded = PadGlassText(text);
        DrawThemeTextEx(theme, memory.get(), part, 0, padded.c_str(), -1, format | DT_CALCRECT, &r,
                        &options);
        // The bitmap covers the measured rectangle and the 3-pixel margin
        // copied out below; its origin is moved so the text lands inside.
        const int margin = 8;
        BITMAPINFO info{};
        UniqueBitmap dib(CreateDib32(memory.get(), r.right - r.left + 2 * margin,
                                     r.bottom - r.top + 2 * margin, info));
        if (!dib)
            return;
        SelectGuard selected(memory.get(), dib.get());
        SetViewportOrgEx(memory.get(), margin - r.left, margin - r.top, nullptr);
        FillRect(memory.get(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        DrawThemeTextEx(theme, memory.get(), part, 0, padded.c_str(), -1, format, &r, &options);
        InflateRect(&r, 3, 3);
        BitBlt(dc, r.left, r.top, r.right - r.left + 5, r.bottom - r.top + 5, memory.get(), r.left,
               r.top, SRCCOPY);
    });
    if (container)
        UpdateWindow(container);
}
