// The steps of a run that the saver library does its own way (it has no
// logo block, and it can force the effect of a preview), and what happens to
// a render thread that does not stop. The library sets its own when it is
// attached; the screensaver keeps the defaults.
#pragma once

struct SaverHooks {
    // Loads the logo into LogoDC/LogoRect; false when the program has to
    // end. Default: LoadSaverLogo.
    bool (*LoadLogo)();
    // Row index of the effect to start (EnabledMask is known to be > 0), or
    // -1 for none. Default: the random pick avoiding CurrentEffect.
    int (*ChooseEffect)();
    // A render thread did not stop within StopTimeout. Default: ends the
    // process at once (EndStuckProcess), as anything freed could be in use
    // by the thread. The library leaves the run to end by itself (the
    // process is the creator's). Tests put a recorder here.
    void (*RenderThreadStuck)();
};

extern SaverHooks Hooks;

// The screensaver's random pick (the default ChooseEffect).
int ChooseRandomEffect();

// Ends the process with SaverExitCode, running no clean-up of any kind (the
// default RenderThreadStuck).
void EndStuckProcess();
