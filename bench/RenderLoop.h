// What a running saver costs: each effect with the default options through
// the render engine, as the screensaver runs it, on a window of the
// benchmark's size.
#pragma once

#include "bench/BenchSupport.h"

// Where each row of the render loops goes.
struct LoopColumns {
    ColumnWriter& Saver;  // the process's CPU time as a share of one core (0.05 is 5 %)
    ColumnWriter& Server; // the display server's, negative when it cannot be seen
    ColumnWriter& Frames; // frames drawn on the screen per second
};

// One row per effect, in table order, then Drip at its fastest setting,
// each over some seconds of frames.
void MeasureRenderLoops(HWND window, bool quick, const LoopColumns& out);

// A 6000 x 4000 logo in each effect (Falling with 50 copies, Static full
// screen) through the render engine, stopped at moments from the start of
// the first frame on: per effect the longest frame and the longest time a
// stop took to end the run, in ms.
void MeasureStops(HWND window, bool quick, ColumnWriter& frames, ColumnWriter& stops);
