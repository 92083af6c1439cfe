#include "core/PixelBlend.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

uint32_t Channel(uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFF;
}

uint32_t MixPixel(uint32_t d, uint32_t s, uint32_t a) {
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8)
        out |= Div255(Channel(s, shift) * a + Channel(d, shift) * (255 - a)) << shift;
    return out;
}

uint32_t OverPixel(uint32_t d, uint32_t s, uint32_t a) {
    if (a != 255) {
        uint32_t scaled = 0;
        for (int shift = 0; shift < 32; shift += 8)
            scaled |= Div255(Channel(s, shift) * a) << shift;
        s = scaled;
    }
    const uint32_t keep = 255 - Channel(s, 24);
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t c = Channel(s, shift) + Div255(Channel(d, shift) * keep);
        out |= (c > 255 ? 255 : c) << shift;
    }
    return out;
}

#if defined(__SSE2__)
// Div255 of eight 16-bit lanes: (t * 257) >> 16 with t = x + 128 is exact
// for every x up to 255 * 255 and stays within 16 bits.
inline __m128i Div255Biased8(__m128i t) {
    return _mm_mulhi_epu16(t, _mm_set1_epi16(257));
}

inline __m128i Div255x8(__m128i x) {
    return Div255Biased8(_mm_add_epi16(x, _mm_set1_epi16(128)));
}

inline __m128i Load(const uint32_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline void Store(uint32_t* p, __m128i v) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}

// d * (255 - a) + s * a for eight 16-bit lanes, then rounded.
inline __m128i Mix8(__m128i d, __m128i s, __m128i a, __m128i keep) {
    return Div255x8(_mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(d, keep)));
}

// Each pixel's alpha lane copied to its four lanes (two pixels per register).
inline __m128i AlphaOf(__m128i pixels16) {
    return _mm_shufflehi_epi16(_mm_shufflelo_epi16(pixels16, 0xFF), 0xFF);
}
#endif

} // namespace

void BlendSolid(uint32_t* dst, const uint32_t* src, std::size_t count, uint32_t colour,
                uint8_t alpha) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i a = _mm_set1_epi16(alpha), keep = _mm_set1_epi16(255 - alpha);
    const __m128i c = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(colour)), zero);
    const __m128i ca = _mm_add_epi16(_mm_mullo_epi16(c, a), _mm_set1_epi16(128)); // biased
    for (; i + 4 <= count; i += 4) {
        const __m128i d = Load(src + i);
        const __m128i lo =
            Div255Biased8(_mm_add_epi16(ca, _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), keep)));
        const __m128i hi =
            Div255Biased8(_mm_add_epi16(ca, _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), keep)));
        Store(dst + i, _mm_packus_epi16(lo, hi));
    }
#endif
    for (; i < count; ++i)
        dst[i] = MixPixel(src[i], colour, alpha);
}

void BlendConstant(uint32_t* dst, const uint32_t* src, std::size_t count, uint8_t alpha) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i a = _mm_set1_epi16(alpha), keep = _mm_set1_epi16(255 - alpha);
    for (; i + 4 <= count; i += 4) {
        const __m128i d = Load(dst + i), s = Load(src + i);
        const __m128i lo = Mix8(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(s, zero), a, keep);
        const __m128i hi = Mix8(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(s, zero), a, keep);
        Store(dst + i, _mm_packus_epi16(lo, hi));
    }
#endif
    for (; i < count; ++i)
        dst[i] = MixPixel(dst[i], src[i], alpha);
}

void BlendPremultiplied(uint32_t* dst, const uint32_t* src, std::size_t count, uint8_t alpha) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i a = _mm_set1_epi16(alpha), full = _mm_set1_epi16(255);
    for (; i + 4 <= count; i += 4) {
        const __m128i d = Load(dst + i), s = Load(src + i);
        __m128i slo = _mm_unpacklo_epi8(s, zero), shi = _mm_unpackhi_epi8(s, zero);
        if (alpha != 255) {
            slo = Div255x8(_mm_mullo_epi16(slo, a));
            shi = Div255x8(_mm_mullo_epi16(shi, a));
        }
        const __m128i dlo = Div255x8(
            _mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), _mm_sub_epi16(full, AlphaOf(slo))));
        const __m128i dhi = Div255x8(
            _mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), _mm_sub_epi16(full, AlphaOf(shi))));
        // packus limits each channel to 255.
        Store(dst + i, _mm_packus_epi16(_mm_add_epi16(slo, dlo), _mm_add_epi16(shi, dhi)));
    }
#endif
    for (; i < count; ++i)
        dst[i] = OverPixel(dst[i], src[i], alpha);
}

void FillPixels(uint32_t* dst, std::size_t count, uint32_t pixel) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i p = _mm_set1_epi32(static_cast<int>(pixel));
    for (; i + 4 <= count; i += 4)
        Store(dst + i, p);
#endif
    for (; i < count; ++i)
        dst[i] = pixel;
}

void RemoveBackground(uint32_t* pixels, std::size_t count, uint32_t background) {
    for (std::size_t i = 0; i < count; ++i) {
        const uint32_t p = pixels[i], keep = 255 - Channel(p, 24);
        uint32_t out = p & 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8) {
            const uint32_t c = Channel(p, shift), under = Div255(Channel(background, shift) * keep);
            out |= (c > under ? c - under : 0) << shift;
        }
        pixels[i] = out;
    }
}
