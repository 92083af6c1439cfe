// The creator's error report (ShowError) and the step runner every procedure
// that follows the error convention uses.
#pragma once

#include "core/ErrorSteps.h"

#include <windows.h>

// Shows the Abort/Retry/Ignore box for `error` at `location` (shortened in
// place) and returns the answer: AnswerAbort, AnswerRetry or AnswerIgnore.
int ShowError(std::wstring& location, const CreatorError& error);

// Runs a procedure's steps under the convention, reporting through ShowError
// (or the reporter a test put in its place); false when the user aborted.
//   RunSteps(L"modMain.DoSettings", {[&] { ... }, [&] { ... }});
bool RunSteps(const std::wstring& location, std::initializer_list<Step> steps);

// The step runner of one procedure, reporting like RunSteps:
//   Procedure run(L"modMain.DoSettings");
//   for (int i = 0; i < n; ++i)
//       if (!run([&] { ... })) return;
class Procedure : public StepRunner {
  public:
    explicit Procedure(std::wstring location);
};

// Reports the exception being handled at `location`; true on Retry.
bool RetryFailedCallback(const std::wstring& location) noexcept;

// The handling of a message that came through the system (a window,
// subclass, dialog or timer procedure). No exception may cross the system's
// frames: one that escapes `handle` is reported at the handler's location
// (made only then), and Retry runs the handling again; otherwise the message
// gets `fallback`.
//   return AtCallback([&] { return HandleMessage(...); },
//                     [&] { return Name() + L".Form_Resize"; });
template <typename Handle, typename Location>
LRESULT AtCallback(Handle&& handle, Location&& location, LRESULT fallback = 0) {
    for (;;) {
        try {
            return handle();
        } catch (...) {
            if (!RetryFailedCallback(location()))
                return fallback;
        }
    }
}

// Puts another reporter in ShowError's place for its lifetime (tests).
class ScopedErrorReporter {
  public:
    explicit ScopedErrorReporter(ErrorReporter reporter);
    ScopedErrorReporter(const ScopedErrorReporter&) = delete;
    ScopedErrorReporter& operator=(const ScopedErrorReporter&) = delete;
    ~ScopedErrorReporter();

  private:
    ErrorReporter previous_;
};

// A failed system call as the creator's error: its code and the system's text.
CreatorError Win32Error(DWORD code);
// Raises Win32Error(GetLastError()).
[[noreturn]] void RaiseLastError();
// Raises when a registry or COM-style call returned a failure code.
void CheckStatus(LONG status);
