#include "wizard/frame/Errors.h"

#include "tests/wizard/FormTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

TEST(ShowError, ShowsTheExactTextAndReturnsTheButton) {
    std::wstring location = L"frmWizard.NextStep";
    int answer = 0;
    std::wstring text;
    bool buttons = false;
    {
        DialogAnswerer answerer(L"Quorvel", IDRETRY);
        answer = ShowError(location, CreatorError(ErrOverflow));
        Sleep(50);
        EXPECT_TRUE(answerer.Seen); // read first: the text was stored before it
        text = answerer.Text;
        buttons = answerer.HasAbortRetryIgnore;
    }
    EXPECT_EQ(answer, AnswerRetry);
    EXPECT_EQ(location, L"fWizard.NextStep"); // shortened in place
    EXPECT_EQ(text, L"An error has occurred:\r\nOverflow (6)\r\n\r\nfWizard.NextStep");
    EXPECT_TRUE(buttons);
}

TEST(ShowError, RunStepsAsksAndGoesOnAfterIgnore) {
    int after = 0;
    std::wstring text;
    bool completed = false;
    {
        DialogAnswerer answerer(L"Quorvel", IDIGNORE);
        completed = RunSteps(L"modRegistry.RegGetStr",
                             {[] { throw Win32Error(ERROR_FILE_NOT_FOUND); }, [&] { ++after; }});
        Sleep(50);
        EXPECT_TRUE(answerer.Seen); // read first: the text was stored before it
        text = answerer.Text;
    }
    EXPECT_TRUE(completed);
    EXPECT_EQ(after, 1);
    EXPECT_NE(text.find(L"(2)\r\n\r\nmRegistry.RegGetStr"), std::wstring::npos);
}

TEST(ShowError, ReporterCanBeReplacedForTests) {
    int asked = 0;
    {
        ScopedErrorReporter quiet([&](std::wstring& location, const CreatorError& e) {
            ++asked;
            EXPECT_EQ(location, L"clsCursor.Class_Terminate");
            EXPECT_EQ(e.Number(), ErrSubscript);
            return AnswerAbort;
        });
        EXPECT_FALSE(RunSteps(L"clsCursor.Class_Terminate", {[] { Raise(ErrSubscript); }}));
    }
    EXPECT_EQ(asked, 1);
}

TEST(ShowError, Win32ErrorsCarryTheSystemText) {
    const CreatorError e = Win32Error(ERROR_ACCESS_DENIED);
    EXPECT_EQ(e.Number(), 5);
    EXPECT_FALSE(e.Description().empty());
    EXPECT_NE(e.Description().back(), L'\n');
    EXPECT_THROW(CheckStatus(ERROR_FILE_NOT_FOUND), CreatorError);
    EXPECT_NO_THROW(CheckStatus(ERROR_SUCCESS));
}
