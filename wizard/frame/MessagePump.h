// The thread's one message pump, shared by a modal Show, DoEvents and
// RunMessageLoop: Tab, Enter and Esc work in forms, and the message being
// dispatched can be asked for (a WM_HELP raised while F1's key message is
// dispatched comes from the keyboard).
#pragma once

#include <windows.h>

#include <functional>

// Shows a key press to its form's Form_KeyDown; true when the form took it.
bool PreviewFormKey(const MSG& msg);
// Lets Tab, Enter and Esc work in forms; true when the message was used.
bool FormDialogMessage(MSG& msg);
// Handles every pending message of the thread once and returns.
void DoEvents();
// Runs the message loop until no form is loaded any more.
void RunMessageLoop();
// Pumps (waiting for messages) while `keepGoing` holds; false once WM_QUIT
// came, which is posted again for the outer loop.
bool PumpWhile(const std::function<bool()>& keepGoing);
// The message the pump is dispatching now (innermost), or nullptr.
const MSG* DispatchedMessage();
// Sees each message before it is dispatched; true swallows it (the help
// modes end on Esc this way). nullptr: none.
extern bool (*PumpFilter)(const MSG& msg);
// While a top-level window's input is held, the pump drops the keys and the
// mouse buttons meant for it or its children (moves still pass): a window
// busy with long work that pumps messages takes no input meanwhile. Holds
// nest; each HoldInput is ended by one ReleaseInput.
void HoldInput(HWND top);
void ReleaseInput(HWND top);

// Holds a top-level window's input for the object's life.
class InputHold {
  public:
    explicit InputHold(HWND top) : top_(top) { HoldInput(top_); }
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;
    ~InputHold() { ReleaseInput(top_); }

  private:
    HWND top_;
};
