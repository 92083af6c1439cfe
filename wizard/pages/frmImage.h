// The actual-size pop-up: a borderless window in the tooltip's colours that
// shows a picture at its real size times a scale, just below the pointer,
// until the pointer moves away or onto it.
#pragma once

#include "wizard/frame/Form.h"
#include "wizard/frame/SubClass.h"
#include "wizard/pages/Surface.h"

class frmImage : public Form {
  public:
    frmImage();
    Control &imgLogo, &lblText, &tmrHide;

    // `img` an image control: its picture at its natural size times
    // ImgScale, owned by img's form. Nothing happens while the pop-up shows.
    void SetImage(Control& img, double ImgScale);
    // The same for a picture box and its drawing.
    void SetImage(Control& box, const Surface& drawing, double ImgScale);
    // The pointer's place when the pop-up appeared (screen pixels).
    POINT ShownAt() const { return cursor_; }

  protected:
    void Form_Load() override;
    void Form_Resize() override;

  private:
    void Present(Control& img, const uint8_t* bgra, int width, int height, double scale);
    void tmrHide_Timer();
    void HidePopup();
    void sc_GotMessage(HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                       LRESULT& ReturnValue);

    SubClasser sc;
    RECT sha{}; // the border, over the whole client area
    POINT cursor_{};
};

frmImage& ImagePopup();
