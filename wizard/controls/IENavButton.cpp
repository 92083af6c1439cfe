#include "wizard/controls/IENavButton.h"

#include "common/Handles.h"
#include "core/CreatorError.h"
#include "wizard/frame/Aero.h"
#include "wizard/frame/Program.h"

#include <uxtheme.h>
#include <vssym32.h>

bool (*TravelSourceAllowed)(int) = nullptr;

namespace {

void CheckIndex(int index) {
    if (index != 0 && index != 1)
        Raise(ErrSubscript);
}

// The bitmap of a look: both halves side by side.
const wchar_t* BitmapOf(int source, int look) {
    static const wchar_t* const frame[4] = {L"TRAVEL_ENABLED_XP.BMP", L"TRAVEL_HOT_XP.BMP",
                                            L"TRAVEL_PRESSED_XP.BMP", L"TRAVEL_DISABLED_XP.BMP"};
    static const wchar_t* const ours[4] = {L"QVTRAVEL_NORMAL", L"QVTRAVEL_HOT", L"QVTRAVEL_PRESSED",
                                           L"QVTRAVEL_DISABLED"};
    switch (source) {
    case 1:
        return frame[look];
    case 2:
        return look == 1 ? L"#204" : L"#205";
    default:
        return ours[look];
    }
}

} // namespace

IENavButton::~IENavButton() {
    if (buffered_)
        BufferedPaintUnInit();
}

void IENavButton::OnCreate() {
    const HWND host = hWnd();
    // No keys, no tab stop.
    SetWindowLongPtrW(host, GWL_STYLE,
                      GetWindowLongPtrW(host, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_TABSTOP));
    if (!buffered_ && OsLevel >= 3) {
        buffered_ = true;
        BufferedPaintInit();
    }
    RebuildImages();
}

void IENavButton::OnDestroy() {
    for (auto& pic : pics_)
        pic.reset();
}

int IENavButton::State(int index) const {
    CheckIndex(index);
    return pointer_.State[index];
}

void IENavButton::SetState(int index, int value) {
    CheckIndex(index);
    if (pointer_.State[index] == value)
        return;
    pointer_.State[index] = value;
    Update(-1);
}

bool IENavButton::Enabled(int index) const {
    CheckIndex(index);
    return enabled_[index];
}

void IENavButton::SetEnabled(int index, bool enabled) {
    CheckIndex(index);
    if (enabled_[index] == enabled)
        return;
    enabled_[index] = enabled;
    Update(-1);
}

int IENavButton::LookOf(int index) const {
    return TravelLook(enabled_[index], pointer_.State[index]);
}

void IENavButton::RebuildImages() {
    builtOnGlass_ = WizardGlass;
    source_ = -1;
    for (int source = 0; source < 4 && source_ < 0; ++source)
        if ((!TravelSourceAllowed || TravelSourceAllowed(source)) && LoadImages(source))
            source_ = source;
    if (source_ < 0) {
        // Nothing to show: the pictures are the background.
        ImgSize = 0;
        for (auto& pic : pics_)
            pic.reset();
    }
    if (hWnd())
        InvalidateRect(hWnd(), nullptr, FALSE);
    if (const auto handler = AdjustSize)
        handler();
}

bool IENavButton::LoadImages(int source) {
    const HWND host = hWnd();
    ImgSize = source == 0 ? 28 : 25;
    // Under glass the pictures are prepared on black.
    const COLORREF back = WizardGlass ? RGB(0, 0, 0) : Extender()->Parent().BackColorOf(Extender());
    UniqueTheme theme;
    UniqueModule library;
    void* handle = nullptr;
    if (source == 0) {
        theme.reset(OpenThemeDataSafe(host, L"NAVIGATION"));
        handle = theme.get();
    } else if (source == 1 || source == 2) {
        library.reset(LoadLibraryExW(source == 1 ? L"ieframe.dll" : L"shell32.dll", nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE));
        handle = library.get();
    } else {
        handle = GetModuleHandleW(nullptr);
    }
    if (!handle)
        return false;
    for (int look = 0; look < 4; ++look)
        if (!LoadLook(source, handle, look, back))
            return false;
    return true;
}

