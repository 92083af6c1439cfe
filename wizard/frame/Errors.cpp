#include "wizard/frame/Errors.h"

#include "common/Handles.h"

#include <utility>

namespace {

ErrorReporter& CurrentReporter() {
    static ErrorReporter reporter = [](std::wstring& location, const CreatorError& error) {
        return ShowError(location, error);
    };
    return reporter;
}

} // namespace

int ShowError(std::wstring& location, const CreatorError& error) {
    location = ShortenLocation(location);
    const std::wstring text = ErrorMessageText(error, location);
    return MessageBoxW(GetActiveWindow(), text.c_str(), L"Quorvel",
                       MB_ABORTRETRYIGNORE | MB_ICONWARNING);
}

bool RunSteps(const std::wstring& location, std::initializer_list<Step> steps) {
    return RunStepsWith(CurrentReporter(), location, steps);
}

Procedure::Procedure(std::wstring location) : StepRunner(CurrentReporter(), std::move(location)) {}

bool RetryFailedCallback(const std::wstring& location) noexcept {
    // Nothing may leave here either: a failing report counts as Abort.
    try {
        const CreatorError error = CurrentError();
        std::wstring shown = location;
        return CurrentReporter()(shown, error) == AnswerRetry;
    } catch (...) {
        return false;
    }
}

ScopedErrorReporter::ScopedErrorReporter(ErrorReporter reporter)
    : previous_(std::exchange(CurrentReporter(), std::move(reporter))) {}

ScopedErrorReporter::~ScopedErrorReporter() {
    CurrentReporter() = std::move(previous_);
}

CreatorError Win32Error(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const UniqueLocal owned(buffer);
    std::wstring text(buffer ? buffer : L"", buffer ? length : 0);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (text.empty())
        text = L"System error";
    return CreatorError(static_cast<int32_t>(code), text);
}

void RaiseLastError() {
    const DWORD code = GetLastError();
    throw Win32Error(code ? code : ERROR_GEN_FAILURE);
}

void CheckStatus(LONG status) {
    if (status != ERROR_SUCCESS)
        throw Win32Error(static_cast<DWORD>(status));
}
