#include "core/CreatorError.h"
#include "core/CreatorText.h"

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

TEST(CatStr, JoinsWithOneSeparator) {
    EXPECT_EQ(CatStr(L"C:\\Dir\\", L"\\File", L"\\"), L"C:\\Dir\\File");
    EXPECT_EQ(CatStr(L"C:\\Dir\\", L"File", L"\\"), L"C:\\Dir\\File");
    EXPECT_EQ(CatStr(L"C:\\Dir", L"\\File", L"\\"), L"C:\\Dir\\File");
    EXPECT_EQ(CatStr(L"C:\\Dir", L"File", L"\\"), L"C:\\Dir\\File");
    // Only one separator of b is dropped.
    EXPECT_EQ(CatStr(L"a\\", L"\\\\b", L"\\"), L"a\\\\b");
}

TEST(CatStr, EmptyPartsAndOuterSpaces) {
    EXPECT_EQ(CatStr(L"a", L"", L"\\"), L"a");
    EXPECT_EQ(CatStr(L"", L"b", L"\\"), L"b");
    EXPECT_EQ(CatStr(L"  Logo Saver  ", L"y", L" "), L"Logo Saver y");
    EXPECT_EQ(CatStr(L"   ", L" y ", L" "), L"y");
    // Tabs are not trimmed, only spaces.
    EXPECT_EQ(CatStr(L"\ta", L"b", L"-"), L"\ta-b");
    EXPECT_EQ(CatStr(L"Quorvel Screensaver Creator", L"4.5.15", L" "),
              L"Quorvel Screensaver Creator 4.5.15");
}

TEST(ChopNull, CutsAtTheFirstNul) {
    EXPECT_EQ(ChopNull(std::wstring(L"abc\0def", 7)), L"abc");
    EXPECT_EQ(ChopNull(L"abc"), L"abc");
    EXPECT_EQ(ChopNull(std::wstring(3, L'\0')), L"");
}

TEST(FileChars, KeepsSafeCharactersOnly) {
    EXPECT_EQ(FileChars(L"My Logo!"), L"My Logo_");
    EXPECT_EQ(FileChars(L"a-b_c.d=e+f[g]h@i{j})(^ k"), L"a-b_c.d=e+f[g]h@i{j})(^ k");
    EXPECT_EQ(FileChars(L"C:\\x/y*z?\"<>|"), L"C__x_y_z_____");
    EXPECT_EQ(FileChars(L"Caf\u00e9 \u00c9t\u00e9"), L"Caf_ _t_");
    EXPECT_EQ(FileChars(L"ABCxyz019"), L"ABCxyz019");
    EXPECT_EQ(FileChars(L"tab\there"), L"tab_here");
}

TEST(FileChars, StopsAtNulAndKeepsTheRest) {
    const std::wstring in(L"a!\0b!", 5);
    EXPECT_EQ(FileChars(in), std::wstring(L"a_\0b!", 5));
}

TEST(StartsEndsWith, EdgeCases) {
    EXPECT_TRUE(StartsWith(L"abc", L""));
    EXPECT_TRUE(StartsWith(L"", L""));
    EXPECT_TRUE(StartsWith(L"abc", L"ab"));
    EXPECT_FALSE(StartsWith(L"abc", L"AB"));
    EXPECT_FALSE(StartsWith(L"ab", L"abc"));
    EXPECT_TRUE(EndsWith(L"file.scr", L".scr"));
    EXPECT_FALSE(EndsWith(L"file.scr", L".SCR"));
    EXPECT_FALSE(EndsWith(L"cr", L".scr"));
    EXPECT_TRUE(EndsWith(L"x", L""));
}

TEST(AdjustCaption, ExpandsEveryPlaceholderInOrder) {
    EXPECT_EQ(AdjustCaption(L"About <App>", L"4.5.15"), L"About Quorvel Screensaver Creator");
    EXPECT_EQ(AdjustCaption(L"<AppVer>", L"4.5.15"), L"Quorvel Screensaver Creator 4.5.15");
    EXPECT_EQ(AdjustCaption(L"Version <Version>\\nby <AppName>", L"4.5"),
              L"Version 4.5\r\nby Quorvel Screensaver Creator");
    EXPECT_EQ(AdjustCaption(L"<app> <VERSION>", L"4"), L"<app> <VERSION>");
    EXPECT_EQ(AdjustCaption(L"<Version><Version>", L"4"), L"44");
}

TEST(ReplaceAll, LeftToRightWithoutOverlap) {
    EXPECT_EQ(ReplaceAll(L"aaa", L"aa", L"b"), L"ba");
    EXPECT_EQ(ReplaceAll(L"abc", L"", L"x"), L"abc");
    EXPECT_EQ(ReplaceAll(L"modmod", L"mod", L"m"), L"mm");
}

TEST(LeadingNumber, ReadsTheLeadingDecimalNumber) {
    EXPECT_EQ(LeadingNumber(L"12"), 12.0);
    EXPECT_EQ(LeadingNumber(L"  12abc"), 12.0);
    EXPECT_EQ(LeadingNumber(L"-3.5x"), -3.5);
    EXPECT_EQ(LeadingNumber(L"1 2"), 12.0);
    EXPECT_EQ(LeadingNumber(L"2e3"), 2000.0);
    EXPECT_EQ(LeadingNumber(L"2e"), 2.0);
    EXPECT_EQ(LeadingNumber(L"abc"), 0.0);
    EXPECT_EQ(LeadingNumber(L""), 0.0);
    EXPECT_EQ(LeadingNumber(L"-"), 0.0);
    EXPECT_EQ(LeadingNumber(L".5"), 0.5);
    EXPECT_EQ(LeadingNumber(L"1e999"), 0.0); // not a finite number
}

TEST(BitStrings, ValuesAndSplitting) {
    EXPECT_EQ(BinToNum(L""), 0.0);
    EXPECT_EQ(BinToNum(L"01111"), 15.0);
    EXPECT_EQ(BinToNum(L"010101011111000"), 11000.0);
    EXPECT_EQ(ErrorNumberOf([] { BinToNum(L"01x"); }), ErrTypeMismatch);

    std::wstring s = L"abcdef";
    EXPECT_EQ(SplitLeft(s, 2), L"ab");
    EXPECT_EQ(s, L"cdef");
    EXPECT_EQ(SplitLeft(s, 10), L"cdef");
    EXPECT_EQ(s, L"");
    EXPECT_EQ(ErrorNumberOf([&] { SplitLeft(s, -1); }), ErrInvalidCall);

    EXPECT_EQ(ByteToBits(0x00), L"00000000");
    EXPECT_EQ(ByteToBits(0x80), L"10000000");
    EXPECT_EQ(ByteToBits(0x5A), L"01011010");
    const uint8_t bytes[] = {0x78, 0x00, 0x05, 0xFF};
    EXPECT_EQ(BytesToBits(bytes, 4, 2, 1), L"0000000000000101");
    EXPECT_EQ(BytesToBits(bytes, 4, 0, 9), L"");
    EXPECT_EQ(ErrorNumberOf([&] { BytesToBits(bytes, 4, 2, 3); }), ErrSubscript);
    EXPECT_EQ(ErrorNumberOf([&] { BytesToBits(bytes, 4, 1, -1); }), ErrSubscript);
}
