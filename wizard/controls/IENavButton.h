// The round back and forward buttons of the wizard's header: one control,
// two halves (0 back, 1 forward), each with its state and enabled flag.
// Pictures come from the platform's travel-button theme or bitmaps when it
// has them, else from our own.
#pragma once

#include "common/MemoryBitmap.h"
#include "core/TravelButtons.h"
#include "wizard/frame/Form.h"

#include <functional>
#include <optional>

// Picture sources, in order of preference: 0 the "NAVIGATION" theme, 1 the
// browser frame library, 2 the shell library, 3 our own. Tests let only some
// of them work; nullptr: all may.
extern bool (*TravelSourceAllowed)(int source);

// Its row: {.Name = L"Nav", .Kind = ControlKind::Custom, ...,
// .Factory = MakeDrawn<IENavButton>}.
class IENavButton : public DrawnControl {
  public:
    IENavButton() = default;
    ~IENavButton() override;

    const wchar_t* KindName() const override { return L"IENavButton"; }

    // One half's picture in pixels: 28 from the theme, 25 from bitmaps, 0
    // when no source worked (the host hides the control then).
    int ImgSize = 0;
    // The source that gave the pictures, -1 none.
    int Source() const { return source_; }

    // 0 normal, 1 hot, 2 pressed. An index other than 0 and 1 raises 9.
    int State(int index) const;
    void SetState(int index, int value);
    bool Enabled(int index) const;
    void SetEnabled(int index, bool enabled);
    // Redraws half 0, half 1, or both (-1); the back half animates its
    // change where buffered animations exist.
    void Update(int index);
    // Makes the four looks' pictures again (the background or glass
    // changed); raises AdjustSize. It runs by itself when the control is
    // shown and when it paints after the glass frame went on or off.
    void RebuildImages();

    std::function<void()> AdjustSize;
    std::function<void(int Index)> Click;

  protected:
    void OnCreate() override;
    void OnDestroy() override;
    void Paint(HDC dc, const RECT& client) override;
    void MouseDown(int button, int shift, int x, int y) override;
    void MouseUp(int button, int shift, int x, int y) override;
    void MouseMove(int buttons, int shift, int x, int y) override;
    bool SetCursorFor(int hitTest) override;
    std::optional<LRESULT> OtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool LoadImages(int source);
    bool LoadLook(int source, void* handle, int look, COLORREF back);
    int LookOf(int index) const;
    void DrawHalf(HDC dc, int index, int look);
    void DrawNow(int index, int look);
    void AnimateHalf(int index, int oldLook, int newLook);
    void PointerCursor(int x, int y);
    void Apply(const TravelPointer& before, TravelCapture capture);

    MemoryBitmap pics_[4]; // normal, hot, pressed, disabled: both halves side by side
    bool enabled_[2] = {true, false};
    int lastLook_[2] = {0, 0};
    bool drawnOnce_ = false;
    bool buffered_ = false;
    bool animationStarted_ = false;
    int source_ = -1;
    bool builtOnGlass_ = false; // the glass state the pictures were made for
    TravelPointer pointer_;
};
