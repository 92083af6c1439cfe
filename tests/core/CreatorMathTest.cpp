#include "core/CreatorError.h"
#include "core/CreatorMath.h"

#include <gtest/gtest.h>

namespace {

int32_t ErrorNumberOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CreatorError& e) {
        return e.Number();
    }
    return 0;
}

} // namespace

TEST(RoundHalfEven, HalvesGoToEven) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
    EXPECT_EQ(RoundHalfEven(2147483647.0), 2147483647);
    EXPECT_EQ(ErrorNumberOf([] { RoundHalfEven(2147483647.5); }), ErrOverflow);
    EXPECT_EQ(ErrorNumberOf([] { RoundHalfEven(-2147483649.0); }), ErrOverflow);
    EXPECT_EQ(ErrorNumberOf([] { RoundHalfEven(1.0 / 0.0); }), ErrOverflow);
}

TEST(WordPacking, SignedHalves) {
    // One wheel notch towards the user, no keys held: 0xFF880000.
    EXPECT_EQ(HiWord(static_cast<int32_t>(0xFF880000u)), -120);
    EXPECT_EQ(HiWord(0x00780000), 120);
    EXPECT_EQ(LoWord(0x0000FFFF), -1);
    EXPECT_EQ(LoWord(0x12347FFF), 32767);
    EXPECT_EQ(LoWord(0x00008000), -32768);
    EXPECT_EQ(MakeLong(-1, 0), -1);
    EXPECT_EQ(MakeLong(0, 1), 65536);
    EXPECT_EQ(MakeLong(5, -1), -65531);
    // Both halves are signed: 0xFFFF is -1.
    EXPECT_EQ(MakeLong(0xFFFF, 0x7FFF), 0x7FFEFFFF);
    EXPECT_EQ(ErrorNumberOf([] { MakeLong(-1, -32768); }), ErrOverflow);
    EXPECT_EQ(MakeLong(0, -32768), static_cast<int32_t>(0x80000000u));
}

TEST(ColourParts, FromAColorref) {
    EXPECT_EQ(GetRed(0x00336699), 0x99);
    EXPECT_EQ(GetGreen(0x00336699), 0x66);
    EXPECT_EQ(GetBlue(0x00336699), 0x33);
}

TEST(HSVToRGB, PrimariesHuesOutsideTheCircleAndRounding) {
    EXPECT_EQ(HSVToRGB(0, 100, 100), 255);
    EXPECT_EQ(HSVToRGB(120, 100, 50), 128 * 256);
    EXPECT_EQ(HSVToRGB(400, 100, 100), 0);
    EXPECT_EQ(HSVToRGB(-1, 100, 100), 0);
    EXPECT_EQ(HSVToRGB(240, 100, 100), 255 * 65536);
    EXPECT_EQ(HSVToRGB(360, 100, 100), 255);
    // 45 degrees: green = round(255 / 60 * 45) = round(191.25) = 191.
    EXPECT_EQ(HSVToRGB(45, 100, 100), 255 + 191 * 256);
    // Value 50: max 128 (127.5 to even); 45 degrees gives round(96.0) = 96.
    EXPECT_EQ(HSVToRGB(45, 100, 50), 128 + 96 * 256);
    // 30 degrees at value 50: round(128 / 60 * 30) = round(64.0000..) = 64.
    EXPECT_EQ(HSVToRGB(30, 100, 50), 128 + 64 * 256);
}

TEST(HSVToRGB, NoSaturationIsGrey) {
    for (int v : {0, 1, 50, 99, 100}) {
        const int grey = RoundHalfEven(v * 255 / 100.0);
        const int expected = grey + grey * 256 + grey * 65536;
        for (int h = 0; h <= 360; h += 15)
            EXPECT_EQ(HSVToRGB(h, 0, v), expected) << "h " << h << " v " << v;
    }
}

TEST(HSVToRGB, OverflowIsRaised) {
    EXPECT_EQ(ErrorNumberOf([] { HSVToRGB(10, 100, 2000000000); }), ErrOverflow);
    EXPECT_EQ(ErrorNumberOf([] { HSVToRGB(10, -2000000000, 100); }), ErrOverflow);
}

TEST(TabOrderKey, ReadingOrder) {
    // (Top + 0.2 * Height) * 1000 + 50 * Left, halves to even.
    EXPECT_EQ(TabOrderKey(120, 240, 300), (240 + 60) * 1000 + 6000);
    EXPECT_EQ(TabOrderKey(0.01, 0, 0), 0); // 0.5 rounds to 0
    EXPECT_EQ(TabOrderKey(0.03, 0, 0), 2); // 1.5 rounds to 2
    // A control lower down comes after one far to the right in the row above.
    EXPECT_LT(TabOrderKey(9000, 100, 300), TabOrderKey(0, 600, 300));
    EXPECT_EQ(ErrorNumberOf([] { TabOrderKey(0, 3000000, 0); }), ErrOverflow);
}

TEST(OsLevel, FromTheVersionTable) {
    EXPECT_EQ(OsLevelOf(4, 10), 0);
    EXPECT_EQ(OsLevelOf(5, 0), 1);
    EXPECT_EQ(OsLevelOf(5, 1), 2);
    EXPECT_EQ(OsLevelOf(5, 2), 2);
    EXPECT_EQ(OsLevelOf(6, 0), 3);
    EXPECT_EQ(OsLevelOf(6, 1), 4);
    EXPECT_EQ(OsLevelOf(6, 2), 4);
    EXPECT_EQ(OsLevelOf(10, 0), 4);
    EXPECT_EQ(OsLevelOf(7, 0), 4);
}

TEST(Version, NumberAndText) {
    EXPECT_EQ(CreatorVersionOf(4, 5, 15), 40515);
    EXPECT_EQ(AppVersionTextOf(4, 5, 15), L"4.5.15");
    EXPECT_EQ(AppVersionTextOf(4, 5, 0), L"4.5");
    EXPECT_EQ(AppVersionTextOf(4, 0, 0), L"4");
    EXPECT_EQ(AppVersionTextOf(4, 0, 3), L"4.0.3");
    EXPECT_EQ(ErrorNumberOf([] { CreatorVersionOf(300000, 0, 0); }), ErrOverflow);
    EXPECT_EQ(ErrorNumberOf([] { CreatorVersionOf(214748, 36, 48); }), ErrOverflow);
    EXPECT_EQ(CreatorVersionOf(214748, 36, 47), 2147483647);
}
