#include "core/EffectChoice.h"

#include "core/EffectInfo.h"
#include "core/Random.h"

#include <cmath>

int PickEffectRow(int32_t enabledMask, int32_t currentEffect) {
    if (enabledMask <= 0)
        return -1;
    int rows[EffectCount];
    int count = 0;
    for (int i = 0; EffectInfoTable[i].Name; ++i)
        if (EffectInfoTable[i].Mask & enabledMask)
            rows[count++] = i;
    if (count == 0)
        return -1;
    if (count == 1)
        return rows[0];
    int row = rows[0];
    for (int draw = 0; draw < 20; ++draw) {
        row = rows[Rand() % count];
        if (EffectInfoTable[row].Mask != currentEffect)
            break;
    }
    return row;
}

int32_t FrameInterval(const SaverSettings& s, int32_t currentEffect, bool contentMode) {
    if (contentMode)
        return 100;
    switch (currentEffect) {
    case EffectStatic:
        return 1000;
    case EffectStandard:
        return s.StandardDelay;
    case EffectBounce:
        return 100;
    case EffectMany:
        return s.ManyDim ? static_cast<int32_t>(std::floor(s.ManyDelay / 10.0)) : s.ManyDelay;
    case EffectDrip:
        return s.DripInterval;
    case EffectFalling:
        return s.FallingInterval;
    case EffectSlider:
        return s.SliderInterval;
    default:
        return 5000;
    }
}
