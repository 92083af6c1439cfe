// The icon chooser's window-free rules: the exact Browse filter, the
// placeholder text, the start folder, the grip's corner, the layout after a
// resize (a too small window skips moves instead of failing), 16-bit modules.
#include "core/ChangeIconRules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void ExpectPlace(const std::optional<Placement>& p, double left, double top, double width,
                 double height) {
    ASSERT_TRUE(p.has_value());
    EXPECT_DOUBLE_EQ(p->Left, left);
    EXPECT_DOUBLE_EQ(p->Top, top);
    EXPECT_DOUBLE_EQ(p->Width, width);
    EXPECT_DOUBLE_EQ(p->Height, height);
}

// The places the controls are designed at, twips.
ChangeIconPlaces Designed() {
    ChangeIconPlaces p;
    p.Filename = {150, 480, 2775, 285};
    p.Browse = {3030, 457, 1095, 345};
    p.Icons = {150, 1200, 3975, 2895};
    p.Default = {150, 4320, 1170, 345};
    p.OK = {1800, 4320, 1095, 345};
    p.Cancel = {3120, 4320, 1095, 345};
    return p;
}

} // namespace

TEST(ChangeIconRules, FilterIsTheFiveChoicesInOneString) {
    EXPECT_EQ(IconBrowseFilter(), L"All Icon Files|*.EXE;*.SCR;*.DLL;*.OCX;*.ICL;*.ICO;"
                                  L"|Programs (*.exe;*.scr)|*.EXE;*.SCR"
                                  L"|Libraries (*.dll;*.ocx;*.icl)|*.DLL;*.OCX;*.ICL"
                                  L"|Icons (*.ico)|*.ICO"
                                  L"|All Files (*.*)|*.*");
}

TEST(ChangeIconRules, PlaceholdersAndBlanksProposeNoFile) {
    EXPECT_EQ(BrowseProposal(L""), L"");
    EXPECT_EQ(BrowseProposal(L"    "), L"");
    EXPECT_EQ(BrowseProposal(L"(default)"), L"");
    EXPECT_EQ(BrowseProposal(L"  (Using default icon)  "), L"");
    EXPECT_EQ(BrowseProposal(L"()"), L"");
    // Only a text both opened and closed by a parenthesis is a placeholder.
    EXPECT_EQ(BrowseProposal(L"(x"), L"(x");
    EXPECT_EQ(BrowseProposal(L"x)"), L"x)");
    EXPECT_EQ(BrowseProposal(L"C:\\(old)\\a.dll"), L"C:\\(old)\\a.dll");
    EXPECT_EQ(BrowseProposal(L"  C:\\a b\\c.exe "), L"C:\\a b\\c.exe");
    EXPECT_EQ(BrowseProposal(L"\tC:\\a.ico"), L"\tC:\\a.ico"); // spaces only are trimmed
}

TEST(ChangeIconRules, StartFolderIsTheFirstFound) {
    EXPECT_EQ(FirstFolder({L"C:\\Docs", L"C:\\Desk", L"C:\\Pics", L"C:\\All"}), L"C:\\Docs");
    EXPECT_EQ(FirstFolder({L"", L"C:\\Desk", L"C:\\Pics", L"C:\\All"}), L"C:\\Desk");
    EXPECT_EQ(FirstFolder({L"", L"", L"C:\\Pics", L"C:\\All"}), L"C:\\Pics");
    EXPECT_EQ(FirstFolder({L"", L"", L"", L"C:\\All"}), L"C:\\All");
    EXPECT_EQ(FirstFolder({L"", L"", L"", L""}), L".");
    EXPECT_EQ(FirstFolder({}), L".");
}

TEST(ChangeIconRules, OnlyTheGripsLowerRightSizes) {
    const GripBox g = GripRectFor(300, 200, 17);
    EXPECT_EQ(g.Left, 282);
    EXPECT_EQ(g.Top, 182);
    EXPECT_EQ(g.Right, 300);
    EXPECT_EQ(g.Bottom, 200);
    // 18 x 18: dx * dy must pass (14 * 14) / 2 = 98.
    EXPECT_TRUE(GripSizes(g, 299, 199));
    EXPECT_TRUE(GripSizes(g, 291, 193));  // 9 * 11 = 99
    EXPECT_FALSE(GripSizes(g, 290, 193)); // 8 * 11 = 88
    EXPECT_FALSE(GripSizes(g, 291, 192)); // 9 * 10 = 90
    EXPECT_FALSE(GripSizes(g, 289, 196)); // 7 * 14 = 98: not above
    EXPECT_TRUE(GripSizes(g, 289, 197));  // 7 * 15 = 105
    EXPECT_FALSE(GripSizes(g, 282, 199)); // the left edge: dx 0
    EXPECT_FALSE(GripSizes(g, 299, 182)); // the top edge: dy 0
    EXPECT_FALSE(GripSizes(g, 281, 199)); // outside
    EXPECT_FALSE(GripSizes(g, 300, 199)); // the right edge is outside
    EXPECT_FALSE(GripSizes(g, 299, 200));
    // A larger grip: (15 * 15) / 2 = 112.5.
    const GripBox odd = GripRectFor(100, 100, 18); // 19 x 19 from 81
    EXPECT_FALSE(GripSizes(odd, 81 + 8, 81 + 14)); // 112
    EXPECT_TRUE(GripSizes(odd, 81 + 15, 81 + 8));  // 120
    EXPECT_FALSE(GripSizes(odd, 81 + 16, 81 + 7)); // 112
}

