#include "core/TravelPlacement.h"

#include <gtest/gtest.h>

// The header of 41 pixels: theme pictures of 28, library ones of 25, none.
TEST(TravelPlacement, CentredUnderGlassOrWithoutPicturesElseAboveTheBottom) {
    const TravelPlacement plain = PlaceTravelButtons(28, false, 41);
    EXPECT_EQ(plain.Left, 5);
    EXPECT_EQ(plain.Top, 41 - 33);
    EXPECT_EQ(plain.Width, 56); // both halves stay visible
    EXPECT_EQ(plain.Height, 29);
    EXPECT_TRUE(plain.Visible);

    const TravelPlacement glass = PlaceTravelButtons(25, true, 41);
    EXPECT_EQ(glass.Top, 8);
    EXPECT_EQ(glass.Width, 50);
    EXPECT_EQ(glass.Height, 26);
    EXPECT_TRUE(glass.Visible);
    EXPECT_EQ(PlaceTravelButtons(25, false, 41).Top, 11);
    EXPECT_EQ(PlaceTravelButtons(28, true, 60).Top, 16);

    for (const bool onGlass : {false, true}) {
        const TravelPlacement none = PlaceTravelButtons(0, onGlass, 41);
        EXPECT_FALSE(none.Visible);
        EXPECT_EQ(none.Top, 20);
        EXPECT_EQ(none.Width, 0);
        EXPECT_EQ(none.Height, 1);
    }
}
