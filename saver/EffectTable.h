// The seven effects with their draw functions. The row order, masks, texts,
// page ids and Paced flags are core/EffectInfo's.
#pragma once

#include "core/EffectInfo.h"

#include <windows.h>

#include <cstdint>

// Draws one operation of an effect on `dc` (null only for a clean-up sent
// after the render thread failed to stop).
using EffectDraw = void (*)(HDC dc, EffectOp op);

struct EffectEntry {
    int32_t Mask;
    const char* Name; // null in the end row
    const char* Description;
    EffectDraw Draw;
    int32_t PageDialog;
    int32_t Paced;
    int32_t Spare;
    int32_t Steps; // 1: Draw takes op 6, so steps need not each be drawn
};

// Static, Standard, Bounce, Many, Drip, Falling, Slider, then an end row.
// Not const: tests put a probe in place of a row's Draw for a while.
extern EffectEntry EffectTable[EffectCount + 1];

// The row of CurrentEffect, or null when none is current.
const EffectEntry* CurrentEntry();

void DrawStatic(HDC dc, EffectOp op);
void DrawStandard(HDC dc, EffectOp op); // Standard and Many
void DrawBounce(HDC dc, EffectOp op);
void DrawDrip(HDC dc, EffectOp op);
void DrawFalling(HDC dc, EffectOp op);
// Set: every Falling frame composes and copies the whole screen, as the
// low-colour path always does (the reference its changed-box frames are
// tested against).
extern bool FallingWholeFrames;
void DrawSlider(HDC dc, EffectOp op);
