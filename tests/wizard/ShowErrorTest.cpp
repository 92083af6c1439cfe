#include "wizard/frame/Errors.h"

#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// Answers the next error box of this process with `button` and keeps its text.
class BoxAnswerer {
  public:
    explicit BoxAnswerer(int button)
        : thread_([this, button] {
              for (int i = 0; i < 500 && !stop_; ++i) {
                  HWND box = FindWindowW(L"#32770", L"Quorvel");
                  DWORD pid = 0;
                  if (box)
                      GetWindowThreadProcessId(box, &pid);
                  if (box && pid == GetCurrentProcessId() && IsWindowVisible(box)) {
                      text = MessageBoxText(box);
                      hasRetry = GetDlgItem(box, IDRETRY) && GetDlgItem(box, IDIGNORE) &&
                                 GetDlgItem(box, IDABORT);
                      PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
                      return;
                  }
                  Sleep(20);
              }
          }) {}
    ~BoxAnswerer() {
        stop_ = true;
        thread_.join();
    }
    std::string text;
    bool hasRetry = false;

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace

TEST(ShowError, ShowsTheExactTextAndReturnsTheButton) {
    std::wstring location = L"frmWizard.NextStep";
    int answer = 0;
    std::string text;
    bool buttons = false;
    {
        BoxAnswerer answerer(IDRETRY);
        answer = ShowError(location, CreatorError(ErrOverflow));
        Sleep(50);
        text = answerer.text;
        buttons = answerer.hasRetry;
    }
    EXPECT_EQ(answer, AnswerRetry);
    EXPECT_EQ(location, L"fWizard.NextStep"); // shortened in place
    EXPECT_EQ(text, "An error has occurred:\r\nOverflow (6)\r\n\r\nfWizard.NextStep");
    EXPECT_TRUE(buttons);
}

TEST(ShowError, RunStepsAsksAndGoesOnAfterIgnore) {
    int after = 0;
    std::string text;
    bool completed = false;
    {
        BoxAnswerer answerer(IDIGNORE);
        completed = RunSteps(L"modRegistry.RegGetStr",
                             {[] { throw Win32Error(ERROR_FILE_NOT_FOUND); }, [&] { ++after; }});
        text = answerer.text;
    }
    EXPECT_TRUE(completed);
    EXPECT_EQ(after, 1);
    EXPECT_NE(text.find("(2)\r\n\r\nmRegistry.RegGetStr"), std::string::npos) << text;
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
