// Drawing helpers of the Standard and Many effects.
#pragma once

#include <windows.h>

// One fade of the logo at LogoRect: in (levels 8 ... 255) or out (247 ... 0),
// 5 ms apart; ends early when the stop is seen.
void FadeLogo(HDC dc, bool fadeIn);

// One translucent wash of the background colour over the screen.
void DimScreen(HDC dc, int alpha);
