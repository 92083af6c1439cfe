// A small wizard-like window: the form layer's worked example (see README.md
// beside this file). The creator shows frmWizard (wizard/pages/).
#pragma once

#include "wizard/controls/ProgressBar.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/SubClass.h"

class frmStandIn : public Form, public WizardHelpMembers {
  public:
    frmStandIn();
    Control& picContextHelp() override;
    Control& txtTip() override;
    ProgressBar& ProgBar; // the one progress bar at the foot of the window

  protected:
    void Form_Load() override;
    void Form_Unload(bool& Cancel) override;

  private:
    void cmdExit_Click();
    void sc_GotMessage(HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                       LRESULT& ReturnValue);
    SubClasser sc;
};
