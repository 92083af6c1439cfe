// Picture sizes from headers, 32-bit bitmap files, and Targa, Photoshop and
// PGM/PPM pictures, from untrusted bytes.
#include "core/BitmapFile.h"
#include "core/Bmp32.h"
#include "core/PictureHeader.h"
#include "core/StbPicture.h"

#include <cstring>

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, std::size_t at, uint16_t v, bool big = false) {
    b[at + (big ? 1 : 0)] = static_cast<uint8_t>(v);
    b[at + (big ? 0 : 1)] = static_cast<uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, uint32_t v, bool big = false) {
    for (int i = 0; i < 4; ++i)
        b[at + (big ? 3 - i : i)] = static_cast<uint8_t>(v >> (8 * i));
}

Bytes Png(uint32_t w, uint32_t h) {
    Bytes b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    b.resize(33);
    Put32(b, 16, w, true);
    Put32(b, 20, h, true);
    return b;
}

Bytes Jpeg(uint16_t w, uint16_t h) {
    // SOI, an APP0 of 16 bytes, fill bytes, a DQT, then SOF2 (progressive).
    Bytes b = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16};
    b.resize(b.size() + 14);
    b.insert(b.end(), {0xFF, 0xFF, 0xFF, 0xDB, 0, 3, 0});
    b.insert(b.end(), {0xFF, 0xC2, 0, 11, 8, 0, 0, 0, 0, 1, 1, 0x11, 0});
    Put16(b, b.size() - 8, h, true);
    Put16(b, b.size() - 6, w, true);
    return b;
}

Bytes Tiff(uint32_t w, uint32_t h, bool big) {
    Bytes b(8 + 2 + 2 * 12 + 4);
    b[0] = b[1] = big ? 'M' : 'I';
    Put16(b, 2, 42, big);
    Put32(b, 4, 8, big);
    Put16(b, 8, 2, big);
    Put16(b, 10, 256, big); // width as LONG
    Put16(b, 12, 4, big);
    Put32(b, 14, 1, big);
    Put32(b, 18, w, big);
    Put16(b, 22, 257, big); // length as SHORT
    Put16(b, 24, 3, big);
    Put32(b, 26, 1, big);
    Put16(b, 30, static_cast<uint16_t>(h), big);
    return b;
}

// A Targa of w x h: type, bits per pixel, descriptor (0x20: top row first).
Bytes Targa(uint8_t type, uint8_t bits, uint8_t descriptor, uint16_t w, uint16_t h,
            const Bytes& body) {
    Bytes b(18);
    b[2] = type;
    Put16(b, 12, w);
    Put16(b, 14, h);
    b[16] = bits;
    b[17] = descriptor;
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

// A raw 8-bit RGB Photoshop file of w x h whose planes hold `planes`.
Bytes Photoshop(uint32_t w, uint32_t h, const Bytes& planes) {
    Bytes b(40);
    std::memcpy(b.data(), "8BPS\0\1", 6);
    Put16(b, 12, 3, true);
    Put32(b, 14, h, true);
    Put32(b, 18, w, true);
    Put16(b, 22, 8, true);
    Put16(b, 24, 3, true);
    b.insert(b.end(), planes.begin(), planes.end());
    return b;
}

Bytes Text(const char* head, const Bytes& body = {}) {
    Bytes b(head, head + std::strlen(head));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

std::optional<PictureHeader> Read(const Bytes& b) {
    ByteTailSource source(b.data(), b.size());
    return ReadPictureHeader(source);
}

void ExpectSize(const Bytes& b, PictureFormat format, uint32_t w, uint32_t h) {
    const auto header = Read(b);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Format, format);
    EXPECT_EQ(header->Width, w);
    EXPECT_EQ(header->Height, h);
}

Bitmap32 Picture(int32_t w, int32_t h) {
    Bitmap32 p{w, h, Bytes(static_cast<std::size_t>(w) * h * 4)};
    for (std::size_t i = 0; i < p.Pixels.size(); ++i)
        p.Pixels[i] = static_cast<uint8_t>(i * 7 + 1);
    return p;
}

TEST(PictureHeader, ReadsEachFormatsSize) {
    ExpectSize(Png(1920, 1080), PictureFormat::Png, 1920, 1080);
    ExpectSize(Jpeg(640, 480), PictureFormat::Jpeg, 640, 480);
    Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 0x10, 0x01, 0x20, 0x00};
    ExpectSize(gif, PictureFormat::Gif, 272, 32);
    ExpectSize(WriteBmp32(Picture(3, 2)), PictureFormat::Bmp, 3, 2);
    Bytes topDown = WriteBmp32(Picture(3, 2));
    Put32(topDown, 22, static_cast<uint32_t>(-2));
    ExpectSize(topDown, PictureFormat::Bmp, 3, 2);
    ExpectSize(Tiff(70000, 20, false), PictureFormat::Tiff, 70000, 20);
    ExpectSize(Tiff(33, 44, true), PictureFormat::Tiff, 33, 44);

    // An icon: its largest image, 0 meaning 256, a PNG image by its own header.
    Bytes ico(6 + 3 * 16);
    Put16(ico, 2, 1);
    Put16(ico, 4, 3);
    ico[6] = 16, ico[7] = 16;
    ico[22] = 0, ico[23] = 0;
    ico[38] = 32, ico[39] = 32;
    const Bytes png = Png(20000, 30);
    Put32(ico, 38 + 12, static_cast<uint32_t>(ico.size()));
    ico.insert(ico.end(), png.begin(), png.end());
    ExpectSize(ico, PictureFormat::Ico, 20000, 256);

    ExpectSize(Targa(10, 24, 0, 640, 480, {}), PictureFormat::Tga, 640, 480);
    ExpectSize(Photoshop(70000, 3, {}), PictureFormat::Psd, 70000, 3);
    ExpectSize(Text("P6\n# a comment\n 300\t200\n255\n"), PictureFormat::Pnm, 300, 200);
}

