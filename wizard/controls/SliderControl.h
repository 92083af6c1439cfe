// The scale slider: a platform trackbar filling the control, positions 1 to
// 300 with a tick every 20, every change reported to the owner.
#pragma once

#include "common/Handles.h"
#include "wizard/frame/Form.h"

#include <functional>

// Its row: {.Name = L"scrScale", .Kind = ControlKind::Custom, ...,
// .Factory = MakeDrawn<SliderControl>}.
class SliderControl : public DrawnControl {
  public:
    const wchar_t* KindName() const override { return L"SliderControl"; }

    // The trackbar (its thumb rectangle places the Scale Image tip).
    HWND hWndCtl() const { return trackbar_; }
    int Value() const;
    // Moves the thumb and raises Changed(false) before it returns.
    void SetValue(int position);

    // Scroll is true while the user drags the thumb.
    std::function<void(bool Scroll)> Changed;
    // A drag of the thumb is under way: from its first move up to and
    // including its closing notifications (thumb position, end of tracking),
    // which raise Changed(false).
    bool Tracking() const { return tracking_; }

  protected:
    void OnCreate() override;
    void OnDestroy() override;
    void Resize(int width, int height) override;
    void FocusChanged(bool focused) override;
    void EnabledChanged(bool enabled) override;
    std::optional<LRESULT> ChildMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void RaiseChanged(bool scroll);
    HWND trackbar_ = nullptr; // destroyed with the control's window
    bool tracking_ = false;
    UniqueBrush back_; // the container's background behind the trackbar
    COLORREF backColour_ = CLR_INVALID;
};
