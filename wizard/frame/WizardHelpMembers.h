// What the wizard window offers the context help. The frame's help drives
// it; the wizard (wizard/pages/frmWizard.h) derives from it beside Form.
#pragma once

#include "wizard/frame/Form.h"
#include "wizard/frame/ToolTip.h"

class WizardHelpMembers {
  public:
    bool ContextHelp = false; // the wizard's help mode is on
    ToolTipClass ToolTip;     // the wizard's balloon tooltips
    virtual Control& picContextHelp() = 0;
    virtual Control& txtTip() = 0;

  protected:
    ~WizardHelpMembers() = default;
};

// The help members of `form` when it is the wizard window (the one form
// that has them); nullptr for every other form and for none.
inline WizardHelpMembers* WizardOf(Form* form) {
    return dynamic_cast<WizardHelpMembers*>(form);
}
