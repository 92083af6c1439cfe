#include "core/DripMotion.h"

#include "core/RandRange.h"
#include "core/Saturate.h"

namespace {
// Far below any screen; keeps the running offsets from overflowing.
constexpr int32_t DripOffsetLimit = 1 << 24;
} // namespace

void DripStart(DripState& state, int32_t screenWidth) {
    state.First = true;
    state.Rect = {};
    state.Offsets.assign(screenWidth > 0 ? static_cast<std::size_t>(screenWidth) + 10 : 10, 0);
}

std::vector<DripColumn> DripBurst(DripState& state) {
    std::vector<DripColumn> moves;
    const DripRect& r = state.Rect;
    // The rectangle comes from the logo's size, which a hostile file sets.
    int32_t x = SaturateToInt32(
        static_cast<int64_t>(RandRange(SaturateToInt32(static_cast<int64_t>(r.Right) - r.Left))) +
        r.Left);
    const int n = Rand() % 4 + 1;
    const auto size = static_cast<int32_t>(state.Offsets.size());
    for (int i = 0; i < 2 * n; ++i) {
        const int32_t d = Rand() % 4 + 1;
        if (x >= 0 && x < size && state.Offsets[x] < DripOffsetLimit) {
            const int32_t off = state.Offsets[x];
            state.Offsets[x] = off + d;
            moves.push_back({x, SaturateToInt32(static_cast<int64_t>(r.Top) + off), d});
        }
        // Past the right edge: column 0 (compared before adding, as x may be
        // the int32_t end).
        x = x >= r.Right ? 0 : x + 1;
    }
    return moves;
}
