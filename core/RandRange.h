// A random offset in a range that may be empty or negative, as effects place
// logos with rand() mod (screen size - logo size).
#pragma once

#include "core/Random.h"

#include <cstdint>

// rand() mod range; the remainder takes the dividend's sign, so a negative
// range gives 0 .. -range - 1. An empty range gives 0 instead of dividing by
// zero (a logo exactly as large as the drawing area).
inline int32_t RandRange(int32_t range) {
    int32_t r = Rand();
    return range == 0 ? 0 : r % range;
}
