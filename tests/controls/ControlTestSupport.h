// Shared by the control tests: Windows levels and glass to run at, and
// pixels read back as the control paints them.
#pragma once

#include "common/Handles.h"
#include "tests/wizard/FormTestSupport.h"
#include "wizard/frame/Aero.h"
#include "wizard/frame/Program.h"

#include <cstdint>
#include <string>
#include <vector>

// The Windows levels the tests run at (Wine reports 4), with glass off and on.
struct Setting {
    int Level;
    bool Glass;
    std::string Name() const { return "level " + std::to_string(Level) + (Glass ? ", glass" : ""); }
};
inline std::vector<Setting> Settings() {
    return {{1, false}, {1, true}, {2, false}, {2, true}, {4, false}, {4, true}};
}

// Sets OsLevel and WizardGlass for a scope.
struct AtSetting {
    explicit AtSetting(const Setting& s) : level_(OsLevel), glass_(WizardGlass) {
        OsLevel = s.Level;
        WizardGlass = s.Glass;
    }
    ~AtSetting() {
        OsLevel = level_;
        WizardGlass = glass_;
    }
    AtSetting(const AtSetting&) = delete;
    AtSetting& operator=(const AtSetting&) = delete;

  private:
    int level_;
    bool glass_;
};

// A window's client area as 0x00RRGGBB pixels, row by row.
struct Pixels {
    int Width = 0, Height = 0;
    std::vector<uint32_t> Data;
    uint32_t At(int x, int y) const { return Data[static_cast<size_t>(y) * Width + x]; }
    // Pixels of exactly this COLORREF.
    int Count(COLORREF c) const {
        const uint32_t rgb = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        int n = 0;
        for (uint32_t p : Data)
            n += (p & 0xFFFFFF) == rgb;
        return n;
    }
    bool operator==(const Pixels& o) const { return Data == o.Data; }
};

inline COLORREF AsColour(uint32_t pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// WM_PRINTCLIENT (fromScreen false) or a copy of what the window shows now.
inline Pixels Capture(HWND window, bool fromScreen = false) {
    RECT r{};
    GetClientRect(window, &r);
    Pixels p;
    p.Width = r.right;
    p.Height = r.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = p.Width;
    info.bmiHeader.biHeight = -p.Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueDC dc(CreateCompatibleDC(nullptr));
    {
        SelectGuard selected(dc.get(), dib.get());
        if (fromScreen) {
            WindowDC source(window);
            BitBlt(dc.get(), 0, 0, p.Width, p.Height, source.get(), 0, 0, SRCCOPY);
        } else {
            SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()),
                         PRF_CLIENT | PRF_ERASEBKGND);
        }
    }
    GdiFlush();
    const auto* data = static_cast<const uint32_t*>(bits);
    p.Data.assign(data, data + static_cast<size_t>(p.Width) * p.Height);
    return p;
}

inline std::wstring ClassOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

inline LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}
