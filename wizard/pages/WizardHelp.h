// The wizard window's own routing of tips and help messages.
#pragma once

#include "wizard/frame/Form.h"

#include <windows.h>

// The wizard window's messages for tips and help: deactivation and a lost
// focus end the tip; the pointer, F1 and the system menu go to their
// handlers. True when the message was one of these (then it is answered).
bool WizardHelpMessage(Form& frm, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                       bool& Proceed, LRESULT& ReturnValue);
