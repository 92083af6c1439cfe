#include "wizard/controls/CommandLink.h"

#include "core/CreatorMath.h"
#include "wizard/controls/ToolbarLook.h"
#include "wizard/frame/Helpers.h"
#include "wizard/frame/Program.h"

#include <uxtheme.h>

namespace {

constexpr UINT_PTR LeaveTimer = 1;
constexpr UINT LeaveTimerMs = 200;
constexpr int TextLeft = 8, TitleTop = 8, TitleHeight = 16, DescTop = 32, DescHeight = 13;

// "MS Sans Serif" at a whole number of points, smoothed.
UniqueFont MakeLinkFont(HWND window, double points) {
    WindowDC dc(window);
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(RoundHalfEven(points), GetDeviceCaps(dc.get(), LOGPIXELSY), 72);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(lf.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
    return UniqueFont(CreateFontIndirectW(&lf));
}

} // namespace

CommandLink::~CommandLink() {
    if (buffered_)
        BufferedPaintUnInit();
}

void CommandLink::OnCreate() {
    // A control parent is never a tab stop itself; the link has no children.
    SetWindowLongPtrW(hWnd(), GWL_EXSTYLE,
                      GetWindowLongPtrW(hWnd(), GWL_EXSTYLE) & ~WS_EX_CONTROLPARENT);
    buffered_ = OsLevel >= 3;
    if (buffered_)
        BufferedPaintInit();
    titleFont_ = MakeLinkFont(hWnd(), 9.75);
    descFont_ = MakeLinkFont(hWnd(), 8.25);
    // The caption rides in the row's tooltip text; a "Title|Desc" tip must
    // never show, so the record keeps none.
    const std::wstring caption = Extender()->ToolTipText();
    Extender()->SetToolTipText(L"");
    const LinkCaption parsed = ParseLinkCaption(caption);
    picture_ = parsed.Picture;
    pictureName_ = parsed.PictureName;
    if (parsed.HasTexts)
        SetText(parsed.Title, parsed.Desc);
    SetTimer(hWnd(), LeaveTimer, LeaveTimerMs, nullptr);
}

void CommandLink::OnDestroy() {
    KillTimer(hWnd(), LeaveTimer);
}

void CommandLink::SetAlwaysHot(bool value) {
    alwaysHot_ = value;
    DrawNow();
}

bool CommandLink::Enabled() const {
    return enabled_ && (!hWnd() || IsWindowEnabled(hWnd()));
}

void CommandLink::SetEnabled(bool value) {
    enabled_ = value;
    ChangeState(LinkNormal);
    DrawNow();
}

void CommandLink::SetText(const std::wstring& Title, const std::wstring& Desc) {
    title_ = Title + L"  ";
    desc_ = Desc + L"  ";
    if (hWnd())
        DrawNow();
}

int CommandLink::CurrentState() const {
    return Enabled() ? state_ : LinkDisabled;
}

void CommandLink::ChangeState(int newState) {
    if (newState == state_ && buffered_)
        return;
    const int old = state_;
    state_ = Enabled() ? newState : LinkDisabled;
    AnimateChange(old);
}

void CommandLink::AnimateChange(int oldState) {
    if (!hWnd())
        return;
    if (!buffered_) {
        DrawNow();
        return;
    }
    BP_ANIMATIONPARAMS params{};
    params.cbSize = sizeof params;
    params.style = BPAS_LINEAR;
    params.dwDuration = static_cast<DWORD>(LinkAnimationMs(CurrentState()));
    RECT client{};
    GetClientRect(hWnd(), &client);
    WindowDC dc(hWnd());
    HDC from = nullptr, to = nullptr;
    const HANIMATIONBUFFER animation = BeginBufferedAnimation(
        hWnd(), dc.get(), &client, BPBF_COMPATIBLEBITMAP, nullptr, &params, &from, &to);
    if (!animation) {
        // Without animations (Wine has none) the new look shows at once.
        DrawLink(dc.get(), -1);
        return;
    }
    animationStarted_ = true;
    if (from)
        DrawLink(from, oldState);
    if (to)
        DrawLink(to, -1);
    EndBufferedAnimation(animation, TRUE);
}

void CommandLink::DrawNow() {
    if (!hWnd())
        return;
    WindowDC dc(hWnd());
    DrawLink(dc.get(), -1);
}

void CommandLink::Paint(HDC dc, const RECT& /*client*/) {
    // Inside WM_PAINT a running animation draws its own frame.
    if (buffered_ && animationStarted_ && WindowFromDC(dc) == hWnd() &&
        BufferedPaintRenderAnimation(hWnd(), dc))
        return;
    DrawLink(dc, -1);
}

void CommandLink::DrawLink(HDC dc, int state) {
    if (state < 0)
        state = CurrentState();
    state = DrawnLinkState(state, true, alwaysHot_);
    RECT client{};
    GetClientRect(hWnd(), &client);
    const COLORREF back = Extender()->Parent().BackColorRefOf(Extender()->Container);
    FillRect(dc, &client,
             GetSysColorBrush(back == (SystemColourReference | COLOR_WINDOW) ? COLOR_WINDOW
                                                                             : COLOR_BTNFACE));
    DrawToolbarButton(hWnd(), dc, client, state);
    if (picture_) {
        const bool pressed = state == LinkPressed;
        DrawAlphaBitmap(dc, pictureName_.c_str(), LinkPicturePlace(client.right, pressed),
                        LinkPicturePlace(client.bottom, pressed), 16, 16, Enabled() ? 255 : 128);
    }
    const int width = client.right - 2 * TextLeft;
    const bool hotText = state == LinkHot || state == LinkPressed;
    struct Line {
        const std::wstring& Text;
        HFONT Font;
        int Top, Height;
        COLORREF Colour;
    };
    const Line lines[] = {
        {title_, titleFont_.get(), TitleTop, TitleHeight, GetSysColor(COLOR_HOTLIGHT)},
        {desc_, descFont_.get(), DescTop, DescHeight,
         GetSysColor(hotText ? COLOR_HOTLIGHT : COLOR_BTNTEXT)},
    };
    SetBkMode(dc, TRANSPARENT);
    SetTextCharacterExtra(dc, 0);
    for (const Line& line : lines) {
        if (line.Text.empty())
            continue;
        SelectGuard font(dc, line.Font);
        SetTextColor(dc, line.Colour);
        RECT r{TextLeft, line.Top, TextLeft + width, line.Top + line.Height + 20};
        DrawTextW(dc, line.Text.c_str(), static_cast<int>(line.Text.size()), &r, DT_WORDBREAK);
    }
    if (GetFocus() == hWnd()) {
        RECT focus = client;
        InflateRect(&focus, -3, -3);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawFocusRect(dc, &focus);
    }
}

bool CommandLink::Inside(int x, int y) const {
    RECT client{};
    GetClientRect(hWnd(), &client);
    return InsideLink(x, y, client.right, client.bottom);
}

void CommandLink::MoveRule(int x, int y) {
    KillTimer(hWnd(), LeaveTimer);
    if (!Inside(x, y)) {
        ChangeState(LinkNormal);
        if (GetCapture() == hWnd())
            ReleaseCapture();
        return;
    }
    SetTimer(hWnd(), LeaveTimer, LeaveTimerMs, nullptr);
    if (CurrentState() == LinkNormal) {
        ChangeState(LinkHot);
        SetCapture(hWnd());
    }
}

void CommandLink::MouseMove(int /*buttons*/, int /*shift*/, int x, int y) {
    MoveRule(x, y);
}

void CommandLink::MouseDown(int button, int /*shift*/, int x, int y) {
    if (button != 1)
        return;
    ChangeState(LinkPressed);
    MoveRule(x, y);
}

void CommandLink::MouseUp(int /*button*/, int /*shift*/, int x, int y) {
    ButtonUp(x, y);
}

void CommandLink::ButtonUp(int x, int y) {
    if (!Enabled()) {
        ChangeState(LinkNormal);
        MoveRule(x, y);
        return;
    }
    MoveRule(x, y);
    if (CurrentState() == LinkPressed)
        RaiseClick();
    if (!hWnd())
        return; // the click closed the form
    if (!Inside(x, y)) {
        ChangeState(LinkNormal);
    } else {
        ChangeState(LinkHot);
        SetCapture(hWnd());
    }
}

void CommandLink::RaiseClick() {
    if (Click) {
        const auto handler = Click; // the handler may replace itself
        handler();
    }
}

UINT CommandLink::DlgCode(WPARAM /*key*/, const MSG* message) {
    // Enter is the link's own; Tab and the arrows stay the form's.
    if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN)
        return DLGC_WANTCHARS | DLGC_WANTMESSAGE;
    return DLGC_WANTCHARS;
}

