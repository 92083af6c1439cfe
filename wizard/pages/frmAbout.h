// "About Quorvel Screensaver Creator": the creator's version, credits and site.
#pragma once

#include "wizard/controls/LinkControl.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/SubClass.h"

#include <windows.h>

#include <cstdint>

class frmAbout : public Form {
  public:
    frmAbout();
    LinkControl &lnkInno, &lnkInnoSite, &lnkSite, &lnkStbResize, &lnkStbResizeSite, &lnkZlib,
        &lnkZlibSite;
    Control &cmdOK, &imgIcon, &lblAppVer, &lblCopy, &picBack, &picCredit, &tmrScroll;

    void cmdOK_Click();
    void lnkSite_Click();
    // One step of the credits' scrolling (tmrScroll), with the pointer where it is.
    void tmrScroll_Timer();

  protected:
    void Form_Load() override;
    void Form_Unload(bool& Cancel) override;
    void Form_Activate() override;

  private:
    void sc_GotMessage(HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                       LRESULT& ReturnValue);
    void LoadGlass();
    // What the box draws over its own painting: the logo, and on glass the
    // white panel behind OK and the glowing texts.
    void PaintOver(HDC dc);
    void PaintCreditLines(HDC dc);
    bool PointerOverCredits() const;
    void MoveCredits(int top);
    // A licence link opens its file only while the file is there.
    void PointLicence(LinkControl& link, const std::wstring& file);

    SubClasser sc, scCredit;
    int32_t Counter = 0;
    bool GlassFlag = false;
    bool Widened = false; // lblAppVer widened in this showing
    int CreditTop = 0;    // picCredit's top in picBack, pixels
};

// The About box, made on first use and kept for the program's life.
frmAbout& AboutBox();

// Shows the About box owned by `owner`, modal or modeless. A request while
// the box is open brings it forward instead.
void ShowAbout(Form& owner, bool modal);
