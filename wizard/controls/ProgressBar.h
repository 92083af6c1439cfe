// The progress bar at the foot of the wizard: the display the frame's
// Progress drives (wizard/frame/Progress.h).
#pragma once

#include "wizard/frame/Form.h"
#include "wizard/frame/Progress.h"

// A drawn control whose window hosts a platform progress window; its row:
// {.Name = L"ProgBar", .Kind = ControlKind::Custom, ..., .Factory = MakeDrawn<ProgressBar>}.
class ProgressBar : public DrawnControl, public ProgressDisplay {
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
    void Begin(int max, int pos, int delay) override;
    void SetPos(int position) override;
    void SetRange(int minimum, int maximum) override;
    void End() override;
    void SetState(int State);

  protected:
    void Resize(int width, int height) override;
    void OnDestroy() override;
};
