#include "core/SaverInput.h"

#include <cstdlib>

namespace {
int64_t Distance(CursorPoint a, CursorPoint b) {
    return std::llabs(static_cast<int64_t>(a.X) - b.X) +
           std::llabs(static_cast<int64_t>(a.Y) - b.Y);
}
} // namespace

MouseVerdict JudgeMouseMove(CursorPoint& last, CursorPoint now, int32_t ignoreInput) {
    if (last == NoMouse) {
        last = now;
        return MouseVerdict::Recorded;
    }
    if (now == last)
        return MouseVerdict::Unchanged;
    if (Distance(last, now) <= 3) {
        last = now;
        return MouseVerdict::Recorded;
    }
    if (ignoreInput & IgnoreMovement)
        return MouseVerdict::Swallowed;
    return MouseVerdict::Input;
}

bool BeyondCloseDistance(CursorPoint start, CursorPoint now) {
    return Distance(start, now) > 4;
}
