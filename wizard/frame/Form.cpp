#include "wizard/frame/Form.h"

#include "core/CreatorError.h"
#include "wizard/frame/Errors.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr wchar_t FormClass[] = L"QuorvelForm";
constexpr wchar_t FrameClass[] = L"QuorvelFrame";
constexpr wchar_t PictureClass[] = L"QuorvelPicture";
constexpr int FirstControlId = 1000;

std::vector<Form*>& FormList() {
    static std::vector<Form*> forms;
    return forms;
}

void WakeMessageLoop() {
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

bool IsContainer(ControlKind kind) {
    return kind == ControlKind::Frame || kind == ControlKind::PictureBox;
}

int screenPointer = 0;

LPCWSTR PointerCursor(int pointer) {
    switch (pointer) {
    case 1:
        return IDC_ARROW;
    case 2:
        return IDC_CROSS;
    case 3:
        return IDC_IBEAM;
    case 5:
        return IDC_SIZEALL;
    case 6:
        return IDC_SIZENESW;
    case 7:
        return IDC_SIZENS;
    case 8:
        return IDC_SIZENWSE;
    case 9:
        return IDC_SIZEWE;
    case 10:
        return IDC_UPARROW;
    case 11:
        return IDC_WAIT;
    case 12:
        return IDC_NO;
    case 13:
        return IDC_APPSTARTING;
    case 14:
        return IDC_HELP;
    case 15:
        return IDC_SIZEALL;
    default:
        return nullptr;
    }
}

// While a program-wide pointer is set, every form shows it.
bool ShowScreenPointer() {
    const LPCWSTR cursor = PointerCursor(screenPointer);
    if (!cursor)
        return false;
    SetCursor(LoadCursorW(nullptr, cursor));
    return true;
}

} // namespace

int ScreenMousePointer() {
    return screenPointer;
}

void SetScreenMousePointer(int pointer) {
    screenPointer = pointer;
    POINT p;
    GetCursorPos(&p);
    // Ask the window under the pointer to set its cursor now, not at the next move.
    if (const HWND under = WindowFromPoint(p))
        if (GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId()) {
            const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
            SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                         MAKELPARAM(hit, WM_MOUSEMOVE));
        }
}

LRESULT CALLBACK FormWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ContainerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

namespace {

void RegisterClasses() {
    static bool done = false;
    if (done)
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpfnWndProc = FormWndProc;
    wc.lpszClassName = FormClass;
    if (!RegisterClassExW(&wc))
        RaiseLastError();
    wc.lpfnWndProc = ContainerWndProc;
    wc.lpszClassName = FrameClass;
    if (!RegisterClassExW(&wc))
        RaiseLastError();
    wc.lpszClassName = PictureClass;
    if (!RegisterClassExW(&wc))
        RaiseLastError();
    done = true;
}

int ScreenCaps(int index) {
    WindowDC screen(nullptr);
    const int value = screen ? GetDeviceCaps(screen.get(), index) : 0;
    return value > 0 ? value : 96;
}

} // namespace

int ScreenDpiX() {
    static const int dpi = ScreenCaps(LOGPIXELSX);
    return dpi;
}
int ScreenDpiY() {
    static const int dpi = ScreenCaps(LOGPIXELSY);
    return dpi;
}
int TwipsToPixelsX(double twips) {
    return static_cast<int>(std::lround(twips * ScreenDpiX() / 1440.0));
}
int TwipsToPixelsY(double twips) {
    return static_cast<int>(std::lround(twips * ScreenDpiY() / 1440.0));
}
double PixelsToTwipsX(int pixels) {
    return pixels * 1440.0 / ScreenDpiX();
}
double PixelsToTwipsY(int pixels) {
    return pixels * 1440.0 / ScreenDpiY();
}

// ---- CustomControl --------------------------------------------------------

CustomControl::~CustomControl() {
    if (extender_ && extender_->Object == this)
        extender_->Object = nullptr;
}

void CustomControl::Attach(Control& extender) {
    extender_ = &extender;
    extender.Object = this;
    OnAttach();
}

