// The two steps of starting an effect that the saver library does its own
// way (it has no logo block, and it can force the effect of a preview). The
// library sets these when it is attached; the screensaver keeps the
// defaults.
#pragma once

struct SaverHooks {
    // Loads the logo into LogoDC/LogoRect; false when the program has to
    // end. Default: LoadSaverLogo.
    bool (*LoadLogo)();
    // Row index of the effect to start (EnabledMask is known to be > 0), or
    // -1 for none. Default: the random pick avoiding CurrentEffect.
    int (*ChooseEffect)();
};

extern SaverHooks Hooks;

// The screensaver's random pick (the default ChooseEffect).
int ChooseRandomEffect();
