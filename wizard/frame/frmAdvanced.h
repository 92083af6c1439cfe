// "Installer Options": the modal dialog in which the user chooses how the
// setup program behaves. It shows the switches of CurrentInstallerOptions()
// as check boxes, stores them on OK and leaves them alone on Cancel. The
// wizard loads it, calls LoadSettings and shows it modally, owned by itself.
#pragma once

#include "wizard/frame/Form.h"
#include "wizard/frame/SubClass.h"

class frmAdvanced : public Form {
  public:
    // `wizard` is the form whose "txtURL" holds the web address.
    explicit frmAdvanced(Form& wizard);

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
    Form& wizard_;
    SubClasser sc;
};
