#include "core/KoalaPicture.h"

#include "core/PictureBytes.h"

namespace {

constexpr std::size_t BitmapAt = 2, ScreenAt = BitmapAt + 8000, ColourAt = ScreenAt + 1000,
                      BackgroundAt = ColourAt + 1000;
constexpr uint32_t Width = 320, Height = 200;

// The sixteen colours of the C64's video chip, as commonly measured (RGB).
constexpr uint32_t Palette[16] = {0x000000, 0xFFFFFF, 0x68372B, 0x70A4B2, 0x6F3D86, 0x588D43,
                                  0x352879, 0xB8C76F, 0x6F4F25, 0x433900, 0x9A6759, 0x444444,
                                  0x6C6C6C, 0x9AD284, 0x6C5EB5, 0x959595};

} // namespace

std::optional<PictureHeader> ReadKoalaHeader(TailSource&) {
    return PictureHeader{PictureFormat::Koala, Width, Height, KoalaFileSize};
}

std::optional<StbPicture> DecodeKoalaPicture(const OwnPictureInput& input) {
    auto out = NewOwnPicture(input.Header);
    if (!out)
        return std::nullopt;
    const uint8_t* data = input.Data;
    // 40 x 25 cells of 4 x 8 pixels, each a pair of bits: the background,
    // the screen byte's high or low half, or the colour byte.
    for (uint32_t y = 0; y < Height; ++y)
        for (uint32_t x = 0; x < Width / 2; ++x) {
            const std::size_t cell = y / 8 * 40 + x / 4;
            const uint8_t bits = data[BitmapAt + cell * 8 + y % 8];
            const int pair = bits >> (6 - 2 * (x % 4)) & 3;
            const uint8_t screen = data[ScreenAt + cell];
            const uint8_t index = pair == 0   ? data[BackgroundAt]
                                  : pair == 1 ? screen >> 4
                                  : pair == 2 ? screen
                                              : data[ColourAt + cell];
            const uint32_t rgb = Palette[index & 15];
            for (uint32_t half = 0; half < 2; ++half)
                PutRgb(&out->Bitmap.Pixels[(std::size_t{y} * Width + 2 * x + half) * 4], rgb);
        }
    return out;
}
