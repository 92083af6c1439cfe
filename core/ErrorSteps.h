// The creator's error convention: a procedure runs its steps in order; when a
// step fails the user is asked (through a reporter such as ShowError) and the
// step is repeated (Retry), skipped (Ignore) or the procedure left (Abort).
#pragma once

#include "core/CreatorError.h"

#include <functional>
#include <initializer_list>
#include <string>

// The answers of the error box, as its buttons number them.
constexpr int AnswerAbort = 3;
constexpr int AnswerRetry = 4;
constexpr int AnswerIgnore = 5;

// Asks the user about `error` at `location`; returns one of the answers.
using ErrorReporter = std::function<int(std::wstring& location, const CreatorError& error)>;

using Step = std::function<void()>;

// Runs the steps of one procedure one at a time, so loops can run a step
// per element. After an Abort every further step is skipped.
class StepRunner {
  public:
    StepRunner(ErrorReporter report, std::wstring location)
        : report_(std::move(report)), location_(std::move(location)) {}
    // Runs one step; false when it (or an earlier one) was aborted. A failure
    // inside the reporter itself passes to the caller.
    bool operator()(const Step& step);
    bool Aborted() const { return aborted_; }

  private:
    ErrorReporter report_;
    std::wstring location_;
    bool aborted_ = false;
};

// Runs the steps; returns false when the user chose Abort.
bool RunStepsWith(const ErrorReporter& report, const std::wstring& location,
                  std::initializer_list<Step> steps);

// Runs one step with its errors ignored; returns whether it succeeded.
bool IgnoreErrors(const Step& step);

// "modMain.DoSettings" -> "mMain.DoSettings": "mod", "frm" and "cls" are
// shortened everywhere in the text, case-sensitively.
std::wstring ShortenLocation(const std::wstring& location);

// The error box's text for an error at an already shortened location.
std::wstring ErrorMessageText(const CreatorError& error, const std::wstring& shortLocation);