TEST(PictureHeader, RefusesBrokenHeadersAndHugeSizes) {
    // Cut anywhere before the last byte of the size: refused, never over-read.
    const std::pair<Bytes, std::size_t> samples[] = {
        {Png(1, 1), 24}, {Jpeg(9, 9), 36}, {Tiff(5, 5, false), 34}};
    for (const auto& [b, sizeEnd] : samples) {
        for (std::size_t cut = 0; cut < sizeEnd; ++cut)
            EXPECT_FALSE(Read(Bytes(b.begin(), b.begin() + cut))) << cut;
        EXPECT_TRUE(Read(Bytes(b.begin(), b.begin() + sizeEnd)));
    }
    Bytes scan = {0xFF, 0xD8, 0xFF, 0xDA, 0, 2}; // a scan before any frame
    EXPECT_FALSE(Read(scan));
    EXPECT_FALSE(Read(Bytes{'n', 'o', 't', ' ', 'a', 'p', 'i', 'c'}));
    EXPECT_FALSE(Read(Bytes{}));
    EXPECT_FALSE(Read(Targa(4, 24, 0, 9, 9, {})));     // no such Targa type
    EXPECT_FALSE(Read(Targa(2, 12, 0, 9, 9, {})));     // nor pixel size
    EXPECT_FALSE(Read(Text("P6 99999999999 1 255 "))); // beyond what the decoder counts
    EXPECT_FALSE(Read(Text("P5 2 2 0 ")));
    Bytes version2 = Photoshop(2, 2, {});
    version2[5] = 2;
    EXPECT_FALSE(Read(version2));

    EXPECT_FALSE(PictureTooLarge(16384, 2441)); // 39,993,344 pixels
    EXPECT_TRUE(PictureTooLarge(16384, 2442));  // 40,009,728
    EXPECT_TRUE(PictureTooLarge(16385, 1));
    EXPECT_TRUE(PictureTooLarge(1, 16385));
    EXPECT_FALSE(PictureTooLarge(6324, 6324)); // 39,992,976
    EXPECT_TRUE(PictureTooLarge(0xFFFFFFFF, 0xFFFFFFFF));
}

