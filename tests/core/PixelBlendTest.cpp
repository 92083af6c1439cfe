#include "core/PixelBlend.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

uint32_t Ch(uint32_t p, int i) {
    return (p >> (8 * i)) & 0xFF;
}

// Every pair of channel values (d, s) once per channel position, in a count
// that leaves a tail after the four-pixel steps.
struct Pairs {
    std::vector<uint32_t> Dst, Src;
    Pairs() {
        for (uint32_t d = 0; d < 256; ++d)
            for (uint32_t s = 0; s < 256; ++s) {
                Dst.push_back(d | ((255 - d) << 8) | (d << 16) | (s << 24));
                Src.push_back(s | (s << 8) | ((255 - s) << 16) | (d << 24));
            }
        Dst.resize(Dst.size() + 3, 0x80402010u);
        Src.resize(Src.size() + 3, 0x01FF7F00u);
    }
};

TEST(PixelBlend, WashAndConstantBlendRoundEveryChannelForEveryValueAndAlpha) {
    const Pairs pairs;
    for (uint32_t a = 0; a < 256; ++a) {
        std::vector<uint32_t> mixed = pairs.Dst;
        BlendConstant(mixed.data(), pairs.Src.data(), mixed.size(), static_cast<uint8_t>(a));
        const uint32_t colour = pairs.Src[a * 257];
        std::vector<uint32_t> washed = pairs.Dst, copied(pairs.Dst.size());
        BlendSolid(washed.data(), washed.data(), washed.size(), colour, static_cast<uint8_t>(a));
        BlendSolid(copied.data(), pairs.Dst.data(), copied.size(), colour, static_cast<uint8_t>(a));
        ASSERT_EQ(copied, washed);
        for (size_t i = 0; i < mixed.size(); ++i) {
            uint32_t mix = 0, wash = 0;
            for (int c = 0; c < 4; ++c) {
                const uint32_t d = Ch(pairs.Dst[i], c);
                const uint32_t s = Ch(pairs.Src[i], c), k = Ch(colour, c);
                mix |= ((s * a + d * (255 - a) + 127) / 255) << (8 * c);
                wash |= ((k * a + d * (255 - a) + 127) / 255) << (8 * c);
            }
            if (mixed[i] != mix || washed[i] != wash)
                FAIL() << "alpha " << a << " pixel " << i << ": " << std::hex << mixed[i] << " "
                       << mix << " " << washed[i] << " " << wash;
        }
    }
}

TEST(PixelBlend, PremultipliedOverScalesBySourceAlphaAndNeverWraps) {
    std::mt19937 random(7);
    std::vector<uint32_t> dst(1027), src(1027);
    for (uint32_t a : {255u, 254u, 200u, 128u, 57u, 1u, 0u}) {
        for (size_t i = 0; i < src.size(); ++i) {
            const uint32_t alpha = random() & 0xFF;
            uint32_t p = alpha << 24;
            for (int c = 0; c < 3; ++c)
                p |= (alpha ? random() % (alpha + 1) : 0) << (8 * c);
            src[i] = p;
            dst[i] = static_cast<uint32_t>(random());
        }
        std::vector<uint32_t> out = dst;
        BlendPremultiplied(out.data(), src.data(), out.size(), static_cast<uint8_t>(a));
        for (size_t i = 0; i < out.size(); ++i) {
            const uint32_t sa = (Ch(src[i], 3) * a + 127) / 255;
            for (int c = 0; c < 4; ++c) {
                const uint32_t s = (Ch(src[i], c) * a + 127) / 255;
                ASSERT_EQ(Ch(out[i], c), s + (Ch(dst[i], c) * (255 - sa) + 127) / 255)
                    << "alpha " << a << " pixel " << i << " channel " << c;
            }
        }
    }
    // A source brighter than its alpha (not premultiplied) stops at 255
    // instead of carrying into the next channel.
    for (size_t n : {1u, 4u}) {
        std::vector<uint32_t> bright(n, 0x00FF80FFu), white(n, 0xFFFFFFFFu);
        BlendPremultiplied(white.data(), bright.data(), n, 255);
        for (uint32_t p : white)
            EXPECT_EQ(p, 0xFFFFFFFFu);
    }
}

// A premultiplied picture blended onto a solid background (alpha 0, as a
// brush paints it) comes back whole, its alpha kept; too little colour for
// the background it is said to hold gives 0, never a wrapped value.
TEST(PixelBlend, RemovingTheBackgroundUndoesTheBlendOntoIt) {
    std::mt19937 random(41);
    for (const uint32_t background : {0x00FFFF00u, 0x00204080u, 0x00000000u, 0x00FFFFFFu}) {
        std::vector<uint32_t> picture(1000), composed(1000, background);
        for (uint32_t& p : picture) {
            const uint32_t a = random() & 0xFF, c = random();
            p = a << 24;
            for (int i = 0; i < 3; ++i)
                p |= (Ch(c, i) * a / 255) << (8 * i);
        }
        picture[0] = 0x00000000u;
        picture[1] = 0xFF123456u;
        BlendPremultiplied(composed.data(), picture.data(), composed.size(), 255);
        RemoveBackground(composed.data(), composed.size(), background);
        EXPECT_EQ(composed, picture) << std::hex << background;
    }
    std::vector<uint32_t> thin = {0x00102030u, 0x80000000u};
    RemoveBackground(thin.data(), thin.size(), 0x00FFFFFFu);
    EXPECT_EQ(thin, (std::vector<uint32_t>{0x00000000u, 0x80000000u}));
}

TEST(PixelBlend, FillSetsExactlyTheCountedPixels) {
    for (size_t start = 0; start < 4; ++start)
        for (size_t count = 0; count < 11; ++count) {
            std::vector<uint32_t> row(16, 7u);
            FillPixels(row.data() + start, count, 0x00123456u);
            for (size_t i = 0; i < row.size(); ++i)
                ASSERT_EQ(row[i], i >= start && i < start + count ? 0x00123456u : 7u)
                    << start << " + " << count << ", pixel " << i;
        }
}

} // namespace