bool IENavButton::LoadLook(int source, void* handle, int look, COLORREF back) {
    WindowDC screen(nullptr);
    MemoryBitmap& pic = pics_[look];
    // Room for the theme's 31-pixel buttons, which overlap by 3.
    if (!pic.Create(screen.get(), 2 * ImgSize + 3, ImgSize + 3))
        return false;
    const RECT all{0, 0, 2 * ImgSize + 3, ImgSize + 3};
    SetBkColor(pic.Dc(), back);
    ExtTextOutW(pic.Dc(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    if (source == 0) {
        const auto theme = static_cast<HTHEME>(handle);
        for (int half = 0; half < 2; ++half) {
            const RECT r{half * ImgSize, 0, half * ImgSize + ImgSize + 3, ImgSize + 3};
            if (FAILED(DrawThemeBackground(theme, pic.Dc(), half + 1, look + 1, &r, nullptr)))
                return false;
        }
        return true;
    }
    const UINT flags = source == 3 ? LR_CREATEDIBSECTION : LR_DEFAULTCOLOR;
    UniqueBitmap bitmap(
        static_cast<HBITMAP>(LoadImageW(static_cast<HMODULE>(handle), BitmapOf(source, look),
                                        IMAGE_BITMAP, 0, source == 3 ? 0 : ImgSize, flags)));
    UniqueDC memory(CreateCompatibleDC(pic.Dc()));
    if (!bitmap || !memory)
        return false;
    SelectGuard selected(memory.get(), bitmap.get());
    const bool shell = source == 2;
    const int d = shell && look == 2 ? 1 : 0;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(shell && look == 3 ? 128 : 255),
                              AC_SRC_ALPHA};
    return AlphaBlend(pic.Dc(), d, d, 2 * ImgSize, ImgSize, memory.get(), 0, 0, 2 * ImgSize,
                      ImgSize, blend) != FALSE;
}

void IENavButton::DrawHalf(HDC dc, int index, int look) {
    if (look < 0)
        look = LookOf(index);
    const int x = index * ImgSize;
    if (pics_[look]) {
        BitBlt(dc, x, 0, ImgSize, ImgSize + 1, pics_[look].Dc(), x, 0, SRCCOPY);
    }
}

void IENavButton::Paint(HDC dc, const RECT& client) {
    // The host turns glass on after the control was made: the pictures
    // made on its background would stand as squares on the glass.
    if (builtOnGlass_ != WizardGlass)
        RebuildImages();
    // A frame of a running animation, when there is one; a repaint itself
    // animates nothing.
    if (animationStarted_ && WindowFromDC(dc) == hWnd() && BufferedPaintRenderAnimation(hWnd(), dc))
        return;
    const COLORREF back = WizardGlass ? RGB(0, 0, 0) : Extender()->Parent().BackColorOf(Extender());
    SetBkColor(dc, back);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    DrawHalf(dc, 0, -1);
    DrawHalf(dc, 1, -1);
}

void IENavButton::DrawNow(int index, int look) {
    if (!hWnd())
        return;
    WindowDC dc(hWnd());
    DrawHalf(dc.get(), index, look);
}

void IENavButton::Update(int index) {
    if (index < 0) {
        Update(0);
        Update(1);
        return;
    }
    const int look = LookOf(index);
    if (index == 0 && drawnOnce_)
        AnimateHalf(0, lastLook_[0], look);
    else
        DrawNow(index, look);
    drawnOnce_ = true;
    lastLook_[index] = look;
}

void IENavButton::AnimateHalf(int index, int oldLook, int newLook) {
    if (!buffered_ || !hWnd()) {
        DrawNow(index, newLook);
        return;
    }
    BP_ANIMATIONPARAMS params{};
    params.cbSize = sizeof params;
    params.style = BPAS_LINEAR;
    params.dwDuration = static_cast<DWORD>(TravelAnimationMs(oldLook, newLook));
    RECT client{};
    GetClientRect(hWnd(), &client);
    WindowDC dc(hWnd());
    HDC from = nullptr, to = nullptr;
    const HANIMATIONBUFFER animation = BeginBufferedAnimation(
        hWnd(), dc.get(), &client, BPBF_COMPATIBLEBITMAP, nullptr, &params, &from, &to);
    if (!animation) {
        // No animation here (Wine has none): the new look at once.
        DrawNow(index, newLook);
        return;
    }
    animationStarted_ = true;
    if (from)
        DrawHalf(from, index, oldLook);
    if (to)
        DrawHalf(to, index, newLook);
    EndBufferedAnimation(animation, TRUE);
}

void IENavButton::PointerCursor(int x, int y) {
    if (!TravelInside(x, y, ImgSize))
        return;
    const bool enabled = enabled_[TravelHalfAt(x, ImgSize)];
    SetCursor(LoadCursorW(nullptr, enabled ? IDC_HAND : IDC_ARROW));
}

bool IENavButton::SetCursorFor(int) {
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(hWnd(), &p);
    if (!TravelInside(p.x, p.y, ImgSize))
        return false;
    PointerCursor(p.x, p.y);
    return true;
}

void IENavButton::Apply(const TravelPointer& before, TravelCapture capture) {
    if (capture == TravelCapture::Take)
        SetCapture(hWnd());
    else if (capture == TravelCapture::Release && GetCapture() == hWnd())
        ReleaseCapture();
    for (int half = 0; half < 2; ++half)
        if (pointer_.State[half] != before.State[half])
            Update(half);
}

void IENavButton::MouseMove(int, int, int x, int y) {
    PointerCursor(x, y);
    const TravelPointer before = pointer_;
    Apply(before, pointer_.Move(x, y, ImgSize));
}

void IENavButton::MouseDown(int button, int, int x, int y) {
    if (button != 1)
        return;
    const TravelPointer before = pointer_;
    Apply(before, pointer_.LeftDown(x, y, ImgSize));
}

void IENavButton::MouseUp(int button, int, int x, int y) {
    const TravelPointer before = pointer_;
    int clicked = -1;
    Apply(before, pointer_.Up(button, x, y, ImgSize, enabled_, clicked));
    if (clicked >= 0)
        if (const auto handler = Click)
            handler(clicked);
}

std::optional<LRESULT> IENavButton::OtherMessage(UINT message, WPARAM wParam, LPARAM) {
    // Shown at run time, on a window already on screen (not as its form
    // loads): the background may have changed since the pictures were made.
    if (message == WM_SHOWWINDOW && wParam && IsWindowVisible(GetAncestor(hWnd(), GA_ROOT)))
        RebuildImages();
    return std::nullopt;
}
