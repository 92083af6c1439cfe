#include "saver/EffectTable.h"

#include "saver/SaverWindowShared.h"

namespace {
EffectEntry Row(int index, EffectDraw draw, int32_t steps = 0) {
    const EffectInfo& info = EffectInfoTable[index];
    return {info.Mask,       info.Name,  info.Description, draw,
            info.PageDialog, info.Paced, info.Spare,       steps};
}
} // namespace

EffectEntry EffectTable[EffectCount + 1] = {
    Row(0, DrawStatic),  Row(1, DrawStandard),
    Row(2, DrawBounce),  Row(3, DrawStandard),
    Row(4, DrawDrip, 1), Row(5, DrawFalling, 1),
    Row(6, DrawSlider),  {0, nullptr, nullptr, nullptr, 0, 0, 0, 0},
};

const EffectEntry* CurrentEntry() {
    if (CurrentEffect == -1)
        return nullptr;
    const int row = FindEffect(CurrentEffect);
    return row < 0 ? nullptr : &EffectTable[row];
}
