// The creator's form layer: a Form owns its window and an ordered list of
// Controls declared in one table per form. See README.md beside this file.
#pragma once

#include "wizard/frame/Control.h"
#include "wizard/frame/MessagePump.h"
#include "wizard/frame/RedrawGuard.h"
#include "wizard/frame/Twips.h"
#include "wizard/frame/WindowHandle.h"

#include <windows.h>

#include <map>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// Window styles of the two kinds of form the creator has.
constexpr DWORD SizableFormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD FixedDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD FixedDialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

struct FormDecl {
    const wchar_t* Name = L"";
    const wchar_t* Caption = L"";
    double ScaleWidth = 0, ScaleHeight = 0; // client size, twips
    const wchar_t* Tag = L"";
    DWORD Style = SizableFormStyle;
    DWORD ExStyle = WS_EX_CONTROLPARENT;
    double FontSize = 8.0;
};

class Form {
  public:
    Form(const FormDecl& decl, std::span<const ControlDecl> controls);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    // Disconnects every event and handler, then destroys the window.
    virtual ~Form();

    const std::wstring& Name() const { return name_; }
    HWND hWnd() const { return hwnd_; }
    bool Loaded() const { return hwnd_ != nullptr; }
    std::wstring Tag;
    FontDesc Font;                    // the form's own font, the base of its controls' fonts
    COLORREF BackColor = CLR_INVALID; // CLR_INVALID: button face
    COLORREF ForeColor = CLR_INVALID; // CLR_INVALID: button text
    int MousePointer = 0;             // see PointerCursor
    HCURSOR MouseIcon = nullptr;      // pointer 99; the caller keeps it alive

    // Creates the window (hidden) and its controls, then runs Form_Load and
    // a first Form_Resize (none comes before the controls exist).
    void Load();
    // Loads when needed and shows the window; a modal show returns when the
    // form is hidden or unloaded. The owner's window owns the form's.
    void Show(bool modal = false, Form* owner = nullptr);
    void Hide();
    // Asks Form_QueryUnload and Form_Unload; false when one of them cancelled.
    // Asked again while they run (their handlers may pump messages), it does
    // nothing and returns false: the unload under way goes on alone.
    bool Unload(int unloadMode = 1);
    bool Visible() const;

    std::wstring Caption() const;
    void SetCaption(const std::wstring& text);
    double ScaleWidth() const;
    double ScaleHeight() const;

