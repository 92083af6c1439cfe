#include "wizard/Main.h"

#include "core/CreatorMath.h"
#include "core/CreatorText.h"
#include "core/Random.h"
#include "resources/wizard_version.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/Settings.h"
#include "wizard/pages/frmWizard.h"

#include <commctrl.h>

namespace {

// The class of the running Windows, as GetVersionExW reports it.
int32_t ReadOsLevel() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info; // 276
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&info))
        RaiseLastError();
#pragma GCC diagnostic pop
    return OsLevelOf(info.dwMajorVersion, info.dwMinorVersion);
}

void InitActiveXHost() {
    const HMODULE atl = LoadLibraryW(L"atl.dll"); // stays loaded: it hosts the logo controls
    if (!atl)
        RaiseLastError();
    using InitFn = BOOL(WINAPI*)();
    const auto init =
        reinterpret_cast<InitFn>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
    if (!init)
        RaiseLastError();
    init();
}

} // namespace

void Main() {
    static_assert(sizeof(OSVERSIONINFOW) == 276);
    Procedure run(L"modMain.Main");
    const auto step = [&run](const Step& s) { return run(s); };
    if (!step([] {
            CreatorVersion =
                CreatorVersionOf(QV_VERSION_MAJOR, QV_VERSION_MINOR, QV_VERSION_REVISION);
        }))
        return;
    static UniqueKernel mutex; // marks the creator as running, for the life of the process
    if (!step([] { mutex.reset(CreateMutexW(nullptr, FALSE, L"QuorvelScreensaverCreator")); }))
        return;
    IgnoreErrors([] { SetCurrentDirectoryW(ProgramFolder().c_str()); });
    if (!step([] {
            SYSTEMTIME now;
            GetLocalTime(&now);
            SeedRand(static_cast<uint32_t>(
                ((now.wHour * 60 + now.wMinute) * 60 + now.wSecond) * 1000 + now.wMilliseconds));
        }))
        return;
    if (!step([] { OsLevel = ReadOsLevel(); }))
        return;
    if (!step([] {
            INITCOMMONCONTROLSEX icc{8, 0xFF};
            if (!InitCommonControlsEx(&icc))
                RaiseLastError();
        }))
        return;
    if (!step(InitActiveXHost))
        return;
    if (!step([] { HelpFile = CatStr(ProgramFolder(), L"quorvel.chm", L"\\"); }))
        return;
    if (!step([] { DoSettings(false); }))
        return;
    if (!step([] {
            AppVersionText =
                AppVersionTextOf(QV_VERSION_MAJOR, QV_VERSION_MINOR, QV_VERSION_REVISION);
        }))
        return;
    if (!step([] { AppTitle = L"Quorvel Screensaver Creator"; }))
        return;
    Form* wizard = nullptr;
    if (!step([&] {
            wizard = &Wizard();
            wizard->Load();
        }))
        return;
    if (!step(DoEvents) || !step([] { Sleep(100); }) || !step(DoEvents))
        return;
    step([&] {
        if (wizard)
            wizard->Show();
    });
}
