// What the seven effects are: bit, name, description, settings page and
// whether the render engine paces their frames. The screensaver adds each
// row's draw function (saver/EffectTable).
#pragma once

#include <cstdint>

struct EffectInfo {
    int32_t Mask;
    const char* Name; // null in the end row
    const char* Description;
    int32_t PageDialog;
    int32_t Paced;
    int32_t Spare; // non-zero would mean a stock black background
};

constexpr int EffectCount = 7;

// Static, Standard, Bounce, Many, Drip, Falling, Slider, then an end row.
extern const EffectInfo EffectInfoTable[EffectCount + 1];

// Row index 0..6 of the effect with this mask, or -1.
int FindEffect(int32_t mask);

// Operations handed to an effect's draw function.
enum EffectOp : int32_t {
    OpInitialise = 1,
    OpFirstFrame = 2, // turned into OpFrame before any draw function sees it
    OpFrame = 3,
    OpCleanUp = 4,
    OpRepaint = 5,
    // One step of the motion, not drawn: the next op 3 (itself a step) shows
    // it. Only for effects whose row says they take it.
    OpStep = 6,
};