TEST(StbPicture, DecodesTargaPhotoshopAndPortableMaps) {
    struct Case {
        const char* Name;
        Bytes File;
        Bytes Pixels; // BGRA, top row first
        bool HasAlpha;
    } cases[] = {
        {"bottom-up 24-bit Targa",
         Targa(2, 24, 0, 2, 1, {1, 2, 3, 4, 5, 6}),
         {1, 2, 3, 255, 4, 5, 6, 255},
         false},
        {"two rows, bottom first",
         Targa(3, 8, 0, 1, 2, {9, 7}),
         {7, 7, 7, 255, 9, 9, 9, 255},
         false},
        {"top-down with alpha",
         Targa(2, 32, 0x28, 1, 2, {1, 2, 3, 0, 4, 5, 6, 128}),
         {1, 2, 3, 0, 4, 5, 6, 128},
         true},
        {"alpha 0 everywhere", Targa(2, 32, 0x20, 1, 1, {1, 2, 3, 0}), {1, 2, 3, 255}, false},
        {"run-length",
         Targa(10, 24, 0x20, 3, 1, {0x82, 1, 2, 3}),
         {1, 2, 3, 255, 1, 2, 3, 255, 1, 2, 3, 255},
         false},
        {"right to left, bottom first",
         Targa(3, 8, 0x10, 2, 2, {1, 2, 3, 4}),
         {4, 4, 4, 255, 3, 3, 3, 255, 2, 2, 2, 255, 1, 1, 1, 255},
         false},
        {"Photoshop planes",
         Photoshop(2, 1, {10, 11, 20, 21, 30, 31}),
         {30, 20, 10, 255, 31, 21, 11, 255},
         false},
        {"grey of 0..15",
         Text("P5 2 1 15\n", {15, 5}),
         {255, 255, 255, 255, 85, 85, 85, 255},
         false},
        {"16-bit big-endian",
         Text("P6 1 1 65535 ", {0xFF, 0xFF, 0x80, 0x00, 0x00, 0xFF}),
         {1, 128, 255, 255},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_TRUE(IsStbPicture(c.File.data(), c.File.size()));
        const auto picture = DecodeStbPicture(c.File.data(), c.File.size());
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->Bitmap.Pixels, c.Pixels);
        EXPECT_EQ(picture->HasAlpha, c.HasAlpha);
    }
    EXPECT_FALSE(IsStbPicture(Png(2, 2).data(), 33));
}

TEST(StbPicture, RefusesTruncatedHugeAndOtherPictures) {
    // Pixels cut short would leave the decoder's memory showing, or read as
    // zeros: a picture the file does not hold. Whatever their kind.
    Bytes mapped = Targa(1, 8, 0, 2, 1, {9, 8, 7, 6, 5, 4, 1, 0}); // two colours, indices
    mapped[1] = 1;
    Put16(mapped, 5, 2);
    mapped[7] = 24;
    Bytes packed = Photoshop(2, 1, {});
    packed[39] = 1;
    packed.insert(packed.end(), 6, 0); // the rows' byte counts, unread
    packed.insert(packed.end(), {1, 10, 11, 0xFF, 20, 0xFF, 30});
    const Bytes files[] = {
        Targa(2, 24, 0, 2, 2, Bytes(12, 1)),
        Text("P5 2 2 255\n", {1, 2, 3, 4}),
        Targa(10, 24, 0, 4, 1, {0x81, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9}),
        Targa(2, 16, 0, 2, 1, {0x1F, 0x80, 0xE0, 0x83}),
        mapped,
        Photoshop(2, 1, {10, 11, 20, 21, 30, 31}),
        packed,
    };
    for (const Bytes& b : files) {
        EXPECT_TRUE(DecodeStbPicture(b.data(), b.size())) << b.size();
        EXPECT_FALSE(DecodeStbPicture(b.data(), b.size() - 1)) << b.size();
        EXPECT_FALSE(DecodeStbPicture(b.data(), 10));
    }
    // A section of 2 GB or more: no picture from wherever the decoder lands.
    Bytes sections = Photoshop(2, 1, Bytes(300, 0));
    Put32(sections, 34, 0x80000000u, true);
    EXPECT_FALSE(DecodeStbPicture(sections.data(), sections.size()));
    // Nor does a huge size claimed in a few bytes make a picture.
    for (const Bytes& b : {Targa(10, 24, 0, 6324, 6324, {}), Targa(9, 8, 0, 6324, 6324, {}),
                           Photoshop(6324, 6324, {0})})
        EXPECT_FALSE(DecodeStbPicture(b.data(), b.size()));
    const Bytes huge = Targa(10, 24, 0, 16384, 16384, {0xFF, 1, 2, 3});
    EXPECT_FALSE(DecodeStbPicture(huge.data(), huge.size()));
    const Bytes wide = Photoshop(16385, 1, {});
    EXPECT_FALSE(DecodeStbPicture(wide.data(), wide.size()));
    const Bytes bmp = WriteBmp32(Picture(2, 2));
    EXPECT_FALSE(DecodeStbPicture(bmp.data(), bmp.size()));
    EXPECT_FALSE(DecodeStbPicture(nullptr, 0));
}

