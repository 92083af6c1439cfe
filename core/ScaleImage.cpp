#include "core/ScaleImage.h"

#include "core/CreatorMath.h"

#include <charconv>
#include <cstdlib>

std::wstring ScaleNumberText(double value) {
    // to_chars keeps the point whatever the locale; 15 digits hide the
    // binary fractions (0.29 x 100 = 28.999999999999996 reads "29").
    char buffer[64];
    const auto done =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::wstring text(buffer, done.ptr);
    if (text == L"-0")
        text = L"0";
    return text;
}

std::wstring SizeText(double width, double height) {
    return ScaleNumberText(width) + L" x " + ScaleNumberText(height);
}

std::wstring PercentText(int32_t value) {
    return std::to_wstring(value) + L"%";
}

bool SnapsToHundred(int32_t position) {
    return position != 100 && std::abs(position - 100) < 4;
}

int32_t ScalePosition(double scale) {
    return RoundHalfEven(scale * 100);
}

ScreenPoint ScaleTipPoint(int32_t left, int32_t top, int32_t right, int32_t /*bottom*/) {
    return {left + RoundHalfEven((right - left) / 2.0), top - 20};
}

double MiniatureFactor(int32_t miniatureWidth, int32_t screenWidth) {
    return screenWidth > 0 ? static_cast<double>(miniatureWidth) / screenWidth : 0.0;
}

int32_t MiniatureSide(double side, double scale, double factor) {
    const double pixels = side * scale * factor;
    return pixels > 0 ? RoundHalfEven(pixels) : 0;
}

PopupPlace PopupLayout(int32_t cursorX, int32_t cursorY, int32_t naturalWidth,
                       int32_t naturalHeight, double scale, int32_t imageLeft, int32_t imageTop) {
    PopupPlace p{};
    p.ImageWidth = RoundHalfEven(naturalWidth * scale);
    p.ImageHeight = RoundHalfEven(naturalHeight * scale);
    p.Left = cursorX;
    p.Top = cursorY + 30;
    p.Width = p.ImageWidth + 2 * imageLeft;
    p.Height = imageTop + p.ImageHeight + imageLeft;
    return p;
}

bool PopupShouldHide(int32_t shownX, int32_t shownY, int32_t nowX, int32_t nowY) {
    return std::abs(nowX - shownX) > 10 || std::abs(nowY - shownY) > 10;
}
