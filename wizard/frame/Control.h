// One control of a form: a row of the form's table at run time, with the
// notions the creator is described in (Name, Index, Caption, Tag,
// ToolTipText, TabIndex, Container, Enabled, Visible, Font, twips). Drawn
// controls put a DrawnControl object on their row. See README.md.
#pragma once

#include "wizard/frame/Fonts.h"
#include "wizard/frame/Twips.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

enum class ControlKind {
    Label,         // no window: drawn and hit-tested by its container
    CommandButton, // BUTTON
    CheckBox,      // BUTTON, BS_AUTOCHECKBOX
    OptionButton,  // BUTTON, BS_AUTORADIOBUTTON
    TextBox,       // EDIT
    ComboBox,      // COMBOBOX
    ListBox,       // LISTBOX
    Frame,         // container with an etched border and a caption
    PictureBox,    // plain container
    Timer,         // no window: a timer of the form's window
    Image,         // no window: a picture its container paints (ImageControl)
    Shape,         // no window: a rectangle its container fills with BackColor
    Custom,        // a drawn control: the row's Factory makes its object
};

// Flags of a control declaration.
enum : unsigned {
    CtlDisabled = 1u << 0,
    CtlHidden = 1u << 1,
    CtlDefault = 1u << 2,    // command button pressed by Enter
    CtlCancel = 1u << 3,     // command button pressed by Esc
    CtlWordWrap = 1u << 4,   // labels: wrap at the width
    CtlCenter = 1u << 5,     // labels: centred text
    CtlRight = 1u << 6,      // labels: right-aligned text
    CtlNoTabStop = 1u << 7,  // not reached with Tab
    CtlBold = 1u << 8,       // bold font
    CtlBorder = 1u << 9,     // sunken client edge (text boxes have it always)
    CtlMultiLine = 1u << 10, // text boxes
    CtlStretch = 1u << 11,   // images: the picture fills the control
    CtlHand = 1u << 12       // the hand cursor over it (Handle_WM_SETCURSOR)
};

class Form;
class Control;
class DrawnControl;
class ImageControl;

// BackColor may name a system colour: this bit | its COLOR_* index.
constexpr COLORREF SystemColourReference = 0x80000000;

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
    std::unique_ptr<DrawnControl> (*Factory)() = nullptr; // Custom: makes the drawn control
    int Interval = 0;                                     // Timer: milliseconds, 0 = stopped
};

// The row's factory for a drawn control class: .Factory = MakeDrawn<ProgressBar>.
template <typename T> std::unique_ptr<DrawnControl> MakeDrawn() {
    return std::make_unique<T>();
}

// Mouse pointers of controls and forms (MousePointer): 0 the window's own,
// 1 arrow, 2 cross, 3 I-beam, 5 size-all, 6-9 sizing arrows, 10 up arrow,
// 11 hourglass, 12 no-drop, 13 arrow with hourglass, 14 arrow with question
// mark, 15 size-all, 99 MouseIcon.
constexpr int PointerCustom = 99;
// The cursor a pointer code stands for; nullptr for 0 and unknown codes.
LPCWSTR PointerCursor(int pointer);

class Control {
  public:
    Control(Form& form, const ControlDecl& decl);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    ~Control();

    Form& Parent() const { return form_; }
    const std::wstring Name;
    const int Index;
    const ControlKind Kind;
    Control* Container = nullptr; // nullptr: the form itself
    std::wstring Tag;
    int TabIndex = 0;
    COLORREF ForeColor = CLR_INVALID; // CLR_INVALID: the system's text colour
    COLORREF BackColor = CLR_INVALID; // CLR_INVALID: the container's (button face)
    int MousePointer = 0;             // see PointerCursor
    HCURSOR MouseIcon = nullptr;      // pointer 99; the caller keeps it alive

    // Events, wired in the form's constructor: ctl.Click = [this] { cmdOK_Click(); };
    std::function<void()> Click, DblClick, Change, GotFocus, LostFocus, Timer;
    // Picture boxes: the mouse over the box (Button 1 left, 2 right, 4
    // middle; Shift as Form_KeyDown's; X and Y pixels of its client area).
    // A press and release of the left button on the box is its Click.
    // Images: MouseMove, through their container (X and Y in the image).
    std::function<void(int Button, int Shift, int X, int Y)> MouseDown, MouseMove, MouseUp;
    // WM_DRAWITEM, WM_MEASUREITEM, WM_NOTIFY, WM_HSCROLL, WM_VSCROLL and
    // WM_CTLCOLOR* that this platform control sent to its form or container;
    // a value answers the message.
    std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)> OwnerMessage;

    // The drawn control standing on this row (Custom), from the form's
    // construction to its end.
    DrawnControl* Object() const { return object_.get(); }
    template <typename T> T& As() const { return dynamic_cast<T&>(*object_); }
    // The picture of an image control; raises 5 for other kinds.
    ImageControl& Image() const;

    // The window, or nullptr for labels, timers and unloaded forms.
    HWND hWnd() const { return hwnd_; }
    int Id() const { return id_; }
    bool IsDefault() const { return (decl_.Flags & CtlDefault) != 0; }
    bool IsCancel() const { return (decl_.Flags & CtlCancel) != 0; }

    std::wstring Caption() const;
    void SetCaption(const std::wstring& text);
    std::wstring Text() const { return Caption(); }
    void SetText(const std::wstring& text) { SetCaption(text); }
    // Shown by the form's plain tooltip while not empty (windowed controls).
    const std::wstring& ToolTipText() const { return toolTipText_; }
    void SetToolTipText(const std::wstring& text);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Visible and enabled, and so are all its containers.
    bool Usable() const;
    // Check boxes and option buttons: 0 unchecked, 1 checked, 2 grey.
    int Value() const;
    void SetValue(int value);
    bool WordWrap() const { return (flags_ & CtlWordWrap) != 0; }
    unsigned Flags() const { return flags_; }

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
    friend LRESULT CALLBACK DrawnControlWndProc(HWND, UINT, WPARAM, LPARAM);
    void Reset();
    void CreateWindowFor(HWND parent);
    void Detach();
    void RestartTimer();

    Form& form_;
    const ControlDecl decl_;
    std::unique_ptr<DrawnControl> object_;
    std::unique_ptr<ImageControl> image_;
    int id_ = 0;
    HWND hwnd_ = nullptr;
    std::wstring caption_; // windowless controls and containers
    std::wstring toolTipText_;
    bool enabled_ = true;
    bool visible_ = true;
    unsigned flags_ = 0;
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    FontDesc font_;
    SharedFont hfont_;
    int interval_ = 0;
};

