// Shared by the frame tests.
#pragma once

#include "wizard/frame/Form.h"

// Loads a form and shows it without activating it: under Wine without a
// window manager, hiding an active window waits two seconds for focus news.
inline void ShowInactive(Form& form) {
    form.Load();
    ShowWindow(form.hWnd(), SW_SHOWNA);
    UpdateWindow(form.hWnd());
}
