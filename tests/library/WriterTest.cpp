// Screensavers written through the exports from the built template: exact
// bytes, description, icon, and what a failure leaves behind.
#include "core/IconDirectory.h"
#include "core/SaverDescription.h"
#include "core/SaverTail.h"
#include "library/Exports.h"
#include "tests/library/LibraryApi.h"
#include "tests/library/SaverFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

const char* const IconType = MAKEINTRESOURCEA(3);
const char* const GroupType = MAKEINTRESOURCEA(14);

SaverTrailer Current() {
    SaverTrailer t{};
    Library().GetSettings(&t);
    return t;
}

SaverTrailer TailOf(const std::vector<uint8_t>& file) {
    SaverTrailer t{};
    std::memcpy(&t, file.data() + file.size() - TrailerSize, TrailerSize);
    return t;
}

int GroupCount(const std::string& path) {
    ResourceFile res(path);
    const auto group = res.Get(GroupType, 5);
    if (!group || group->size() < 6)
        return -1;
    return (*group)[4] | (*group)[5] << 8;
}

class Writer : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(lib.Loaded()) << lib.missing;
        lib.SetSettings(nullptr);
        char name[] = "Harbour Lights", about[] = "Lights by the sea",
             web[] = "https://example.org/";
        lib.SetName(name, about, web);
        saver = dir.Path("Harbour.scr");
        logo = dir.Path("logo.bmp");
        CopyTemplate(saver);
        bmp = MakeBmp32(12, 9, 3);
        WriteFileBytes(logo, bmp);
        lib.SetLogo(logo.c_str(), 0, 0, 0, 1);
    }
    LibraryApi& lib = Library();
    TempFolder dir;
    std::string saver, logo;
    std::vector<uint8_t> bmp;
};

// A saver whose second icon group, 20, names one image of 0xEA7 bytes, with
// `value` put at `field` of that image's resource entry (0 its address, 4 its
// size).
std::vector<uint8_t> IconProgram(const std::string& path, int field, uint32_t value) {
    CopyTemplate(path);
    std::vector<uint8_t> image(0xEA7, 0xC3), group(6 + 14);
    group[2] = group[4] = 1;
    group[6 + 8] = 0xA7, group[6 + 9] = 0x0E, group[6 + 12] = 200;
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    UpdateResourceA(update, IconType, MAKEINTRESOURCEA(200), 0, image.data(), 0xEA7);
    UpdateResourceA(update, GroupType, MAKEINTRESOURCEA(20), 0, group.data(), 20);
    EndUpdateResourceA(update, FALSE);
    std::vector<uint8_t> file = ReadFileBytes(path);
    const uint8_t entry[12] = {0xA7, 0x0E}; // size, code page 0, reserved 0
    const auto at = std::search(file.begin() + 4, file.end(), entry, entry + 12);
    EXPECT_NE(at, file.end());
    if (at != file.end())
        std::memcpy(&*(at - 4 + field), &value, 4);
    return file;
}

} // namespace

TEST(Template, CarriesTheDescriptionPlaceholderAndIconGroupFive) {
    const std::vector<uint8_t> file = ReadFileBytes(TemplatePath());
    ResourceFile res(TemplatePath());
    ASSERT_TRUE(res.Open());
    EXPECT_EQ(res.String(1), u"!desc!" + Blanks(54));

    // The writer's byte search finds it within the last 5000 bytes.
    const std::size_t window = std::min<std::size_t>(file.size(), DescriptionWindow);
    EXPECT_TRUE(FindDescription(file.data() + file.size() - window, window));

    // Icon group 5: eleven images, ids 1-11, in this order.
    const auto group = res.Get(GroupType, 5);
    ASSERT_TRUE(group);
    ASSERT_EQ(group->size(), 6u + 14 * 11);
    EXPECT_EQ((*group)[4], 11);
    const int sizes[11] = {16, 16, 16, 32, 32, 32, 48, 48, 32, 48, 256};
    const int bits[11] = {4, 8, 24, 4, 8, 24, 8, 24, 32, 32, 32};
    for (int k = 0; k < 11; ++k) {
        const uint8_t* e = group->data() + 6 + 14 * k;
        EXPECT_EQ(e[0], sizes[k] % 256) << k;
        EXPECT_EQ(e[6] | e[7] << 8, bits[k]) << k;
        EXPECT_EQ(e[12] | e[13] << 8, k + 1) << k;
        const uint32_t bytes = e[8] | e[9] << 8 | e[10] << 16 | static_cast<uint32_t>(e[11]) << 24;
        const auto image = res.Get(IconType, static_cast<WORD>(k + 1));
        ASSERT_TRUE(image) << k;
        EXPECT_EQ(image->size(), bytes) << k;
    }
    // The icon is usable: the platform makes a 32 x 32 icon of it.
    HICON icon =
        static_cast<HICON>(LoadImageA(res.Module(), MAKEINTRESOURCEA(5), IMAGE_ICON, 32, 32, 0));
    EXPECT_NE(icon, nullptr);
    if (icon)
        DestroyIcon(icon);
}

