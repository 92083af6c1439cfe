// Multi-byte numbers of picture files, read from bytes known to be there.
#pragma once

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

// One opaque BGRA pixel of a 0xRRGGBB colour.
inline void PutOpaque(uint8_t* bgra, uint32_t rgb) {
    bgra[0] = static_cast<uint8_t>(rgb);
    bgra[1] = static_cast<uint8_t>(rgb >> 8);
    bgra[2] = static_cast<uint8_t>(rgb >> 16);
    bgra[3] = 255;
}
