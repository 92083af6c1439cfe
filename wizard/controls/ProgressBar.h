// The progress bar at the foot of the wizard, and the driver an operation
// uses for as long as it runs. Both run on the user-interface thread: every
// position change lets pending messages through, so the caller may be
// re-entered by handlers and timers.
#pragma once

#include "wizard/frame/Form.h"

// A drawn control whose window hosts a platform progress window; its row:
// {.Name = L"ProgBar", .Kind = ControlKind::Custom, ..., .Factory = MakeDrawn<ProgressBar>}.
class ProgressBar : public DrawnControl {
  public:
    ProgressBar() = default;
    ~ProgressBar() override;

    HWND CtlWnd = nullptr; // the progress window; nullptr when none
    // Pause after each position change: 0 none, > 0 that many milliseconds,
    // < 0 a random pause up to its absolute value.
    int Delay = 0;

    // Replaces any progress window by a new one filling the client area.
    void Create();
    void Destroy();
    LRESULT Message(UINT message, WPARAM wParam, LPARAM lParam);
    void SetPos(int position);
    void SetRange(int minimum, int maximum);
    void SetState(int State);

  protected:
    void Resize(int width, int height) override;
    void OnDestroy() override;
};

// Binds to a ProgressBar for the time of one operation; removes the progress
// window and hides the control when destroyed, explicitly or at its end.
class Progress {
  public:
    Progress() = default;
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;
    ~Progress();

    ProgressBar* Prog = nullptr;

    void Init(ProgressBar& prog, int Max, int Pos, int Delay);
    void Destroy();
    // Nothing happens on a Progress that was never initialised.
    void Pos(int NewPos);
    void Max(int NewMax);
};