TEST_F(Writer, BitmapSaverIsTheTemplateThenLogoThenRecordAndReadsBack) {
    lib.SetSaverState(EffectBounce, SaverStateEnabled);
    lib.SetColor(0x00112233, -1);
    lib.GetVersion(10203);
    const std::vector<uint8_t> before = ReadFileBytes(saver);

    ASSERT_EQ(lib.WriteSettings(saver.c_str(), logo.c_str(), -1, "", 0), WriteOk);
    const std::vector<uint8_t> file = ReadFileBytes(saver);
    ASSERT_EQ(file.size(), before.size() + bmp.size() + TrailerSize);

    // The program image differs only in the 100 bytes of the description.
    const std::size_t at = *FindDescription(before.data(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        if (i < at || i >= at + 100) {
            ASSERT_EQ(file[i], before[i]) << "byte " << i;
        }
    EXPECT_TRUE(std::equal(bmp.begin(), bmp.end(), file.begin() + before.size()));

    // The record is the library's, with the writer's last values.
    const SaverTrailer written = TailOf(file);
    const SaverTrailer held = Current();
    EXPECT_EQ(std::memcmp(&written, &held, sizeof held), 0);
    EXPECT_EQ(written.LogoSize, static_cast<int32_t>(bmp.size()));
    EXPECT_EQ(written.Settings.AllowConfig, 1);
    EXPECT_LE(written.SaverId, 32767u);
    EXPECT_EQ(written.CreatorVersion, 10203);
    EXPECT_EQ(written.Settings.EnabledMask, 4 | 8);
    EXPECT_EQ(written.BackgroundColor, 0x00112233u);
    EXPECT_EQ(written.TransparentColor, -1);
    EXPECT_EQ(written.PicHasTrans, 1);
    EXPECT_EQ(written.DynamicLogo, 0);
    EXPECT_EQ(written.LogoData, 0u);
    EXPECT_EQ(std::memcmp(written.Marker, "TORVASKE", 8), 0);
    EXPECT_STREQ(written.SaverName, "Harbour Lights");

    {
        ResourceFile res(saver);
        EXPECT_EQ(res.String(1), u"Harbour Lights" + Blanks(46));
        EXPECT_EQ(GroupCount(saver), 11); // no icon source: the template's icon stays
    }

    // Read back: the same record, the same logo bytes.
    lib.SetSettings(nullptr);
    ASSERT_EQ(lib.ReadSaverInfo(saver.c_str()), ReadOk);
    const SaverTrailer read = Current();
    EXPECT_EQ(std::memcmp(&read, &written, sizeof read), 0);
    const std::string out = dir.Path("saved.bmp");
    EXPECT_EQ(lib.SaveLogo(out.c_str()), static_cast<int32_t>(bmp.size()));
    EXPECT_EQ(ReadFileBytes(out), bmp);
    int32_t background = 0, transparent = 0;
    lib.GetColor(&background, &transparent);
    EXPECT_EQ(background, 0x00112233);
    EXPECT_EQ(transparent, -1);
    char name[1024] = "", about[1024] = "", web[1024] = "";
    lib.SetName(name, about, web);
    EXPECT_STREQ(name, "Harbour Lights");
    EXPECT_STREQ(about, "Lights by the sea");
    EXPECT_STREQ(web, "https://example.org/");

    // Prevent changes: AllowConfig 0, and a new SaverId draw on every write.
    CopyTemplate(saver);
    ASSERT_EQ(lib.WriteSettings(saver.c_str(), logo.c_str(), 0, nullptr, 0), WriteOk);
    EXPECT_EQ(TailOf(ReadFileBytes(saver)).Settings.AllowConfig, 0);
}

TEST_F(Writer, DescriptionHoldsFiftyUnitsOfTheNameThenTenBlanks) {
    struct Case {
        std::string name;
        std::u16string expected;
    } cases[] = {
        {std::string(63, 'x'), std::u16string(50, u'x') + Blanks(10)},
        // 11 bytes decode to 8 units: 8 units and 42 blanks, then the 10 blanks.
        {"Z\xC3\xBCrich \xE2\x82\xAC", u"Z\u00FCrich \u20AC" + Blanks(52)},
        // Not UTF-8 (a code-page byte): a replacement character.
        {"Caf\xE9 Noir", u"Caf\uFFFD Noir" + Blanks(51)},
        // 21 three-byte characters: the first 60 bytes decode to 20 units and
        // the rest of the 50 are NUL.
        {[] {
             std::string s;
             for (int i = 0; i < 21; ++i)
                 s += "\xE2\x82\xAC";
             return s;
         }(),
         std::u16string(20, u'\u20AC') + std::u16string(30, u'\0') + Blanks(10)},
    };
    for (const Case& c : cases) {
        CopyTemplate(saver);
        std::string name = c.name;
        char empty[] = "";
        lib.SetName(name.data(), empty, empty);
        ASSERT_EQ(lib.WriteSettings(saver.c_str(), logo.c_str(), -1, "", 0), WriteOk);
        ResourceFile res(saver);
        EXPECT_EQ(res.String(1), c.expected) << c.name;
    }
}

TEST_F(Writer, IconFromAnIconFileReplacesGroupFiveAndKeepsTheOtherImages) {
    const std::string ico = dir.Path("three.ico");
    const std::vector<uint8_t> icoBytes = MakeIco({100, 300, 50});
    WriteFileBytes(ico, icoBytes);
    ASSERT_EQ(lib.WriteSettings(saver.c_str(), logo.c_str(), -1, ico.c_str(), 0), WriteOk);

    ResourceFile res(saver);
    const auto group = res.Get(GroupType, 5);
    ASSERT_TRUE(group);
    const auto parsed = ParseIconFile(icoBytes.data(), icoBytes.size());
    EXPECT_EQ(*group, MakeIconGroup(*parsed));
    for (WORD k = 1; k <= 3; ++k) {
        const auto image = res.Get(IconType, k);
        ASSERT_TRUE(image);
        const IconFileEntry& e = parsed->Entries[k - 1];
        EXPECT_EQ(*image, std::vector<uint8_t>(icoBytes.begin() + e.Offset,
                                               icoBytes.begin() + e.Offset + e.Size));
    }
    for (WORD k = 4; k <= 11; ++k)
        EXPECT_TRUE(res.Get(IconType, k)) << "image " << k << " of the template is kept";
    EXPECT_EQ(res.String(1), u"Harbour Lights" + Blanks(46));

    // The tail still follows the program: the record reads back.
    const std::vector<uint8_t> file = ReadFileBytes(saver);
    EXPECT_EQ(TailOf(file).LogoSize, static_cast<int32_t>(bmp.size()));
    EXPECT_TRUE(std::equal(bmp.begin(), bmp.end(), file.end() - TrailerSize - bmp.size()));
}

TEST_F(Writer, IconFromAProgramTakesTheGroupAtTheIndexInEnumerationOrder) {
    // A program with three icon groups: 5 (the template's), 20 and 30.
    const std::string program = dir.Path("icons.exe");
    CopyTemplate(program);
    const std::vector<uint8_t> a(200, 0xA1), b(120, 0xB2), c(80, 0xC3);
    {
        HANDLE update = BeginUpdateResourceA(program.c_str(), FALSE);
        ASSERT_NE(update, nullptr);
        auto put = [&](const char* type, WORD id, const std::vector<uint8_t>& data) {
            ASSERT_TRUE(UpdateResourceA(update, type, MAKEINTRESOURCEA(id), 0,
                                        const_cast<uint8_t*>(data.data()),
                                        static_cast<DWORD>(data.size())));
        };
        put(IconType, 200, a);
        put(IconType, 201, b);
        put(IconType, 300, c);
        auto group = [](std::vector<std::pair<uint16_t, uint32_t>> images) {
            std::vector<uint8_t> g(6 + 14 * images.size());
            g[2] = 1;
            g[4] = static_cast<uint8_t>(images.size());
            for (std::size_t k = 0; k < images.size(); ++k) {
                uint8_t* e = g.data() + 6 + 14 * k;
                e[0] = e[1] = 32;
                e[4] = 1;
                e[6] = 32;
                std::memcpy(e + 8, &images[k].second, 4);
                std::memcpy(e + 12, &images[k].first, 2);
            }
            return g;
        };
        put(GroupType, 20, group({{200, 200}, {201, 120}}));
        put(GroupType, 30, group({{300, 80}}));
        ASSERT_TRUE(EndUpdateResourceA(update, FALSE));
    }

    ASSERT_EQ(lib.WriteSettings(saver.c_str(), logo.c_str(), -1, program.c_str(), 2), WriteOk);
    {
        ResourceFile res(saver);
        const auto group = res.Get(GroupType, 5);
        ASSERT_TRUE(group);
        ASSERT_EQ(group->size(), 6u + 14);
        EXPECT_EQ((*group)[6 + 12], 1); // renumbered from 300
        EXPECT_EQ(res.Get(IconType, 1), c);
    }

    CopyTemplate(saver);
    ASSERT_EQ(lib.WriteSettings(saver.c_str(), logo.c_str(), -1, program.c_str(), 1), WriteOk);
    {
        ResourceFile res(saver);
        EXPECT_EQ(GroupCount(saver), 2);
        EXPECT_EQ(res.Get(IconType, 1), a);
        EXPECT_EQ(res.Get(IconType, 2), b);
    }

    // An index past the last group, or a negative one, leaves the icon.
    for (int32_t index : {3, -1}) {
        CopyTemplate(saver);
        ASSERT_EQ(lib.WriteSettings(saver.c_str(), logo.c_str(), -1, program.c_str(), index),
                  WriteOk);
        EXPECT_EQ(GroupCount(saver), 11) << index;
    }
}

TEST_F(Writer, BadIconSourcesLeaveTheIconAndTheWriteGoesOn) {
    std::vector<uint8_t> past = MakeIco({100, 300});
    past.resize(past.size() - 1); // the last image reaches past the end
    std::vector<uint8_t> count = MakeIco({100});
    count[4] = 9; // nine entries announced, one held
    std::vector<uint8_t> none = MakeIco({100});
    none[4] = 0;
    std::vector<uint8_t> offset = MakeIco({100});
    std::memset(offset.data() + 6 + 12, 0xFF, 4);
    const std::vector<uint8_t> notAProgram = {'M', 'Z', 0, 0, 1, 2, 3};
    const std::vector<std::pair<const char*, std::vector<uint8_t>>> sources = {
        {"past.ico", past},
        {"count.ico", count},
        {"none.ico", none},
        {"offset.ico", offset},
        {"fake.exe", notAProgram},
        {"one.ico", {0}},
        // Images whose resource reaches past the program's image.
        {"long.scr", IconProgram(dir.Path("long.scr"), 4, 0x100000)},
        {"high.scr", IconProgram(dir.Path("high.scr"), 0, 0xFFFFF000)}};
    for (const auto& [name, bytes] : sources) {
        CopyTemplate(saver);
        const std::string source = dir.Path(name);
        WriteFileBytes(source, bytes);
        const std::vector<uint8_t> before = ReadFileBytes(saver);
        ASSERT_EQ(lib.WriteSettings(saver.c_str(), logo.c_str(), -1, source.c_str(), 1), WriteOk)
            << name;
        const std::vector<uint8_t> after = ReadFileBytes(saver);
        EXPECT_EQ(after.size(), before.size() + bmp.size() + TrailerSize) << name;
        EXPECT_EQ(GroupCount(saver), 11) << name;
    }
    CopyTemplate(saver);
    EXPECT_EQ(
        lib.WriteSettings(saver.c_str(), logo.c_str(), -1, dir.Path("missing.ico").c_str(), 0),
        WriteOk);
    EXPECT_EQ(GroupCount(saver), 11);
    // Untouched, the same program gives its icon.
    const std::string sound = dir.Path("sound.scr");
    WriteFileBytes(sound, IconProgram(sound, 4, 0xEA7));
    ASSERT_EQ(lib.WriteSettings(saver.c_str(), logo.c_str(), -1, sound.c_str(), 1), WriteOk);
    EXPECT_EQ(GroupCount(saver), 1);
}

TEST_F(Writer, ContentLogoGetsItsNameBlockAndALaterBitmapDoesNot) {
    const std::string movie = dir.Path("movie.swf"); // 9 characters
    const std::vector<uint8_t> swf = {'F', 'W', 'S', 9, 1, 2, 3, 4, 5, 6, 7};
    WriteFileBytes(movie, swf);
    lib.SetLogo(movie.c_str(), 2, 550, 400, 0);
    const std::size_t program = ReadFileBytes(saver).size();
    ASSERT_EQ(lib.WriteSettings(saver.c_str(), movie.c_str(), -1, "", 0), WriteOk);

    std::vector<uint8_t> file = ReadFileBytes(saver);
    SaverTrailer t = TailOf(file);
    EXPECT_EQ(t.LogoSize, static_cast<int32_t>(swf.size() + 14));
    EXPECT_EQ(t.DynamicLogo, 1);
    EXPECT_EQ(t.Settings.ContentFromFile, 1);
    EXPECT_EQ(t.Settings.DynSize, 2);
    const std::vector<uint8_t> block(file.begin() + program, file.end() - TrailerSize);
    std::vector<uint8_t> expected = swf;
    for (char ch : std::string("movie.swf"))
        expected.push_back(static_cast<uint8_t>(ch));
    expected.insert(expected.end(), {0, 10, 0, 0, 0});
    EXPECT_EQ(block, expected);

    // Reading it back keeps the name block in the logo bytes.
    ASSERT_EQ(lib.ReadSaverInfo(saver.c_str()), ReadOk);
    const std::string out = dir.Path("content.bin");
    EXPECT_EQ(lib.SaveLogo(out.c_str()), static_cast<int32_t>(expected.size()));
    EXPECT_EQ(ReadFileBytes(out), expected);

    // Kind 0 now: ContentFromFile stays 1, but a bitmap gets no name block.
    lib.SetLogo(logo.c_str(), 0, 0, 0, 1);
    CopyTemplate(saver);
    ASSERT_EQ(lib.WriteSettings(saver.c_str(), logo.c_str(), -1, "", 0), WriteOk);
    file = ReadFileBytes(saver);
    t = TailOf(file);
    EXPECT_EQ(t.LogoSize, static_cast<int32_t>(bmp.size()));
    EXPECT_EQ(t.Settings.ContentFromFile, 1);
    EXPECT_EQ(file.size(), program + bmp.size() + TrailerSize);
}

TEST_F(Writer, FailuresAreReportedAndWritingTwiceAppendsTwice) {
    EXPECT_EQ(lib.WriteSettings(dir.Path("missing.scr").c_str(), logo.c_str(), -1, "", 0),
              WriteSaverFailed);
    EXPECT_EQ(GetFileAttributesA(dir.Path("missing.scr").c_str()), INVALID_FILE_ATTRIBUTES);

    // No logo: the description is patched but nothing is appended.
    const std::size_t program = ReadFileBytes(saver).size();
    EXPECT_EQ(lib.WriteSettings(saver.c_str(), dir.Path("missing.bmp").c_str(), -1, "", 0),
              WriteLogoFailed);
    EXPECT_EQ(ReadFileBytes(saver).size(), program);
    EXPECT_EQ(ResourceFile(saver).String(1), u"Harbour Lights" + Blanks(46));

    // A saver file held open by someone else cannot be written.
    {
        UniqueFile held(CreateFileA(saver.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(lib.WriteSettings(saver.c_str(), logo.c_str(), -1, "", 0), WriteSaverFailed);
    }

    ASSERT_EQ(lib.WriteSettings(saver.c_str(), logo.c_str(), -1, "", 0), WriteOk);
    const std::vector<uint8_t> other = MakeBmp32(4, 4, 99);
    WriteFileBytes(logo, other);
    ASSERT_EQ(lib.WriteSettings(saver.c_str(), logo.c_str(), -1, "", 0), WriteOk);
    const std::vector<uint8_t> file = ReadFileBytes(saver);
    EXPECT_EQ(file.size(), program + bmp.size() + other.size() + 2 * TrailerSize);
    ASSERT_EQ(lib.ReadSaverInfo(saver.c_str()), ReadOk);
    const std::string out = dir.Path("last.bmp");
    EXPECT_EQ(lib.SaveLogo(out.c_str()), static_cast<int32_t>(other.size()));
    EXPECT_EQ(ReadFileBytes(out), other);
}
