#include "core/ErrorSteps.h"

#include "core/CreatorText.h"

bool StepRunner::operator()(const Step& step) {
    while (!aborted_) {
        int answer;
        try {
            step();
            return true;
        } catch (...) {
            const CreatorError error = CurrentError();
            std::wstring shown = location_; // the reporter shortens its copy
            answer = report_(shown, error);
        }
        if (answer == AnswerIgnore)
            return true;
        if (answer != AnswerRetry)
            aborted_ = true;
    }
    return false;
}

bool RunStepsWith(const ErrorReporter& report, const std::wstring& location,
                  std::initializer_list<Step> steps) {
    StepRunner run(report, location);
    for (const Step& step : steps)
        if (!run(step))
            return false;
    return true;
}

bool IgnoreErrors(const Step& step) {
    try {
        step();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::wstring ShortenLocation(const std::wstring& location) {
    return ReplaceAll(ReplaceAll(ReplaceAll(location, L"mod", L"m"), L"frm", L"f"), L"cls", L"c");
}

std::wstring ErrorMessageText(const CreatorError& error, const std::wstring& shortLocation) {
    return L"An error has occurred:\r\n" + error.Description() + L" (" +
           std::to_wstring(error.Number()) + L")\r\n\r\n" + shortLocation;
}
