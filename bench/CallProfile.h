// Where an effect's frame goes: the single GDI calls the slow effects make
// (and our blends in their place), timed one by one on the benchmark's
// screen.
#pragma once

#include "bench/BenchSupport.h"

void ProfileCalls(HDC screen, bool quick, ColumnWriter& out);
