#include "core/EffectInfo.h"
#include "core/Random.h"
#include "core/SaverRecord.h"
#include "core/SaverTail.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <thread>

namespace {

SaverTrailer DefaultTrailer() {
    SaverTrailer t{};
    LoadDefaultSettings(t, 1);
    return t;
}

std::vector<uint8_t> ProgramBytes(std::size_t n) {
    std::vector<uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    return bytes;
}

ReadResult Read(const std::vector<uint8_t>& file, SaverTrailer& t, std::vector<uint8_t>& logo) {
    ByteTailSource source(file.data(), file.size());
    return ReadSaverTail(source, t, logo, 42);
}

std::vector<uint8_t> SaverFile(const SaverTrailer& t, const std::vector<uint8_t>& logo) {
    std::vector<uint8_t> file = ProgramBytes(1000);
    const std::vector<uint8_t> tail = BuildSaverTail(t, logo);
    file.insert(file.end(), tail.begin(), tail.end());
    return file;
}

void PutInt(std::vector<uint8_t>& file, std::size_t trailerOffset, int32_t value) {
    std::memcpy(file.data() + file.size() - TrailerSize + trailerOffset, &value, 4);
}

} // namespace

TEST(SaverRecord, DefaultsAreWrittenAndUntouchedFieldsKept) {
    SaverTrailer t{};
    std::memset(&t, 0x5A, sizeof t);
    LoadDefaultSettings(t, 7);
    EXPECT_EQ(t.Magic, 1234567890);
    EXPECT_EQ(t.Version, 2);
    EXPECT_EQ(t.BackgroundColor, 0u);
    EXPECT_EQ(t.TransparentColor, 0);
    EXPECT_EQ(t.PicHasTrans, 1);
    EXPECT_EQ(std::memcmp(t.Marker, "TORVASKE", 8), 0);
    const SaverSettings& s = t.Settings;
    const int32_t expected[] = {1, 4, 250, 1,   5, 0,   1, 5000, 1,  5000, 1, 10, 3,
                                0, 1, 0,   300, 0, 310, 1, 5,    10, 15,   1, 0,  2};
    const auto* fields = reinterpret_cast<const int32_t*>(&s);
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(fields[i], expected[i]) << "settings offset " << i * 4;
    EXPECT_EQ(s.SliderInterval, 500);
    EXPECT_EQ(s.SliderDisplay, 2);
    EXPECT_EQ(s.SliderTileSize, 1051);
    EXPECT_EQ(s.Spare140, 100);
    // Fields without a default keep what they held.
    const int32_t kept = 0x5A5A5A5A;
    EXPECT_EQ(t.CreatorVersion, kept);
    EXPECT_EQ(t.LogoSize, kept);
    EXPECT_EQ(t.DynamicLogo, kept);
    EXPECT_EQ(t.SaverId, static_cast<uint32_t>(kept));
    EXPECT_EQ(t.SaverName[0], 0x5A);
    EXPECT_EQ(s.Spare104, kept);
    EXPECT_EQ(s.ContentFromFile, kept);
    EXPECT_EQ(s.DynSize, kept);
    EXPECT_EQ(s.ContentWidth, kept);
    EXPECT_EQ(s.ContentHeight, kept);
}

TEST(SaverRecord, NormaliserLimitsIgnoreInputAndScalesGravity) {
    SaverSettings s = DefaultTrailer().Settings;
    s.IgnoreInput = 7;
    s.BounceGravity = 1;
    s.BounceSpeed = 4;
    NormaliseSettings(s);
    EXPECT_EQ(s.IgnoreInput, 6);
    EXPECT_EQ(s.BounceGravity, 12);

    s.IgnoreInput = 6;
    s.BounceGravity = 0;
    NormaliseSettings(s);
    EXPECT_EQ(s.IgnoreInput, 6);
    EXPECT_EQ(s.BounceGravity, 0);

    // Bits beyond the three, or all three: the keys still end the saver.
    for (int32_t bad : {-1, -3, INT32_MIN, static_cast<int32_t>(0x80000007), 8}) {
        s.IgnoreInput = bad;
        NormaliseSettings(s);
        EXPECT_EQ(s.IgnoreInput, 6) << bad;
    }

    // Speeds whose triple leaves the int32_t range are held at its ends.
    s.BounceGravity = 1;
    s.BounceSpeed = 715827882; // the largest whose triple fits
    NormaliseSettings(s);
    EXPECT_EQ(s.BounceGravity, 2147483646);
    s.BounceSpeed = 715827883;
    NormaliseSettings(s);
    EXPECT_EQ(s.BounceGravity, INT32_MAX);
    s.BounceSpeed = INT32_MIN;
    NormaliseSettings(s);
    EXPECT_EQ(s.BounceGravity, INT32_MIN);
}

