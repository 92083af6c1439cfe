// Form lifecycle and lookups. Messages: FormDispatch.cpp; windowless labels:
// Labels.cpp; pointers: Pointer.cpp; the plain tooltip: PlainToolTip.cpp.
#include "wizard/frame/Form.h"

#include "core/CreatorError.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/RunningFlag.h"

#include <algorithm>

void RegisterFormClasses(); // FormDispatch.cpp

namespace {

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

} // namespace

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
                ::Raise(ErrSubscript);
        }
        byName_[{control->Name, control->Index}] = control.get();
        byId_[control->id_] = control.get();
        controls_.push_back(std::move(control));
    }
}

Form::~Form() {
    // The derived form is gone already: none of its handlers may run while
    // the window and its controls go (a focused text box's LostFocus would).
    ending_ = true;
    for (const auto& control : controls_) {
        Control& c = *control;
        c.Click = c.DblClick = c.Change = c.GotFocus = c.LostFocus = c.Timer = nullptr;
        c.MouseDown = c.MouseMove = c.MouseUp = nullptr;
        c.OwnerMessage = nullptr;
    }
    if (hwnd_)
        DestroyWindow(hwnd_);
}

void Form::Raise(const Control& control, const std::function<void()>& handler) const {
    if (ending_ || !handler)
        return;
    const auto copy = handler; // the handler may replace itself
    const wchar_t* event = &handler == &control.Click       ? L"Click"
                           : &handler == &control.DblClick  ? L"DblClick"
                           : &handler == &control.Change    ? L"Change"
                           : &handler == &control.GotFocus  ? L"GotFocus"
                           : &handler == &control.LostFocus ? L"LostFocus"
                           : &handler == &control.Timer     ? L"Timer"
                                                            : L"Event";
    AtCallback(
        [&] {
            copy();
            return LRESULT{0};
        },
        [&] { return HandlerLocation(&control, event); });
}

std::wstring Form::HandlerLocation(const Control* control, const wchar_t* event) const {
    return name_ + L"." + (control ? control->Name + L"_" : std::wstring(L"Form_")) + event;
}

void Form::Load() {
    if (hwnd_)
        return;
    RegisterFormClasses();
    RECT r{0, 0, TwipsToPixelsX(decl_.ScaleWidth), TwipsToPixelsY(decl_.ScaleHeight)};
    AdjustWindowRectEx(&r, decl_.Style, FALSE, decl_.ExStyle);
    const int width = r.right - r.left, height = r.bottom - r.top;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + std::max(0L, (work.right - work.left - width) / 2);
    const int y = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    const HWND made =
        CreateWindowExW(decl_.ExStyle, L"QuorvelForm", caption_.c_str(), decl_.Style & ~WS_VISIBLE,
                        x, y, width, height, nullptr, nullptr, GetModuleHandleW(nullptr), this);
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
    PumpWhile([this] { return hwnd_ && IsWindowVisible(hwnd_); });
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
    if (unloading_)
        return false;
    const RunningFlag running(unloading_);
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
        ::Raise(ErrSubscript);
    return *control;
}

ControlArray::ControlArray(const Form& form, const std::wstring& name) {
    for (int i = 0; Control* control = form.Find(name, i); ++i)
        items_.push_back(control);
    if (items_.empty())
        ::Raise(ErrSubscript);
}

Control& ControlArray::operator[](int index) const {
    if (index < 0 || index >= Count())
        ::Raise(ErrSubscript);
    return *items_[static_cast<std::size_t>(index)];
}

Control* Form::Find(const std::wstring& name, int index) const {
    const auto found = byName_.find({name, index});
    return found == byName_.end() ? nullptr : found->second;
}

Control* Form::FindByHwnd(HWND window) const {
    const auto found = byHwnd_.find(window);
    return window && found != byHwnd_.end() ? found->second : nullptr;
}

Control* Form::FindById(int id) const {
    const auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : found->second;
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

void Form::BindWindow(Control& control) {
    byHwnd_[control.hWnd()] = &control;
    UpdatePlainTool(control);
}

void Form::DropWindow() {
    for (const auto& control : controls_)
        control->Detach();
    byHwnd_.clear();
    plainTip_.release(); // an owned window: it went with the form's
    hwnd_ = nullptr;
    lastFocus_ = nullptr;
    pressedLabel_ = nullptr;
    ready_ = false;
    auto& forms = FormList();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    WakeMessageLoop();
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
