#include "core/IconListRules.h"

#include "core/CreatorMath.h"

int WheelNotches::Take(int delta) {
    if ((carry_ > 0 && delta < 0) || (carry_ < 0 && delta > 0))
        carry_ = 0; // turning back starts afresh
    carry_ += delta;
    const int notches = carry_ / 120; // whole notches towards zero
    carry_ -= notches * 120;
    return notches;
}

int CentredOffset(int extent, int picture) {
    return RoundHalfEven((extent - picture) / 2.0);
}
