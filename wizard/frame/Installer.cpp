#include "wizard/frame/Installer.h"

#include "core/Random.h"
#include "common/Handles.h"
#include "wizard/frame/CodePage.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/MessagePump.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/Progress.h"

#include <optional>
#include <utility>

namespace {

// What the callback works on while the compiler runs. The compiler gets
// application data 0, so the state is the module's; one build at a time.
struct CompileState {
    bool Running = false;
    std::vector<std::string> Lines; // in the system code page
    std::size_t NextLine = 0;
    std::wstring Errors;
    CompileProgress Progress;
};
CompileState State;

// The script as the compiler reads it, or a failure naming the first line
// the code page cannot hold: never a line with "?" for what was typed.
std::vector<std::string> ScriptInCodePage(const std::vector<std::wstring>& lines) {
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const std::wstring& line : lines) {
        std::optional<std::string> held = ToCodePage(line);
        if (!held)
            throw CreatorError(ERROR_NO_UNICODE_TRANSLATION,
                               L"The installer script cannot hold this line in the system's "
                               L"code page: " +
                                   line);
        out.push_back(std::move(*held));
    }
    return out;
}

// Clears the module state however the compile ends.
class RunningBuild {
  public:
    RunningBuild(std::vector<std::string> lines, CompileProgress progress) {
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
    std::wstring text =
        FromCodePage(std::string(static_cast<const char*>(bytes), SizeofResource(module, found)));
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
            read->LineRead = State.Lines[State.NextLine++].c_str();
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
        State.Errors += L"Error: " + FromCodePage(error->ErrorMsg) + L"[" +
                        FromCodePage(error->ErrorFilename) + L":" +
                        std::to_wstring(error->ErrorLine) + L"]";
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

    const std::string compilerPath = CodePagePath(compilerDir);
    const std::string sourcePath = CodePagePath(sourceDir);
    RunningBuild build(ScriptInCodePage(lines), std::move(progress));
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

bool BuildInstaller(ProgressDisplay& progBar) {
    return BuildInstallerWith(progBar, InstallerCompilerDir());
}

bool BuildInstallerWith(ProgressDisplay& progBar, const std::wstring& compilerDir) {
    // The folders the script names as the compiler can open them.
    InstallerOptions options = CurrentInstallerOptions();
    options.OutDir = FromCodePage(CodePagePath(options.OutDir));
    options.SrcScr =
        FromCodePage(CodePagePath(FileDir(options.SrcScr))) + FileTitle(options.SrcScr);
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
    return outcome.Result == 0;
}
