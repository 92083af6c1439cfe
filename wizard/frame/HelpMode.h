// The help modes: the wizard's (its "?" system command) and the what's-this
// mode of other forms. Help cursor, mouse captured; a click, Esc or a lost
// capture ends either, so the mouse is never left captured.
#pragma once

#include "wizard/frame/WizardHelpMembers.h"

#include <windows.h>

// Starts a help mode with the mouse captured by `capture` on `form`; with
// `wizard`, the wizard's (ContextHelp set while it runs), else what's-this.
void StartHelpMode(HWND capture, HWND form, WizardHelpMembers* wizard);
// Runs the what's-this mode for a form the "?" button asked it for: the next
// left press sends WM_HELP for the child under it; Esc or a press outside ends it.
void StartWhatsThis(HWND form);
// A help mode (the wizard's or what's-this) is on.
bool HelpModeActive();