TEST(Bmp32, WritesAndReadsBackTheSamePixels) {
    const Bitmap32 picture = Picture(3, 2); // rows of 12 bytes, no padding
    const Bytes file = WriteBmp32(picture);
    ASSERT_EQ(file.size(), 54u + 24u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[28], 32);
    // Bottom-up: the file's first row is the picture's last.
    EXPECT_EQ(file[54], picture.Pixels[12]);
    const auto back = ReadBmp32(file.data(), file.size());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Width, 3);
    EXPECT_EQ(back->Height, 2);
    EXPECT_EQ(back->Pixels, picture.Pixels);
    EXPECT_EQ(WriteBmp32(*back), file);
}

TEST(Bmp32, ABitmapLayoutNeedsAllThatItsHeadersAnnounce) {
    const Bytes file = WriteBmp32(Picture(3, 2));
    for (std::size_t cut = 0; cut < file.size(); ++cut)
        EXPECT_FALSE(ReadBitmapLayout(file.data(), cut)) << cut;
    EXPECT_EQ(ReadBitmapLayout(file.data(), file.size())->PixelBytes, 24u);

    // 8 bits: a table of 256 colours (unless fewer are used), padded rows.
    Bytes indexed = file;
    indexed[28] = 8;
    Put32(indexed, 10, 54 + 1024);
    indexed.resize(54 + 1024 + 8);
    EXPECT_TRUE(ReadBitmapLayout(indexed.data(), indexed.size()));
    EXPECT_FALSE(ReadBitmapLayout(indexed.data(), indexed.size() - 1));
    Put32(indexed, 10, 54);
    EXPECT_FALSE(ReadBitmapLayout(indexed.data(), 54 + 8 + 8));
    Put32(indexed, 46, 2);
    EXPECT_TRUE(ReadBitmapLayout(indexed.data(), 54 + 8 + 8));

    // Run-length coded: the stated size must be there.
    Put32(indexed, 30, 1);
    Put32(indexed, 34, 16);
    EXPECT_TRUE(ReadBitmapLayout(indexed.data(), 54 + 16));
    EXPECT_FALSE(ReadBitmapLayout(indexed.data(), 54 + 15));
}

TEST(Bmp32, ZeroAlphaEverywhereMeansOpaque) {
    Bitmap32 old = Picture(2, 2);
    for (std::size_t i = 3; i < old.Pixels.size(); i += 4)
        old.Pixels[i] = 0;
    Bytes file = WriteBmp32(old);
    auto read = ReadBmp32(file.data(), file.size());
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->AlphaWasZero);
    for (std::size_t i = 3; i < read->Pixels.size(); i += 4)
        EXPECT_EQ(read->Pixels[i], 255);
    EXPECT_EQ(read->Pixels[0], old.Pixels[0]);

    old.Pixels[7] = 1; // one pixel with alpha: the alpha is real
    file = WriteBmp32(old);
    read = ReadBmp32(file.data(), file.size());
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->AlphaWasZero);
    EXPECT_EQ(read->Pixels[3], 0);
    EXPECT_EQ(read->Pixels[7], 1);
}

TEST(Bmp32, RefusesOtherBitmapsTruncationAndHugeSizes) {
    const Bytes file = WriteBmp32(Picture(4, 4));
    for (std::size_t cut = 0; cut < file.size(); ++cut)
        EXPECT_FALSE(ReadBmp32(file.data(), cut)) << cut;
    Bytes b24 = file;
    b24[28] = 24;
    EXPECT_FALSE(IsBmp32(b24.data(), b24.size()));
    Bytes fields = file;
    fields[30] = 3; // BI_BITFIELDS
    EXPECT_FALSE(ReadBmp32(fields.data(), fields.size()));
    Bytes huge = file;
    Put32(huge, 18, 16384);
    Put32(huge, 22, 16384); // 1 GB of pixels claimed in a few bytes
    EXPECT_FALSE(ReadBmp32(huge.data(), huge.size()));
    Bytes offset = file;
    Put32(offset, 10, 0xFFFFFFF0);
    EXPECT_FALSE(ReadBmp32(offset.data(), offset.size()));
    Bytes negativeWidth = file;
    Put32(negativeWidth, 18, static_cast<uint32_t>(-4));
    EXPECT_FALSE(ReadBmp32(negativeWidth.data(), negativeWidth.size()));
}

} // namespace
