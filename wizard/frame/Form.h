// The creator's form layer: a Form owns its window and an ordered list of
// Controls declared in one table per form, with the notions the creator is
// described in (Name, Index, Caption, Tag, ToolTipText, TabIndex, Container,
// Enabled, Visible, Font, twips). See README.md beside this file.
#pragma once

#include "saver/Handles.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

enum class ControlKind {
    Label,         // no window: drawn by its container
    CommandButton, // BUTTON
    CheckBox,      // BUTTON, BS_AUTOCHECKBOX
    OptionButton,  // BUTTON, BS_AUTORADIOBUTTON
    TextBox,       // EDIT
    ComboBox,      // COMBOBOX
    ListBox,       // LISTBOX
    Frame,         // container with an etched border and a caption
    PictureBox,    // plain container
    Timer,         // no window: a timer of the form's window
    Custom,        // a window of a class registered by a custom control
};

// Flags of a control declaration.
enum : unsigned {
    CtlDisabled = 1u << 0,
    CtlHidden = 1u << 1,
    CtlDefault = 1u << 2,   // command button pressed by Enter
    CtlCancel = 1u << 3,    // command button pressed by Esc
    CtlWordWrap = 1u << 4,  // labels: wrap at the width
    CtlCenter = 1u << 5,    // labels: centred text
    CtlRight = 1u << 6,     // labels: right-aligned text
    CtlNoTabStop = 1u << 7, // not reached with Tab
    CtlBold = 1u << 8,      // bold font
    CtlBorder = 1u << 9,    // sunken client edge (text boxes have it always)
    CtlMultiLine = 1u << 10 // text boxes
};

struct FontDesc {
    std::wstring Name = L"MS Shell Dlg";
    double Size = 8.0; // points
    int Weight = FW_NORMAL;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    BYTE Charset = DEFAULT_CHARSET;
};

// One row of a form's control table. Positions are twips in the container.
struct ControlDecl {
    const wchar_t* Name = L"";
    int Index = -1; // -1: not an element of a control array
    ControlKind Kind = ControlKind::Label;
    const wchar_t* Container = nullptr; // nullptr: the form; else a Frame or PictureBox
    double Left = 0, Top = 0, Width = 0, Height = 0;
    const wchar_t* Caption = L""; // the text of text boxes and combo boxes
    const wchar_t* Tag = L"";
    const wchar_t* ToolTipText = L"";
    int TabIndex = 0;
    unsigned Flags = 0;
    double FontSize = 0; // 0: the form's font size
    DWORD Style = 0;     // extra window styles
    DWORD ExStyle = 0;
    const wchar_t* (*WindowClass)() = nullptr; // Custom: registers and names the class
    int Interval = 0;                          // Timer: milliseconds, 0 = stopped
};

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

class Form;
class Control;

// Base of the creator's own drawn controls; Attach binds one to the control
// record (and window) that the form's table declared for it.
class CustomControl {
  public:
    CustomControl() = default;
    CustomControl(const CustomControl&) = delete;
    CustomControl& operator=(const CustomControl&) = delete;
    virtual ~CustomControl();
    void Attach(Control& extender);
    Control* Extender() const { return extender_; }

  protected:
    virtual void OnAttach() {}

  private:
    Control* extender_ = nullptr;
};

// Screen resolution, read once; the form layer turns twips into pixels with it.
int ScreenDpiX();
int ScreenDpiY();
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
double PixelsToTwipsX(int pixels);
double PixelsToTwipsY(int pixels);

class Control {
  public:
    Control(Form& form, const ControlDecl& decl);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& Parent() const { return form_; }
    const std::wstring Name;
    const int Index;
    const ControlKind Kind;
    Control* Container = nullptr; // nullptr: the form itself
    std::wstring Tag;
    std::wstring ToolTipText;
    int TabIndex = 0;
    CustomControl* Object = nullptr; // the custom control standing on this record

    // Events, wired by the form: ctl.Click = [this] { cmdOK_Click(); };
    std::function<void()> Click, DblClick, Change, GotFocus, LostFocus, Timer;

    // The window, or nullptr for labels, timers and unloaded forms.
    HWND hWnd() const { return hwnd_; }
    int Id() const { return id_; }
    bool IsDefault() const { return (decl_.Flags & CtlDefault) != 0; }
    bool IsCancel() const { return (decl_.Flags & CtlCancel) != 0; }

