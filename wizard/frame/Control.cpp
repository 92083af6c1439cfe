#include "wizard/frame/Control.h"

#include "core/CreatorError.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/ImageControl.h"

LPCWSTR PointerCursor(int pointer) {
    switch (pointer) {
    case 1:
        return IDC_ARROW;
    case 2:
        return IDC_CROSS;
    case 3:
        return IDC_IBEAM;
    case 5:
    case 15:
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
    default:
        return nullptr;
    }
}

Control::Control(Form& form, const ControlDecl& decl)
    : Name(decl.Name), Index(decl.Index), Kind(decl.Kind), form_(form), decl_(decl) {
    if (Kind == ControlKind::Custom) {
        if (!decl_.Factory)
            ::Raise(ErrInvalidCall);
        object_ = decl_.Factory();
        object_->extender_ = this;
    }
    if (Kind == ControlKind::Image)
        image_ = std::make_unique<ImageControl>(*this);
    Reset();
}

ImageControl& Control::Image() const {
    if (!image_)
        ::Raise(ErrInvalidCall);
    return *image_;
}

Control::~Control() = default;

void Control::Reset() {
    Tag = decl_.Tag;
    toolTipText_ = decl_.ToolTipText;
    TabIndex = decl_.TabIndex;
    caption_ = decl_.Caption;
    flags_ = decl_.Flags;
    enabled_ = !(flags_ & CtlDisabled);
    visible_ = !(flags_ & CtlHidden);
    left_ = decl_.Left, top_ = decl_.Top, width_ = decl_.Width, height_ = decl_.Height;
    interval_ = decl_.Interval;
    if (image_)
        image_->Reset((flags_ & CtlStretch) != 0);
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
    void* createParam = &form_;
    switch (Kind) {
    case ControlKind::Label:
    case ControlKind::Image:
    case ControlKind::Shape:
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
    case ControlKind::PictureBox:
        cls = Kind == ControlKind::Frame ? L"QuorvelFrame" : L"QuorvelPicture";
        style |= WS_CLIPCHILDREN;
        exStyle |= WS_EX_CONTROLPARENT;
        break;
    case ControlKind::Custom:
        cls = DrawnControlClass(object_->KindName());
        style |= tabStop | WS_CLIPCHILDREN;
        exStyle |= WS_EX_CONTROLPARENT;
        createParam = object_.get();
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
    const HWND made = CreateWindowExW(
        exStyle, cls, caption_.c_str(), style, r.left, r.top, r.right - r.left, height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleW(nullptr), createParam);
    if (!made)
        RaiseLastError();
    hwnd_ = made;
    form_.BindWindow(*this);
    SetFont(font_);
}

void Control::Detach() {
    hwnd_ = nullptr;
}

void Control::RestartTimer() {
    if (Kind != ControlKind::Timer || !form_.hWnd())
        return;
    KillTimer(form_.hWnd(), static_cast<UINT_PTR>(id_));
    if (enabled_ && interval_ > 0)
        SetTimer(form_.hWnd(), static_cast<UINT_PTR>(id_), static_cast<UINT>(interval_), nullptr);
}

std::wstring Control::Caption() const {
    if (!hwnd_ || Kind == ControlKind::Frame || Kind == ControlKind::PictureBox ||
        Kind == ControlKind::Custom)
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
    if (!hwnd_ || Kind == ControlKind::Frame || Kind == ControlKind::Custom)
        Refresh();
}

void Control::SetToolTipText(const std::wstring& text) {
    toolTipText_ = text;
    form_.UpdatePlainTool(*this);
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
    if (!hwnd_ && visible == visible_)
        return; // a label asks for no paint when nothing changes
    visible_ = visible;
    if (hwnd_)
        ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
    else
        Refresh();
}

bool Control::Usable() const {
    for (const Control* c = this; c; c = c->Container)
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
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
    // An option checked by the program unchecks the others of its container,
    // as a click would.
    if (Kind == ControlKind::OptionButton && value == 1)
        for (const auto& other : form_.Controls())
            if (other.get() != this && other->Kind == ControlKind::OptionButton &&
                other->Container == Container && other->hWnd())
                SendMessageW(other->hWnd(), BM_SETCHECK, BST_UNCHECKED, 0);
    // As with a click, a changed value raises Click.
    if (value != before)
        form_.Raise(*this, Click);
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
    SharedFont made = FontFor(font);
    font_ = font;
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
    // Inside the host's own paint the change is being drawn already: asking
    // for another paint there would repaint for ever.
    if (!host || Kind == ControlKind::Timer || host == form_.painting_)
        return;
    const RECT r = PixelRect();
    InvalidateRect(host, &r, TRUE);
}

void Control::SetFocus() {
    if (hwnd_)
        ::SetFocus(hwnd_);
}