TEST(SaverTail, ARecordWithAHugeBounceSpeedIsReadWithADefinedGravity) {
    // 388 bytes: a 4-byte logo and the record, as a hostile file can be.
    SaverTrailer t = DefaultTrailer();
    t.Settings.BounceSpeed = INT32_MAX;
    t.Settings.BounceGravity = 1;
    const std::vector<uint8_t> file = BuildSaverTail(t, {1, 2, 3, 4});
    ASSERT_EQ(file.size(), 388u);
    SaverTrailer read{};
    std::vector<uint8_t> logo;
    ASSERT_EQ(Read(file, read, logo), ReadOk);
    EXPECT_EQ(read.Settings.BounceSpeed, INT32_MAX);
    EXPECT_EQ(read.Settings.BounceGravity, INT32_MAX);
}

TEST(SaverRecord, TextFieldsAreCutToFitWithTheirNul) {
    SaverTrailer t{};
    const std::string longName(100, 'x');
    SetField(t.SaverName, longName.c_str());
    EXPECT_EQ(FieldLength(t.SaverName), 63u);
    EXPECT_EQ(t.SaverName[63], 0);
    EXPECT_EQ(t.WebAddress[0], 0); // the next field is untouched
    SetField(t.SaverName, "short");
    EXPECT_EQ(FieldLength(t.SaverName), 5u);
    EXPECT_EQ(t.SaverName[6], 0);
    SetField(t.AboutText, nullptr);
    EXPECT_EQ(FieldLength(t.AboutText), 0u);
}

TEST(Random, FollowsTheRuntimeGeneratorPerThread) {
    SeedRand(1);
    EXPECT_EQ(Rand(), 41);
    EXPECT_EQ(Rand(), 18467);
    EXPECT_EQ(Rand(), 6334);
    // The sequence from one seed, undisturbed.
    SeedRand(12345);
    const int first = Rand();
    const int second = Rand();
    // Another thread seeding and drawing between our draws must not move
    // our state: with one shared state, our next draw would differ.
    SeedRand(12345);
    EXPECT_EQ(Rand(), first);
    int other = -1;
    std::thread([&] {
        SeedRand(999);
        other = Rand();
        Rand();
    }).join();
    EXPECT_EQ(Rand(), second);
    SeedRand(999);
    EXPECT_EQ(Rand(), other);
    for (int i = 0; i < 1000; ++i) {
        const int r = Rand();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, RandMax);
    }
}

TEST(SaverTail, ReadsRecordAndLogoAppendedToAProgram) {
    SaverTrailer t = DefaultTrailer();
    SetField(t.SaverName, "Ocean");
    t.SaverId = 0x1234;
    t.Settings.EnabledMask = 0x7E;
    t.Settings.IgnoreInput = 9; // normalised on reading
    const std::vector<uint8_t> logo = ProgramBytes(777);
    const std::vector<uint8_t> file = SaverFile(t, logo);

    SaverTrailer read{};
    std::vector<uint8_t> readLogo;
    ASSERT_EQ(Read(file, read, readLogo), ReadOk);
    EXPECT_EQ(readLogo, logo);
    EXPECT_EQ(read.LogoSize, 777);
    EXPECT_EQ(read.SaverId, 0x1234u);
    EXPECT_STREQ(read.SaverName, "Ocean");
    EXPECT_EQ(read.Settings.EnabledMask, 0x7E);
    EXPECT_EQ(read.Settings.IgnoreInput, 6);
}

TEST(SaverTail, ProgramWithoutRecordIsNotASaverAndGetsDefaults) {
    // The shipped template ends in its resource data: blanks, then zeros.
    std::vector<uint8_t> file = ProgramBytes(5000);
    std::fill(file.end() - 400, file.end(), 0);
    file[file.size() - 400] = ' ';
    SaverTrailer t{};
    std::memset(&t, 0x11, sizeof t);
    std::vector<uint8_t> logo{1, 2, 3};
    EXPECT_EQ(Read(file, t, logo), ReadNotSaver);
    EXPECT_TRUE(logo.empty());
    EXPECT_EQ(t.Settings.EnabledMask, 4);
    EXPECT_EQ(t.Version, 2);

    for (std::size_t n : {0u, 1u, 383u}) {
        std::vector<uint8_t> tiny(n, 'T');
        EXPECT_EQ(Read(tiny, t, logo), ReadNotSaver) << n << " bytes";
    }
}

