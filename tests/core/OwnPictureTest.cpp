// Our own decoders of the picture formats nothing else reads here, through
// the one table that picks them by signature or extension.
#include "core/OwnPicture.h"

#include <cstring>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Text(const char* text) {
    return Bytes(text, text + std::strlen(text));
}

std::optional<OwnPictureResult> Decode(const Bytes& b, std::wstring_view extension = {}) {
    return DecodeOwnPicture(b.data(), b.size(), extension);
}

// Each pixel's blue, green, red and alpha, row by row.
Bytes PixelsOf(const Bytes& file, std::wstring_view extension = {}) {
    const auto decoded = Decode(file, extension);
    if (!decoded)
        return {};
    EXPECT_TRUE(decoded->Reframed.empty());
    return decoded->Picture.Bitmap.Pixels;
}

// Every cut of the file short of its end is refused, none is a half picture.
void ExpectEveryCutRefused(const Bytes& file, std::size_t from, std::wstring_view extension = {}) {
    ASSERT_TRUE(Decode(file, extension));
    for (std::size_t size = from; size < file.size(); ++size) {
        const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_FALSE(Decode(cut, extension)) << size;
    }
}

constexpr uint8_t W = 255, K = 0;

TEST(PnmTextPicture, ReadsPlainBitmapsGreysColoursAndBinaryBitmaps) {
    // Plain bits may go without blanks; comments anywhere between numbers.
    EXPECT_EQ(PixelsOf(Text("P1\n# c\n3 2\n1 0 1\n011\n")),
              (Bytes{K, K, K, 255, W, W, W, 255, K, K, K, 255,
                     W, W, W, 255, K, K, K, 255, K, K, K, 255}));
    EXPECT_EQ(PixelsOf(Text("P2 2 1 # grey\n 1000 0 1000\n")), (Bytes{0, 0, 0, 255, W, W, W, 255}));
    EXPECT_EQ(PixelsOf(Text("P3\n1 1\n15\n15 0 5\n")), (Bytes{85, 0, W, 255}));
    // Three pixels a row: each row padded to its byte.
    EXPECT_EQ(PixelsOf(Text("P4\n3 2\n\xA0\x40")),
              (Bytes{K, K, K, 255, W, W, W, 255, K, K, K, 255,
                     W, W, W, 255, K, K, K, 255, W, W, W, 255}));
    // Found by their signature, whatever the name says.
    EXPECT_TRUE(Decode(Text("P1 1 1 0"), L"JPG"));
    ByteTailSource source(reinterpret_cast<const uint8_t*>("P3 7 5 255 "), 11);
    const auto header = ReadPictureHeader(source);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Format, PictureFormat::PnmText);
    EXPECT_EQ(header->Width, 7u);
    EXPECT_EQ(header->Height, 5u);
}

TEST(PnmTextPicture, RefusesWhatTheHeaderForbidsAndCutFiles) {
    EXPECT_FALSE(Decode(Text("P2 2 1 9 10 0\n")));  // above the maximum
    EXPECT_FALSE(Decode(Text("P1 2 1 1 2\n")));     // not a bit
    EXPECT_FALSE(Decode(Text("P3 1 1 255 1 2 x"))); // not a number
    EXPECT_FALSE(Decode(Text("P2 0 1 255 ")));
    EXPECT_FALSE(Decode(Text("P2 1 1 0 0 ")));
    EXPECT_FALSE(Decode(Text("P3 1 1 65536 0 0 0 ")));
    EXPECT_FALSE(Decode(Text("P4 16385 1 ")));
    ExpectEveryCutRefused(Text("P3\n2 1\n255\n1 2 3 4 5 6"), 0);
    ExpectEveryCutRefused(Text("P4 9 2 \x01\x02\x03\x04"), 0);
}

} // namespace
