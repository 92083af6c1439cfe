// modHelp: finding a window's control for the context help, the hand cursor
// and the custom controls.
#pragma once

#include "wizard/frame/Form.h"

// The control of `form` whose window is `window`; with no form, the active
// form's, then every loaded form's in turn. nullptr when none matches.
Control* GetControlFromHwnd(HWND window, Form* form = nullptr);
