#include "saver/LinkControl.h"

#include "core/LinkStyle.h"
#include "common/Handles.h"

#include <shellapi.h>

COLORREF LinkColor = 0x00FF0000;
COLORREF LinkHoverColor = 0x000000FF;
int UnderlineMode = -1;
int LinkHover = 0;

namespace {

// The font the link shows; replaced (and the old one deleted) on each change.
UniqueFont LinkFont;

std::optional<std::string> ReadText(HKEY key, const char* name) {
    char text[65] = {};
    DWORD size = 64;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text, size < 64 ? size : 64);
}

UniqueKey OpenUserKey(const char* path) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return {};
    return UniqueKey(raw);
}

void ReadUnderlineMode() {
    std::optional<std::string> text;
    if (UniqueKey key = OpenUserKey("Software\\Microsoft\\Internet Explorer\\Main"))
        text = ReadText(key.get(), "Anchor Underline");
    UnderlineMode =
        ParseUnderlineMode(text ? std::optional<std::string_view>(*text) : std::nullopt);
}

void ShellOpen(HWND, const std::string& target) {
    ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace

void (*OpenLinkTarget)(HWND, const std::string&) = ShellOpen;

COLORREF ReadAnchorColor(HKEY key, const char* name, COLORREF fallback) {
    const std::optional<std::string> text = ReadText(key, name);
    return text ? ParseAnchorColor(*text) : fallback;
}

void SetLinkFont(HWND link, bool hover) {
    if (UnderlineMode < 0)
        ReadUnderlineMode();
    LOGFONTA font{};
    auto current = reinterpret_cast<HFONT>(SendMessageA(link, WM_GETFONT, 0, 0));
    if (!current || !GetObjectA(current, sizeof font, &font))
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfUnderline =
        UnderlineMode == UnderlineAlways || (hover && UnderlineMode == UnderlineHover);
    UniqueFont next(CreateFontIndirectA(&font));
    if (next) {
        SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(next.get()), TRUE);
        LinkFont = std::move(next); // the link no longer uses the old one
    }
    SendMessageA(GetParent(link), WM_USER + 10, hover, 0);
}

bool IsOverLinkText(HWND link, const LPARAM* point) {
    POINT at;
    if (point) {
        at.x = static_cast<short>(LOWORD(*point));
        at.y = static_cast<short>(HIWORD(*point));
    } else {
        GetCursorPos(&at);
        ScreenToClient(link, &at);
    }
    char text[129] = {};
    GetWindowTextA(link, text, sizeof text);
    WindowDC dc(link);
    if (!dc)
        return false;
    auto font = reinterpret_cast<HFONT>(SendMessageA(link, WM_GETFONT, 0, 0));
    RECT bounds{0, 0, 0, 0};
    {
        SelectGuard select(dc.get(),
                           font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
        DrawTextA(dc.get(), text, -1, &bounds, DT_CALCRECT);
    }
    return PtInRect(&bounds, at) != FALSE;
}

void SetUpLink(HWND link) {
    SetLinkFont(link, false);
    SetWindowLongPtrA(link, GWL_STYLE, GetWindowLongPtrA(link, GWL_STYLE) | SS_NOTIFY);
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(link, GWLP_WNDPROC)) != LinkWndProc) {
        const LONG_PTR previous =
            SetWindowLongPtrA(link, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkWndProc));
        SetWindowLongPtrA(link, GWLP_USERDATA, previous);
    }
    if (UniqueKey key = OpenUserKey("Software\\Microsoft\\Internet Explorer\\Settings")) {
        LinkColor = ReadAnchorColor(key.get(), "Anchor Color", LinkColor);
        if (const auto use = ReadText(key.get(), "Use Anchor Hover Color"))
            LinkHoverColor = IsYes(*use)
                                 ? ReadAnchorColor(key.get(), "Anchor Color Hover", LinkHoverColor)
                                 : LinkColor;
    }
}

LRESULT CALLBACK LinkWndProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        if (IsOverLinkText(link, nullptr)) {
            SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649))); // IDC_HAND
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE: {
        const bool over = IsOverLinkText(link, &lParam);
        const bool captured = GetCapture() == link;
        if (!(captured && over)) {
            if (over) {
                SetLinkFont(link, true);
                SetCapture(link);
            } else {
                if (captured)
                    ReleaseCapture();
                SetLinkFont(link, false);
            }
            InvalidateRect(link, nullptr, FALSE);
        }
        break;
    }
    case WM_LBUTTONUP: {
        char text[129] = {};
        GetWindowTextA(link, text, sizeof text);
        OpenLinkTarget(link, LinkTarget(text));
        break;
    }
    default:
        break;
    }
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(link, GWLP_USERDATA));
    const LRESULT result = previous ? CallWindowProcA(previous, link, message, wParam, lParam)
                                    : DefWindowProcA(link, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        LinkFont.reset(); // the link is gone; so is the font made for it
    return result;
}
