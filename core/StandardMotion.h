// Movement of the Standard and Many effects: random logo positions and the
// alpha levels of a fade.
#pragma once

#include <cstdint>

struct LogoPosition {
    int32_t X, Y;
};

// Standard: rand() mod (screen - logo) on each axis, x drawn first. A range
// of -1 (a logo as large as the screen) gives 0; a logo larger than the
// screen gives 0 .. logo - screen - 1, the remainder keeping the dividend's
// sign.
LogoPosition StandardPosition(int32_t screenWidth, int32_t screenHeight, int32_t width,
                              int32_t height);

// Many: rand() mod screen - logo / 2 on each axis, so logos hang over every
// edge.
LogoPosition ManyPosition(int32_t screenWidth, int32_t screenHeight, int32_t width, int32_t height);

// The levels of one fade, in steps of 8: fading in shows 8, 16 ... 248, 255;
// fading out 247, 239 ... 7, then 0 (the bare background).
class FadeRamp {
  public:
    explicit FadeRamp(bool fadeIn) : step_(fadeIn ? 8 : -8), level_(fadeIn ? 8 : 247) {}
    // The level to show now (0: the background alone, no blend).
    int32_t Level() const { return level_ > 255 ? 255 : level_ <= 0 ? 0 : level_; }
    // Moves to the next level; false when the fade has shown its last one.
    bool Advance() {
        const int32_t shown = Level();
        if (shown <= 0 || shown >= 255)
            return false;
        level_ += step_;
        return step_ <= level_ && level_ <= step_ + 255;
    }

  private:
    int32_t step_;
    int32_t level_;
};