TEST(SaverTail, VersionIsComparedAsASignedByte) {
    const SaverTrailer t = DefaultTrailer();
    const std::vector<uint8_t> logo = ProgramBytes(10);
    struct Case {
        uint8_t version;
        ReadResult result;
    } cases[] = {{0, ReadOlder},    {1, ReadOlder},    {2, ReadOk},      {3, ReadNewer},
                 {0x7F, ReadNewer}, {0x80, ReadOlder}, {0xFF, ReadOlder}};
    for (const Case& c : cases) {
        std::vector<uint8_t> file = SaverFile(t, logo);
        file[file.size() - TrailerSize + 4] = c.version;
        SaverTrailer read{};
        std::vector<uint8_t> readLogo;
        EXPECT_EQ(Read(file, read, readLogo), c.result) << int(c.version);
        if (c.result != ReadOk) {
            EXPECT_EQ(read.Version, c.version); // kept as read
            EXPECT_TRUE(readLogo.empty());
        }
    }
}

TEST(SaverTail, NoLogoLoadsDefaultsButKeepsNamesAndId) {
    SaverTrailer t = DefaultTrailer();
    SetField(t.SaverName, "Empty");
    SetField(t.WebAddress, "example.org");
    t.SaverId = 99;
    t.Settings.EnabledMask = 0x40;
    t.BackgroundColor = 0xFF;
    for (int32_t size : {0, -1, -100000}) {
        std::vector<uint8_t> file = SaverFile(t, {});
        PutInt(file, 0x00C, size);
        SaverTrailer read{};
        std::vector<uint8_t> logo;
        ASSERT_EQ(Read(file, read, logo), ReadOk) << size;
        EXPECT_EQ(read.LogoSize, 0);
        EXPECT_TRUE(logo.empty());
        EXPECT_EQ(read.Settings.EnabledMask, 4); // defaults
        EXPECT_EQ(read.BackgroundColor, 0u);
        EXPECT_STREQ(read.SaverName, "Empty");
        EXPECT_STREQ(read.WebAddress, "example.org");
        EXPECT_EQ(read.SaverId, 99u);
    }
}

TEST(SaverTail, LogoSizeBeyondTheFileIsRejectedWithoutReading) {
    const SaverTrailer t = DefaultTrailer();
    std::vector<uint8_t> file = SaverFile(t, ProgramBytes(50));
    const auto available = static_cast<int32_t>(file.size() - TrailerSize);

    PutInt(file, 0x00C, available); // the logo starts at the first byte: fine
    SaverTrailer read{};
    std::vector<uint8_t> logo;
    EXPECT_EQ(Read(file, read, logo), ReadOk);
    EXPECT_EQ(logo.size(), static_cast<std::size_t>(available));

    for (int32_t size : {available + 1, 0x7FFFFFFF}) {
        PutInt(file, 0x00C, size);
        logo.assign(5, 1);
        EXPECT_EQ(Read(file, read, logo), ReadNotSaver) << size;
        EXPECT_TRUE(logo.empty());
    }
}

TEST(SaverTail, SourceThatFailsToReadTheLogoReportsNotSaver) {
    class Failing final : public TailSource {
      public:
        explicit Failing(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
        uint64_t Size() override { return bytes_.size(); }
        bool ReadAt(uint64_t offset, void* buffer, std::size_t count) override {
            if (count != TrailerSize)
                return false;
            return ByteTailSource(bytes_.data(), bytes_.size()).ReadAt(offset, buffer, count);
        }

      private:
        std::vector<uint8_t> bytes_;
    };
    Failing source(SaverFile(DefaultTrailer(), ProgramBytes(20)));
    SaverTrailer read{};
    std::vector<uint8_t> logo;
    EXPECT_EQ(ReadSaverTail(source, read, logo, 1), ReadNotSaver);
    EXPECT_TRUE(logo.empty());
}

TEST(ContentName, BlockIsBuiltAndFoundFromTheEnd) {
    const std::vector<uint8_t> content = ProgramBytes(300);
    SaverTrailer t = DefaultTrailer();
    const std::vector<uint8_t> tail = BuildSaverTail(t, content, "C:\\movies\\\\logo9.swf");
    // "logo9.swf" is 9 characters: 9 bytes, a NUL and the integer 10.
    const std::size_t logoSize = tail.size() - TrailerSize;
    ASSERT_EQ(logoSize, 300u + 14u);
    int32_t recorded;
    std::memcpy(&recorded, tail.data() + logoSize + 0x00C, 4);
    EXPECT_EQ(recorded, 314);
    int32_t length;
    std::memcpy(&length, tail.data() + logoSize - 4, 4);
    EXPECT_EQ(length, 10);

    const auto found = FindContentName(tail.data(), logoSize);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Name, "logo9.swf");
    EXPECT_EQ(found->ContentSize, 300u);

    EXPECT_EQ(MakeContentNameBlock("\\\\lead.html").size(), 9u + 1 + 4);
    EXPECT_EQ(MakeContentNameBlock("plain.swf")[0], 'p');
}

