#include "wizard/frame/Cursor.h"

#include "wizard/frame/Errors.h"
#include "wizard/frame/Help.h"

clsCursor::clsCursor() {
    RunSteps(L"clsCursor.Class_Initialize", {[&] { PreviousCursor = ScreenMousePointer(); }});
}

clsCursor::~clsCursor() {
    hold_.reset(); // input back first, then the controls and the pointer
    Procedure run(L"clsCursor.Class_Terminate");
    for (size_t i = 0; i < controls_.size(); ++i)
        if (!run([&] { controls_[i]->SetEnabled(!stayDisabled_[i]); }))
            return;
    if (!run([&] { SetScreenMousePointer(PreviousCursor); }))
        return;
    run([&] {
        if (HideLater)
            HideLater->SetVisible(false);
    });
}

void clsCursor::DisableControl(Control& ctrl, bool StayDisabled) {
    controls_.push_back(&ctrl);
    stayDisabled_.push_back(StayDisabled);
    ctrl.SetEnabled(false);
    DoEvents();
}

void clsCursor::HoldInput(const Form& form) {
    if (!hold_ && form.hWnd())
        hold_.emplace(form.hWnd());
}

bool Handle_WM_SETCURSOR(Form& frm, HWND hWnd, LPARAM /*lParam*/, bool force) {
    bool wanted = force;
    bool set = false;
    RunSteps(L"modCursor.Handle_WM_SETCURSOR",
             {[&] {
                  if (wanted)
                      return;
                  if (hWnd == frm.hWnd()) {
                      wanted = frm.MousePointer == PointerCustom && !frm.MouseIcon;
                      return;
                  }
                  const Control* control = GetControlFromHwnd(hWnd);
                  if (!control)
                      return;
                  wanted = (control->MousePointer == PointerCustom && !control->MouseIcon) ||
                           (control->Flags() & CtlHand);
              },
              [&] {
                  if (!wanted)
                      return;
                  if (const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND)) {
                      SetCursor(hand);
                      set = true;
                  }
              }});
    return set;
}
