// Icon files and icon-group directories from untrusted bytes.
#include "core/IconDirectory.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

void Put16(std::vector<uint8_t>& b, std::size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// An .ico file with images of the given sizes, each filled with its index.
std::vector<uint8_t> MakeIco(const std::vector<uint32_t>& sizes) {
    const std::size_t count = sizes.size();
    std::vector<uint8_t> file(6 + 16 * count);
    Put16(file, 2, 1);
    Put16(file, 4, static_cast<uint16_t>(count));
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t e = 6 + 16 * k;
        file[e] = static_cast<uint8_t>(16 * (k + 1)); // width
        file[e + 1] = static_cast<uint8_t>(16 * (k + 1));
        file[e + 2] = k == 0 ? 16 : 0;
        Put16(file, e + 4, 1);
        Put16(file, e + 6, static_cast<uint16_t>(8 * (k + 1)));
        Put32(file, e + 8, sizes[k]);
        Put32(file, e + 12, static_cast<uint32_t>(file.size()));
        file.insert(file.end(), sizes[k], static_cast<uint8_t>(k + 1));
    }
    return file;
}

} // namespace

TEST(IconFile, ParsesEntriesAndBuildsTheGroupWithIdsOneToN) {
    const std::vector<uint8_t> ico = MakeIco({40, 300, 7});
    const auto icon = ParseIconFile(ico.data(), ico.size());
    ASSERT_TRUE(icon);
    ASSERT_EQ(icon->Entries.size(), 3u);
    EXPECT_EQ(icon->Entries[1].Size, 300u);
    EXPECT_EQ(icon->Entries[1].Offset, 6u + 48 + 40);
    EXPECT_EQ(ico[icon->Entries[2].Offset], 3);

    const std::vector<uint8_t> group = MakeIconGroup(*icon);
    ASSERT_EQ(group.size(), 6u + 14 * 3);
    EXPECT_EQ(std::vector<uint8_t>(group.begin(), group.begin() + 6),
              std::vector<uint8_t>(ico.begin(), ico.begin() + 6));
    for (std::size_t k = 0; k < 3; ++k) {
        // the 12 shared bytes as in the file, then the image id k + 1
        EXPECT_EQ(std::memcmp(&group[6 + 14 * k], &ico[6 + 16 * k], 12), 0) << k;
        EXPECT_EQ(group[6 + 14 * k + 12], k + 1);
        EXPECT_EQ(group[6 + 14 * k + 13], 0);
    }
}

TEST(IconFile, RejectsCountsAndEntriesThatDoNotFitTheFile) {
    std::vector<uint8_t> ico = MakeIco({40, 30});
    EXPECT_FALSE(ParseIconFile(ico.data(), 5));
    EXPECT_FALSE(ParseIconFile(nullptr, 0));

    std::vector<uint8_t> noImages = ico;
    Put16(noImages, 4, 0);
    EXPECT_FALSE(ParseIconFile(noImages.data(), noImages.size()));

    // A count larger than the entries the file holds.
    std::vector<uint8_t> tooMany = ico;
    Put16(tooMany, 4, 200);
    EXPECT_FALSE(ParseIconFile(tooMany.data(), tooMany.size()));

    // The last image reaches one byte past the end.
    EXPECT_FALSE(ParseIconFile(ico.data(), ico.size() - 1));
    EXPECT_TRUE(ParseIconFile(ico.data(), ico.size()));

    // An offset past the end, an offset + size that wraps, an empty image.
    std::vector<uint8_t> far = ico;
    Put32(far, 6 + 12, 0xFFFFFFF0u);
    EXPECT_FALSE(ParseIconFile(far.data(), far.size()));
    std::vector<uint8_t> wraps = ico;
    Put32(wraps, 6 + 8, 0xFFFFFFFFu);
    EXPECT_FALSE(ParseIconFile(wraps.data(), wraps.size()));
    std::vector<uint8_t> empty = ico;
    Put32(empty, 6 + 16 + 8, 0);
    EXPECT_FALSE(ParseIconFile(empty.data(), empty.size()));
}

TEST(IconGroup, RenumbersEntriesAndKeepsTheirOldIds) {
    std::vector<uint8_t> group(6 + 14 * 3 + 10, 0xEE); // trailing bytes are not copied
    Put16(group, 0, 0);
    Put16(group, 2, 1);
    Put16(group, 4, 3);
    const uint16_t ids[] = {101, 7, 4000};
    for (std::size_t k = 0; k < 3; ++k)
        Put16(group, 6 + 14 * k + 12, ids[k]);

    const auto renumbered = RenumberIconGroup(group.data(), group.size());
    ASSERT_TRUE(renumbered);
    EXPECT_EQ(renumbered->SourceIds, (std::vector<uint16_t>{101, 7, 4000}));
    ASSERT_EQ(renumbered->Directory.size(), 6u + 14 * 3);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(std::memcmp(&renumbered->Directory[6 + 14 * k], &group[6 + 14 * k], 12), 0);
        EXPECT_EQ(renumbered->Directory[6 + 14 * k + 12], k + 1);
    }
}

TEST(IconGroup, RejectsEmptyAndShortGroups) {
    std::vector<uint8_t> group(6 + 14 * 2);
    Put16(group, 2, 1);
    Put16(group, 4, 2);
    EXPECT_TRUE(RenumberIconGroup(group.data(), group.size()));
    EXPECT_FALSE(RenumberIconGroup(group.data(), group.size() - 1));
    Put16(group, 4, 0);
    EXPECT_FALSE(RenumberIconGroup(group.data(), group.size()));
    EXPECT_FALSE(RenumberIconGroup(group.data(), 5));
}
