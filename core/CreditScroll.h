// The About box's credits: how one timer tick slows, stops and speeds up the
// scrolling, and where the panel moves, apart from the windows.
#pragma once

#include <cstdint>

struct CreditScroll {
    int32_t Counter = 0;  // the slow-down: 0 full speed, above 5 standing still
    int32_t Interval = 0; // the timer's next interval, ms
    bool Moves = false;   // the panel goes up one pixel on this tick
};

// The timer's interval before its first tick.
constexpr int32_t CreditFirstInterval = 1000;

// One tick: `interval` is the timer's interval that fired (1000 only on the
// first), `pointerInside` whether the pointer is over the viewport. Under
// the pointer the counter climbs to 6 and the panel then stands still;
// away from it the counter falls back to 0. The next interval is
// counter^2 x 5 + 50 while the counter is above 0, else 50.
CreditScroll CreditScrollTick(int32_t counter, int32_t interval, bool pointerInside);

// The panel's top after one step up: back at the viewport's bottom once it
// has left the top completely (above -height).
int32_t NextCreditTop(int32_t top, int32_t height, int32_t viewportHeight);
