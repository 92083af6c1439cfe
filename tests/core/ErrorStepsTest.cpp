#include "core/ErrorSteps.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

// A reporter that answers from a script and records what it was shown.
struct ScriptedReporter {
    explicit ScriptedReporter(std::vector<int> script) : answers(std::move(script)) {}
    std::vector<int> answers;
    std::vector<std::wstring> locations;
    std::vector<int32_t> numbers;
    ErrorReporter Get() {
        return [this](std::wstring& location, const CreatorError& error) {
            locations.push_back(location);
            numbers.push_back(error.Number());
            const int answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        };
    }
};

} // namespace

TEST(ShortenLocation, ReplacesPrefixesEverywhere) {
    EXPECT_EQ(ShortenLocation(L"modMain.DoSettings"), L"mMain.DoSettings");
    EXPECT_EQ(ShortenLocation(L"clsCursor.Class_Terminate"), L"cCursor.Class_Terminate");
    EXPECT_EQ(ShortenLocation(L"frmWizard.NextStep"), L"fWizard.NextStep");
    EXPECT_EQ(ShortenLocation(L"frmWizard.lstModes_Click"), L"fWizard.lstModes_Click");
    EXPECT_EQ(ShortenLocation(L"Progress.Init"), L"Progress.Init");
    // The procedure name is shortened too, case-sensitively.
    EXPECT_EQ(ShortenLocation(L"modMain.modclsfrm"), L"mMain.mcf");
    EXPECT_EQ(ShortenLocation(L"MODMain.Frm"), L"MODMain.Frm");
}

TEST(ErrorMessageText, ExactText) {
    EXPECT_EQ(ErrorMessageText(CreatorError(ErrOverflow), L"fWizard.NextStep"),
              L"An error has occurred:\r\nOverflow (6)\r\n\r\nfWizard.NextStep");
    EXPECT_EQ(ErrorMessageText(CreatorError(-5, L"Odd"), L"x"),
              L"An error has occurred:\r\nOdd (-5)\r\n\r\nx");
}

TEST(RunSteps, RetryRepeatsTheFailingStep) {
    ScriptedReporter r({AnswerRetry, AnswerRetry});
    int attempts = 0, after = 0;
    EXPECT_TRUE(RunStepsWith(r.Get(), L"modMain.Main",
                             {[&] {
                                  if (++attempts < 3)
                                      Raise(ErrOverflow);
                              },
                              [&] { ++after; }}));
    EXPECT_EQ(attempts, 3);
    EXPECT_EQ(after, 1);
    ASSERT_EQ(r.locations.size(), 2u);
    EXPECT_EQ(r.locations[0], L"modMain.Main"); // each report gets a fresh copy
}

TEST(RunSteps, IgnoreGoesOnAndAbortLeaves) {
    ScriptedReporter r({AnswerIgnore, AnswerAbort});
    std::vector<int> ran;
    EXPECT_FALSE(RunStepsWith(r.Get(), L"modMain.X",
                              {[&] {
                                   ran.push_back(1);
                                   Raise(ErrSubscript);
                               },
                               [&] { ran.push_back(2); },
                               [&] {
                                   ran.push_back(3);
                                   throw std::out_of_range("x");
                               },
                               [&] { ran.push_back(4); }}));
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(r.numbers, (std::vector<int32_t>{ErrSubscript, ErrSubscript}));
}

TEST(RunSteps, StepRunnerSkipsEverythingAfterAnAbort) {
    ScriptedReporter r({AnswerAbort});
    StepRunner run(r.Get(), L"modMain.DoSettings");
    int ran = 0;
    EXPECT_TRUE(run([&] { ++ran; }));
    EXPECT_FALSE(run([&] { Raise(ErrSubscript); }));
    EXPECT_FALSE(run([&] { ++ran; }));
    EXPECT_TRUE(run.Aborted());
    EXPECT_EQ(ran, 1);
}

TEST(RunSteps, FailureInsideTheReporterPassesToTheCaller) {
    const ErrorReporter failing = [](std::wstring&, const CreatorError&) -> int {
        throw CreatorError(ErrOutOfMemory);
    };
    EXPECT_THROW(RunStepsWith(failing, L"x", {[] { Raise(ErrOverflow); }}), CreatorError);
}

TEST(CurrentError, LibraryExceptionsGetNumbers) {
    ScriptedReporter r({AnswerIgnore, AnswerIgnore, AnswerIgnore});
    RunStepsWith(r.Get(), L"x",
                 {[] { throw std::bad_alloc(); }, [] { throw std::overflow_error("o"); },
                  [] { throw std::runtime_error("r"); }});
    EXPECT_EQ(r.numbers, (std::vector<int32_t>{ErrOutOfMemory, ErrOverflow, ErrInternal}));
}

TEST(IgnoreErrors, SwallowsAndReports) {
    EXPECT_TRUE(IgnoreErrors([] {}));
    EXPECT_FALSE(IgnoreErrors([] { Raise(ErrOverflow); }));
}
