// Finding and overwriting the "!desc!" string near the end of a program.
#include "core/SaverDescription.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::vector<uint8_t> Utf16(const std::u16string& s) {
    std::vector<uint8_t> out;
    for (char16_t c : s) {
        out.push_back(static_cast<uint8_t>(c));
        out.push_back(static_cast<uint8_t>(c >> 8));
    }
    return out;
}

std::u16string Placeholder() {
    return u"!desc!" + std::u16string(54, u' ');
}

} // namespace

TEST(Description, SourceIsTheNameThenBlanksSixtyBytes) {
    SaverTrailer t{};
    SetField(t.SaverName, "Harbour Lights");
    EXPECT_EQ(DescriptionSource(t.SaverName), "Harbour Lights" + std::string(46, ' '));

    SetField(t.SaverName, std::string(63, 'x').c_str()); // longer than the 60 decoded
    EXPECT_EQ(DescriptionSource(t.SaverName), std::string(60, 'x'));

    // A field without a NUL is read to its end and no further.
    std::memset(t.SaverName, 'y', sizeof t.SaverName);
    EXPECT_EQ(DescriptionSource(t.SaverName), std::string(60, 'y'));
}

TEST(Description, TextKeepsFiftyUnitsAndZeroFillsShortDecodings) {
    const DescriptionText full = MakeDescriptionText(std::u16string(60, u'a'));
    EXPECT_EQ(std::u16string(full.begin(), full.end()), std::u16string(50, u'a'));

    // 60 bytes of three-byte characters decode to 20 units: the rest are NUL.
    const DescriptionText shortText = MakeDescriptionText(std::u16string(20, u'\u20AC'));
    EXPECT_EQ(shortText[19], u'\u20AC');
    EXPECT_EQ(shortText[20], 0);
    EXPECT_EQ(shortText[49], 0);
}

TEST(Description, PatchesTheFirstPlaceholderAndLeavesTenBlanks) {
    std::vector<uint8_t> data(400, 0x41);
    const std::vector<uint8_t> s = Utf16(Placeholder());
    std::copy(s.begin(), s.end(), data.begin() + 77);
    std::copy(s.begin(), s.end(), data.begin() + 77 + 120 + 2); // a second one is left alone
    ASSERT_EQ(FindDescription(data.data(), data.size()), 77u);

    std::u16string name = u"Harbour Lights";
    name.resize(60, u' ');
    ASSERT_TRUE(PatchDescription(data.data(), data.size(), MakeDescriptionText(name)));
    EXPECT_EQ(std::vector<uint8_t>(data.begin() + 77, data.begin() + 77 + 120), Utf16(name));
    EXPECT_EQ(std::vector<uint8_t>(data.begin() + 199, data.begin() + 199 + 120), s);
    EXPECT_EQ(data[76], 0x41);
    EXPECT_EQ(data[77 + 120], 0x41);
}

TEST(Description, OnlyLowBytesAreComparedAndThePatchMustFit) {
    // "!" then 0, then d e s c ! in the low bytes with anything in the high bytes.
    std::vector<uint8_t> data(100, 0);
    const uint8_t odd[] = {'!', 0, 'd', 0xFF, 'e', 1, 's', 2, 'c', 3, '!'};
    std::copy(std::begin(odd), std::end(odd), data.begin());
    EXPECT_EQ(FindDescription(data.data(), data.size()), 0u);

    // "!" followed by a non-zero byte is no match.
    data[1] = 'x';
    EXPECT_FALSE(FindDescription(data.data(), data.size()));

    // A placeholder too near the end for the 100 bytes of the patch is not used,
    // and nothing is written.
    std::vector<uint8_t> tail(150, 0x20);
    const std::vector<uint8_t> s = Utf16(u"!desc!");
    std::copy(s.begin(), s.end(), tail.begin() + 51);
    const std::vector<uint8_t> before = tail;
    EXPECT_FALSE(FindDescription(tail.data(), tail.size()));
    EXPECT_FALSE(PatchDescription(tail.data(), tail.size(), MakeDescriptionText(u"x")));
    EXPECT_EQ(tail, before);
    // One byte more and it fits.
    tail.push_back(0x20);
    EXPECT_EQ(FindDescription(tail.data(), tail.size()), 51u);
    EXPECT_FALSE(FindDescription(nullptr, 0));
}
