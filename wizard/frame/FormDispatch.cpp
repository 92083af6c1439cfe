// The messages of forms and of their containers (frames and picture boxes):
// commands and notifications go to the control that sent them, colours come
// from BackColor and ForeColor, Enter and Esc press usable buttons only.
#include "wizard/frame/Form.h"

#include "wizard/frame/Errors.h"
#include "wizard/frame/Help.h"

#include <map>

LRESULT CALLBACK FormWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ContainerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void RegisterFormClasses() {
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
    wc.lpszClassName = L"QuorvelForm";
    if (!RegisterClassExW(&wc))
        RaiseLastError();
    wc.lpfnWndProc = ContainerWndProc;
    for (const wchar_t* name : {L"QuorvelFrame", L"QuorvelPicture"}) {
        wc.lpszClassName = name;
        if (!RegisterClassExW(&wc))
            RaiseLastError();
    }
    done = true;
}

namespace {

// One brush per background colour, for the program's life.
HBRUSH BrushFor(COLORREF colour) {
    if (colour == GetSysColor(COLOR_BTNFACE))
        return GetSysColorBrush(COLOR_BTNFACE);
    static std::map<COLORREF, UniqueBrush> brushes;
    UniqueBrush& brush = brushes[colour];
    if (!brush)
        brush.reset(CreateSolidBrush(colour));
    return brush.get();
}

bool IsColourMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

} // namespace

COLORREF Form::BackColorOf(const Control* control) const {
    // A system-colour reference (0x80000000 | index) paints as that colour.
    const auto resolve = [](COLORREF c) {
        return (c & SystemColourReference) ? GetSysColor(static_cast<int>(c & 0xFF)) : c;
    };
    for (const Control* c = control; c; c = c->Container)
        if (c->BackColor != CLR_INVALID)
            return resolve(c->BackColor);
    return BackColor != CLR_INVALID ? resolve(BackColor) : GetSysColor(COLOR_BTNFACE);
}

COLORREF Form::BackColorRefOf(const Control* control) const {
    for (const Control* c = control; c; c = c->Container)
        if (c->BackColor != CLR_INVALID)
            return c->BackColor;
    return BackColor != CLR_INVALID ? BackColor : (SystemColourReference | COLOR_BTNFACE);
}

Control* Form::DialogButton(bool isDefault) const {
    for (const auto& c : controls_)
        if (c->Kind == ControlKind::CommandButton && c->hWnd() &&
            (isDefault ? c->IsDefault() : c->IsCancel()) && c->Usable())
            return c.get();
    return nullptr;
}

LRESULT Form::ControlColour(UINT message, HDC dc, HWND window) {
    const Control* control = FindByHwnd(window);
    const bool field = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    COLORREF text = control ? control->ForeColor : CLR_INVALID;
    if (text == CLR_INVALID && !field)
        text = ForeColor;
    if (text != CLR_INVALID)
        SetTextColor(dc, text);
    if (field && (!control || control->BackColor == CLR_INVALID))
        return DefWindowProcW(hwnd_, message, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(window));
    const COLORREF back = control ? BackColorOf(control) : BackColorOf(nullptr);
    SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(BrushFor(back));
}

std::optional<LRESULT> Form::RouteToSender(UINT message, WPARAM wParam, LPARAM lParam) {
    Control* sender = nullptr;
    switch (message) {
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        sender = FindByHwnd(header->hwndFrom);
        if (!sender)
            sender = FindById(static_cast<int>(header->idFrom));
        break;
    }
    case WM_DRAWITEM:
        sender = FindById(static_cast<int>(wParam));
        break;
    case WM_MEASUREITEM: // sent inside CreateWindowEx, before the handle is known
        sender =
            FindById(static_cast<int>(reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlID));
        break;
    default: // scroll and colour messages name the sender's window
        sender = FindByHwnd(reinterpret_cast<HWND>(lParam));
        break;
    }
    if (sender && !ending_) {
        if (DrawnControl* drawn = sender->Object()) {
            if (const auto answer = drawn->ChildMessage(message, wParam, lParam))
                return answer;
        } else if (sender->OwnerMessage) {
            const auto hook = sender->OwnerMessage;
            if (const auto answer = hook(message, wParam, lParam))
                return answer;
        }
    }
    if (IsColourMessage(message))
        return ControlColour(message, reinterpret_cast<HDC>(wParam),
                             reinterpret_cast<HWND>(lParam));
    return std::nullopt;
}

bool Form::HandleCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == IDOK || id == IDCANCEL) { // Enter and Esc, from the dialog keys
        Control* button = DialogButton(id == IDOK);
        if (!button)
            return false;
        Raise(*button, button->Click);
        return true;
    }
    Control* control = FindById(id);
    if (!control || reinterpret_cast<HWND>(lParam) != control->hWnd())
        return false;
    if (DrawnControl* drawn = control->Object()) {
        drawn->ChildMessage(WM_COMMAND, wParam, lParam);
        return true;
    }
    const std::function<void()>* handler = nullptr;
    switch (control->Kind) {
    case ControlKind::CommandButton:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
        if (code == BN_CLICKED)
            handler = &control->Click;
        break;
    case ControlKind::TextBox:
        if (code == EN_CHANGE)
            handler = &control->Change;
        else if (code == EN_SETFOCUS)
            handler = &control->GotFocus;
        else if (code == EN_KILLFOCUS)
            handler = &control->LostFocus;
        break;
    case ControlKind::ComboBox:
        if (code == CBN_SELCHANGE)
            handler = &control->Click;
        else if (code == CBN_EDITCHANGE)
            handler = &control->Change;
        else if (code == CBN_SETFOCUS)
            handler = &control->GotFocus;
        else if (code == CBN_KILLFOCUS)
            handler = &control->LostFocus;
        break;
    case ControlKind::ListBox:
        if (code == LBN_SELCHANGE)
            handler = &control->Click;
        else if (code == LBN_DBLCLK)
            handler = &control->DblClick;
        else if (code == LBN_SETFOCUS)
            handler = &control->GotFocus;
        else if (code == LBN_KILLFOCUS)
            handler = &control->LostFocus;
        break;
    default:
        break;
    }
    if (handler)
        Raise(*control, *handler);
    return true;
}