    std::wstring Caption() const;
    void SetCaption(const std::wstring& text);
    std::wstring Text() const { return Caption(); }
    void SetText(const std::wstring& text) { SetCaption(text); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Check boxes and option buttons: 0 unchecked, 1 checked, 2 grey.
    int Value() const;
    void SetValue(int value);
    bool WordWrap() const { return (flags_ & CtlWordWrap) != 0; }
    COLORREF ForeColor = CLR_INVALID; // CLR_INVALID: the system's button text

    double Left() const { return left_; }
    double Top() const { return top_; }
    double Width() const { return width_; }
    double Height() const { return height_; }
    void Move(double left, double top, double width, double height);
    // The control's rectangle in its container's client area, pixels.
    RECT PixelRect() const;

    const FontDesc& Font() const { return font_; }
    void SetFont(const FontDesc& font);
    HFONT FontHandle() const { return hfont_.get(); }

    // Text boxes: the selection.
    void SetSelection(int start, int length);
    // Timers.
    int Interval() const { return interval_; }
    void SetInterval(int ms);

    void Refresh();
    void SetFocus();

  private:
    friend class Form;
    void Reset();
    void CreateWindowFor(HWND parent);
    void Detach() { hwnd_ = nullptr; }
    void RestartTimer();

    Form& form_;
    const ControlDecl decl_;
    int id_ = 0;
    HWND hwnd_ = nullptr;
    std::wstring caption_; // windowless controls
    bool enabled_ = true;
    bool visible_ = true;
    unsigned flags_ = 0;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    FontDesc font_;
    UniqueFont hfont_;
    int interval_ = 0;
};

class Form {
  public:
    Form(const FormDecl& decl, std::span<const ControlDecl> controls);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    const std::wstring& Name() const { return name_; }
    HWND hWnd() const { return hwnd_; }
    bool Loaded() const { return hwnd_ != nullptr; }
    std::wstring Tag;
    FontDesc Font; // the form's own font, the base of its controls' fonts

    // Creates the window (hidden) and its controls, then runs Form_Load and
    // a first Form_Resize (none comes before the controls exist).
    void Load();
    // Loads when needed and shows the window; a modal show returns when the
    // form is hidden or unloaded. The owner's window owns the form's.
    void Show(bool modal = false, Form* owner = nullptr);
    void Hide();
    // Asks Form_QueryUnload and Form_Unload; false when one of them cancelled.
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
    // Repaints the windowless controls of a container (nullptr: the form).
    void PaintLabels(HDC dc, const Control* container) const;

  protected:
    // Handlers, named as the form toolkit names them. UnloadMode: 0 the
    // window's close box, 1 the program (Unload).
    virtual void Form_Load() {}
    virtual void Form_QueryUnload(bool& /*Cancel*/, int /*UnloadMode*/) {}
    virtual void Form_Unload(bool& /*Cancel*/) {}
    virtual void Form_Resize() {}
    virtual void Form_Activate() {}

  private:
    friend class Control;
    friend LRESULT CALLBACK FormWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK ContainerWndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleCommand(WPARAM wParam, LPARAM lParam);
    LRESULT ControlColour(HDC dc, HWND control);
    void DropWindow();

    const FormDecl decl_;
    std::wstring name_;
    std::wstring caption_;
    HWND hwnd_ = nullptr;
    HWND lastFocus_ = nullptr;
    bool ready_ = false; // Form_Load has run: Form_Resize may come
    bool inModalLoop_ = false;
    std::vector<std::unique_ptr<Control>> controls_;
};

// The program-wide mouse pointer over every form: 0 each window's own,
// 1 arrow, 11 hourglass, 13 arrow with hourglass, 14 arrow with question
// mark, and the other codes of the form toolkit's pointer setting.
int ScreenMousePointer();
void SetScreenMousePointer(int pointer);

// Every loaded form, in the order they were loaded.
const std::vector<Form*>& LoadedForms();
// The loaded form whose window is active, or nullptr.
Form* ActiveForm();
// Lets Tab, Enter and Esc work in forms; true when the message was used.
bool FormDialogMessage(MSG& msg);
// Handles every pending message of the thread once and returns.
void DoEvents();
// Runs the message loop until no form is loaded any more.
void RunMessageLoop();
