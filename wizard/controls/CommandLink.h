// A flat push button in the toolbar-button look: a title over a description,
// or one 16 x 16 picture ("!NAME" caption). Its row's ToolTipText is the
// caption, read at creation and then cleared, so it never shows as a tip:
// {.Name = L"cmdTest", .Kind = ControlKind::Custom, ...,
//  .ToolTipText = L"Title|Description", .Factory = MakeDrawn<CommandLink>}.
#pragma once

#include "common/Handles.h"
#include "core/CommandLinkRules.h"
#include "wizard/frame/Form.h"

#include <functional>
#include <string>

class CommandLink : public DrawnControl {
  public:
    CommandLink() = default;
    ~CommandLink() override;

    // A click, Enter or Space while enabled.
    std::function<void()> Click;

    bool AlwaysHot() const { return alwaysHot_; }
    void SetAlwaysHot(bool value);
    // The control's own flag; the record's (form layer) counts too.
    bool Enabled() const;
    void SetEnabled(bool value);
    // Each text gets two spaces after it.
    void SetText(const std::wstring& Title, const std::wstring& Desc);

    // The state drawn: disabled while not Enabled.
    int State() const { return CurrentState(); }
    const std::wstring& Title() const { return title_; }
    const std::wstring& Desc() const { return desc_; }
    bool PictureMode() const { return picture_; }
    const std::wstring& PictureName() const { return pictureName_; }
    const wchar_t* KindName() const override { return L"CommandLink"; }

  protected:
    void OnCreate() override;
    void OnDestroy() override;
    void Paint(HDC dc, const RECT& client) override;
    void MouseDown(int button, int shift, int x, int y) override;
    void MouseUp(int button, int shift, int x, int y) override;
    void MouseMove(int buttons, int shift, int x, int y) override;
    UINT DlgCode(WPARAM key, const MSG* message) override;
    bool KeyDown(int key, int shift) override;
    bool KeyUp(int key, int shift) override;
    bool KeyPress(wchar_t character) override;
    void FocusChanged(bool focused) override;
    void TimerTick(UINT_PTR id) override;
    bool SetCursorFor(int hitTest) override;
    void EnabledChanged(bool enabled) override;

  private:
    int CurrentState() const;
    void ChangeState(int newState);
    void AnimateChange(int oldState);
    // One drawing of the control in `state` (-1: the current one).
    void DrawLink(HDC dc, int state);
    void DrawNow();
    void MoveRule(int x, int y);
    void ButtonUp(int x, int y);
    bool Inside(int x, int y) const;
    void RaiseClick();

    bool alwaysHot_ = false;
    bool enabled_ = true;
    int state_ = LinkNormal;
    bool buffered_ = false;
    bool animationStarted_ = false;
    bool picture_ = false;
    std::wstring pictureName_;
    std::wstring title_ = L"A", desc_ = L"B";
    UniqueFont titleFont_, descFont_;
    bool spaceDown_ = false;
};
