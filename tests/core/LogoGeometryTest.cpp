#include "core/LogoGeometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

void ExpectBox(LogoBox b, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    EXPECT_EQ(b.Left, left);
    EXPECT_EQ(b.Top, top);
    EXPECT_EQ(b.Right, right);
    EXPECT_EQ(b.Bottom, bottom);
}

TEST(FitToAspect, WideLogoFillsTheWidthAndTallLogoTheHeight) {
    ExpectBox(FitToAspect(100, 50, 1000, 1000), 0, 250, 1000, 750);
    ExpectBox(FitToAspect(50, 100, 1000, 1000), 250, 0, 750, 1000);
    // 400 x 300 on 1920 x 1080: height first, 1440 wide, centred.
    ExpectBox(FitToAspect(400, 300, 1920, 1080), 240, 0, 1680, 1080);
    // Truncation, not rounding: 3 x 1 on 1000 x 1000 is 1000 x 333.
    ExpectBox(FitToAspect(3, 1, 1000, 1000), 0, 333, 1000, 666);
    // A logo without area stays an empty box in the middle.
    ExpectBox(FitToAspect(0, 50, 1000, 800), 500, 400, 500, 400);
}

TEST(CentreBox, HalvesTowardZeroAlsoForLogosLargerThanTheScreen) {
    ExpectBox(CentreBox(400, 300, 1919, 1079), 759, 389, 1159, 689);
    ExpectBox(CentreBox(2001, 10, 1000, 10), -500, 0, 1501, 10);
}

TEST(ReducedScreenSide, OnlyALogoExactlyAsLargeAsTheScreenShortensIt) {
    EXPECT_EQ(ReducedScreenSide(1920, 1920), 1919);
    EXPECT_EQ(ReducedScreenSide(1919, 1920), 1920);
    EXPECT_EQ(ReducedScreenSide(1921, 1920), 1920);
    EXPECT_EQ(ReducedScreenSide(INT32_MIN, INT32_MIN), INT32_MIN);
}

TEST(LogoBox, SidesAreHeldToTheInt32Range) {
    EXPECT_EQ(CentreBox(400, 300, 1919, 1079).Width(), 400);
    EXPECT_EQ(CentreBox(400, 300, 1919, 1079).Height(), 300);
    EXPECT_EQ((LogoBox{INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN}.Width()), INT32_MAX);
    EXPECT_EQ((LogoBox{INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN}.Height()), INT32_MIN);
}

TEST(PreviewLogoSize, ScalesByPaneOverDesktopAndTruncates) {
    const LogoSize s = PreviewLogoSize({400, 300}, {152, 112}, {1920, 1080});
    EXPECT_EQ(s.Width, 31);
    EXPECT_EQ(s.Height, 31);
    const LogoSize same = PreviewLogoSize({400, 300}, {1920, 1080}, {1920, 1080});
    EXPECT_EQ(same.Width, 400);
    EXPECT_EQ(same.Height, 300);
}

TEST(TileCount, CountsTheLastCutOffTile) {
    EXPECT_EQ(TileCount(300, 1000), 4);
    EXPECT_EQ(TileCount(250, 1000), 4);
    EXPECT_EQ(TileCount(0, 1000), 0);
}

// Every pixel the tiles reach gets its tile's pixel, from a copy count that
// grows with the logarithm of the tiles.
TEST(TileDoubling, CopiesWholeTilesAsFarAsTheTilesReach) {
    struct Case {
        int32_t TileW, TileH, ScreenW, ScreenH;
        int Copies;
    };
    for (const Case& c : {Case{1, 1, 97, 61, 13}, Case{3, 2, 100, 50, 11}, Case{300, 7, 1000, 7, 2},
                          Case{50, 40, 50, 40, 0}, Case{80, 60, 50, 40, 0}}) {
        const int32_t w = TileReach(c.TileW, c.ScreenW), h = TileReach(c.TileH, c.ScreenH);
        std::vector<int> picture(static_cast<size_t>(w) * h, -1);
        for (int y = 0; y < c.TileH; ++y)
            for (int x = 0; x < c.TileW; ++x)
                picture[static_cast<size_t>(y) * w + x] = y * c.TileW + x;
        const TilePlan plan = TileDoubling(c.TileW, c.TileH, c.ScreenW, c.ScreenH);
        EXPECT_EQ(plan.Count, c.Copies);
        for (int i = 0; i < plan.Count; ++i) {
            const TileCopy& k = plan.Copies[i];
            ASSERT_LE(k.ToX + k.Width, w);
            ASSERT_LE(k.ToY + k.Height, h);
            for (int y = 0; y < k.Height; ++y)
                for (int x = 0; x < k.Width; ++x)
                    picture[static_cast<size_t>(k.ToY + y) * w + k.ToX + x] =
                        picture[static_cast<size_t>(y) * w + x];
        }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(picture[static_cast<size_t>(y) * w + x],
                          (y % c.TileH) * c.TileW + x % c.TileW)
                    << x << ", " << y;
    }
    EXPECT_EQ(TileDoubling(0, 5, 100, 100).Count, 0);
    EXPECT_EQ(TileDoubling(5, 5, 0, 100).Count, 0);
    EXPECT_EQ(TileDoubling(1, 1, INT32_MAX, INT32_MAX).Count, 62);
}

TEST(ContentPlacement, ByDynSize) {
    ExpectBox(ContentPlacement(1, 5, 6, 400, 300, 400, 300, 1920, 1080), 760, 390, 1160, 690);
    // Aspect fit: as wide as the screen unless that is too high.
    ExpectBox(ContentPlacement(2, 0, 0, 400, 300, 400, 300, 1920, 1080), 240, 0, 1680, 1080);
    ExpectBox(ContentPlacement(2, 0, 0, 400, 100, 400, 100, 1920, 1080), 0, 300, 1920, 780);
    ExpectBox(ContentPlacement(3, 0, 0, 400, 300, 400, 300, 1920, 1080), 0, 0, 1920, 1080);
    ExpectBox(ContentPlacement(0, 7, 8, 40, 30, 400, 300, 1920, 1080), 7, 8, 47, 38);
    ExpectBox(ContentPlacement(9, 7, 8, 40, 30, 400, 300, 1920, 1080), 7, 8, 47, 38);
}

} // namespace
