#include "core/ControlHelp.h"

#include <gtest/gtest.h>

TEST(ControlHelp, QuestionMarkTagsHoldHelpWithAFullStopAfterALetter) {
    EXPECT_EQ(HelpTextOfTag(L"?Click here to close the application"),
              L"Click here to close the application.");
    EXPECT_EQ(HelpTextOfTag(L"?Réglé"), L"Réglé."); // not only ASCII letters
    EXPECT_EQ(HelpTextOfTag(L"?Готово"), L"Готово.");
    EXPECT_EQ(HelpTextOfTag(L"?Ends in a digit 7"), L"Ends in a digit 7");
    EXPECT_EQ(HelpTextOfTag(L"?Already done."), L"Already done.");
    EXPECT_EQ(HelpTextOfTag(L"?(in brackets)"), L"(in brackets)");
    EXPECT_EQ(HelpTextOfTag(L"?Maß"), L"Maß"); // ß has no case partner
    EXPECT_EQ(HelpTextOfTag(L"?"), L"");
    EXPECT_FALSE(HelpTextOfTag(L"no help"));
    EXPECT_FALSE(HelpTextOfTag(L""));
    EXPECT_FALSE(HelpTextOfTag(L" ?late"));
}
