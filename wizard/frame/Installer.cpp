#include "wizard/frame/Installer.h"

#include "core/Random.h"
#include "common/Handles.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/MessagePump.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/Progress.h"

#include <utility>

namespace {

// What the callback works on while the compiler runs. The compiler gets
// application data 0, so the state is the module's; one build at a time.
struct CompileState {
    bool Running = false;
    std::vector<std::wstring> Lines;
    std::size_t NextLine = 0;
    std::string LineRead; // the 8-bit copy the compiler is reading
    std::wstring Errors;
    CompileProgress Progress;
};
CompileState State;

std::string Narrow(const std::wstring& text) {
    if (text.empty())
        return {};
    int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring Widen(const char* text, std::size_t size) {
    if (size == 0)
        return {};
    int wide = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(size), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(size), out.data(), wide);
    return out;
}

std::wstring Widen(const char* text) {
    return text ? Widen(text, strlen(text)) : std::wstring();
}

// Clears the module state however the compile ends.
class RunningBuild {
  public:
    RunningBuild(std::vector<std::wstring> lines, CompileProgress progress) {
        if (State.Running)
            throw CreatorError(ErrInvalidCall, L"An installer is already being built.");
        State.Running = true;
        State.Lines = std::move(lines);
        State.NextLine = 0;
        State.Errors.clear();
        State.Progress = std::move(progress);
    }
    RunningBuild(const RunningBuild&) = delete;
    RunningBuild& operator=(const RunningBuild&) = delete;
    ~RunningBuild() {
        State.Lines.clear();
        State.LineRead.clear();
        State.Progress = nullptr;
        State.Running = false;
    }
};

// A failed system call, with what it failed on, so that the user sees which
// file is missing.
[[noreturn]] void RaiseNaming(DWORD code, const std::wstring& what) {
    throw CreatorError(static_cast<int32_t>(code),
                       Win32Error(code).Description() + L" (" + what + L")");
}

// The compiler's figures fitted into the progress bar's range.
void ShowProgress(Progress& progress, unsigned long max, unsigned long pos) {
    while (max > 0x7FFFFFFFul) {
        max >>= 1;
        pos >>= 1;
    }
    progress.Max(static_cast<int>(max));
    progress.Pos(static_cast<int>(pos > max ? max : pos));
    DoEvents();
}

} // namespace

InstallerOptions& CurrentInstallerOptions() {
    static InstallerOptions options;
    return options;
}

std::vector<std::wstring> InstallerScriptLines(const InstallerOptions& options,
                                               const std::wstring& appId) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, L"INSTALLER", MAKEINTRESOURCEW(800));
    if (!found)
        RaiseLastError();
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        RaiseLastError();
    std::wstring text = Widen(static_cast<const char*>(bytes), SizeofResource(module, found));
    std::size_t badLine = 0;
    auto lines = MakeScriptLines(ExpandInstallerTemplate(std::move(text), options, appId), badLine);
    if (!lines)
        throw CreatorError(ErrTypeMismatch, L"The installer script has a condition that is "
                                            L"neither true nor false in line " +
                                                std::to_wstring(badLine + 1) + L".");
    return std::move(*lines);
}

int WINAPI CompilerCallback(int code, void* data, LONG_PTR /*appData*/) {
    switch (code) {
    case iscbReadScript: {
        // The reset flag is not looked at: the script is handed out once.
        auto* read = static_cast<ReadScriptData*>(data);
        if (State.NextLine < State.Lines.size()) {
            State.LineRead = Narrow(State.Lines[State.NextLine++]);
            read->LineRead = State.LineRead.c_str();
        } else {
            read->LineRead = nullptr;
        }
        break;
    }
    case iscbNotifyIdle: {
        auto* idle = static_cast<const NotifyIdleData*>(data);
        if (State.Progress)
            State.Progress(idle->CompressProgressMax, idle->CompressProgress);
        break;
    }
    case iscbNotifyError: {
        auto* error = static_cast<const NotifyErrorData*>(data);
        State.Errors += L"Error: " + Widen(error->ErrorMsg) + L"[" + Widen(error->ErrorFilename) +
                        L":" + std::to_wstring(error->ErrorLine) + L"]";
        break;
    }
    default:
        break;
    }
    return 0;
}

CompileOutcome CompileInstallerScript(const std::wstring& compilerDir,
                                      const std::wstring& sourceDir,
                                      std::vector<std::wstring> lines, CompileProgress progress) {
    const std::wstring path = compilerDir + L"ISCmplr.dll";
    UniqueModule library(LoadLibraryW(path.c_str()));
    if (!library)
        RaiseNaming(GetLastError(), path);
    auto compile = reinterpret_cast<ISDllCompileScriptProc>(
        reinterpret_cast<void*>(GetProcAddress(library.get(), "ISDllCompileScript")));
    if (!compile)
        RaiseNaming(GetLastError(), path + L": ISDllCompileScript");

    RunningBuild build(std::move(lines), std::move(progress));
    const std::string compilerPath = Narrow(compilerDir);
    const std::string sourcePath = Narrow(sourceDir);
    CompileScriptParams params{};
    params.Size = sizeof(params);
    params.CompilerPath = compilerPath.c_str();
    params.SourcePath = sourcePath.c_str();
    params.CallbackProc = CompilerCallback;
    params.AppData = 0;
    params.Options = "";
    CompileOutcome outcome;
    outcome.Result = compile(&params);
    outcome.Errors = State.Errors;
    return outcome;
}

std::wstring InstallerCompilerDir() {
    std::wstring folder = ProgramFolder();
    if (folder.empty() || folder.back() != L'\\')
        folder += L'\\';
    return folder + L"inno\\";
}

void BuildInstaller(ProgressDisplay& progBar) {
    BuildInstallerWith(progBar, InstallerCompilerDir());
}

void BuildInstallerWith(ProgressDisplay& progBar, const std::wstring& compilerDir) {
    const InstallerOptions& options = CurrentInstallerOptions();
    std::vector<std::wstring> lines =
        InstallerScriptLines(options, AppIdText(Rand() / (RandMax + 1.0)));
    Progress progress; // removes the bar however this ends
    progress.Init(progBar, 100, 0, 0);
    CompileOutcome outcome = CompileInstallerScript(
        compilerDir, options.OutDir, std::move(lines),
        [&](unsigned long max, unsigned long pos) { ShowProgress(progress, max, pos); });
    if (outcome.Result != 0)
        MessageBoxW(
            GetActiveWindow(),
            (L"There was a problem creating the installer:\r\n\r\n" + outcome.Errors).c_str(),
            L"Quorvel Screensaver", MB_OK | MB_ICONWARNING);
    progress.Destroy();
}
