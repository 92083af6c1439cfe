// What a running saver costs: each effect with the default options through
// the render engine, as the screensaver runs it, on a window of the
// benchmark's size.
#pragma once

#include "bench/BenchSupport.h"

// One row per effect, in table order: the process's CPU time over some
// seconds of frames as a share of one core (0.05 is 5 %).
void MeasureRenderLoops(HWND window, bool quick, ColumnWriter& out);