    // Every control, in the order of the table.
    const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }
    // The control of this name (and index); raises 9 when there is none.
    Control& operator()(const std::wstring& name, int index = -1) const;
    Control* Find(const std::wstring& name, int index = -1) const;
    Control* FindByHwnd(HWND window) const;
    Control* FindById(int id) const;
    // The control that has the focus, when it belongs to this form.
    Control* ActiveControl() const;

    // Puts the windows of the controls in TabIndex order (Tab follows it).
    void ApplyTabOrder();
    // Paints the windowless controls of a container (nullptr: the form).
    void PaintLabels(HDC dc, const Control* container) const;
    // The visible label of a container (nullptr: the form) at a point of its
    // client area; the last in table order wins, as it is painted last.
    Control* LabelAt(const Control* container, POINT client) const;
    // The background of the form or of a container.
    COLORREF BackColorOf(const Control* container) const;
    // The same as set: a system-colour reference (SystemColourReference |
    // COLOR_WINDOW) stays one, apart from an equal RGB value.
    COLORREF BackColorRefOf(const Control* container) const;
    // The form's plain tooltip window, nullptr until a ToolTipText needs it.
    HWND PlainToolTip() const { return plainTip_.get(); }
    // The message loop shows every key press meant for the form's windows
    // to Form_KeyDown first; true when the handler took it (KeyCode 0).
    bool PreviewKey(const MSG& msg);
    // Where a handler of this form is reported: "frmWizard.cmdNext_Click",
    // or "frmWizard.Form_Resize" without a control.
    std::wstring HandlerLocation(const Control* control, const wchar_t* event) const;

  protected:
    // Handlers, named as the form toolkit names them. UnloadMode: 0 the
    // window's close box, 1 the program (Unload).
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(bool& /*Cancel*/, int /*UnloadMode*/) {}
    virtual void Form_Unload(bool& /*Cancel*/) {}
    virtual void Form_Resize() {}
    virtual void Form_Activate() {}
    // A key goes down in any window of the form, before its control sees
    // it. Shift: 1 Shift, 2 Ctrl, 4 Alt. Setting KeyCode to 0 keeps the key
    // from the control.
    virtual void Form_KeyDown(int& /*KeyCode*/, int /*Shift*/) {}

  private:
    friend class Control;
    friend class DrawnControl;
    friend LRESULT CALLBACK FormWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK ContainerWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK DrawnControlWndProc(HWND, UINT, WPARAM, LPARAM);
    // Messages of the form's window and of its containers' windows
    // (`container` nullptr: the form).
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> HostMessage(HWND window, const Control* container, UINT message,
                                       WPARAM wParam, LPARAM lParam);
    bool HandleCommand(WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> RouteToSender(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT ControlColour(UINT message, HDC dc, HWND control);
    bool SetCursorOver(HWND window, const Control* container, HWND under, LPARAM lParam);
    bool LabelMouse(HWND window, const Control* container, UINT message, LPARAM lParam);
    // Alt with a label's access key focuses the control after the label in
    // tab order (labels have no window for the dialog manager to find).
    bool LabelAccessKey(const MSG& msg);
    // A mouse move over a visible image of the container raises its
    // MouseMove (X and Y in the image); true when one was under the pointer.
    bool ImageMouse(const Control* container, WPARAM wParam, LPARAM lParam);
    void PictureMouse(Control& box, UINT message, WPARAM wParam, LPARAM lParam);
    void Painting(HWND window, const Control* container, HDC dc);
    Control* DialogButton(bool isDefault) const;
    void UpdatePlainTool(Control& control);
    void BindWindow(Control& control);
    void DropWindow();
    // Runs one of the control's event handlers (Click, Change, ...); a
    // failure is reported at the handler's location.
    void Raise(const Control& control, const std::function<void()>& handler) const;

    const FormDecl decl_;
    std::wstring name_;
    std::wstring caption_;
    HWND hwnd_ = nullptr;
    HWND lastFocus_ = nullptr;
    HWND painting_ = nullptr; // the host window inside its WM_PAINT
    bool ready_ = false;      // Form_Load has run: Form_Resize may come
    bool ending_ = false;     // the destructor runs: no handler is called any more
    bool unloading_ = false;  // Unload is asking its handlers
    Control* pressedLabel_ = nullptr;
    Control* pressedPicture_ = nullptr;
    UniqueWindow plainTip_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::pair<std::wstring, int>, Control*> byName_;
    std::map<int, Control*> byId_;
    std::unordered_map<HWND, Control*> byHwnd_;
};

// A control array of a form, bound once when the form is made: element i is
// the control of that name with index i. Binding raises 9 when the table has
// no such array; an index outside it raises 9 too.
class ControlArray {
  public:
    ControlArray(const Form& form, const std::wstring& name);
    Control& operator[](int index) const;
    int Count() const { return static_cast<int>(items_.size()); }

  private:
    std::vector<Control*> items_;
};

// The program-wide mouse pointer over every form: 0 each window's own,
// otherwise one of the codes of PointerCursor.
int ScreenMousePointer();
void SetScreenMousePointer(int pointer);

// The event a window message raises, for error locations: "Resize",
// "MouseDown", ...; "WindowProc" for the rest.
const wchar_t* EventOfMessage(UINT message);
// What a message whose handling failed answers: creation fails, the rest 0.
LRESULT FailedMessageResult(UINT message);

// Every loaded form, in the order they were loaded.
const std::vector<Form*>& LoadedForms();
// The loaded form whose window is active, or nullptr.
Form* ActiveForm();
