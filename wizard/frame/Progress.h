// The progress an operation shows while it runs. The frame drives it; the
// wizard's progress bar (wizard/controls/ProgressBar.h) implements it. It runs
// on the user-interface thread: every position change lets pending messages
// through, so the caller may be re-entered by handlers and timers.
#pragma once

// A place that shows progress.
class ProgressDisplay {
  public:
    // Shows a new bar from 0 to `max` at `pos`. `delay` pauses after each
    // position change: 0 none, > 0 that many milliseconds, < 0 a random
    // pause up to its absolute value.
    virtual void Begin(int max, int pos, int delay) = 0;
    virtual void SetPos(int position) = 0;
    virtual void SetRange(int minimum, int maximum) = 0;
    // Removes the bar and hides the place again.
    virtual void End() = 0;

  protected:
    ~ProgressDisplay() = default;
};

// Binds to a ProgressDisplay for the time of one operation; ends it when
// destroyed, explicitly or at its end.
class Progress {
  public:
    Progress() = default;
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;
    ~Progress();

    ProgressDisplay* Prog = nullptr;

    void Init(ProgressDisplay& prog, int Max, int Pos, int Delay);
    void Destroy();
    // Nothing happens on a Progress that was never initialised.
    void Pos(int NewPos);
    void Max(int NewMax);
};
