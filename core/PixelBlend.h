// Alpha blending of 32-bit pixels (bytes B, G, R, A; 0xAARRGGBB as a
// uint32_t), with the arithmetic of GDI's AlphaBlend: every channel of the
// result is rounded to the nearest value, all four channels alike. Four
// pixels at a time with SSE2 where the compiler targets it.
#pragma once

#include <cstddef>
#include <cstdint>

// x / 255 rounded to the nearest, for 0 <= x <= 255 * 255.
inline uint32_t Div255(uint32_t x) {
    return (x + 127) / 255;
}

// A constant-alpha wash of one colour over `src`, written to `dst` (which
// may be `src`): dst = colour * a + src * (1 - a).
void BlendSolid(uint32_t* dst, const uint32_t* src, std::size_t count, uint32_t colour,
                uint8_t alpha);

// `src` over `dst` with constant alpha and no per-pixel alpha:
// dst = src * a + dst * (1 - a).
void BlendConstant(uint32_t* dst, const uint32_t* src, std::size_t count, uint8_t alpha);

// Premultiplied `src` (per-pixel alpha) over `dst`, the whole of `src` first
// scaled by the constant alpha: s = src * a; dst = s + dst * (1 - s.alpha),
// each channel limited to 255 for a source that is not truly premultiplied.
void BlendPremultiplied(uint32_t* dst, const uint32_t* src, std::size_t count, uint8_t alpha);

// Sets `count` pixels to `pixel`: a background restored in short rows, many
// a frame.
void FillPixels(uint32_t* dst, std::size_t count, uint32_t pixel);

// Undoes a premultiplied picture's blend onto a solid `background` (the
// alpha of each pixel kept, as AlphaBlend leaves it over a background whose
// alpha is 0): c = c - background * (1 - alpha), never below 0. What is left
// is the picture itself, to be blended over anything.
void RemoveBackground(uint32_t* pixels, std::size_t count, uint32_t background);
