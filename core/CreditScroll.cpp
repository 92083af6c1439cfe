#include "core/CreditScroll.h"

CreditScroll CreditScrollTick(int32_t counter, int32_t interval, bool pointerInside) {
    CreditScroll next{counter, 50, false};
    if (interval == CreditFirstInterval)
        next.Counter = 5;
    if (pointerInside) {
        if (next.Counter > 5)
            return next; // standing still under the pointer
        ++next.Counter;
    } else if (next.Counter >= 1) {
        --next.Counter;
    }
    if (next.Counter > 0)
        next.Interval = next.Counter * next.Counter * 5 + 50;
    next.Moves = true;
    return next;
}

int32_t NextCreditTop(int32_t top, int32_t height, int32_t viewportHeight) {
    const int32_t up = top - 1;
    return up < -height ? viewportHeight : up;
}
