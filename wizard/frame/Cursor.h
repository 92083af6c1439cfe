// clsCursor: the busy pointer and disabled controls of one piece of work,
// all put back when the object goes, on every way out of the procedure.
#pragma once

#include "wizard/frame/Form.h"
#include "wizard/frame/MessagePump.h"

#include <optional>
#include <vector>

class clsCursor {
  public:
    // Remembers the program-wide pointer in force now.
    clsCursor();
    clsCursor(const clsCursor&) = delete;
    clsCursor& operator=(const clsCursor&) = delete;
    // Enables the registered controls (or leaves the StayDisabled ones
    // disabled), restores PreviousCursor and hides HideLater.
    ~clsCursor();

    int PreviousCursor = 0;
    Control* HideLater = nullptr;

    // Disables a control now and lets the change show at once.
    void DisableControl(Control& ctrl, bool StayDisabled);
    // The form takes no keys or clicks until the work ends, so none of its
    // handlers can run inside the work when it pumps messages.
    void HoldInput(const Form& form);

  private:
    std::optional<InputHold> hold_;
    std::vector<Control*> controls_;
    std::vector<bool> stayDisabled_;
};

// modCursor: the hand cursor over clickable controls. True when it set the
// hand (the caller then ends the message): with `force`; over the form itself
// when its MousePointer is 99 without a MouseIcon; over a control found by its
// window with the same, or declared with CtlHand. Labels have no window and
// so never get it here.
bool Handle_WM_SETCURSOR(Form& frm, HWND hWnd, LPARAM lParam, bool force);
