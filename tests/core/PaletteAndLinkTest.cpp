// The colour palette's table, points and colours, and the command link's
// caption, timing and picture rules.
#include "core/ColorPalette.h"
#include "core/CommandLinkRules.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}

} // namespace

TEST(ColorPalette, TableAndGeometry) {
    const auto p = BuildPalette();
    ASSERT_EQ(p.size(), 41u);
    EXPECT_EQ(p[0].Name, L"Black");
    EXPECT_EQ(p[7].Name, L"Gray-80%");
    EXPECT_EQ(p[7].Colour, Rgb(51, 51, 51));
    EXPECT_EQ(p[9].Colour, Rgb(255, 102, 0));
    EXPECT_EQ(p[21].Colour, Rgb(51, 102, 255));
    EXPECT_EQ(p[29].Name, L"Sky blue");
    EXPECT_EQ(p[29].Colour, Rgb(0, 204, 255));
    EXPECT_EQ(p[38].Colour, Rgb(204, 153, 255));
    EXPECT_EQ(p[39].Colour, Rgb(255, 255, 255));
    EXPECT_EQ(p[40].Name, L"More colors...");
    EXPECT_EQ(p[40].Colour, 0u);
    for (int n = 0; n < 40; ++n) {
        EXPECT_EQ(p[n].X, (n % 8) * 19 + 7) << n;
        EXPECT_EQ(p[n].Y, (n / 8) * 19 + 7) << n;
        EXPECT_FALSE(p[n].FullWidth);
    }
    EXPECT_TRUE(p[40].FullWidth);
    EXPECT_EQ(p[40].X, 7);
    EXPECT_EQ(p[40].Y, 106);
    // Every named colour is told apart, so FindColor finds each at its own cell.
    auto q = p;
    for (int n = 0; n < 40; ++n)
        EXPECT_EQ(FindColor(q, p[n].Colour, false), n);

    const CellBox cell = CellButton(p[9], PaletteWidth, 13);
    EXPECT_EQ(cell.Left, p[9].X - 4);
    EXPECT_EQ(cell.Bottom, p[9].Y + 16);
    const CellBox more = CellButton(p[40], PaletteWidth, 13);
    EXPECT_EQ(more.Left, 11);
    EXPECT_EQ(more.Top, 102);
    EXPECT_EQ(more.Right, 150);
    EXPECT_EQ(more.Bottom, 128);
    EXPECT_EQ(PaletteHeightAt(96), 135); // 2025 twips
    EXPECT_EQ(PaletteHeightAt(144), 203);
    EXPECT_EQ(PaletteHeightAt(192), 270);
    int x = 0, y = 0;
    SwatchPlace(p[40], more, x, y);
    EXPECT_EQ(x, 19);
    EXPECT_EQ(y, 102 + 1 + 6); // (26 - 15) / 2 = 5.5 rounds to 6
}

TEST(ColorPalette, PointsToCells) {
    const auto p = BuildPalette();
    EXPECT_EQ(ColorFromPoint(p, 10, 4, PaletteWidth), -1); // 3 above the first row
    EXPECT_EQ(ColorFromPoint(p, 1, 10, PaletteWidth), 0);  // x - 6 included
    EXPECT_EQ(ColorFromPoint(p, 0, 10, PaletteWidth), -1);
    // Between cells 0 and 1 (swatches at 7 and 26) the lower index wins.
    EXPECT_EQ(ColorFromPoint(p, 22, 10, PaletteWidth), 0);
    EXPECT_EQ(ColorFromPoint(p, 25, 10, PaletteWidth), 1);
    EXPECT_EQ(ColorFromPoint(p, 10, 22, PaletteWidth), 0);
    // Row 0 ends at 24 and the search stops at row 1 (26) below it.
    EXPECT_EQ(ColorFromPoint(p, 25, 25, PaletteWidth), -1);
    EXPECT_EQ(ColorFromPoint(p, 25, 27, PaletteWidth), 9);
    EXPECT_EQ(ColorFromPoint(p, 30, 30, PaletteWidth), 9);
    EXPECT_EQ(ColorFromPoint(p, 140, 92, PaletteWidth), 39);
    // Right of the "More colors..." swatch, up to the width - 4.
    EXPECT_EQ(ColorFromPoint(p, 100, 110, PaletteWidth), 40);
    EXPECT_EQ(ColorFromPoint(p, 156, 110, PaletteWidth), 40);
    EXPECT_EQ(ColorFromPoint(p, 157, 110, PaletteWidth), -1);
    EXPECT_EQ(ColorFromPoint(p, 100, 124, PaletteWidth), -1);
    EXPECT_EQ(ColorFromPoint(p, 10, 133, PaletteWidth), -1);
}

