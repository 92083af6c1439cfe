// The colour field: a platform drop-down list with no items whose selection
// field shows a swatch of the colour; opening it shows the palette pop-up in
// place of the platform's list, which never shows. Row:
// {.Name = L"clrBackground", .Kind = ControlKind::Custom, ..., .Factory = MakeDrawn<ColorDrop>}.
#pragma once

#include "wizard/controls/frmColorDropdown.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/SubClass.h"

#include <windows.h>

#include <functional>
#include <memory>

class ColorDrop : public DrawnControl {
  public:
    ColorDrop();
    ~ColorDrop() override;

    // A colour was chosen in the pop-up (before it closes).
    std::function<void(COLORREF NewColor)> Changed;
    // The pop-up opened or closed.
    std::function<void(bool IsDown)> Dropped;

    COLORREF Color() const;
    void SetColor(COLORREF NewColor);
    bool Down() const { return down_; }
    void SetDown(bool NewVal);
    // Makes the combo box, its hooks and the pop-up, once.
    void Init();
    LRESULT SendMsg(UINT message, WPARAM wParam, LPARAM lParam);

    HWND ComboWnd() const { return combo_; }
    frmColorDropdown& Popup() { return *drop_; }
    // The field shows the held cell's colour (the pop-up calls it).
    void ShowHeld();
    const wchar_t* KindName() const override { return L"ColorDrop"; }

  protected:
    void OnCreate() override;
    void OnDestroy() override;
    void Paint(HDC dc, const RECT& client) override;
    UINT DlgCode(WPARAM key, const MSG* message) override;
    bool KeyDown(int key, int shift) override;
    void FocusChanged(bool focused) override;
    void TimerTick(UINT_PTR id) override;
    void Resize(int width, int height) override;
    void EnabledChanged(bool enabled) override;
    std::optional<LRESULT> ChildMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> OtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // The one swatch: the selection field filled with Color and framed.
    void DrawSwatch(HDC dc, const RECT& field) const;
    void RepaintField();
    RECT FieldRect() const;
    HWND ListWnd() const;
    void Refocus();
    void scCombo_GotMessage(HWND& hWnd, UINT& msg, WPARAM& wp, LPARAM& lp, bool& Proceed,
                            LRESULT& ReturnValue);
    void scDropdown_GotMessage(HWND& hWnd, UINT& msg, WPARAM& wp, LPARAM& lp, bool& Proceed,
                               LRESULT& ReturnValue);

    HWND combo_ = nullptr;
    bool selfPainted_ = false; // from level 3 the combo paints itself, the swatch over it
    bool down_ = false;
    bool refocusing_ = false;
    std::unique_ptr<frmColorDropdown> drop_;
    SubClasser scCombo;
    SubClasser scDropdown;
};