// ---- Control --------------------------------------------------------------

Control::Control(Form& form, const ControlDecl& decl)
    : Name(decl.Name), Index(decl.Index), Kind(decl.Kind), form_(form), decl_(decl) {
    Reset();
}

void Control::Reset() {
    Tag = decl_.Tag;
    ToolTipText = decl_.ToolTipText;
    TabIndex = decl_.TabIndex;
    caption_ = decl_.Caption;
    flags_ = decl_.Flags;
    enabled_ = !(flags_ & CtlDisabled);
    visible_ = !(flags_ & CtlHidden);
    left_ = decl_.Left, top_ = decl_.Top, width_ = decl_.Width, height_ = decl_.Height;
    interval_ = decl_.Interval;
    font_ = form_.Font;
    if (decl_.FontSize > 0)
        font_.Size = decl_.FontSize;
    if (flags_ & CtlBold) {
        font_.Bold = true;
        font_.Weight = FW_BOLD;
    }
}

void Control::CreateWindowFor(HWND parent) {
    const wchar_t* cls = nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | decl_.Style;
    DWORD exStyle = decl_.ExStyle;
    const DWORD tabStop = (flags_ & CtlNoTabStop) ? 0 : WS_TABSTOP;
    switch (Kind) {
    case ControlKind::Label:
    case ControlKind::Timer:
        RestartTimer();
        return;
    case ControlKind::CommandButton:
        cls = L"BUTTON";
        style |= tabStop | ((flags_ & CtlDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        break;
    case ControlKind::CheckBox:
        cls = L"BUTTON";
        style |= tabStop | BS_AUTOCHECKBOX;
        break;
    case ControlKind::OptionButton:
        cls = L"BUTTON";
        style |= tabStop | BS_AUTORADIOBUTTON;
        break;
    case ControlKind::TextBox:
        cls = L"EDIT";
        style |= tabStop | ES_AUTOHSCROLL;
        if (flags_ & CtlMultiLine)
            style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    case ControlKind::ComboBox:
        cls = L"COMBOBOX";
        style |= tabStop | WS_VSCROLL | ((decl_.Style & 3) ? 0 : CBS_DROPDOWNLIST);
        break;
    case ControlKind::ListBox:
        cls = L"LISTBOX";
        style |= tabStop | LBS_NOTIFY | WS_VSCROLL;
        exStyle |= WS_EX_CLIENTEDGE;
        break;
    case ControlKind::Frame:
        cls = FrameClass;
        style |= WS_CLIPCHILDREN;
        exStyle |= WS_EX_CONTROLPARENT;
        break;
    case ControlKind::PictureBox:
        cls = PictureClass;
        style |= WS_CLIPCHILDREN;
        exStyle |= WS_EX_CONTROLPARENT;
        break;
    case ControlKind::Custom:
        if (!decl_.WindowClass)
            Raise(ErrInvalidCall);
        cls = decl_.WindowClass();
        style |= tabStop;
        break;
    }
    if ((flags_ & CtlBorder) && Kind != ControlKind::TextBox && Kind != ControlKind::ListBox)
        exStyle |= WS_EX_CLIENTEDGE;
    if (visible_)
        style |= WS_VISIBLE;
    if (!enabled_)
        style |= WS_DISABLED;
    const RECT r = PixelRect();
    int height = r.bottom - r.top;
    if (Kind == ControlKind::ComboBox) // the window includes the dropped list
        height += TwipsToPixelsY(3000);
    hwnd_ = CreateWindowExW(exStyle, cls, caption_.c_str(), style, r.left, r.top, r.right - r.left,
                            height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                            GetModuleHandleW(nullptr), &form_);
    if (!hwnd_)
        RaiseLastError();
    SetFont(font_);
}

void Control::RestartTimer() {
    if (Kind != ControlKind::Timer || !form_.hWnd())
        return;
    KillTimer(form_.hWnd(), static_cast<UINT_PTR>(id_));
    if (enabled_ && interval_ > 0)
        SetTimer(form_.hWnd(), static_cast<UINT_PTR>(id_), static_cast<UINT>(interval_), nullptr);
}

std::wstring Control::Caption() const {
    if (!hwnd_ || Kind == ControlKind::Frame || Kind == ControlKind::PictureBox)
        return caption_;
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Control::SetCaption(const std::wstring& text) {
    caption_ = text;
    if (hwnd_ && Kind != ControlKind::PictureBox)
        SetWindowTextW(hwnd_, text.c_str());
    if (!hwnd_ || Kind == ControlKind::Frame)
        Refresh();
}

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (hwnd_)
        EnableWindow(hwnd_, enabled);
    else if (Kind == ControlKind::Timer)
        RestartTimer();
    else
        Refresh();
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    if (hwnd_)
        ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
    else
        Refresh();
}

int Control::Value() const {
    if (!hwnd_ || (Kind != ControlKind::CheckBox && Kind != ControlKind::OptionButton))
        return 0;
    return static_cast<int>(SendMessageW(hwnd_, BM_GETCHECK, 0, 0));
}

void Control::SetValue(int value) {
    if (!hwnd_ || (Kind != ControlKind::CheckBox && Kind != ControlKind::OptionButton))
        return;
    const int before = Value();
    SendMessageW(hwnd_, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    // As with a click, a changed value raises Click.
    if (value != before && Click) {
        const auto handler = Click;
        handler();
    }
}

RECT Control::PixelRect() const {
    RECT r;
    r.left = TwipsToPixelsX(left_);
    r.top = TwipsToPixelsY(top_);
    r.right = r.left + TwipsToPixelsX(width_);
    r.bottom = r.top + TwipsToPixelsY(height_);
    return r;
}

void Control::Move(double left, double top, double width, double height) {
    if (!hwnd_)
        Refresh();
    left_ = left, top_ = top, width_ = width, height_ = height;
    if (hwnd_) {
        const RECT r = PixelRect();
        int h = r.bottom - r.top;
        if (Kind == ControlKind::ComboBox)
            h += TwipsToPixelsY(3000);
        MoveWindow(hwnd_, r.left, r.top, r.right - r.left, h, TRUE);
    } else {
        Refresh();
    }
}

void Control::SetFont(const FontDesc& font) {
    font_ = font;
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(font.Size * ScreenDpiY() / 72.0));
    lf.lfWeight = font.Bold ? std::max(font.Weight, int{FW_BOLD}) : font.Weight;
    lf.lfItalic = font.Italic;
    lf.lfUnderline = font.Underline;
    lf.lfStrikeOut = font.Strikethrough;
    lf.lfCharSet = font.Charset;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, font.Name.c_str(), LF_FACESIZE);
    UniqueFont made(CreateFontIndirectW(&lf));
    if (!made)
        RaiseLastError();
    if (hwnd_)
        SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(made.get()), TRUE);
    hfont_ = std::move(made); // the old font goes only after the window let go of it
    if (!hwnd_)
        Refresh();
}

