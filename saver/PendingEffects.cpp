// Placeholders for the effects that are not written yet: each draws
// nothing. Delete an effect's placeholder here when its own file is added.
#include "saver/EffectTable.h"

void DrawBounce(HDC, EffectOp) {}
void DrawDrip(HDC, EffectOp) {}
void DrawFalling(HDC, EffectOp) {}
void DrawSlider(HDC, EffectOp) {}
