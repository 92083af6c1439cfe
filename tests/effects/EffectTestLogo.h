// A solid logo for effect tests: a 32-bit bitmap file, opaque alpha.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

constexpr uint32_t LogoColour = 0xFF00FF; // magenta, as read back 0x00RRGGBB

inline std::vector<uint8_t> MakeLogoBmp(int w, int h, uint32_t rgb) {
    const uint32_t pixels = static_cast<uint32_t>(w) * h * 4;
    std::vector<uint8_t> f(54 + pixels);
    auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&f[at], &v, 4); };
    auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&f[at], &v, 2); };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, static_cast<uint32_t>(f.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(w));
    put32(22, static_cast<uint32_t>(h));
    put16(26, 1);
    put16(28, 32);
    put32(34, pixels);
    for (uint32_t i = 0; i < pixels; i += 4)
        put32(54 + i, 0xFF000000u | rgb);
    return f;
}