TEST(ContentName, LengthPointingOutsideTheBlockIsRejected) {
    std::vector<uint8_t> block = MakeContentNameBlock("a.swf"); // 6 + 4 bytes
    auto setLength = [&](int32_t n) { std::memcpy(block.data() + block.size() - 4, &n, 4); };
    setLength(6);
    EXPECT_TRUE(FindContentName(block.data(), block.size()));
    for (int32_t bad : {0, -1, 7, 1000, INT32_MIN}) {
        setLength(bad);
        EXPECT_FALSE(FindContentName(block.data(), block.size())) << bad;
    }
    setLength(6);
    block[block.size() - 5] = 'x'; // no terminator where the length says
    EXPECT_FALSE(FindContentName(block.data(), block.size()));
    EXPECT_FALSE(FindContentName(block.data(), 4));
    EXPECT_FALSE(FindContentName(nullptr, 0));
}

TEST(SaverTail, RegistryKeyNamesSaverAndIdInLowerHex) {
    SaverTrailer t{};
    SetField(t.SaverName, "My Saver");
    t.SaverId = 0x7ABC;
    EXPECT_EQ(SaverRegistryKey(t), "Software\\Quorvel\\Savers\\My Saver.7abc\\");
    t.SaverId = 0;
    EXPECT_EQ(SaverRegistryKey(t), "Software\\Quorvel\\Savers\\My Saver.0\\");
    // Negative ids are written as their unsigned 32-bit pattern.
    t.SaverId = -1;
    EXPECT_EQ(SaverRegistryKey(t), "Software\\Quorvel\\Savers\\My Saver.ffffffff\\");
    t.SaverId = INT32_MIN;
    EXPECT_EQ(SaverRegistryKey(t), "Software\\Quorvel\\Savers\\My Saver.80000000\\");
    t.SaverId = 0x0F00010;
    EXPECT_EQ(SaverRegistryKey(t), "Software\\Quorvel\\Savers\\My Saver.f00010\\");
    t.SaverId = 0;
    SetField(t.SaverName, "a\\b");
    EXPECT_EQ(SaverRegistryKey(t), "Software\\Quorvel\\Savers\\a\\b.0\\");
    std::memset(t.SaverName, 'n', sizeof t.SaverName); // no NUL inside the field
    EXPECT_EQ(SaverRegistryKey(t), "Software\\Quorvel\\Savers\\" + std::string(64, 'n') + ".0\\");
}

TEST(EffectInfo, TableOrderMasksPagesAndLookup) {
    const int32_t masks[] = {2, 4, 8, 16, 32, 64, 128};
    const int32_t pages[] = {9, 105, 106, 107, 2004, 2005, 2006};
    const int32_t paced[] = {0, 0, 1, 0, 0, 1, 0};
    for (int i = 0; i < EffectCount; ++i) {
        EXPECT_EQ(EffectInfoTable[i].Mask, masks[i]);
        EXPECT_EQ(EffectInfoTable[i].PageDialog, pages[i]);
        EXPECT_EQ(EffectInfoTable[i].Paced, paced[i]);
        EXPECT_EQ(EffectInfoTable[i].Spare, 0);
        EXPECT_EQ(FindEffect(masks[i]), i);
    }
    EXPECT_EQ(EffectInfoTable[EffectCount].Name, nullptr);
    EXPECT_STREQ(EffectInfoTable[6].Name, "Slider");
    EXPECT_STREQ(EffectInfoTable[5].Description, "Many logos falling down the screen.");
    for (int32_t bad : {0, 1, -1, 3, 6, 256})
        EXPECT_EQ(FindEffect(bad), -1) << bad;
}
