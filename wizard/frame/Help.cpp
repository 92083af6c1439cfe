#include "wizard/frame/Help.h"

#include "wizard/frame/Errors.h"

Control* GetControlFromHwnd(HWND window, Form* form) {
    Control* found = nullptr;
    RunSteps(L"modHelp.GetControlFromHwnd", {[&] {
                 if (form) {
                     found = form->FindByHwnd(window);
                     return;
                 }
                 if (Form* active = ActiveForm())
                     if ((found = active->FindByHwnd(window)))
                         return;
                 for (Form* loaded : LoadedForms())
                     if ((found = loaded->FindByHwnd(window)))
                         return;
             }});
    return found;
}