void Control::SetSelection(int start, int length) {
    if (hwnd_ && Kind == ControlKind::TextBox)
        SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(start),
                     static_cast<LPARAM>(start + length));
}

void Control::SetInterval(int ms) {
    interval_ = ms;
    RestartTimer();
}

void Control::Refresh() {
    if (hwnd_) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        UpdateWindow(hwnd_);
        return;
    }
    const HWND host = Container ? Container->hWnd() : form_.hWnd();
    if (!host || Kind == ControlKind::Timer)
        return;
    const RECT r = PixelRect();
    InvalidateRect(host, &r, TRUE);
}

void Control::SetFocus() {
    if (hwnd_)
        ::SetFocus(hwnd_);
}

// ---- Form -----------------------------------------------------------------

Form::Form(const FormDecl& decl, std::span<const ControlDecl> controls)
    : decl_(decl), name_(decl.Name) {
    FormList(); // made before any form, so it outlives static ones
    Tag = decl.Tag;
    Font.Size = decl.FontSize;
    caption_ = decl.Caption;
    int id = FirstControlId;
    for (const ControlDecl& d : controls) {
        auto control = std::make_unique<Control>(*this, d);
        control->id_ = id++;
        // A container is declared before the controls inside it.
        if (d.Container) {
            control->Container = Find(d.Container);
            if (!control->Container || !IsContainer(control->Container->Kind))
                Raise(ErrSubscript);
        }
        controls_.push_back(std::move(control));
    }
}

