#include "wizard/controls/LinkControl.h"

#include "common/Handles.h"
#include "common/MemoryBitmap.h"
#include "core/LinkLook.h"
#include "wizard/frame/Aero.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Registry.h"

#include <uxtheme.h>

namespace {

UniqueKey OpenUserKey(const wchar_t* path) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return {};
    return UniqueKey(raw);
}

} // namespace

void LinkControl::Raise(const std::function<void()>& handler) {
    if (const auto copy = handler) // the handler may replace itself
        copy();
}

void LinkControl::ReadBrowserSettings() {
    if (UniqueKey main = OpenUserKey(L"Software\\Microsoft\\Internet Explorer\\Main")) {
        const LinkUnderlines u = LinkUnderlinesOf(RegGetStr(main.get(), L"Anchor Underline", L"!"),
                                                  {normalUnderline_, hoverUnderline_});
        normalUnderline_ = u.Normal;
        hoverUnderline_ = u.Hover;
    }
    if (UniqueKey settings = OpenUserKey(L"Software\\Microsoft\\Internet Explorer\\Settings")) {
        linkColour_ = LinkColourOf(RegGetStr(settings.get(), L"Anchor Color", L"!"), linkColour_);
        if (LinkHoverColourOn(RegGetStr(settings.get(), L"Use Anchor Hover Color", L"no")))
            hoverColour_ =
                LinkColourOf(RegGetStr(settings.get(), L"Anchor Color Hover", L"!"), linkColour_);
    }
}

void LinkControl::OnCreate() {
    const HWND host = hWnd();
    // No keys, no tab stop.
    SetWindowLongPtrW(host, GWL_STYLE,
                      GetWindowLongPtrW(host, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_TABSTOP));
    ReadBrowserSettings();
    tip_.Init(nullptr, host, 0, 0);
    // The text moves to this tooltip (the record's plain tool goes).
    const std::wstring tipText = Extender()->ToolTipText();
    if (!tipText.empty())
        tip_.AddControl(*Extender(), tipText, 0, nullptr, 0);
    AdjustSize();
}

std::wstring LinkControl::Caption() const {
    return Extender()->Caption();
}

void LinkControl::SetCaption(const std::wstring& text) {
    Extender()->SetCaption(text);
    AdjustSize();
    Redraw();
}

FontDesc LinkControl::Font() const {
    return Extender()->Font();
}

void LinkControl::SetFont(const FontDesc& font) {
    Extender()->SetFont(font); // WM_SETFONT sizes and redraws
}

double LinkControl::FontSize() const {
    return Extender()->Font().Size;
}

void LinkControl::SetFontSize(double points) {
    FontDesc font = Extender()->Font();
    font.Size = points;
    SetFont(font);
}

void LinkControl::SetGlass(bool glass) {
    glass_ = glass;
    AdjustSize();
    Redraw();
}

SharedFont LinkControl::CurrentFont() const {
    FontDesc font = Extender()->Font();
    font.Underline = hover_ ? hoverUnderline_ : normalUnderline_;
    return FontFor(font);
}

void LinkControl::AdjustSize() {
    const HWND host = hWnd();
    if (!host)
        return;
    WindowDC dc(host);
    const SharedFont font = CurrentFont();
    SelectGuard selected(dc.get(), font.get());
    const std::wstring caption = Caption();
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &size);
    if (caption.empty()) { // an empty caption is still one line high
        TEXTMETRICW tm{};
        GetTextMetricsW(dc.get(), &tm);
        size.cy = tm.tmHeight;
    }
    const double margin = glass_ ? 100 : 3;
    Control& record = *Extender();
    record.Move(record.Left(), record.Top(), PixelsToTwipsX(size.cx) + margin,
                PixelsToTwipsY(size.cy) + margin);
}

bool LinkControl::GlowsOnGlass() const {
    if (!glass_ || !WizardGlass)
        return false;
    return static_cast<bool>(UniqueTheme(OpenThemeDataSafe(hWnd(), L"TEXTSTYLE")));
}

void LinkControl::Paint(HDC dc, const RECT& client) {
    const COLORREF back = Extender()->Parent().BackColorOf(Extender());
    const std::wstring caption = Caption();
    if (GlowsOnGlass()) {
        // Glowing text goes onto a bitmap of the control's size first.
        MemoryBitmap glass;
        if (!glass.Create(dc, client.right, client.bottom))
            return;
        SetBkColor(glass.Dc(), back);
        ExtTextOutW(glass.Dc(), 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
        const SharedFont font = CurrentFont();
        SelectGuard selected(glass.Dc(), font.get());
        const RECT r{6, 6, client.right, client.bottom};
        DrawGlassText(nullptr, 6, &r, caption, glass.Dc(), 0, 7);
        BitBlt(dc, 0, 0, client.right, client.bottom, glass.Dc(), 0, 0, SRCCOPY);
        return;
    }
    SetBkColor(dc, back);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    const SharedFont font = CurrentFont();
    SelectGuard selected(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, hover_ ? hoverColour_ : linkColour_);
    TextOutW(dc, 0, 0, caption.c_str(), static_cast<int>(caption.size()));
}

void LinkControl::Redraw() {
    if (hWnd()) {
        InvalidateRect(hWnd(), nullptr, FALSE);
        UpdateWindow(hWnd());
    }
}

void LinkControl::PointerAt(int x, int y) {
    RECT client{};
    GetClientRect(hWnd(), &client);
    if (!hover_) {
        hover_ = true;
        SetCapture(hWnd());
        Redraw();
        Raise(MouseHover);
    } else if (x < 0 || y < 0 || x > client.right || y > client.bottom) {
        hover_ = false; // before the release, whose notice then finds nothing to do
        ReleaseCapture();
        Redraw();
        Raise(MouseOut);
    }
}

void LinkControl::MouseMove(int, int, int x, int y) {
    PointerAt(x, y);
}

void LinkControl::MouseDown(int button, int, int x, int y) {
    RECT client{};
    GetClientRect(hWnd(), &client);
    pressed_ = button == 1 && x >= 0 && y >= 0 && x <= client.right && y <= client.bottom;
}

void LinkControl::MouseUp(int button, int, int x, int y) {
    RECT client{};
    GetClientRect(hWnd(), &client);
    const bool clicked =
        button == 1 && pressed_ && x >= 0 && y >= 0 && x <= client.right && y <= client.bottom;
    if (button == 1)
        pressed_ = false;
    // The pointer rule, not just a cleared flag: a release outside lets the
    // mouse go, so the next click elsewhere opens nothing.
    if (hover_)
        PointerAt(x, y);
    if (clicked) {
        Raise(Click);
        // The shell tells the user itself when a target cannot be opened.
        if (!url_.empty())
            IgnoreErrors([&] { OpenCreatorLink(Extender()->Parent().hWnd(), url_); });
    }
}

void LinkControl::CaptureChanged() {
    // Someone else took the mouse: the pointer's whereabouts are unknown.
    if (hover_ && GetCapture() != hWnd()) {
        hover_ = false;
        Redraw();
        Raise(MouseOut);
    }
}

bool LinkControl::SetCursorFor(int) {
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    if (!hand)
        return false;
    SetCursor(hand);
    return true;
}

std::optional<LRESULT> LinkControl::OtherMessage(UINT message, WPARAM, LPARAM) {
    if (message == WM_SETFONT) {
        AdjustSize();
        Redraw();
        return 0;
    }
    return std::nullopt;
}
