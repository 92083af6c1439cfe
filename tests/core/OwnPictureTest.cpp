// Our own decoders of the picture formats nothing else reads here, through
// the one table that picks them by signature or extension.
#include "core/OwnPicture.h"
#include "core/StbPicture.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>

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

// A picture another program wrote (tests/wizard/pictures/make_netpbm.sh).
Bytes FileOf(const std::string& name) {
    std::ifstream file(QV_TEST_PICTURES + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Its pixels, by its own extension; it must be there and decode.
Bytes Written(const std::string& name) {
    const Bytes file = FileOf(name);
    EXPECT_FALSE(file.empty()) << name;
    const std::string dot = name.substr(name.rfind('.') + 1);
    const Bytes pixels = PixelsOf(file, std::wstring(dot.begin(), dot.end()));
    EXPECT_FALSE(pixels.empty()) << name;
    return pixels;
}

void Put32Be(Bytes& b, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
}

void Put16(Bytes& b, std::size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

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

TEST(PnmTextPicture, ReadsWhatAnotherProgramWrote) {
    const Bytes binary = FileOf("np_pattern_p6.ppm"), grey = FileOf("np_pattern_p5.pgm");
    const auto colours = DecodeStbPicture(binary.data(), binary.size());
    const auto greys = DecodeStbPicture(grey.data(), grey.size());
    ASSERT_TRUE(colours && greys);
    EXPECT_EQ(Written("np_pattern_p3.ppm"), colours->Bitmap.Pixels);
    EXPECT_EQ(Written("np_pattern.ppm"), colours->Bitmap.Pixels);
    EXPECT_EQ(Written("np_pattern_p2.pgm"), greys->Bitmap.Pixels);
    EXPECT_EQ(Written("np_bw_p4.pbm"), Written("np_bw.pbm"));
}

// A PCX header of w x h: bits a pixel in each plane, planes, bytes a plane's
// row, run-length coded or not.
Bytes Pcx(uint8_t bits, uint8_t planes, uint16_t w, uint16_t h, uint16_t rowBytes, bool coded,
          const Bytes& body) {
    Bytes b(128);
    b[0] = 0x0A;
    b[1] = 5;
    b[2] = coded;
    b[3] = bits;
    Put16(b, 8, static_cast<uint16_t>(w - 1));
    Put16(b, 10, static_cast<uint16_t>(h - 1));
    for (int i = 0; i < 48; ++i)
        b[16 + i] = static_cast<uint8_t>(i * 5);
    b[65] = planes;
    Put16(b, 66, rowBytes);
    Put16(b, 68, 1);
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes WithPalette(Bytes b) {
    b.push_back(12);
    for (int i = 0; i < 768; ++i)
        b.push_back(static_cast<uint8_t>(255 - i / 3));
    return b;
}

TEST(PcxPicture, ReadsEveryDepthThatAnotherProgramWrote) {
    const Bytes pattern = Written("np_pattern.ppm");
    for (const char* name : {"np_pattern_planes.pcx", "np_pattern_packed.pcx",
                             "np_pattern_8bit.pcx", "np_pattern_24bit.pcx"})
        EXPECT_EQ(Written(name), pattern) << name;
    EXPECT_EQ(Written("np_four_packed.pcx"), Written("np_four.ppm"));
    EXPECT_EQ(Written("np_four_planes.pcx"), Written("np_four.ppm"));
    EXPECT_EQ(Written("np_bw.pcx"), Written("np_bw.pbm"));
    // The signature decides, not the name.
    EXPECT_TRUE(Decode(FileOf("np_bw.pcx"), L"TGA"));
}

TEST(PcxPicture, RunsGoOnIntoTheNextRowAndCutFilesAreRefused) {
    // 3 x 2 in rows of 4 bytes: one run of 8 fills both, its colour from
    // the palette after it.
    const Bytes run = WithPalette(Pcx(8, 1, 3, 2, 4, true, {0xC8, 5}));
    Bytes six;
    for (int i = 0; i < 6; ++i)
        six.insert(six.end(), {250, 250, 250, 255});
    EXPECT_EQ(PixelsOf(run), six);
    // A run past the last row is cut there.
    EXPECT_EQ(PixelsOf(WithPalette(Pcx(8, 1, 3, 2, 4, true, {0xCB, 5}))), six);
    // Bytes stored whole; a grey header stands in for a missing palette.
    Bytes grey = Pcx(8, 1, 1, 1, 2, false, {51, 0});
    Put16(grey, 68, 2);
    EXPECT_EQ(PixelsOf(grey), (Bytes{51, 51, 51, 255}));
    Put16(grey, 68, 1);
    EXPECT_FALSE(Decode(grey));
    // Two colours that the header leaves black are black and white.
    Bytes mono = Pcx(1, 1, 3, 1, 2, false, {0xA0, 0});
    std::fill(mono.begin() + 16, mono.begin() + 64, uint8_t{0});
    EXPECT_EQ(PixelsOf(mono), (Bytes{W, W, W, 255, K, K, K, 255, W, W, W, 255}));
    // Rows shorter than the width, planes the format has not.
    EXPECT_FALSE(Decode(Pcx(4, 1, 5, 1, 2, false, {0, 0, 0, 0})));
    EXPECT_FALSE(Decode(Pcx(8, 2, 1, 1, 2, false, {0, 0, 0, 0})));
    EXPECT_FALSE(Decode(Pcx(8, 1, 0, 1, 2, false, {0, 0})));
    // Three planes of one bit are eight colours of the header, not red,
    // green and blue bytes.
    Bytes eight;
    for (int x = 0; x < 8; ++x) {
        const Bytes colour = x ? Bytes{10, 5, 0, 255} : Bytes{55, 50, 45, 255};
        eight.insert(eight.end(), colour.begin(), colour.end());
    }
    EXPECT_EQ(PixelsOf(Pcx(1, 3, 8, 1, 1, false, {0x80, 0x80, 0})), eight);
    // No planes: rows of no bytes would make any size from the header alone.
    EXPECT_FALSE(Decode(Pcx(1, 0, 8, 1, 1, false, {})));
    // Cut in the pixels or in the palette.
    ExpectEveryCutRefused(run, 0);
    ExpectEveryCutRefused(FileOf("np_pattern_planes.pcx"), 0);
}

// A Sun Raster header of w x h: bits a pixel, type, colour map.
Bytes Raster(uint32_t w, uint32_t h, uint32_t depth, uint32_t type, const Bytes& map,
             const Bytes& body) {
    Bytes b(32);
    const uint32_t fields[] = {0x59A66A95,
                               w,
                               h,
                               depth,
                               static_cast<uint32_t>(body.size()),
                               type,
                               map.empty() ? 0u : 1u,
                               static_cast<uint32_t>(map.size())};
    for (int i = 0; i < 8; ++i)
        Put32Be(b, 4 * i, fields[i]);
    b.insert(b.end(), map.begin(), map.end());
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

TEST(SunRasterPicture, ReadsEveryDepthOrderAndCoding) {
    const Bytes pattern = Written("np_pattern.ppm"), gradient = Written("np_gradient.ppm");
    EXPECT_EQ(Written("np_pattern.ras"), pattern);
    EXPECT_EQ(Written("np_pattern_standard.ras"), pattern);
    EXPECT_EQ(Written("np_gradient.ras"), gradient);
    EXPECT_EQ(Written("np_gradient_standard.ras"), gradient);
    // 1 bit: black where set, rows of 11 ending on two bytes.
    EXPECT_EQ(PixelsOf(Raster(11, 2, 1, 1, {}, {0x80, 0x20, 0xFF, 0xFF})),
              PixelsOf(Text("P1 11 2 10000000001 11111111111")));
    // 32 bits, a pad byte first, then blue first or (type 3) red first; one
    // pixel a row leaves no padding.
    const Bytes two = {0, 1, 2, 3, 9, 4, 5, 6};
    EXPECT_EQ(PixelsOf(Raster(1, 2, 32, 1, {}, two)), (Bytes{1, 2, 3, 255, 4, 5, 6, 255}));
    EXPECT_EQ(PixelsOf(Raster(1, 2, 32, 3, {}, two)), (Bytes{3, 2, 1, 255, 6, 5, 4, 255}));
    // 8 bits without a map are grey; rows of three end on two bytes. A coded
    // run goes on into the next row, and 0x80 0 is one 0x80.
    const Bytes coded = Raster(3, 2, 8, 2, {}, {0x80, 4, 7, 0x80, 0, 0x80, 0, 0});
    EXPECT_EQ(PixelsOf(coded), (Bytes{7, 7, 7, 255, 7,    7,    7,    255, 7,    7,    7,    255,
                                      7, 7, 7, 255, 0x80, 0x80, 0x80, 255, 0x80, 0x80, 0x80, 255}));
}

TEST(SunRasterPicture, RefusesIndicesPastItsMapAndCutFiles) {
    const Bytes map = {10, 20, 30, 40, 50, 60}; // red 10, 20; green 30, 40; blue 50, 60
    EXPECT_EQ(PixelsOf(Raster(2, 1, 8, 1, map, {1, 0})), (Bytes{60, 40, 20, 255, 50, 30, 10, 255}));
    EXPECT_FALSE(Decode(Raster(2, 1, 8, 1, map, {2, 0})));
    EXPECT_FALSE(Decode(Raster(2, 1, 16, 1, {}, {0, 0, 0, 0})));
    EXPECT_FALSE(Decode(Raster(2, 1, 8, 4, {}, {0, 0})));
    EXPECT_FALSE(Decode(Raster(0, 1, 8, 1, {}, {0, 0})));
    Bytes oddMap = Raster(2, 1, 8, 1, {1, 2}, {0, 0});
    EXPECT_FALSE(Decode(oddMap));
    ExpectEveryCutRefused(Raster(3, 2, 8, 2, {}, {0x80, 4, 7, 0x80, 0, 0x80, 0, 0}), 0);
    ExpectEveryCutRefused(FileOf("np_pattern.ras"), 0);
}

TEST(WbmpPicture, ReadsFilesNamedSoWithLongSidesAndNothingElse) {
    EXPECT_EQ(Written("np_bw.wbmp"), Written("np_bw.pbm"));
    const Bytes bw = FileOf("np_bw.wbmp");
    EXPECT_FALSE(Decode(bw, L"BMP"));
    EXPECT_FALSE(Decode(bw));
    EXPECT_TRUE(Decode(bw, L"wap"));
    EXPECT_TRUE(Decode(bw, L"WBM"));
    // 130 wide in two bytes: 17 bytes a row, white where set.
    Bytes wide = {0, 0, 0x81, 0x02, 1};
    wide.resize(wide.size() + 17, 0);
    wide[5 + 16] = 0x40;
    const auto decoded = Decode(wide, L"WBMP");
    ASSERT_TRUE(decoded);
    const Bitmap32& b = decoded->Picture.Bitmap;
    EXPECT_EQ(b.Width, 130);
    EXPECT_EQ(b.Pixels[129 * 4], 255);
    EXPECT_EQ(b.Pixels[128 * 4], 0);
    // Another type, extension headers, a side of 0 or of five bytes.
    EXPECT_FALSE(Decode({1, 0, 1, 1, 0}, L"WBMP"));
    EXPECT_FALSE(Decode({0, 0x80, 1, 1, 0}, L"WBMP"));
    EXPECT_FALSE(Decode({0, 0, 0, 1, 0}, L"WBMP"));
    EXPECT_FALSE(Decode({0, 0, 0x90, 0x80, 0x80, 0x80, 1, 1, 0}, L"WBMP")); // 2^32 + 1
    ExpectEveryCutRefused(wide, 0, L"WBMP");
    // Bytes that are a Targa too: the name says which.
    const Bytes both = {0, 0, 2, 1, 0x80, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0, 1, 2, 3};
    for (const auto& [extension, format, width] :
         {std::tuple{L"WBMP", PictureFormat::Wbmp, 2u}, {L"TGA", PictureFormat::Tga, 1u}}) {
        ByteTailSource source(both.data(), both.size());
        const auto header = ReadPictureHeader(source, extension);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->Format, format);
        EXPECT_EQ(header->Width, width);
    }
}

TEST(XbmPicture, ReadsBytesAndWordsWithHotSpotsAndComments) {
    EXPECT_EQ(Written("np_bw_x11.xbm"), Written("np_bw.pbm"));
    EXPECT_EQ(Written("np_bw_x10.xbm"), Written("np_bw.pbm"));
    // Ten wide: two bytes a row, lowest bit leftmost; decimal values too.
    const Bytes x11 = Text("#define a_width 10\n#define a_height 2\n#define a_x_hot -1\n"
                           "static unsigned char a_bits[] = { /* row 1 */ 0x01, 2,\n"
                           "0xff, 0x03 }");
    EXPECT_EQ(PixelsOf(x11), PixelsOf(Text("P1 10 2 1000000001 1111111111")));
    ExpectEveryCutRefused(x11, 0);
    // A byte array holds bytes; every row is there, and no more.
    EXPECT_FALSE(Decode(Text("#define a_width 2\n#define a_height 1\nstatic char a[] = {0x100};")));
    EXPECT_FALSE(Decode(Text("#define a_width 9\n#define a_height 1\nstatic char a[] = {1};")));
    EXPECT_FALSE(Decode(Text("#define a_width 8\n#define a_height 1\nstatic char a[] = {1, 2};")));
    EXPECT_FALSE(Decode(Text("#define a_width 8\nstatic char a[] = {1};")));
    EXPECT_FALSE(Decode(Text("#define a_width 0\n#define a_height 1\nstatic char a[] = {};")));
    EXPECT_TRUE(
        Decode(Text("#define a_width 9\n#define a_height 1\nstatic short a[] = {0x1ff,};")));
}

Bytes Xpm(const char* colours, const char* rows) {
    return Text((std::string("/* XPM */\nstatic char *x[] = {\n") + colours + rows + "}").c_str());
}

TEST(XpmPicture, ReadsEveryColourFormAndWideCharacters) {
    const Bytes pattern = Written("np_pattern.ppm");
    EXPECT_EQ(Written("np_pattern.xpm"), pattern);
    EXPECT_EQ(Written("np_pattern_hex.xpm"), pattern);
    EXPECT_EQ(Written("np_gradient.xpm"), Written("np_gradient.ppm")); // two characters
    // None is transparent: the pattern's black pixels.
    Bytes masked = pattern;
    for (std::size_t i = 0; i < masked.size(); i += 4)
        if (masked[i] == 0 && masked[i + 1] == 0 && masked[i + 2] == 0)
            masked[i + 3] = 0;
    const auto decoded = Decode(FileOf("np_pattern_masked.xpm"));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->Picture.Bitmap.Pixels, masked);
    EXPECT_TRUE(decoded->Picture.HasAlpha);
    EXPECT_FALSE(Decode(FileOf("np_pattern.xpm"))->Picture.HasAlpha);
    // Short and long hex forms, names of several words and grey levels,
    // the colour key ahead of the mono one.
    const Bytes forms = Xpm("\"5 1 5 2\",\n\"a  c #f80\", \"b  m black c #FFFF80000001\",\n"
                            "\"cc c Light Grey\", \"d. s x c gray50\", \"e  c #123456789\",\n",
                            "\"a b ccd.e \"\n");
    EXPECT_EQ(PixelsOf(forms), (Bytes{0,    0x88, 0xFF, 255,  0,    0x80, 0xFF, 255,  0xD3, 0xD3,
                                      0xD3, 255,  0x7F, 0x7F, 0x7F, 255,  0x78, 0x45, 0x12, 255}));
    ExpectEveryCutRefused(forms, 0);
}

TEST(XpmPicture, RefusesUnknownColoursAndPixelsAndRowsOfAnotherWidth) {
    EXPECT_TRUE(Decode(Xpm("\"2 1 1 1\", \"a c red\",", "\"aa\"")));
    EXPECT_FALSE(Decode(Xpm("\"2 1 1 1\", \"a c reddish\",", "\"aa\"")));
    EXPECT_FALSE(Decode(Xpm("\"2 1 1 1\", \"a c #12345\",", "\"aa\"")));
    EXPECT_FALSE(Decode(Xpm("\"2 1 1 1\", \"a s red\",", "\"aa\"")));
    EXPECT_FALSE(Decode(Xpm("\"2 1 1 1\", \"a red\",", "\"aa\"")));
    EXPECT_FALSE(Decode(Xpm("\"2 1 1 1\", \"a c red\",", "\"ab\"")));
    EXPECT_FALSE(Decode(Xpm("\"2 1 1 1\", \"a c red\",", "\"aaa\"")));
    EXPECT_FALSE(Decode(Xpm("\"2 1 1 1\", \"a c red\",", "\"a\"")));
    EXPECT_FALSE(Decode(Xpm("\"2 1 2 1\", \"a c red\",", "\"aa\"")));
    EXPECT_FALSE(Decode(Xpm("\"0 1 1 1\", \"a c red\",", "\"\"")));
}

void Chunk(Bytes& b, const char* id, const Bytes& data) {
    b.insert(b.end(), id, id + 4);
    b.resize(b.size() + 4);
    Put32Be(b, b.size() - 4, static_cast<uint32_t>(data.size()));
    b.insert(b.end(), data.begin(), data.end());
    if (data.size() & 1)
        b.push_back(0);
}

// An IFF picture of w x h: its form ("ILBM", "PBM "), planes, masking,
// compression, display mode (none when 0), colour map and body.
Bytes Iff(const char* form, uint16_t w, uint16_t h, uint8_t planes, uint8_t masking, bool coded,
          uint32_t mode, const Bytes& map, const Bytes& body) {
    Bytes header(20);
    header[0] = static_cast<uint8_t>(w >> 8);
    header[1] = static_cast<uint8_t>(w);
    header[2] = static_cast<uint8_t>(h >> 8);
    header[3] = static_cast<uint8_t>(h);
    header[8] = planes;
    header[9] = masking;
    header[10] = coded;
    Bytes b = Text("FORM....");
    b.insert(b.end(), form, form + 4);
    Chunk(b, "BMHD", header);
    if (!map.empty())
        Chunk(b, "CMAP", map);
    if (mode) {
        Bytes m(4);
        Put32Be(m, 0, mode);
        Chunk(b, "CAMG", m);
    }
    Chunk(b, "BODY", body);
    Put32Be(b, 4, static_cast<uint32_t>(b.size() - 8));
    return b;
}

TEST(IlbmPicture, ReadsPlanesMasksHalfBrightAndChunkyPictures) {
    EXPECT_EQ(Written("np_pattern.iff"), Written("np_pattern.ppm"));
    EXPECT_EQ(Written("np_pattern_plain.iff"), Written("np_pattern.ppm"));
    EXPECT_EQ(Written("np_gradient.iff"), Written("np_gradient.ppm"));
    // Two planes and a mask, three pixels: rows of two bytes each.
    const Bytes map = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
    const Bytes masked = Iff("ILBM", 3, 1, 2, 1, false, 0, map,
                             {0xC0, 0, 0x60, 0, 0xC0, 0}); // indices 1, 3, 2; the last one masked
    const auto decoded = Decode(masked);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->Picture.Bitmap.Pixels,
              (Bytes{60, 50, 40, 255, 120, 110, 100, 255, 90, 80, 70, 0}));
    EXPECT_TRUE(decoded->Picture.HasAlpha);
    ExpectEveryCutRefused(masked, 0);
    // Six planes, extra-half-bright: index 33 is colour 1 at half.
    Bytes six(12, 0);
    six[0] = 0x80, six[10] = 0x80; // bits 0 and 5
    EXPECT_EQ(PixelsOf(Iff("ILBM", 1, 1, 6, 0, false, 0x80, map, six)), (Bytes{30, 25, 20, 255}));
    // Chunky, rows padded to even widths, ByteRun1: two bytes as they are,
    // then 3 repeated twice, a no-op, and 1 on into the next row.
    const Bytes chunky = Iff("PBM ", 3, 2, 8, 0, true, 0, map, {1, 2, 1, 0xFF, 3, 0x80, 0xFD, 0});
    EXPECT_EQ(PixelsOf(chunky), (Bytes{90, 80, 70, 255, 60, 50, 40, 255, 120, 110, 100, 255,
                                       30, 20, 10, 255, 30, 20, 10, 255, 30,  20,  10,  255}));
    ExpectEveryCutRefused(chunky, 0);
    // No colour map: grey levels.
    EXPECT_EQ(PixelsOf(Iff("ILBM", 1, 1, 2, 0, false, 0, {}, {0x80, 0, 0, 0})),
              (Bytes{85, 85, 85, 255}));
}

TEST(IlbmPicture, RefusesIndicesPastTheMapHoldAndModifyAndOtherCodings) {
    const Bytes map = {1, 2, 3, 4, 5, 6};
    EXPECT_TRUE(Decode(Iff("ILBM", 1, 1, 2, 0, false, 0, map, {0x80, 0, 0, 0})));
    EXPECT_FALSE(Decode(Iff("ILBM", 1, 1, 2, 0, false, 0, map, {0x80, 0, 0x80, 0})));
    EXPECT_FALSE(Decode(Iff("ILBM", 1, 1, 6, 0, false, 0x800, map, Bytes(12, 0))));
    EXPECT_FALSE(Decode(Iff("ILBM", 1, 1, 2, 0, false, 0, map, {0x80, 0})));
    EXPECT_FALSE(Decode(Iff("ILBM", 1, 1, 9, 0, false, 0, map, Bytes(18, 0))));
    EXPECT_FALSE(Decode(Iff("PBM ", 1, 1, 4, 0, false, 0, map, {0, 0})));
    Bytes otherCoding = Iff("ILBM", 1, 1, 1, 0, false, 0, map, {0, 0});
    otherCoding[12 + 8 + 10] = 2;
    EXPECT_FALSE(Decode(otherCoding));
    ExpectEveryCutRefused(FileOf("np_pattern.iff"), 0);
}

} // namespace
