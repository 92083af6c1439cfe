// "Installer Options": the modal dialog in which the user chooses how the
// setup program behaves. It shows the switches of CurrentInstallerOptions()
// as check boxes, stores them on OK and leaves them alone on Cancel. The
// wizard loads it, calls LoadSettings and shows it modally, owned by itself.
#pragma once

#include "wizard/frame/Form.h"
#include "wizard/frame/SubClass.h"

class frmAdvanced : public Form {
  public:
    // `webAddress` is the wizard's box that holds the web address.
    explicit frmAdvanced(const Control& webAddress);
    Control &chkActive, &chkLogon, &chkStartMenu, &chkSysDir, &chkUninstall, &chkWebLink,
        &cmdCancel, &cmdOK;

    // Sets the check boxes from the installer options.
    void LoadSettings();

    void chkStartMenu_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

  protected:
    void Form_Load() override;

  private:
    void sc_GotMessage(HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                       LRESULT& ReturnValue);
    bool HasWebAddress() const;
    const Control& webAddress_;
    SubClasser sc;
};
