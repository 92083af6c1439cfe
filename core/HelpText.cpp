#include "core/HelpText.h"

#include "core/SaverRecord.h"
#include "resources/SettingsIds.h"

const char* HelpText(int32_t page, int32_t control) {
    switch (control) {
    case IDC_SPEED:
        switch (page) {
        case EffectBounce:
            return "This sets the speed that the logo will move";
        case EffectDrip:
            return "This specifies how fast the drips are";
        case EffectFalling:
            return "This sets how fast the logos will move";
        default:
            return nullptr;
        }
    case IDC_ENABLED:
        return "Check this to enable this animation. When an animation is enabled, it will be "
               "randomly selected from the other enabled savers to be shown when the screensaver "
               "is active.";
    case IDC_GRAVITY:
        return "When checked, the logo will drop to the bottom of the screen, like a ball. If "
               "unchecked, the logo will simply bounce diagonally.";
    case IDC_BOUNCE_SIDES:
        return "When checked, the logo will bounce off the sides of the screen. This option is "
               "only usable when Gravity is on.";
    case IDC_DELAY:
        return page == EffectStandard
                   ? "This sets how long the logo is to be shown for, before changing position."
                   : "This how fast the logos will appear";
    case IDC_HIDE:
        return "When checked, the Tab for this animation won't be displayed in the final "
               "Screensaver's settings dialog.";
    case IDC_CHANGE:
        return "When checked, a new animation will be chosen after the specified delay.";
    case IDC_MINUTES:
    case IDC_MINUTES_SPIN:
        return "This sets the delay between each new animation";
    case IDC_IGNORE_KEYS:
        return "When checked, the screensaver will ignore any key presses and continue to run.";
    case IDC_IGNORE_CLICKS:
        return "When checked, the screensaver will ignore any mouse clicks and continue to run.";
    case IDC_IGNORE_MOVES:
        return "When checked, the screensaver will ignore any mouse movement and continue to "
               "run.";
    case IDC_ABOUT_OK:
        return "Click here to close this dialog.";
    case IDC_PREVIEW:
        return "Click here to see a preview of the currently displayed settings.";
    case IDC_FADE:
        return page == EffectStandard
                   ? "This causes the logo to fade in and out"
                   : "Enable this to make the logos appear darker when they are further away";
    case IDC_TILE:
        return "Check this option to repeat the logo to cover the whole screen. Useful for "
               "smaller images.";
    case IDC_COUNT:
    case IDC_COUNT_SPIN:
        return "This specifies how many logos should appear";
    case IDC_DIRECTION:
        return "Choose the direction that the logos will travel";
    default:
        return nullptr;
    }
}
