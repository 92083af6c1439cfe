// Which character of a caption Alt reaches.
#include "core/AccessKey.h"

#include <gtest/gtest.h>

TEST(AccessKey, TheCharacterAfterASingleAmpersand) {
    EXPECT_EQ(AccessKeyOf(L"&Look for icons in this file:"), L'L');
    EXPECT_EQ(AccessKeyOf(L"&Select an icon from the list below:"), L'S');
    EXPECT_EQ(AccessKeyOf(L"Scale &Image..."), L'I');
    EXPECT_EQ(AccessKeyOf(L"Salt && &Pepper"), L'P'); // the doubled one is text
    EXPECT_EQ(AccessKeyOf(L"Salt && Pepper"), 0);
    EXPECT_EQ(AccessKeyOf(L"&&&x"), L'x');
    EXPECT_EQ(AccessKeyOf(L"Ends with &"), 0);
    EXPECT_EQ(AccessKeyOf(L""), 0);
    EXPECT_EQ(AccessKeyOf(L"No key"), 0);
    EXPECT_EQ(AccessKeyOf(L"&1 first, &2 second"), L'1'); // the first one counts
}

TEST(AccessKey, LettersMatchInEitherCase) {
    EXPECT_TRUE(MatchesAccessKey(L'L', L'l'));
    EXPECT_TRUE(MatchesAccessKey(L'l', L'L'));
    EXPECT_TRUE(MatchesAccessKey(L'1', L'1'));
    EXPECT_FALSE(MatchesAccessKey(L'L', L'S'));
    EXPECT_FALSE(MatchesAccessKey(0, 0)); // a caption without a key is never reached
    EXPECT_FALSE(MatchesAccessKey(L'L', 0));
}
