// The render engine's decisions that need no window: which enabled effect
// runs next and how long it waits between frames.
#pragma once

#include "core/SaverRecord.h"

#include <cstdint>

// Row index of the effect to run, or -1 when no enabled bit names a row.
// One candidate is taken without drawing a random number; with several, up
// to 20 draws of rand() mod count avoid `currentEffect` (the 20th is taken
// even when it repeats it).
int PickEffectRow(int32_t enabledMask, int32_t currentEffect);

// Milliseconds between frames of `currentEffect` (-1: none, 5000); 100 for
// content logos whatever the effect.
int32_t FrameInterval(const SaverSettings& settings, int32_t currentEffect, bool contentMode);