Form::~Form() {
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void Form::Load() {
    if (hwnd_)
        return;
    RegisterClasses();
    RECT r{0, 0, TwipsToPixelsX(decl_.ScaleWidth), TwipsToPixelsY(decl_.ScaleHeight)};
    AdjustWindowRectEx(&r, decl_.Style, FALSE, decl_.ExStyle);
    const int width = r.right - r.left, height = r.bottom - r.top;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + std::max(0L, (work.right - work.left - width) / 2);
    const int y = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    const HWND made =
        CreateWindowExW(decl_.ExStyle, FormClass, caption_.c_str(), decl_.Style & ~WS_VISIBLE, x, y,
                        width, height, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (!made)
        RaiseLastError();
    FormList().push_back(this);
    try {
        for (const auto& control : controls_) {
            control->Reset();
            control->CreateWindowFor(control->Container ? control->Container->hWnd() : hwnd_);
        }
        ApplyTabOrder();
    } catch (...) {
        DestroyWindow(hwnd_);
        throw;
    }
    Form_Load();
    if (hwnd_) {
        ready_ = true;
        Form_Resize();
    }
}

void Form::Show(bool modal, Form* owner) {
    Load();
    if (owner && owner->hWnd() && owner != this) {
        SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner->hWnd()));
        RECT o{}, me{};
        GetWindowRect(owner->hWnd(), &o);
        GetWindowRect(hwnd_, &me);
        const int w = me.right - me.left, h = me.bottom - me.top;
        SetWindowPos(hwnd_, nullptr, o.left + (o.right - o.left - w) / 2,
                     o.top + (o.bottom - o.top - h) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(hwnd_, SW_SHOW);
    if (!modal)
        return;
    // Modal: every other form is disabled until this one is hidden or unloaded.
    std::vector<HWND> disabled;
    for (Form* form : FormList())
        if (form != this && form->hWnd() && IsWindowEnabled(form->hWnd())) {
            EnableWindow(form->hWnd(), FALSE);
            disabled.push_back(form->hWnd());
        }
    inModalLoop_ = true;
    MSG msg;
    while (hwnd_ && IsWindowVisible(hwnd_)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0)
            break;
        if (!FormDialogMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    inModalLoop_ = false;
    for (HWND window : disabled)
        if (IsWindow(window))
            EnableWindow(window, TRUE);
    if (owner && owner->hWnd())
        SetActiveWindow(owner->hWnd());
}

void Form::Hide() {
    if (hwnd_)
        ShowWindow(hwnd_, SW_HIDE);
    WakeMessageLoop();
}

bool Form::Unload(int unloadMode) {
    if (!hwnd_)
        return true;
    bool cancel = false;
    Form_QueryUnload(cancel, unloadMode);
    if (cancel)
        return false;
    Form_Unload(cancel);
    if (cancel)
        return false;
    if (hwnd_)
        DestroyWindow(hwnd_);
    return true;
}

bool Form::Visible() const {
    return hwnd_ && IsWindowVisible(hwnd_);
}

std::wstring Form::Caption() const {
    if (!hwnd_)
        return caption_;
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd_)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Form::SetCaption(const std::wstring& text) {
    caption_ = text;
    if (hwnd_)
        SetWindowTextW(hwnd_, text.c_str());
}

double Form::ScaleWidth() const {
    if (!hwnd_)
        return decl_.ScaleWidth;
    RECT r{};
    GetClientRect(hwnd_, &r);
    return PixelsToTwipsX(r.right);
}

double Form::ScaleHeight() const {
    if (!hwnd_)
        return decl_.ScaleHeight;
    RECT r{};
    GetClientRect(hwnd_, &r);
    return PixelsToTwipsY(r.bottom);
}

Control& Form::operator()(const std::wstring& name, int index) const {
    Control* control = Find(name, index);
    if (!control)
        Raise(ErrSubscript);
    return *control;
}

Control* Form::Find(const std::wstring& name, int index) const {
    for (const auto& control : controls_)
        if (control->Name == name && control->Index == index)
            return control.get();
    return nullptr;
}

Control* Form::FindByHwnd(HWND window) const {
    if (!window)
        return nullptr;
    for (const auto& control : controls_)
        if (control->hWnd() == window)
            return control.get();
    return nullptr;
}

Control* Form::FindById(int id) const {
    for (const auto& control : controls_)
        if (control->Id() == id)
            return control.get();
    return nullptr;
}

Control* Form::ActiveControl() const {
    for (HWND focus = GetFocus(); focus && focus != hwnd_; focus = GetParent(focus))
        if (Control* control = FindByHwnd(focus))
            return control;
    return nullptr;
}

void Form::ApplyTabOrder() {
    std::vector<Control*> windowed;
    for (const auto& control : controls_)
        if (control->hWnd())
            windowed.push_back(control.get());
    std::stable_sort(windowed.begin(), windowed.end(),
                     [](const Control* a, const Control* b) { return a->TabIndex < b->TabIndex; });
    // Each goes to the bottom in turn, so the z-order (which Tab follows)
    // ends up in TabIndex order.
    for (Control* control : windowed)
        SetWindowPos(control->hWnd(), HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void Form::PaintLabels(HDC dc, const Control* container) const {
    SetBkMode(dc, TRANSPARENT);
    for (const auto& control : controls_) {
        if (control->Kind != ControlKind::Label || control->Container != container ||
            !control->Visible())
            continue;
        RECT r = control->PixelRect();
        SelectGuard font(dc, control->FontHandle() ? static_cast<HGDIOBJ>(control->FontHandle())
                                                   : GetStockObject(DEFAULT_GUI_FONT));
        COLORREF colour =
            control->ForeColor == CLR_INVALID ? GetSysColor(COLOR_BTNTEXT) : control->ForeColor;
        if (!control->Enabled())
            colour = GetSysColor(COLOR_GRAYTEXT);
        SetTextColor(dc, colour);
        UINT format = DT_WORDBREAK | DT_EXPANDTABS;
        if (control->flags_ & CtlCenter)
            format |= DT_CENTER;
        else if (control->flags_ & CtlRight)
            format |= DT_RIGHT;
        const std::wstring text = control->Caption();
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
    }
}

LRESULT Form::ControlColour(HDC dc, HWND window) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    if (Control* control = FindByHwnd(window); control && control->ForeColor != CLR_INVALID)
        SetTextColor(dc, control->ForeColor);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

bool Form::HandleCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    Control* control = nullptr;
    if (id == IDOK || id == IDCANCEL) { // Enter and Esc, from the dialog keys
        for (const auto& c : controls_)
            if (c->Kind == ControlKind::CommandButton &&
                (id == IDOK ? c->IsDefault() : c->IsCancel()) && c->Enabled())
                control = c.get();
        if (!control)
            return false;
        if (control->Click) {
            const auto handler = control->Click;
            handler();
        }
        return true;
    }
    control = FindById(id);
    if (!control || reinterpret_cast<HWND>(lParam) != control->hWnd())
        return false;
    std::function<void()> handler;
    switch (control->Kind) {
    case ControlKind::CommandButton:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
        if (code == BN_CLICKED)
            handler = control->Click;
        break;
    case ControlKind::TextBox:
        if (code == EN_CHANGE)
            handler = control->Change;
        else if (code == EN_SETFOCUS)
            handler = control->GotFocus;
        else if (code == EN_KILLFOCUS)
            handler = control->LostFocus;
        break;
    case ControlKind::ComboBox:
        if (code == CBN_SELCHANGE)
            handler = control->Click;
        else if (code == CBN_EDITCHANGE)
            handler = control->Change;
        else if (code == CBN_SETFOCUS)
            handler = control->GotFocus;
        else if (code == CBN_KILLFOCUS)
            handler = control->LostFocus;
        break;
    case ControlKind::ListBox:
        if (code == LBN_SELCHANGE)
            handler = control->Click;
        else if (code == LBN_DBLCLK)
            handler = control->DblClick;
        else if (code == LBN_SETFOCUS)
            handler = control->GotFocus;
        else if (code == LBN_KILLFOCUS)
            handler = control->LostFocus;
        break;
    default:
        break;
    }
    if (handler)
        handler();
    return true;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HandleCommand(wParam, lParam))
            return 0;
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(hwnd_, &ps);
        PaintLabels(dc, nullptr);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (ShowScreenPointer())
            return TRUE;
        break;
    case DM_GETDEFID:
        for (const auto& c : controls_)
            if (c->Kind == ControlKind::CommandButton && c->IsDefault() && c->hWnd())
                return MAKELRESULT(c->Id(), DC_HASDEFID);
        return 0;
    case WM_CLOSE:
        Unload(0);
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED && ready_)
            Form_Resize();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus))
                lastFocus_ = focus;
        } else {
            HWND focus = (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_))
                             ? lastFocus_
                             : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
            if (focus)
                ::SetFocus(focus);
            Form_Activate();
            if (focus)
                return 0;
        }
        break;
    case WM_TIMER:
        if (Control* control = FindById(static_cast<int>(wParam));
            control && control->Kind == ControlKind::Timer && control->Timer) {
            const auto handler = control->Timer;
            handler();
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Form::DropWindow() {
    for (const auto& control : controls_)
        control->Detach();
    hwnd_ = nullptr;
    lastFocus_ = nullptr;
    ready_ = false;
    auto& forms = FormList();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    WakeMessageLoop();
}

LRESULT CALLBACK FormWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        form->hwnd_ = window;
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form || form->hwnd_ != window)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->DropWindow();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return form->HandleMessage(message, wParam, lParam);
}

