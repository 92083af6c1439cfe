// Premultiplied colours and their exact inverse.
#include "core/Premultiply.h"

#include <gtest/gtest.h>

namespace {

TEST(Premultiply, RoundsAsTheSaverExpects) {
    uint8_t px[] = {255, 128, 0, 128, 200, 100, 50, 255, 10, 20, 30, 0, 1, 1, 1, 1};
    PremultiplyPixels(px, 4);
    const uint8_t want[] = {128, 64, 0, 128, 200, 100, 50, 255, 0, 0, 0, 0, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(px[i], want[i]) << i;
}

// A saver reopened and written again carries its logo bytes unchanged: for
// every alpha and every premultiplied colour, un-premultiplying and
// premultiplying again gives the colour back.
TEST(Premultiply, InverseRoundTripsEveryPremultipliedColour) {
    int failures = 0;
    for (int a = 0; a < 256; ++a)
        for (int c = 0; c <= a; ++c) {
            uint8_t px[4] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c),
                             static_cast<uint8_t>(c), static_cast<uint8_t>(a)};
            UnpremultiplyPixels(px, 1);
            PremultiplyPixels(px, 1);
            failures += px[0] != c || px[3] != a;
        }
    EXPECT_EQ(failures, 0);

    uint8_t bad[] = {200, 9, 0, 100, 50, 60, 70, 0}; // colour above alpha; alpha 0
    UnpremultiplyPixels(bad, 2);
    EXPECT_EQ(bad[0], 255);
    EXPECT_EQ(bad[1], 22); // the first of 22 and 23, which both give 9
    EXPECT_EQ(bad[4], 0);
    EXPECT_EQ(bad[3], 100);
}

} // namespace
