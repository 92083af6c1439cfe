#include "wizard/frame/Twips.h"

#include "common/Handles.h"

#include <cmath>

namespace {

int ScreenCaps(int index) {
    WindowDC screen(nullptr);
    const int value = screen ? GetDeviceCaps(screen.get(), index) : 0;
    return value > 0 ? value : 96;
}

} // namespace

int ScreenDpiX() {
    static const int dpi = ScreenCaps(LOGPIXELSX);
    return dpi;
}
int ScreenDpiY() {
    static const int dpi = ScreenCaps(LOGPIXELSY);
    return dpi;
}
int TwipsToPixelsX(double twips) {
    return static_cast<int>(std::lround(twips * ScreenDpiX() / 1440.0));
}
int TwipsToPixelsY(double twips) {
    return static_cast<int>(std::lround(twips * ScreenDpiY() / 1440.0));
}
double PixelsToTwipsX(int pixels) {
    return pixels * 1440.0 / ScreenDpiX();
}
double PixelsToTwipsY(int pixels) {
    return pixels * 1440.0 / ScreenDpiY();
}
int ScalePixelsX(int pixels96) {
    return TwipsToPixelsX(pixels96 * 15.0);
}
int ScalePixelsY(int pixels96) {
    return TwipsToPixelsY(pixels96 * 15.0);
}
