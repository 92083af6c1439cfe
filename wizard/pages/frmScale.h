// The "Scale Image" dialog: the size, from 1 % to 300 %, at which a picture
// logo goes into the screensaver, with a miniature of the logo on a monitor
// to compare it with the whole screen.
#pragma once

#include "common/MemoryBitmap.h"
#include "wizard/controls/SliderControl.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/SubClass.h"
#include "wizard/frame/Tip.h"

#include <cstdint>

class frmWizard;

class frmScale : public Form {
  public:
    frmScale();
    SliderControl& scrScale;
    Control &cmdCancel, &cmdOK, &imgLogo, &lblNew, &lblOrig, &lblScale, &picBack, &picMonitor,
        &picScreen;

    // The wizard that opened the dialog: its logo, colour and scale.
    frmWizard* Caller = nullptr;
    double ImageScale = 1.0;

  protected:
    void Form_Load() override;
    void Form_Unload(bool& Cancel) override;

  private:
    frmWizard& Owner() const;
    void scrScale_Changed(bool Scroll);
    void cmdOK_Click();
    void cmdCancel_Click();
    void imgLogo_MouseMove();
    void PaintMonitor(HDC dc);
    void sc_GotMessage(HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                       LRESULT& ReturnValue);

    SubClasser sc, scMonitor;
    clsTip Tip;
    MemoryBitmap monitor_; // the monitor picture, premultiplied
    double LogoWidth = 0, LogoHeight = 0;
    double Factor = 0;     // miniature pixels per screen pixel
    int32_t LastTip = 0;   // the value the slider's tip shows, 0 none
    bool Snapping = false; // a snap to 100 from a drag runs
};

frmScale& ScaleDialog();
