#include "wizard/frame/Cursor.h"

#include "wizard/frame/Errors.h"

clsCursor::clsCursor() {
    RunSteps(L"clsCursor.Class_Initialize", {[&] { PreviousCursor = ScreenMousePointer(); }});
}

clsCursor::~clsCursor() {
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
