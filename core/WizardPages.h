// The wizard's six pages, as picStep indexes them, in the order Next walks
// them. CurrentStep holds one of them, or -1 before the first move.
#pragma once

#include <cstdint>

enum WizardPage : int32_t {
    PageWelcome,    // "Welcome!": a saver to reopen
    PageLogo,       // "Select Logo"
    PageAnimations, // "Configure Screensaver Animations"
    PageName,       // "More Options": name, about text, web address, icon
    PageSave,       // "Ready to Create": where to save, the installer
    PageDone,       // "All Done!"
};
