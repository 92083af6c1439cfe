#include "core/TravelButtons.h"

int TravelLook(bool enabled, int state) {
    if (!enabled)
        return 3;
    return state == 3 ? 0 : state;
}

int TravelAnimationMs(int oldLook, int newLook) {
    if (oldLook == 3 || newLook == 3)
        return 1000;
    return newLook == 2 ? 50 : 250;
}

bool TravelInside(int x, int y, int imgSize) {
    return x >= 0 && x <= 2 * imgSize && y >= 0 && y <= imgSize;
}

int TravelHalfAt(int x, int imgSize) {
    return x >= imgSize ? 1 : 0;
}

TravelCapture TravelPointer::Move(int x, int y, int imgSize) {
    if (!TravelInside(x, y, imgSize)) {
        State[0] = State[1] = 0;
        Tracking = 0;
        return TravelCapture::Release;
    }
    const int half = TravelHalfAt(x, imgSize);
    State[1 - half] = 0;
    State[half] = Tracking == 2 ? 2 : 1;
    if (Tracking == 0) {
        Tracking = 1;
        return TravelCapture::Take;
    }
    return TravelCapture::Keep;
}

TravelCapture TravelPointer::LeftDown(int x, int y, int imgSize) {
    Tracking = 2;
    PressedInside = TravelInside(x, y, imgSize);
    return Move(x, y, imgSize);
}

TravelCapture TravelPointer::Up(int button, int x, int y, int imgSize, const bool enabled[2],
                                int& clicked) {
    const bool pressed = PressedInside && button == 1;
    if (button == 1)
        PressedInside = false;
    Tracking = 0;
    const TravelCapture capture = Move(x, y, imgSize);
    const int half = TravelHalfAt(x, imgSize);
    clicked = pressed && TravelInside(x, y, imgSize) && enabled[half] ? half : -1;
    return capture;
}