TEST(ChangeIconRules, LayoutFollowsTheWindowFromTheListsMargin) {
    // At the designed size.
    ChangeIconMoves m = LayOutChangeIcon(4275, 4815, Designed());
    ExpectPlace(m.Browse, 3030, 457, 1095, 345);
    ExpectPlace(m.Filename, 150, 480, 2730, 285);
    ExpectPlace(m.Cancel, 3030, 4320, 1095, 345);
    ExpectPlace(m.OK, 1785, 4320, 1095, 345);
    ExpectPlace(m.Default, 150, 4320, 1170, 345);
    ExpectPlace(m.Icons, 150, 1200, 3975, 2970);

    // 600 x 500 pixels at 15 twips each; a wider margin moves everything.
    m = LayOutChangeIcon(9000, 7500, Designed());
    ExpectPlace(m.Browse, 7755, 457, 1095, 345);
    ExpectPlace(m.Filename, 150, 480, 7455, 285);
    ExpectPlace(m.Cancel, 7755, 7005, 1095, 345);
    ExpectPlace(m.OK, 6510, 7005, 1095, 345);
    ExpectPlace(m.Default, 150, 7005, 1170, 345);
    ExpectPlace(m.Icons, 150, 1200, 8700, 5655);
}

TEST(ChangeIconRules, TooSmallSkipsTheMovesThatNeedNegativeSizes) {
    const ChangeIconMoves m = LayOutChangeIcon(1000, 1500, Designed());
    ExpectPlace(m.Browse, -245, 457, 1095, 345); // places may be negative
    EXPECT_FALSE(m.Filename.has_value());
    ExpectPlace(m.Cancel, -245, 1005, 1095, 345);
    ExpectPlace(m.OK, -1490, 1005, 1095, 345);
    ExpectPlace(m.Default, 150, 1005, 1170, 345);
    EXPECT_FALSE(m.Icons.has_value()); // 1005 - 150 - 1200 < 0

    const ChangeIconMoves none = LayOutChangeIcon(0, 0, Designed());
    EXPECT_FALSE(none.Filename.has_value());
    EXPECT_FALSE(none.Icons.has_value());
    ASSERT_TRUE(none.Cancel.has_value());
    // A size of exactly zero is still a size.
    const ChangeIconMoves edge = LayOutChangeIcon(300, 1845, Designed());
    ExpectPlace(edge.Icons, 150, 1200, 0, 0);
}

TEST(ChangeIconRules, SixteenBitModulesAreToldApart) {
    std::vector<uint8_t> head(64, 0);
    EXPECT_FALSE(NewHeaderOffset(head.data(), head.size()).has_value()); // no MZ
    head[0] = 'M';
    head[1] = 'Z';
    head[0x3C] = 0x80;
    head[0x3E] = 0x01;
    const auto offset = NewHeaderOffset(head.data(), head.size());
    ASSERT_TRUE(offset.has_value());
    EXPECT_EQ(*offset, 0x10080u);
    EXPECT_FALSE(NewHeaderOffset(head.data(), 63).has_value()); // cut short
    EXPECT_FALSE(NewHeaderOffset(nullptr, 64).has_value());
    head[0] = 'Z';
    head[1] = 'M';
    EXPECT_FALSE(NewHeaderOffset(head.data(), head.size()).has_value());

    const uint8_t ne[] = {'N', 'E'}, pe[] = {'P', 'E'}, le[] = {'L', 'E'};
    EXPECT_TRUE(IsSixteenBitSignature(ne, 2));
    EXPECT_FALSE(IsSixteenBitSignature(ne, 1));
    EXPECT_FALSE(IsSixteenBitSignature(pe, 2));
    EXPECT_FALSE(IsSixteenBitSignature(le, 2));
    EXPECT_FALSE(IsSixteenBitSignature(nullptr, 2));
}
