#include "core/CreatorMath.h"

#include "core/CreatorError.h"

#include <cmath>
#include <limits>

namespace {

int32_t Checked(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        Raise(ErrOverflow);
    return static_cast<int32_t>(value);
}

} // namespace

int32_t RoundHalfEven(double value) {
    if (!std::isfinite(value) || value <= -2147483648.5 || value >= 2147483647.5)
        Raise(ErrOverflow);
    // Halves to even, independent of the floating-point rounding mode.
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return Checked(static_cast<int64_t>(whole));
}

int32_t HiWord(int32_t value) {
    return value >> 16;
}

int32_t LoWord(int32_t value) {
    return static_cast<int16_t>(value & 0xFFFF);
}

int32_t MakeLong(int32_t lo, int32_t hi) {
    const int64_t low = static_cast<int16_t>(lo & 0xFFFF);
    const int64_t high = static_cast<int16_t>(hi & 0xFFFF);
    return Checked(high * 65536 + low);
}

int32_t GetRed(int32_t colour) {
    return colour & 255;
}
int32_t GetGreen(int32_t colour) {
    return (colour / 256) & 255;
}
int32_t GetBlue(int32_t colour) {
    return (colour / 65536) & 255;
}

int32_t HSVToRGB(int32_t hue, int32_t saturation, int32_t value) {
    const int32_t max = RoundHalfEven(static_cast<double>(Checked(int64_t{value} * 255)) / 100.0);
    const int32_t min = RoundHalfEven(
        static_cast<double>(Checked(int64_t{100 - int64_t{saturation}} * max)) / 100.0);
    // The step is kept in single precision, as the colour table was made with.
    const double step = static_cast<float>(static_cast<double>(int64_t{max} - min) / 60.0);
    const auto along = [&](int64_t degrees) {
        return RoundHalfEven(min + step * static_cast<double>(degrees));
    };
    int32_t red = 0, green = 0, blue = 0;
    if (hue >= 0 && hue <= 60) {
        red = max, green = along(hue), blue = min;
    } else if (hue > 60 && hue <= 120) {
        red = along(120 - hue), green = max, blue = min;
    } else if (hue > 120 && hue <= 180) {
        red = min, green = max, blue = along(hue - 120);
    } else if (hue > 180 && hue <= 240) {
        red = min, green = along(240 - hue), blue = max;
    } else if (hue > 240 && hue <= 300) {
        red = along(hue - 240), green = min, blue = max;
    } else if (hue > 300 && hue <= 360) {
        red = max, green = min, blue = along(360 - hue);
    } else {
        return 0;
    }
    return Checked(int64_t{red} + int64_t{green} * 256 + int64_t{blue} * 65536);
}

int32_t TabOrderKey(double left, double top, double height) {
    return RoundHalfEven((top + 0.2 * height) * 1000.0 + 50.0 * left);
}

int32_t OsLevelOf(uint32_t major, uint32_t minor) {
    if (major < 5)
        return 0;
    if (major == 5)
        return minor == 0 ? 1 : 2;
    if (major == 6)
        return minor == 0 ? 3 : 4;
    return 4;
}

int32_t CreatorVersionOf(int32_t major, int32_t minor, int32_t revision) {
    return Checked(Checked(Checked(int64_t{major} * 10000) + Checked(int64_t{minor} * 100)) +
                   int64_t{revision});
}

std::wstring AppVersionTextOf(int32_t major, int32_t minor, int32_t revision) {
    std::wstring text = std::to_wstring(major);
    if (minor != 0 || revision != 0)
        text += L"." + std::to_wstring(minor);
    if (revision != 0)
        text += L"." + std::to_wstring(revision);
    return text;
}
