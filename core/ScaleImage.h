// The Scale Image dialog's texts and rules, and the sums that place the
// actual-size pop-up.
#pragma once

#include <cstdint>
#include <string>

// A number as the form toolkit writes it: at most 15 significant digits,
// no trailing zeros, a point for decimals ("29", "14.5", "97.97").
std::wstring ScaleNumberText(double value);
// "W x H" in those numbers.
std::wstring SizeText(double width, double height);
// "v%".
std::wstring PercentText(int32_t value);

// A slider position close enough to 100 to stick there: 97 to 103 but 100.
bool SnapsToHundred(int32_t position);
// The slider's position for a scale (1.0 = 100), halves to even.
int32_t ScalePosition(double scale);

struct ScreenPoint {
    int32_t X, Y;
};
// Where the slider's tip goes, from the thumb's screen rectangle: its
// horizontal centre, 20 pixels above its top.
ScreenPoint ScaleTipPoint(int32_t left, int32_t top, int32_t right, int32_t bottom);

// Miniature pixels per screen pixel: the miniature screen's inner width over
// the real screen's width (0 when the screen has no width).
double MiniatureFactor(int32_t miniatureWidth, int32_t screenWidth);
// One side of the logo in the miniature: side x scale x factor, in whole
// pixels (halves to even).
int32_t MiniatureSide(double side, double scale, double factor);

// The actual-size pop-up: the picture at its natural size times the scale,
// the window's top-left corner at the cursor's x and 30 pixels below its y,
// margins equal to the picture's left offset (the label sits above it).
struct PopupPlace {
    int32_t Left, Top, Width, Height; // the window, screen pixels
    int32_t ImageWidth, ImageHeight;
};
PopupPlace PopupLayout(int32_t cursorX, int32_t cursorY, int32_t naturalWidth,
                       int32_t naturalHeight, double scale, int32_t imageLeft, int32_t imageTop);
// The pointer went more than 10 pixels from where the pop-up appeared, in x
// or in y.
bool PopupShouldHide(int32_t shownX, int32_t shownY, int32_t nowX, int32_t nowY);