TEST(ColorPalette, FindColorStoresTheCustomColour) {
    auto p = BuildPalette();
    EXPECT_EQ(FindColor(p, Rgb(128, 128, 128), true), 15); // "Gray-50%"
    EXPECT_EQ(FindColor(p, Rgb(1, 2, 3), false), -1);
    EXPECT_EQ(p[40].Colour, 0u);
    EXPECT_EQ(FindColor(p, Rgb(1, 2, 3), true), 40);
    EXPECT_EQ(p[40].Colour, Rgb(1, 2, 3));
    // A custom colour equal to a palette colour moves the selection there.
    EXPECT_EQ(NormalSelection(p, 40), 40);
    p[40].Colour = Rgb(255, 0, 0);
    EXPECT_EQ(NormalSelection(p, 40), 16);
    EXPECT_EQ(NormalSelection(p, 41), 0);
    EXPECT_EQ(NormalSelection(p, -1), 0);
    EXPECT_EQ(CellLookState(0), 1);
    EXPECT_EQ(CellLookState(1), 2);
    EXPECT_EQ(CellLookState(2), 5);
    EXPECT_EQ(CellLookState(3), 6);
    EXPECT_EQ(CellLookState(4), 3);
}

TEST(CommandLinkRules, CaptionsStatesTimesAndPicture) {
    const LinkCaption exit = ParseLinkCaption(L"Exit|");
    EXPECT_TRUE(exit.HasTexts);
    EXPECT_EQ(exit.Title, L"Exit");
    EXPECT_EQ(exit.Desc, L"");
    const LinkCaption three = ParseLinkCaption(L"Test|Run it.|ignored");
    EXPECT_EQ(three.Title, L"Test");
    EXPECT_EQ(three.Desc, L"Run it.");
    const LinkCaption open = ParseLinkCaption(L"!OPEN");
    EXPECT_TRUE(open.Picture);
    EXPECT_EQ(open.PictureName, L"OPEN");
    EXPECT_TRUE(open.Title.empty() && open.Desc.empty());
    const LinkCaption plain = ParseLinkCaption(L"Plain");
    EXPECT_FALSE(plain.Picture);
    EXPECT_FALSE(plain.HasTexts);
    EXPECT_FALSE(ParseLinkCaption(L"").HasTexts);

    EXPECT_EQ(DrawnLinkState(LinkNormal, true, true), LinkHot);
    EXPECT_EQ(DrawnLinkState(LinkPressed, true, true), LinkPressed);
    EXPECT_EQ(DrawnLinkState(LinkHot, false, true), LinkDisabled);
    EXPECT_EQ(DrawnLinkState(LinkNormal, true, false), LinkNormal);

    EXPECT_EQ(LinkAnimationMs(LinkNormal), 500);
    EXPECT_EQ(LinkAnimationMs(LinkPressed), 50);
    EXPECT_EQ(LinkAnimationMs(LinkHot), 100);
    EXPECT_EQ(LinkAnimationMs(LinkDisabled), 100);

    EXPECT_EQ(LinkPicturePlace(24, false), 3);
    EXPECT_EQ(LinkPicturePlace(24, true), 4);
    EXPECT_EQ(LinkPicturePlace(21, true), 2); // 2.5 to even
    EXPECT_EQ(LinkPicturePlace(23, true), 4); // 3.5 to even
    EXPECT_EQ(LinkPicturePlace(23, false), 3);

    EXPECT_TRUE(InsideLink(0, 0, 20, 10));
    EXPECT_TRUE(InsideLink(20, 10, 20, 10));
    EXPECT_FALSE(InsideLink(21, 5, 20, 10));
    EXPECT_FALSE(InsideLink(-1, 5, 20, 10));
}