void Form::Painting(HWND window, const Control* self, HDC dc) {
    const HWND outer = painting_;
    painting_ = window;
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
            SetBkColor(dc, BackColorOf(self));
            SetBkMode(dc, OPAQUE);
            SetTextColor(dc, GetSysColor(self->Enabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
            RECT t{6, 0, r.right - 6, tm.tmHeight};
            DrawTextW(dc, padded.c_str(), static_cast<int>(padded.size()), &t,
                      DT_SINGLELINE | DT_LEFT | DT_TOP);
        }
    }
    PaintLabels(dc, self);
    painting_ = outer;
}

std::optional<LRESULT> Form::HostMessage(HWND window, const Control* self, UINT message,
                                         WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HandleCommand(wParam, lParam))
            return 0;
        break;
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
        return RouteToSender(message, wParam, lParam);
    case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(window, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, BrushFor(BackColorOf(self)));
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = BeginPaint(window, &ps);
        Painting(window, self, dc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        Painting(window, self, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETFOCUS:
        if (self && self->Kind == ControlKind::PictureBox)
            Raise(*self, self->GotFocus);
        break;
    case WM_SETCURSOR:
        if (SetCursorOver(window, self, reinterpret_cast<HWND>(wParam), lParam))
            return TRUE;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        if (!LabelMouse(window, self, message, lParam) && self &&
            self->Kind == ControlKind::PictureBox)
            PictureMouse(*const_cast<Control*>(self), message, wParam, lParam);
        break;
    case WM_MOUSEMOVE:
        if (ImageMouse(self, wParam, lParam))
            break;
        [[fallthrough]];
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (self && self->Kind == ControlKind::PictureBox)
            PictureMouse(*const_cast<Control*>(self), message, wParam, lParam);
        break;
    default:
        break;
    }
    return std::nullopt;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto answer = HostMessage(hwnd_, nullptr, message, wParam, lParam))
        return *answer;
    switch (message) {
    case DM_GETDEFID:
        if (const Control* button = DialogButton(true))
            return MAKELRESULT(button->Id(), DC_HASDEFID);
        return 0;
    case WM_CLOSE:
        Unload(0);
        return 0;
    case WM_SYSCOMMAND:
        // The platform may ignore the "?" button: the layer runs its mode.
        if ((wParam & 0xFFF0) == SC_CONTEXTHELP && (decl_.ExStyle & WS_EX_CONTEXTHELP)) {
            StartWhatsThis(hwnd_);
            return 0;
        }
        break;
    case WM_HELP:
        // A form answers the help asked of it: the platform would pass the
        // request on to the owner, whose help would replace this one's.
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED && ready_ && !ending_)
            Form_Resize();
        return 0;
    case WM_ACTIVATE:
        if (ending_)
            break;
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
            control && control->Kind == ControlKind::Timer) {
            Raise(*control, control->Timer);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

const wchar_t* EventOfMessage(UINT message) {
    switch (message) {
    case WM_SIZE:
        return L"Resize";
    case WM_ACTIVATE:
        return L"Activate";
    case WM_CLOSE:
        return L"QueryUnload";
    case WM_PAINT:
    case WM_PRINTCLIENT:
    case WM_DRAWITEM:
        return L"Paint";
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        return L"MouseDown";
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        return L"MouseUp";
    case WM_MOUSEMOVE:
        return L"MouseMove";
    case WM_LBUTTONDBLCLK:
        return L"DblClick";
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return L"KeyDown";
    case WM_KEYUP:
        return L"KeyUp";
    case WM_CHAR:
        return L"KeyPress";
    case WM_SETFOCUS:
        return L"GotFocus";
    case WM_KILLFOCUS:
        return L"LostFocus";
    case WM_TIMER:
        return L"Timer";
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return L"Change";
    default:
        return L"WindowProc";
    }
}

LRESULT FailedMessageResult(UINT message) {
    // A window whose creation failed is not made.
    return message == WM_NCCREATE ? FALSE : message == WM_CREATE ? -1 : 0;
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
    return AtCallback([&] { return form->HandleMessage(message, wParam, lParam); },
                      [&] { return form->HandlerLocation(nullptr, EventOfMessage(message)); },
                      FailedMessageResult(message));
}

LRESULT CALLBACK ContainerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY)
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    else if (form && form->hWnd()) {
        const Control* self = form->FindByHwnd(window);
        std::optional<LRESULT> answer;
        AtCallback(
            [&] {
                answer = form->HostMessage(window, self, message, wParam, lParam);
                return LRESULT{0};
            },
            [&] { return form->HandlerLocation(self, EventOfMessage(message)); });
        if (answer)
            return *answer;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
