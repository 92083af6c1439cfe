// The settings sheet, previews and context help of the library: the
// screensaver's sheet, pages, engine and preview window, with the library's
// differences as hooks. Effects are enabled and hidden through the creator's
// lists, so the pages hide those boxes; there is no About page; nothing is
// stored in the registry; a preview can force its effect and takes its logo
// from the file last given to SetLogo.
#include "core/HelpText.h"
#include "core/SaverRecord.h"
#include "library/Exports.h"
#include "library/LibraryState.h"
#include "resources/SettingsIds.h"
#include "saver/LogoImage.h"
#include "saver/SaverHooks.h"
#include "saver/SaverState.h"
#include "saver/SaverWindow.h"
#include "saver/SettingsSheet.h"

namespace {

void OnPreview(int32_t pageId) {
    PreviewEffect = pageId;
}

// The page's bit in HiddenMask follows "&Hide these options"; as that box is
// hidden and never checked here, writing back shows the page again.
void OnWriteBack(HWND page, int32_t pageId) {
    if (pageId == PAGE_ABOUT)
        return;
    if (IsDlgButtonChecked(page, IDC_HIDE) == BST_CHECKED)
        CurrentSettings->HiddenMask |= pageId;
    else
        CurrentSettings->HiddenMask &= ~pageId;
}

const SheetVariant LibraryVariant{true, false, OnPreview, OnWriteBack};

// The logo of a preview: the file last given to SetLogo (left in place), or
// the content at that path; no error box when there is none.
bool LoadPreviewLogo() {
    ReleaseLogo();
    LogoRect.X = LogoRect.Y = 0;
    const bool content = ContentMode();
    if (content) {
        ContentText = LogoPath;
        LogoRect.Width = LogoRect.NaturalWidth = CurrentSettings->ContentWidth;
        LogoRect.Height = LogoRect.NaturalHeight = CurrentSettings->ContentHeight;
    } else {
        LoadLogoBitmap(LogoPath);
    }
    FinishLogoLoad(!content);
    return true;
}

// The effect forced by PreviewEffect (none when no effect has that bit), or
// the screensaver's random pick.
int ChoosePreviewEffect() {
    if (PreviewEffect >= 1)
        return FindEffect(PreviewEffect);
    return ChooseRandomEffect();
}

// A preview run that does not stop in time is left to end by itself: the
// process is the creator's, with the user's work in it. Everything the run
// draws with stays as it is (StopRenderThread frees nothing then), and the
// next preview first waits for the run to end.
void LeaveStuckRun() {}

void UseLibraryHooks() {
    Hooks.LoadLogo = LoadPreviewLogo;
    Hooks.ChooseEffect = ChoosePreviewEffect;
    Hooks.RenderThreadStuck = LeaveStuckRun;
}

} // namespace

extern "C" {

int32_t WINAPI ShowConfig(HWND owner, int32_t page) {
    if (!owner)
        return 0;
    if (page < 0) {
        UseLibraryHooks();
        PreviewEffect = -page;
        OpenPreviewWindow(owner);
        return 0;
    }
    return ShowSettings(owner, page);
}

int32_t WINAPI ShowSettings(HWND owner, int32_t page) {
    UseLibraryHooks();
    RunSettingsSheet(owner, LibrarySheet(*CurrentSettings, CurrentTrailer.DynamicLogo != 0, page),
                     LibraryVariant);
    if (SettingsChanged)
        NormaliseSettings(*CurrentSettings);
    return 0;
}

int32_t WINAPI GetHelpStr(int32_t page, int32_t control, char* text) {
    if (!text)
        return 0;
    return CopyText(text, HelpStrSize, HelpText(page, control)) > 0 ? 1 : 0;
}

} // extern "C"
