// Numbers as picture files store them, and pixels packed into bytes.
#pragma once

#include <cstddef>
#include <cstdint>

inline uint16_t Le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline uint16_t Be16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}
inline uint32_t Le32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
inline uint32_t Be32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

// The x-th value of `bits` (1, 2, 4 or 8) bits in a row, leftmost pixel in
// the high bits of its byte.
inline uint32_t PackedAt(const uint8_t* row, std::size_t x, unsigned bits) {
    const std::size_t bit = x * bits;
    return static_cast<uint32_t>(row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
}

// Sets a BGRA pixel from red, green and blue.
inline void PutRgb(uint8_t* pixel, uint8_t r, uint8_t g, uint8_t b) {
    pixel[0] = b;
    pixel[1] = g;
    pixel[2] = r;
}

// Sets a BGRA pixel from a 0xRRGGBB colour.
inline void PutRgb(uint8_t* pixel, uint32_t rgb) {
    PutRgb(pixel, static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
           static_cast<uint8_t>(rgb));
}