LRESULT CALLBACK ContainerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form || !form->hWnd())
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        // Children of a container notify the form, as if they were its own.
        return SendMessageW(form->hWnd(), message, wParam, lParam);
    case WM_PAINT: {
        const Control* self = form->FindByHwnd(window);
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(window, &ps);
        if (self && self->Kind == ControlKind::Frame) {
            SelectGuard font(dc, self->FontHandle() ? static_cast<HGDIOBJ>(self->FontHandle())
                                                    : GetStockObject(DEFAULT_GUI_FONT));
            TEXTMETRICW tm{};
            GetTextMetricsW(dc, &tm);
            RECT r;
            GetClientRect(window, &r);
            r.top += tm.tmHeight / 2;
            DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
            const std::wstring caption = self->Caption();
            if (!caption.empty()) {
                const std::wstring padded = L" " + caption + L" ";
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                SetBkMode(dc, OPAQUE);
                SetTextColor(dc, GetSysColor(self->Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
                RECT t{6, 0, r.right - 6, tm.tmHeight};
                DrawTextW(dc, padded.c_str(), static_cast<int>(padded.size()), &t,
                          DT_SINGLELINE | DT_LEFT | DT_TOP);
            }
        }
        if (self)
            form->PaintLabels(dc, self);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_SETCURSOR:
        if (ShowScreenPointer())
            return TRUE;
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

const std::vector<Form*>& LoadedForms() {
    return FormList();
}

Form* ActiveForm() {
    const HWND active = GetActiveWindow();
    for (Form* form : FormList())
        if (form->hWnd() == active)
            return form;
    return nullptr;
}

bool FormDialogMessage(MSG& msg) {
    if (!msg.hwnd)
        return false;
    const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    for (Form* form : FormList())
        if (form->hWnd() == root)
            return IsDialogMessageW(root, &msg) != FALSE;
    return false;
}

void DoEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!FormDialogMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void RunMessageLoop() {
    MSG msg;
    while (!FormList().empty()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0)
            break;
        if (!FormDialogMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}