// Base of the creator's drawn controls: the form layer owns their window
// class, binds the object to its window from WM_NCCREATE to WM_NCDESTROY and
// turns the window's messages into these handlers. The object lives with its
// form; its window exists from the form's Load to its Unload. Notifications
// to the form (Changed, Dropped, AdjustSize, ...) are members of the derived
// class, wired in the form's constructor like Click.
class DrawnControl {
  public:
    DrawnControl() = default;
    DrawnControl(const DrawnControl&) = delete;
    DrawnControl& operator=(const DrawnControl&) = delete;
    virtual ~DrawnControl() = default;

    Control* Extender() const { return extender_; }
    HWND hWnd() const { return hwnd_; }
    // A control that registers its own tooltip tool is left out by
    // ToolTipClass when no text is given for it.
    virtual bool RegistersOwnTool() const { return false; }
    // The kind's name: its window class is "Quorvel" + this, so tools and
    // tests tell the kinds apart.
    virtual const wchar_t* KindName() const { return L"DrawnControl"; }

  protected:
    // Mouse buttons: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt.
    // Created: the row's properties are there to read, before Form_Load.
    virtual void OnCreate() {}
    // The window goes (its children with it).
    virtual void OnDestroy() {}
    // WM_PAINT and WM_PRINTCLIENT; `client` is the client rectangle. The
    // default fills it with the control's background.
    virtual void Paint(HDC dc, const RECT& client);
    virtual void MouseDown(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
    virtual void MouseUp(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {}
    virtual void MouseMove(int /*buttons*/, int /*shift*/, int /*x*/, int /*y*/) {}
    virtual void MouseLeave() {}
    virtual void CaptureChanged() {}
    // true when the wheel was used.
    virtual bool MouseWheel(int /*delta*/, int /*shift*/) { return false; }
    // The WM_GETDLGCODE answer: which keys the control wants.
    virtual UINT DlgCode() { return 0; }
    // The same, knowing the key and its message (nullptr when not given),
    // for controls that want Enter but leave Tab to the form.
    virtual UINT DlgCode(WPARAM /*key*/, const MSG* /*message*/) { return DlgCode(); }
    virtual bool KeyDown(int /*key*/, int /*shift*/) { return false; }
    virtual bool KeyUp(int /*key*/, int /*shift*/) { return false; }
    virtual bool KeyPress(wchar_t /*character*/) { return false; }
    // Focus came (true) or went; with it, the control is its form's ActiveControl.
    virtual void FocusChanged(bool /*focused*/) {}
    virtual void TimerTick(UINT_PTR /*id*/) {}
    virtual void Resize(int /*width*/, int /*height*/) {}
    // WM_SETCURSOR over the control; true when it set the cursor.
    virtual bool SetCursorFor(int /*hitTest*/) { return false; }
    virtual void EnabledChanged(bool /*enabled*/) {}
    // WM_COMMAND, WM_NOTIFY, WM_HSCROLL, WM_VSCROLL, WM_DRAWITEM,
    // WM_MEASUREITEM and WM_CTLCOLOR* of the platform windows it hosts.
    virtual std::optional<LRESULT> ChildMessage(UINT /*message*/, WPARAM /*wParam*/,
                                                LPARAM /*lParam*/) {
        return std::nullopt;
    }
    // Any other message; nullopt lets DefWindowProc have it.
    virtual std::optional<LRESULT> OtherMessage(UINT /*message*/, WPARAM /*wParam*/,
                                                LPARAM /*lParam*/) {
        return std::nullopt;
    }

  private:
    friend class Control;
    friend class Form;
    friend LRESULT CALLBACK DrawnControlWndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    Control* extender_ = nullptr;
    HWND hwnd_ = nullptr;
    bool tracking_ = false; // TrackMouseEvent asked for WM_MOUSELEAVE
};

// The window class of one kind of drawn control ("Quorvel" + kind), all
// with the layer's one window procedure, registered on first use.
const wchar_t* DrawnControlClass(const wchar_t* kind = L"DrawnControl");
