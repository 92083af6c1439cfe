#include "core/DirtyRects.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

namespace {

TEST(BoxOnScreen, CutsToTheScreenWithoutOverflow) {
    EXPECT_EQ(BoxOnScreen(-10, 20, 30, 40, 640, 480), (PixelBox{0, 20, 20, 60}));
    EXPECT_EQ(BoxOnScreen(630, 470, 30, 40, 640, 480), (PixelBox{630, 470, 640, 480}));
    EXPECT_TRUE(BoxOnScreen(640, 0, 30, 40, 640, 480).Empty());
    EXPECT_TRUE(BoxOnScreen(-30, 0, 30, 40, 640, 480).Empty());
    EXPECT_TRUE(BoxOnScreen(0, 0, 0, 40, 640, 480).Empty());
    EXPECT_EQ(BoxOnScreen(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 640, 480), PixelBox{})
        << "ends just short of the screen";
    EXPECT_EQ(BoxOnScreen(-1, -1, INT_MAX, INT_MAX, 640, 480), (PixelBox{0, 0, 640, 480}));
    EXPECT_TRUE(BoxOnScreen(INT_MAX, 5, INT_MAX, 5, 640, 480).Empty());
    EXPECT_TRUE(BoxOnScreen(5, 5, INT_MIN, 5, 640, 480).Empty());
}

// Random boxes, hostile ones among them, on a small screen: after each one
// the boxes held lie on the screen, never overlap and cover every pixel
// added so far; a whole frame is asked for exactly when they cover more
// than half the screen.
TEST(DirtyRects, DisjointBoxesCoverEverythingAdded) {
    constexpr int W = 64, H = 48;
    std::mt19937 random(7);
    auto coord = [&] {
        const int kind = random() % 10;
        return kind == 0 ? INT_MIN : kind == 1 ? INT_MAX : static_cast<int>(random() % 90) - 20;
    };
    for (int round = 0; round < 300; ++round) {
        DirtyRects dirty;
        dirty.Start(W, H);
        std::vector<int> added(W * H, 0);
        for (int n = 0, count = random() % 12; n < count; ++n) {
            const int x = coord(), y = coord(), w = random() % 40, h = random() % 30;
            dirty.Add(BoxOnScreen(x, y, w, h, W, H));
            for (int py = 0; py < H; ++py)
                for (int px = 0; px < W; ++px)
                    added[py * W + px] |= int64_t{px} >= x && int64_t{px} < int64_t{x} + w &&
                                          py >= y && int64_t{py} < int64_t{y} + h;
            std::vector<int> held(W * H, 0);
            long covered = 0;
            for (const PixelBox& b : dirty.Boxes()) {
                ASSERT_FALSE(b.Empty());
                ASSERT_TRUE(b.Left >= 0 && b.Top >= 0 && b.Right <= W && b.Bottom <= H);
                for (int py = b.Top; py < b.Bottom; ++py)
                    for (int px = b.Left; px < b.Right; ++px)
                        ASSERT_EQ(held[py * W + px]++, 0) << "boxes overlap, round " << round;
                covered += b.Area();
            }
            for (int i = 0; i < W * H; ++i)
                ASSERT_TRUE(held[i] || !added[i]) << "pixel " << i << " lost, round " << round;
            ASSERT_EQ(dirty.Whole(), 2 * covered > W * H) << "round " << round;
        }
    }
}

TEST(DirtyRects, MergesOnlyWhatOverlapsAndAsksForWholeFrames) {
    DirtyRects dirty;
    dirty.Start(100, 100);
    dirty.Add({0, 0, 15, 10});
    dirty.Add({12, 12, 20, 20});
    dirty.Add({20, 0, 30, 10}); // touches the second along an edge only
    EXPECT_EQ(dirty.Boxes().size(), 3u);
    // Meets the first box only; the two together then reach the second.
    dirty.Add({0, 8, 5, 14});
    ASSERT_EQ(dirty.Boxes().size(), 2u);
    EXPECT_EQ(dirty.Boxes()[0], (PixelBox{20, 0, 30, 10}));
    EXPECT_EQ(dirty.Boxes()[1], (PixelBox{0, 0, 20, 20}));
    EXPECT_FALSE(dirty.Whole());
    dirty.Add({0, 40, 100, 60}); // 500 + 2000 of 10000
    EXPECT_FALSE(dirty.Whole());
    dirty.Add({0, 60, 100, 85}); // + 2500: exactly half
    EXPECT_FALSE(dirty.Whole());
    dirty.Add({99, 99, 100, 100});
    EXPECT_TRUE(dirty.Whole());
    dirty.Start(100, 100);
    EXPECT_TRUE(dirty.Boxes().empty());
    EXPECT_FALSE(dirty.Whole());
    dirty.AddWhole();
    EXPECT_TRUE(dirty.Whole());
}

} // namespace
