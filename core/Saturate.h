// Arithmetic on values read from files and the registry: results held to
// the int32_t range instead of overflowing, so hostile values give a defined
// result and real ones the exact one.
#pragma once

#include <cstdint>
#include <limits>

inline int32_t SaturateToInt32(int64_t value) {
    constexpr int64_t low = std::numeric_limits<int32_t>::min();
    constexpr int64_t high = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value < low ? low : value > high ? high : value);
}

// Truncated toward zero; beyond the range the nearer end, NaN 0.
inline int32_t TruncateToInt32(double value) {
    if (value != value)
        return 0;
    if (value <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    if (value >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}
