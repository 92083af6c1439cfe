#include "core/EffectInfo.h"

#include "core/SaverRecord.h"

const EffectInfo EffectInfoTable[EffectCount + 1] = {
    {EffectStatic, "Static", "The logo is displayed in the middle of the screen.", 9, 0, 0},
    {EffectStandard, "Standard",
     "The logo is displayed at random positions. This is similar to the standard Windows Logo "
     "screensaver.",
     105, 0, 0},
    {EffectBounce, "Bounce", "The logo bounces across the screen.", 106, 1, 0},
    {EffectMany, "Many", "Many logos are displayed at random positions.", 107, 0, 0},
    {EffectDrip, "Drip", "The logo is displayed with a dripping effect.", 2004, 0, 0},
    {EffectFalling, "Falling", "Many logos falling down the screen.", 2005, 1, 0},
    {EffectSlider, "Slider", "Sliding tile puzzle.", 2006, 0, 0},
    {0, nullptr, nullptr, 0, 0, 0},
};

int FindEffect(int32_t mask) {
    for (int i = 0; EffectInfoTable[i].Name; ++i)
        if (EffectInfoTable[i].Mask == mask)
            return i;
    return -1;
}