bool CommandLink::KeyDown(int key, int /*shift*/) {
    if (key != VK_SPACE)
        return false;
    spaceDown_ = true;
    MouseDown(1, 0, 0, 0);
    return true;
}

bool CommandLink::KeyUp(int key, int /*shift*/) {
    if (key != VK_SPACE || !spaceDown_)
        return false;
    spaceDown_ = false;
    ButtonUp(0, 0);
    return true;
}

bool CommandLink::KeyPress(wchar_t character) {
    if (character == L'\r') {
        // A disabled link raises nothing, whichever key.
        if (Enabled())
            RaiseClick();
        return true;
    }
    return character == L' ';
}

void CommandLink::FocusChanged(bool /*focused*/) {
    DrawNow();
}

void CommandLink::TimerTick(UINT_PTR id) {
    if (id != LeaveTimer)
        return;
    if (GetCapture() == hWnd()) {
        KillTimer(hWnd(), LeaveTimer);
        return;
    }
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(hWnd(), &p);
    if (!Inside(p.x, p.y)) {
        ChangeState(LinkNormal);
        KillTimer(hWnd(), LeaveTimer);
    }
}

bool CommandLink::SetCursorFor(int /*hitTest*/) {
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

void CommandLink::EnabledChanged(bool /*enabled*/) {
    ChangeState(LinkNormal);
    DrawNow();
}
