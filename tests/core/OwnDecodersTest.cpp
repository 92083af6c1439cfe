// DirectDraw surfaces, Koala, Dr. Halo, PhotoCD, JNG, MNG and raw fax
// pictures: files from other people's writers (tests/core/pictures), each
// format's variants from writers here, and files cut at each section.
#include "core/DdsPicture.h"
#include "core/OwnPicture.h"
#include "core/HaloCutPicture.h"
#include "core/JngPicture.h"
#include "core/KoalaPicture.h"
#include "core/MngPicture.h"
#include "core/PhotoCdPicture.h"
#include "core/RawFaxPicture.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes File(const std::string& name) {
    std::ifstream in(std::string(QV_CORE_PICTURES) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

Bytes Inflated(const Bytes& packed, std::size_t size) {
    Bytes out(size);
    uLongf got = static_cast<uLongf>(size);
    EXPECT_EQ(uncompress(out.data(), &got, packed.data(), static_cast<uLong>(packed.size())), Z_OK);
    out.resize(got);
    return out;
}

void Put32(Bytes& b, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t Rgb(const StbPicture& p, uint32_t x, uint32_t y) {
    const uint8_t* px = &p.Bitmap.Pixels[(std::size_t{y} * p.Bitmap.Width + x) * 4];
    return uint32_t{px[2]} << 16 | px[1] << 8 | px[0];
}
uint8_t Alpha(const StbPicture& p, uint32_t x, uint32_t y) {
    return p.Bitmap.Pixels[(std::size_t{y} * p.Bitmap.Width + x) * 4 + 3];
}

// Our own decoders' table's picture for the file of that extension;
// nothing when it gives none or a reframed file.
std::optional<StbPicture> Own(const Bytes& file, const wchar_t* extension) {
    auto result = DecodeOwnPicture(file.data(), file.size(), extension);
    if (!result || !result->Reframed.empty())
        return std::nullopt;
    return std::move(result->Picture);
}

void ExpectHeader(const Bytes& file, const wchar_t* extension, PictureFormat format, uint32_t w,
                  uint32_t h) {
    ByteTailSource source(file.data(), file.size());
    const auto header = ReadPictureHeader(source, extension);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Format, format);
    EXPECT_EQ(header->Width, w);
    EXPECT_EQ(header->Height, h);
}

// Every shorter file is refused.
template <typename Decode> void ExpectCutsRefused(const Bytes& file, Decode decode) {
    for (std::size_t cut : {std::size_t{0}, file.size() / 2, file.size() - 1})
        EXPECT_FALSE(decode(Bytes(file.begin(), file.begin() + cut))) << cut;
}

// The 9 x 6 picture of flat 4 x 4 blocks the DirectDraw files were made of.
constexpr uint32_t BlockColour[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFFFF00};
constexpr uint8_t BlockAlpha[6] = {255, 0, 136, 255, 68, 255};

// A surface header: a FourCC, or the bits and masks of uncompressed pixels.
Bytes Surface(uint32_t w, uint32_t h, const char* fourCc, uint32_t bits = 0,
              std::initializer_list<uint32_t> masks = {}) {
    Bytes b(128);
    std::memcpy(b.data(), "DDS ", 4);
    Put32(b, 4, 124);
    Put32(b, 12, h);
    Put32(b, 16, w);
    Put32(b, 76, 32);
    if (fourCc) {
        Put32(b, 80, 4);
        std::memcpy(&b[84], fourCc, 4);
    } else {
        Put32(b, 80, 0x40 | (masks.size() == 4 ? 1 : 0));
        Put32(b, 88, bits);
        std::size_t at = 92;
        for (uint32_t m : masks)
            Put32(b, (at += 4) - 4, m);
    }
    return b;
}

TEST(DdsPicture, ReadsEachLayoutWrittenElsewhereAndHere) {
    const struct {
        const char* Name;
        bool Alpha;
    } written[] = {{"blocks-none.dds", true},
                   {"blocks-rgb.dds", false},
                   {"blocks-dxt5.dds", true},
                   {"blocks-dxt1.dds", false}}; // its writer leaves alpha out
    for (const auto& c : written) {
        SCOPED_TRACE(c.Name);
        const Bytes file = File(c.Name);
        const auto p = Own(file, L"DDS");
        ASSERT_TRUE(p);
        ASSERT_EQ(p->Bitmap.Width, 9);
        ASSERT_EQ(p->Bitmap.Height, 6);
        EXPECT_EQ(p->HasAlpha, c.Alpha);
        for (uint32_t y = 0; y < 6; ++y)
            for (uint32_t x = 0; x < 9; ++x) {
                const int b = y / 4 * 3 + x / 4;
                const uint8_t a = c.Alpha ? BlockAlpha[b] : 255;
                EXPECT_EQ(Alpha(*p, x, y), a) << x << "," << y;
                if (a != 0) {
                    EXPECT_EQ(Rgb(*p, x, y), BlockColour[b]) << x << "," << y;
                }
            }
        ExpectCutsRefused(file, [](const Bytes& b) { return Own(b, L"DDS"); });
    }

    // 5-6-5 and 1-5-5-5 words; luminance in a 16-bit word beside alpha.
    Bytes wide = Surface(2, 1, nullptr, 16, {0xF800, 0x07E0, 0x001F});
    wide.insert(wide.end(), {0x00, 0xF8, 0xE0, 0x07});
    auto p = Own(wide, L"DDS");
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 0, 0), 0xFF0000u);
    EXPECT_EQ(Rgb(*p, 1, 0), 0x00FF00u);
    EXPECT_FALSE(p->HasAlpha);
    Bytes punched = Surface(2, 1, nullptr, 16, {0x7C00, 0x03E0, 0x001F, 0x8000});
    punched.insert(punched.end(), {0x1F, 0x00, 0x1F, 0x80});
    p = Own(punched, L"DDS");
    ASSERT_TRUE(p);
    EXPECT_TRUE(p->HasAlpha);
    EXPECT_EQ(Alpha(*p, 0, 0), 0);
    EXPECT_EQ(Alpha(*p, 1, 0), 255);
    EXPECT_EQ(Rgb(*p, 1, 0), 0x0000FFu);

    // DXT1 with the first colour below the second: three colours and
    // transparent black; DXT3's four-bit alpha; DXT5's six-step alpha. One
    // 4 x 4 block each, read as 3 x 1 (the rest lies outside the picture).
    Bytes dxt1 = Surface(3, 1, "DXT1");
    dxt1.insert(dxt1.end(), {0x1F, 0x00, 0x00, 0xF8, 0b11'10'01'00, 0, 0, 0});
    p = Own(dxt1, L"DDS");
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 0, 0), 0x0000FFu);
    EXPECT_EQ(Rgb(*p, 1, 0), 0xFF0000u);
    EXPECT_EQ(Rgb(*p, 2, 0), 0x7F007Fu);
    Bytes dxt3 = Surface(3, 1, "DXT3");
    dxt3.insert(dxt3.end(),
                {0xF0, 0x08, 0, 0, 0, 0, 0, 0, 0x00, 0xF8, 0x1F, 0x00, 0b10'01'00, 0, 0, 0});
    p = Own(dxt3, L"DDS");
    ASSERT_TRUE(p);
    EXPECT_EQ(Alpha(*p, 0, 0), 0);
    EXPECT_EQ(Alpha(*p, 1, 0), 255);
    EXPECT_EQ(Alpha(*p, 2, 0), 136);
    EXPECT_EQ(Rgb(*p, 2, 0), 0xAA0055u); // two thirds of the first colour
    Bytes dxt5 = Surface(3, 1, "DXT5");
    dxt5.insert(dxt5.end(), {10, 60, 0b10'001'111, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    p = Own(dxt5, L"DDS");
    ASSERT_TRUE(p);
    EXPECT_EQ(Alpha(*p, 0, 0), 255);
    EXPECT_EQ(Alpha(*p, 1, 0), 60);
    EXPECT_EQ(Alpha(*p, 2, 0), 20);

    // Masks wider than the pixels, other compressions, no size.
    for (const Bytes& refused :
         {Surface(1, 1, nullptr, 16, {0x1F0000, 0xFF, 0xF00}), Surface(1, 1, "DX10"),
          Surface(1, 1, nullptr, 8, {0xFF, 0, 0}), Surface(0, 1, "DXT1")}) {
        Bytes file = refused;
        file.resize(file.size() + 64);
        EXPECT_FALSE(Own(file, L"DDS"));
    }
}

// A Koala file: load address, then everything 0 but what a test sets.
Bytes Koala() {
    Bytes b(KoalaFileSize);
    b[1] = 0x60;
    return b;
}

TEST(KoalaPicture, EachBitPairPicksItsColourAtDoubleWidth) {
    Bytes file = Koala();
    // Cell 0's top row: background, screen high half, low half, colour; the
    // unused high halves of the colour and background bytes are ignored.
    file[2] = 0b00'01'10'11;
    file[8002] = 0x25;
    file[9002] = 0xF7;
    file[10002] = 0xF6;
    // Cell 41 (second cell row, second cell), its fourth row: the last pair.
    file[2 + 41 * 8 + 3] = 0b00'00'00'01;
    file[8002 + 41] = 0xA0;
    auto p = Own(file, L"KOA");
    ASSERT_TRUE(p);
    ASSERT_EQ(p->Bitmap.Width, 320);
    ASSERT_EQ(p->Bitmap.Height, 200);
    EXPECT_FALSE(p->HasAlpha);
    const uint32_t want[8] = {0x352879, 0x352879, 0x68372B, 0x68372B,
                              0x588D43, 0x588D43, 0xB8C76F, 0xB8C76F};
    for (uint32_t x = 0; x < 8; ++x)
        EXPECT_EQ(Rgb(*p, x, 0), want[x]) << x;
    EXPECT_EQ(Rgb(*p, 13, 11), 0x352879u);
    EXPECT_EQ(Rgb(*p, 14, 11), 0x9A6759u);
    EXPECT_EQ(Rgb(*p, 15, 11), 0x9A6759u);
    EXPECT_EQ(Rgb(*p, 319, 199), 0x352879u);

    // Bytes after the layout change nothing; one short of it is refused.
    Bytes longer = file;
    longer.resize(longer.size() + 3, 0xFF);
    EXPECT_EQ(Own(longer, L"KOA")->Bitmap.Pixels, p->Bitmap.Pixels);
    ExpectCutsRefused(file, [](const Bytes& b) { return Own(b, L"KOA"); });
}

// A Dr. Halo file: its size, then each row's bytes behind their count.
Bytes HaloCut(uint16_t w, uint16_t h, const std::vector<Bytes>& rows) {
    Bytes b = {static_cast<uint8_t>(w),
               static_cast<uint8_t>(w >> 8),
               static_cast<uint8_t>(h),
               static_cast<uint8_t>(h >> 8),
               0,
               0};
    for (const Bytes& row : rows) {
        b.push_back(static_cast<uint8_t>(row.size()));
        b.push_back(static_cast<uint8_t>(row.size() >> 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

// A palette file of `count` colours: i is (2i, 255 - i, 7i) at 255 each.
Bytes HaloPalette(uint32_t count) {
    Bytes b = {'A', 'H', 10, 0,   0, 0,   'P', 0, 0, 0, 0, 0, static_cast<uint8_t>(count - 1),
               0,   255, 0,  255, 0, 255, 0};
    b.resize(40);
    for (uint32_t i = 0; i < count; ++i) {
        if (b.size() % 512 + 6 > 512)
            b.resize(b.size() / 512 * 512 + 512);
        for (uint32_t v : {2 * i, 255 - i, 7 * i & 255})
            b.insert(b.end(), {static_cast<uint8_t>(v), 0});
    }
    return b;
}

TEST(HaloCutPicture, RunsAndLiteralsInGreyOrTheSidePalette) {
    // 5 wide (odd): a literal packet, then a run and a literal; the rows end
    // with their 0 byte or with their count.
    const Bytes file = HaloCut(5, 2, {{0x05, 0, 10, 20, 30, 255, 0}, {0x84, 2, 0x01, 1}});
    auto p = Own(file, L"CUT");
    ASSERT_TRUE(p);
    ASSERT_EQ(p->Bitmap.Width, 5);
    ASSERT_EQ(p->Bitmap.Height, 2);
    const uint32_t grey[10] = {0,        0x0A0A0A, 0x141414, 0x1E1E1E, 0xFFFFFF,
                               0x020202, 0x020202, 0x020202, 0x020202, 0x010101};
    for (uint32_t i = 0; i < 10; ++i)
        EXPECT_EQ(Rgb(*p, i % 5, i / 5), grey[i]) << i;

    // The palette file beside it, read as its writer's reader reads it; one
    // that ends early is no palette, one of fewer colours than the indices
    // refuses.
    const Bytes indices = HaloCut(3, 1, {{0x03, 0, 77, 86, 0}});
    const auto withPalette = [&](const Bytes& pal) {
        const SideFileReader side = [&](std::wstring_view extension) {
            return extension == L"PAL" ? std::optional<Bytes>(pal) : std::nullopt;
        };
        auto result = DecodeOwnPicture(indices.data(), indices.size(), L"CUT", side);
        return result ? std::optional<StbPicture>(std::move(result->Picture)) : std::nullopt;
    };
    p = withPalette(HaloPalette(90));
    ASSERT_TRUE(p);
    EXPECT_EQ(Rgb(*p, 0, 0), 0x00FF00u);
    EXPECT_EQ(Rgb(*p, 1, 0), 0x9AB21Bu); // the first block's last colour
    EXPECT_EQ(Rgb(*p, 2, 0), 0xACA95Au); // in the second block
    Bytes cut = HaloPalette(90);
    cut.pop_back();
    EXPECT_EQ(Rgb(*withPalette(cut), 2, 0), 0x565656u);
    EXPECT_FALSE(withPalette(HaloPalette(86)));

    // A run past the row's end, a row that stops short or whose packets run
    // past its count; and cut files.
    for (const Bytes& broken : {HaloCut(5, 1, {{0x86, 7}}), HaloCut(5, 1, {{0x04, 1, 2, 3, 4, 0}}),
                                HaloCut(5, 1, {{0x05, 1, 2, 3}}), HaloCut(0, 1, {{0}})}) {
        Bytes padded = broken;
        padded.resize(padded.size() + 16);
        EXPECT_FALSE(Own(padded, L"CUT"));
    }
    ExpectCutsRefused(file, [](const Bytes& b) { return Own(b, L"CUT"); });
}

TEST(PhotoCdPicture, BaseImageInItsColoursTurnedAsItSays) {
    const Bytes file = Inflated(File("quarters.pcd.z"), 1 << 20);
    ASSERT_GT(file.size(), 0xC0000u);
    // Where the white square at the top left of the unturned image lands.
    const struct {
        uint8_t Turns;
        uint32_t W, H, SquareX, SquareY;
    } turns[] = {
        {0, 768, 512, 0, 0}, {1, 512, 768, 0, 767}, {2, 768, 512, 767, 511}, {3, 512, 768, 511, 0}};
    for (const auto& t : turns) {
        SCOPED_TRACE(t.Turns);
        Bytes turned = file;
        turned[0xE02] = static_cast<uint8_t>(0xFC | t.Turns);
        const auto p = Own(turned, L"PCD");
        ASSERT_TRUE(p);
        ASSERT_EQ(p->Bitmap.Width, static_cast<int32_t>(t.W));
        ASSERT_EQ(p->Bitmap.Height, static_cast<int32_t>(t.H));
        EXPECT_EQ(Rgb(*p, t.SquareX, t.SquareY), 0xFFFFFFu);
        if (t.Turns == 0) {
            // Red, green, blue and grey quarters, each colour the strongest.
            const auto channel = [&](uint32_t x, uint32_t y, int c) {
                return Rgb(*p, x, y) >> (16 - 8 * c) & 0xFF;
            };
            for (int c = 0; c < 3; ++c) {
                const uint32_t x = c == 1 ? 600 : 200, y = c == 2 ? 400 : 100;
                for (int other = 0; other < 3; ++other)
                    if (other != c) {
                        EXPECT_GT(channel(x, y, c), channel(x, y, other) + 60) << c;
                    }
            }
            const uint32_t grey = Rgb(*p, 600, 400);
            EXPECT_NEAR(static_cast<int>(grey >> 16), static_cast<int>(grey & 0xFF), 8);
        }
    }
    Bytes unmarked = file;
    unmarked[0x800] = 'X';
    EXPECT_FALSE(Own(unmarked, L"PCD"));
    ExpectCutsRefused(Bytes(file.begin(), file.begin() + 0xC0000),
                      [](const Bytes& b) { return Own(b, L"PCD"); });
    EXPECT_TRUE(Own(Bytes(file.begin(), file.begin() + 0xC0000), L"PCD"));
}

// The colours of the halves picture the JNGs were made of (their JPEG
// moves them a little), and the alpha samples of the files made with it.
void ExpectHalves(const StbPicture& p) {
    ASSERT_EQ(p.Bitmap.Width, 33);
    ASSERT_EQ(p.Bitmap.Height, 17);
    for (uint32_t y = 0; y < 17; y += 4)
        for (uint32_t x : {2u, 30u}) {
            const uint32_t want = x < 16 ? 0xC81E1E : 0x1E1EC8, got = Rgb(p, x, y);
            for (int shift : {0, 8, 16})
                EXPECT_NEAR(static_cast<int>(got >> shift & 0xFF),
                            static_cast<int>(want >> shift & 0xFF), 24)
                    << x << "," << y;
        }
}

// The JNG with its IDAT chunks replaced by one of `rows` deflated.
Bytes WithAlphaStream(const Bytes& file, const Bytes& rows) {
    Bytes packed(compressBound(rows.size()));
    uLongf packedSize = static_cast<uLongf>(packed.size());
    EXPECT_EQ(compress(packed.data(), &packedSize, rows.data(), rows.size()), Z_OK);
    packed.resize(packedSize);
    Bytes out(file.begin(), file.begin() + 8);
    const auto add = [&](const uint8_t* type, const uint8_t* body, uint32_t n) {
        for (int i = 3; i >= 0; --i)
            out.push_back(static_cast<uint8_t>(n >> (8 * i)));
        out.insert(out.end(), type, type + 4);
        out.insert(out.end(), body, body + n);
        out.insert(out.end(), 4, 0); // the decoder does not check the sum
    };
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const uint32_t n = file[at] << 24 | file[at + 1] << 16 | file[at + 2] << 8 | file[at + 3];
        if (std::memcmp(&file[at + 4], "IEND", 4) == 0)
            add(reinterpret_cast<const uint8_t*>("IDAT"), packed.data(), packedSize);
        if (std::memcmp(&file[at + 4], "IDAT", 4) != 0)
            add(&file[at + 4], &file[at + 8], n);
        at += 12 + n;
    }
    return out;
}

TEST(JngPicture, JpegColourWithZlibOrJpegAlpha) {
    Bytes file = File("halves-alpha.jng");
    auto p = Own(file, L"");
    ASSERT_TRUE(p);
    ExpectHalves(*p);
    EXPECT_TRUE(p->HasAlpha);
    for (uint32_t y = 0; y < 17; ++y)
        for (uint32_t x = 0; x < 33; ++x)
            ASSERT_EQ(Alpha(*p, x, y), y < 8 ? 255 : x * 7 & 255) << x << "," << y;
    ExpectCutsRefused(file, [](const Bytes& b) { return Own(b, L"JNG"); });

    Bytes opaque = File("halves-opaque.jng");
    for (const Bytes& colour : {opaque, File("halves-progressive.jng")}) {
        p = Own(colour, L"JNG");
        ASSERT_TRUE(p);
        ExpectHalves(*p);
        EXPECT_FALSE(p->HasAlpha);
    }
    // A Huffman table of more codes than a table holds.
    const uint8_t table[] = {0xFF, 0xC4};
    const auto dht = std::search(opaque.begin(), opaque.end(), table, table + 2);
    ASSERT_NE(dht, opaque.end());
    std::fill(dht + 5, dht + 21, 0x20);
    EXPECT_FALSE(Own(opaque, L"JNG"));

    // 1, 2, 4, 8 and 16 bits, each in another row filter.
    for (uint32_t bits : {1, 2, 4, 8, 16}) {
        SCOPED_TRACE(bits);
        p = Own(File("alpha" + std::to_string(bits) + ".jng"), L"JNG");
        ASSERT_TRUE(p);
        const uint32_t top = (1u << bits) - 1;
        for (uint32_t y = 0; y < 17; ++y)
            for (uint32_t x = 0; x < 33; ++x) {
                const uint32_t sample = (3 * x + 5 * y) * 997 % (top + 1);
                ASSERT_EQ(Alpha(*p, x, y), bits == 16 ? sample >> 8 : sample * 255 / top)
                    << x << "," << y;
            }
    }
    file = File("alpha-jpeg.jng");
    p = Own(file, L"JNG");
    ASSERT_TRUE(p);
    for (uint32_t x = 0; x < 33; x += 4)
        EXPECT_NEAR(Alpha(*p, x, 12), x * 7 & 255, 12) << x;

    // A colour JPEG of another size; alpha that inflates a byte short.
    Bytes header = file;
    header[16 + 3] = 34; // 34 wide
    EXPECT_FALSE(Own(header, L"JNG"));
    EXPECT_TRUE(Own(WithAlphaStream(File("alpha8.jng"), Bytes(17 * 34)), L"JNG"));
    EXPECT_FALSE(Own(WithAlphaStream(File("alpha8.jng"), Bytes(17 * 34 - 1)), L"JNG"));
}

TEST(MngPicture, FirstImageCutOutWhole) {
    const Bytes file = File("halves-then-blocks.mng");
    ExpectHeader(file, L"", PictureFormat::Mng, 33, 17);
    const auto result = DecodeOwnPicture(file.data(), file.size(), L"MNG");
    ASSERT_TRUE(result);
    const Bytes& png = result->Reframed;
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels =
        stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &w, &h, &channels, 4);
    ASSERT_TRUE(pixels);
    EXPECT_EQ(w, 33);
    EXPECT_EQ(h, 17);
    EXPECT_EQ(pixels[0], 200);
    EXPECT_EQ(pixels[(16 * 33 + 32) * 4 + 2], 200);
    EXPECT_EQ(pixels[(16 * 33 + 32) * 4 + 3], 32 * 7 & 255);
    stbi_image_free(pixels);
    // A file cut before the first image's end.
    ExpectCutsRefused(Bytes(file.begin(), file.begin() + 8 + file.size() / 2),
                      [](const Bytes& b) { return DecodeOwnPicture(b.data(), b.size(), L"MNG"); });

    // A JNG inside is decoded: its chunks between the MNG's own.
    const Bytes jng = File("halves-alpha.jng");
    Bytes withJng(file.begin(), file.begin() + 8 + 12 + 28); // signature, MHDR
    withJng.insert(withJng.end(), jng.begin() + 8, jng.end());
    withJng.insert(withJng.end(), file.end() - 12, file.end()); // MEND
    const auto decoded = DecodeOwnPicture(withJng.data(), withJng.size(), L"");
    ASSERT_TRUE(decoded);
    ASSERT_TRUE(decoded->Reframed.empty());
    ExpectHalves(decoded->Picture);
    EXPECT_TRUE(decoded->Picture.HasAlpha);
}

TEST(RawFaxPicture, RowsCountedInEitherBitOrderAndWrappedAsTiff) {
    const Bytes page = File("page.g3");
    ExpectHeader(page, L"G3", PictureFormat::RawFax, 1728, 9);
    const auto tiff = DecodeOwnPicture(page.data(), page.size(), L"G3");
    ASSERT_TRUE(tiff);
    ExpectHeader(tiff->Reframed, L"", PictureFormat::Tiff, 1728, 9);
    // The page behind the directory, up to the 0 bits of its sixth empty end
    // of line (its writer adds a seventh).
    const std::size_t stripAt = 8 + 2 + 11 * 12 + 4;
    ASSERT_EQ(tiff->Reframed.size(), stripAt + page.size() - 2);
    EXPECT_TRUE(std::equal(tiff->Reframed.begin() + stripAt, tiff->Reframed.end(), page.begin()));
    // What follows the codes that end the page is not part of it.
    Bytes trailing = page;
    trailing.insert(trailing.end(), 64, 0xA5);
    EXPECT_EQ(RawFaxAsTiff(trailing.data(), trailing.size()), tiff->Reframed);

    // The same page with each byte's bits the other way round.
    Bytes reversed = page;
    for (uint8_t& b : reversed) {
        uint8_t r = 0;
        for (int i = 0; i < 8; ++i)
            r |= static_cast<uint8_t>((b >> i & 1) << (7 - i));
        b = r;
    }
    const auto other = RawFaxAsTiff(reversed.data(), reversed.size());
    ASSERT_TRUE(other);
    EXPECT_EQ(other->size(), tiff->Reframed.size());
    EXPECT_NE(*other, tiff->Reframed); // its bit order tag and bytes differ
    ExpectHeader(*other, L"", PictureFormat::Tiff, 1728, 9);

    // No end-of-line code: not a fax page.
    const Bytes noise(200, 0x5A);
    EXPECT_FALSE(DecodeOwnPicture(noise.data(), noise.size(), L"G3"));
}

} // namespace
