// Writes the seed corpora of the fuzz targets into <folder>/<target>/:
// screensaver files whose tails come from the real tail writer (every
// effect, every option at the ends of its range, content logos), the same
// records alone for the settings pages, icon files and icon groups, Flash
// and HTML heads, creator texts, small Targa, Photoshop and PGM/PPM
// pictures of each kind their decoder tells apart, and the pictures our own
// decoders' tests read (from the folder given second). Started by the build; the
// fuzzers begin from these instead of from nothing, so they reach records
// that pass the marker and size checks.
#include "core/EffectInfo.h"
#include "core/IconDirectory.h"
#include "core/OwnPicture.h"
#include "core/SaverRecord.h"
#include "core/SaverTail.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

class Corpus {
  public:
    Corpus(const fs::path& root, const char* target) : folder_(root / target) {
        fs::create_directories(folder_);
    }
    void Add(const Bytes& bytes) {
        std::ofstream out(folder_ / ("seed" + std::to_string(count_++)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

  private:
    fs::path folder_;
    int count_ = 0;
};

void Put32(Bytes& b, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void Put16(Bytes& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

// A stand-in program image: the readers look only at the file's end.
Bytes Program() {
    Bytes b = {'M', 'Z'};
    b.resize(64, 0x90);
    return b;
}

// A 2 x 2 32-bit bitmap file, the kind of logo the writer stores.
Bytes BitmapLogo() {
    Bytes b = {'B', 'M'};
    Put32(b, 54 + 16);
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, 2);
    Put32(b, 2);
    Put16(b, 1);
    Put16(b, 32);
    for (int i = 0; i < 6; ++i)
        Put32(b, 0);
    for (int i = 0; i < 4; ++i)
        Put32(b, 0x80FF4020u + static_cast<uint32_t>(i));
    return b;
}

Bytes SaverFile(const SaverTrailer& t, const Bytes& logo, const char* contentPath = nullptr) {
    Bytes file = Program();
    const Bytes tail = BuildSaverTail(t, logo, contentPath);
    file.insert(file.end(), tail.begin(), tail.end());
    return file;
}

SaverTrailer Defaults() {
    SaverTrailer t{};
    LoadDefaultSettings(t, 1);
    SetField(t.SaverName, "Seed");
    t.SaverId = 0x1234abcd;
    return t;
}

// One variation of the settings: a field and the values to try.
struct Variation {
    int32_t SaverSettings::*Field;
    std::vector<int32_t> Values;
};

const std::vector<Variation> Variations = {
    {&SaverSettings::ChangeMode, {0, 1}},
    {&SaverSettings::ChangeMinutes, {0, 1, 60, 61}},
    {&SaverSettings::IgnoreInput, {0, 1, 2, 4, 6, 7, -1}},
    {&SaverSettings::StaticDisplay, {0, 1, 2, 3, 4}},
    {&SaverSettings::StandardDelay, {1000, 15000}},
    {&SaverSettings::StandardFade, {0, 1}},
    {&SaverSettings::BounceSpeed, {1, 10, INT32_MAX}},
    {&SaverSettings::BounceGravity, {0, 1}},
    {&SaverSettings::BounceWrap, {0, 1}},
    {&SaverSettings::BounceTrail, {0, 1}},
    {&SaverSettings::ManyDelay, {100, 2600}},
    {&SaverSettings::ManyDim, {0, 1}},
    {&SaverSettings::DripInterval, {0, 990}},
    {&SaverSettings::DripDisplay, {0, 1, 2, 3, 4}},
    {&SaverSettings::FallingInterval, {1, 5}},
    {&SaverSettings::FallingSpeed, {1, 25}},
    {&SaverSettings::FallingCount, {1, 50}},
    {&SaverSettings::FallingScaled, {0, 1}},
    {&SaverSettings::FallingFade, {0, 1}},
    {&SaverSettings::FallingDirection, {1, 2, 4, 8, 15}},
    {&SaverSettings::SliderInterval, {0, 500}},
    {&SaverSettings::SliderDisplay, {0, 1, 2, 3, 4}},
    {&SaverSettings::SliderTileSize, {1050, 1051, 1052, 1054}},
};

void SaverSeeds(Corpus& corpus) {
    const Bytes bitmap = BitmapLogo();
    for (int row = 0; row < EffectCount; ++row) {
        SaverTrailer t = Defaults();
        t.Settings.EnabledMask = EffectInfoTable[row].Mask;
        corpus.Add(SaverFile(t, bitmap));
    }
    for (const Variation& v : Variations)
        for (int32_t value : v.Values) {
            SaverTrailer t = Defaults();
            t.Settings.EnabledMask = 0xFE;
            t.Settings.*v.Field = value;
            corpus.Add(SaverFile(t, bitmap));
        }
    // Content logos: an address, and a file carried with its name.
    for (int32_t dyn : {0, 1, 2, 3}) {
        SaverTrailer t = Defaults();
        t.DynamicLogo = 1;
        t.Settings.DynSize = dyn;
        t.Settings.ContentWidth = 550;
        t.Settings.ContentHeight = 400;
        const std::string address = "http://example.invalid/logo.html";
        corpus.Add(SaverFile(t, Bytes(address.begin(), address.end() + 1)));
        t.Settings.ContentFromFile = 1;
        corpus.Add(SaverFile(t, {'F', 'W', 'S', 6, 0, 0, 0, 0}, "C:\\logos\\movie.swf"));
    }
    // Colour keys, an empty logo, older and newer records.
    SaverTrailer t = Defaults();
    t.TransparentColor = 0x00FF00;
    t.PicHasTrans = 0;
    corpus.Add(SaverFile(t, bitmap));
    corpus.Add(SaverFile(Defaults(), {}));
    corpus.Add(SaverFile(Defaults(), Bytes(bitmap.begin(), bitmap.end() - 1))); // cut short
    t = Defaults();
    t.Version = 1;
    corpus.Add(SaverFile(t, bitmap));
    t.Version = 3;
    corpus.Add(SaverFile(t, bitmap));
}

// The records a settings sheet shows: the first byte checks every
// "&Enabled" box and has the pages follow them.
void PageSeeds(Corpus& corpus) {
    for (const Variation& v : Variations)
        for (int32_t value : v.Values) {
            SaverSettings s = Defaults().Settings;
            s.*v.Field = value;
            Bytes b = {3};
            const auto* p = reinterpret_cast<const uint8_t*>(&s);
            b.insert(b.end(), p, p + sizeof s);
            corpus.Add(b);
        }
}

Bytes IconFileWith(const std::vector<Bytes>& images) {
    Bytes b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, static_cast<uint16_t>(images.size()));
    uint32_t offset = static_cast<uint32_t>(IconHeaderSize + IconFileEntrySize * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const uint8_t side = static_cast<uint8_t>(16 << i);
        b.insert(b.end(), {side, side, 0, 0});
        Put16(b, 1);
        Put16(b, 32);
        Put32(b, static_cast<uint32_t>(images[i].size()));
        Put32(b, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const Bytes& image : images)
        b.insert(b.end(), image.begin(), image.end());
    return b;
}

void IconSeeds(Corpus& corpus) {
    const Bytes dib(40 + 16 * 16 * 4 + 64, 0x11);
    const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
    const Bytes one = IconFileWith({dib});
    const Bytes two = IconFileWith({dib, png});
    corpus.Add(one);
    corpus.Add(two);
    if (auto icon = ParseIconFile(two.data(), two.size()))
        corpus.Add(MakeIconGroup(*icon));
    // A program's end with the description's placeholder.
    Bytes tail = Program();
    const std::string mark = "!desc!";
    for (char c : mark) {
        tail.push_back(static_cast<uint8_t>(c));
        tail.push_back(0);
    }
    tail.resize(tail.size() + 100, 0);
    corpus.Add(tail);
}

// A bit-packed SWF frame rectangle of 15-bit fields.
Bytes FrameRect(uint32_t xmax, uint32_t ymax) {
    const int n = 15;
    std::vector<bool> bits;
    for (int i = 4; i >= 0; --i)
        bits.push_back((n >> i) & 1);
    for (uint32_t v : {0u, xmax, 0u, ymax})
        for (int i = n - 1; i >= 0; --i)
            bits.push_back((v >> i) & 1);
    Bytes b((bits.size() + 7) / 8, 0);
    for (std::size_t i = 0; i < bits.size(); ++i)
        if (bits[i])
            b[i / 8] |= static_cast<uint8_t>(0x80 >> (i % 8));
    return b;
}

void DynamicSeeds(Corpus& corpus) {
    const Bytes rect = FrameRect(11000, 8000);
    Bytes body = rect;
    body.insert(body.end(), {0, 24, 1, 0}); // frame rate and count
    for (uint8_t piece : {0, 1, 7}) {
        Bytes plain = {piece, 'F', 'W', 'S', 6};
        Put32(plain, static_cast<uint32_t>(8 + body.size()));
        plain.insert(plain.end(), body.begin(), body.end());
        corpus.Add(plain);

        Bytes packed(compressBound(static_cast<uLong>(body.size())));
        uLongf packedSize = static_cast<uLongf>(packed.size());
        compress(packed.data(), &packedSize, body.data(), static_cast<uLong>(body.size()));
        packed.resize(packedSize);
        Bytes cws = {piece, 'C', 'W', 'S', 10};
        Put32(cws, static_cast<uint32_t>(8 + body.size()));
        cws.insert(cws.end(), packed.begin(), packed.end());
        corpus.Add(cws);
    }
    for (const char* page : {"<!DOCTYPE html><html><body>logo</body></html>", "<TITLE>x</TITLE>",
                             "a</b>c", "plain text"}) {
        Bytes b = {0};
        for (const char* c = page; *c; ++c)
            b.push_back(static_cast<uint8_t>(*c));
        corpus.Add(b);
    }
}

void TextSeeds(Corpus& corpus) {
    for (const char16_t* text :
         {u"0", u"12", u"-3.5", u"2.5", u"1e10", u"&H7FFFFFFF", u"2147483648", u"-2147483649",
          u"0101101", u"C:\\My Logos\\logo?.bmp", u"Caption & more", u"\u00e9t\u00e9 \u65e5",
          u""}) {
        Bytes b;
        for (const char16_t* c = text; *c; ++c)
            Put16(b, static_cast<uint16_t>(*c));
        corpus.Add(b);
    }
}

// The switches, then the installer's six texts each ended by a 0: plain
// ones, and ones holding what the script reads specially.
void InstallerSeeds(Corpus& corpus) {
    using namespace std::string_view_literals;
    for (std::string_view text : {"\x1f"
                                  "Blue Fish\0Fish Inc.\0http://fish.example/\0"
                                  "C:\\Savers\\Blue Fish.scr\0C:\\Savers\\\0Blue Fish-setup"sv,
                                  "\x03{cm:a,b}|50%\0\"q\";x\0..\0{#Exec}\0C:\\a;b\\\0$if 0"sv})
        corpus.Add(Bytes(text.begin(), text.end()));
}

void PutBe(Bytes& b, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A 2 x 2 Targa: its type, bits per pixel, descriptor (0x20: top row
// first), colour map and what follows the header.
Bytes Targa(uint8_t type, uint8_t bits, uint8_t descriptor, const Bytes& body,
            uint16_t mapLength = 0) {
    Bytes b = {0, mapLength ? uint8_t{1} : uint8_t{0}, type};
    Put16(b, 0);
    Put16(b, mapLength);
    b.push_back(mapLength ? 24 : 0);
    Put32(b, 0); // origin
    Put16(b, 2);
    Put16(b, 2);
    b.insert(b.end(), {bits, descriptor});
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

// A 2 x 2 Photoshop file, raw or with each row packed as one literal run.
Bytes Photoshop(uint16_t channels, uint16_t depth, bool packed) {
    Bytes b = {'8', 'B', 'P', 'S', 0, 1, 0, 0, 0, 0, 0, 0};
    PutBe(b, channels, 2);
    PutBe(b, 2, 4);
    PutBe(b, 2, 4);
    PutBe(b, depth, 2);
    PutBe(b, 3, 2); // RGB
    for (int section = 0; section < 3; ++section)
        PutBe(b, 0, 4); // colour mode data, resources, layers: none
    PutBe(b, packed ? 1 : 0, 2);
    const int rows = 2 * channels, rowBytes = 2 * depth / 8;
    if (packed)
        for (int i = 0; i < rows; ++i)
            PutBe(b, static_cast<uint32_t>(rowBytes + 1), 2);
    for (int i = 0; i < rows; ++i) {
        if (packed)
            b.push_back(static_cast<uint8_t>(rowBytes - 1));
        for (int k = 0; k < rowBytes; ++k)
            b.push_back(static_cast<uint8_t>(40 * i + k));
    }
    return b;
}

void PictureSeeds(Corpus& corpus) {
    const Bytes bgr = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};
    corpus.Add(Targa(2, 24, 0, bgr));
    corpus.Add(Targa(2, 32, 0x28, Bytes(16, 0x7F)));
    corpus.Add(Targa(3, 8, 0, {0, 85, 170, 255}));
    corpus.Add(Targa(2, 16, 0, {0x1F, 0x80, 0xE0, 0x83, 0x00, 0xFC, 0xFF, 0xFF}));
    corpus.Add(Targa(10, 24, 0, {0x81, 1, 2, 3, 0x01, 4, 5, 6, 7, 8, 9}));
    corpus.Add(Targa(1, 8, 0, {0, 0, 255, 255, 255, 255, 0, 1, 1, 0}, 2));
    corpus.Add(Targa(9, 8, 0x20, {0, 0, 255, 255, 255, 255, 0x83, 1}, 2));
    corpus.Add(Photoshop(3, 8, false));
    corpus.Add(Photoshop(4, 8, true));
    corpus.Add(Photoshop(3, 16, true));
    const std::pair<const char*, std::size_t> pnm[] = {{"P5\n2 2\n255\n", 4},
                                                       {"P5 2 2 15 ", 4},
                                                       {"P6\n# by hand\n2 2\n255\n", 12},
                                                       {"P6\n2 2\n65535\n", 24}};
    for (const auto& [head, samples] : pnm) {
        Bytes b(head, head + std::strlen(head));
        for (std::size_t i = 0; i < samples; ++i)
            b.push_back(static_cast<uint8_t>(i * 19));
        corpus.Add(b);
    }
}

// The pictures the decoders' tests read (written by netpbm), each behind the
// byte that makes the fuzz target name it by its own extension.
void OwnPictureSeeds(Corpus& corpus, const fs::path& pictures) {
    const std::vector<std::wstring> extensions = OwnPictureExtensions();
    for (const auto& entry : fs::directory_iterator(pictures)) {
        std::wstring extension = entry.path().extension().wstring();
        for (wchar_t& c : extension)
            c = static_cast<wchar_t>(std::towupper(c));
        const auto found = std::find(extensions.begin(), extensions.end(),
                                     extension.substr(extension.empty() ? 0 : 1));
        if (entry.path().filename().string().rfind("np_", 0) != 0 || found == extensions.end())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        Bytes b = {static_cast<uint8_t>(found - extensions.begin())};
        b.insert(b.end(), std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        corpus.Add(b);
    }
}

// The pictures of the surface, JNG, MNG, PhotoCD (its information block
// only: the target makes up the rest) and fax tests, written by
// ImageMagick and netpbm, and Koala and Dr. Halo files written here.
void MorePictureSeeds(Corpus& corpus) {
    const std::vector<std::wstring> extensions = OwnPictureExtensions();
    const auto add = [&](const wchar_t* extension, Bytes file) {
        const auto found = std::find(extensions.begin(), extensions.end(), extension);
        file.insert(file.begin(), static_cast<uint8_t>(found - extensions.begin()));
        corpus.Add(file);
    };
    const auto picture = [](const char* name) {
        std::ifstream in(fs::path(QV_CORE_PICTURES) / name, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    };
    for (const char* name :
         {"blocks-dxt1.dds", "blocks-dxt5.dds", "blocks-none.dds", "blocks-rgb.dds"})
        add(L"DDS", picture(name));
    for (const char* name :
         {"halves-alpha.jng", "halves-opaque.jng", "alpha1.jng", "alpha16.jng", "alpha-jpeg.jng"})
        add(L"JNG", picture(name));
    add(L"MNG", picture("halves-then-blocks.mng"));
    Bytes koala(10003);
    for (std::size_t i = 0; i < koala.size(); ++i)
        koala[i] = static_cast<uint8_t>(i * 37);
    add(L"KOA", koala);
    add(L"CUT", {3, 0, 2, 0, 0, 0, 4, 0, 0x82, 9, 0x01, 7, 5, 0, 0x03, 1, 2, 3, 0});
    const Bytes packed = picture("quarters.pcd.z");
    Bytes photo(1 << 20);
    uLongf got = static_cast<uLongf>(photo.size());
    uncompress(photo.data(), &got, packed.data(), static_cast<uLong>(packed.size()));
    photo.resize(0x1000);
    add(L"PCD", photo);
    add(L"G3", picture("page.g3"));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FOLDER PICTURES\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    Corpus saverFile(root, "saver_file");
    SaverSeeds(saverFile);
    Corpus saverTail(root, "saver_tail");
    SaverSeeds(saverTail);
    Corpus pages(root, "settings_pages");
    PageSeeds(pages);
    Corpus icons(root, "icon_file");
    IconSeeds(icons);
    Corpus dynamic(root, "dynamic_type");
    DynamicSeeds(dynamic);
    Corpus texts(root, "creator_text");
    TextSeeds(texts);
    Corpus installer(root, "installer_script");
    InstallerSeeds(installer);
    Corpus stb(root, "stb_picture");
    PictureSeeds(stb);
    Corpus headers(root, "picture_header");
    PictureSeeds(headers);
    Corpus own(root, "own_picture");
    OwnPictureSeeds(own, argv[2]);
    MorePictureSeeds(own);
    return 0;
}
