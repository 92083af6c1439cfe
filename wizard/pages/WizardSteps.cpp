// The page machine of the wizard, the saver's creation and its reopening.
#include "common/Handles.h"
#include "core/CreatorText.h"
#include "core/InstallerScript.h"
#include "core/LogoPreview.h"
#include "wizard/frame/CodePage.h"
#include "wizard/frame/CommonDialog.h"
#include "wizard/frame/Cursor.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Helpers.h"
#include "wizard/frame/Installer.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/RunningFlag.h"
#include "wizard/frame/SaverLibrary.h"
#include "wizard/frame/Settings.h"
#include "wizard/frame/Tip.h"
#include "wizard/pages/PageText.h"
#include "wizard/pages/SaverFileWork.h"
#include "wizard/pages/frmWizard.h"

#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

bool IsFolder(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

void frmWizard::NextStep(int32_t inc) {
    // One move at a time: the work below pumps messages, and a second move
    // or an unload run inside it would pull the pages from under it. No
    // move while a logo loads, or once the wizard closes (the logo is gone).
    if (Stepping || ImageBusy || Closing)
        return;
    const RunningFlag running(Stepping);
    Procedure run(L"frmWizard.NextStep");
    const int32_t prev = CurrentStep;
    std::optional<clsCursor> busy;
    busy.emplace();
    busy->HoldInput(*this);
    SetScreenMousePointer(13);
    HideHelpTip();
    busy->HideLater = &picCover;

    if (!run([&] {
            const int shown =
                CurrentStep >= PageWelcome && CurrentStep < StepCnt ? CurrentStep : PageWelcome;
            const Control& page = picStep[shown];
            Control& cover = picCover;
            cover.Move(page.Left(), page.Top(), page.Width(), page.Height());
            const RECT r = page.PixelRect();
            const HWND main = picMain.hWnd();
            RECT client{};
            GetClientRect(main, &client);
            const WindowDC from(main);
            const WindowDC to(cover.hWnd());
            if (from && to)
                BitBlt(to.get(), 0, 0, client.right, client.bottom, from.get(), r.left, r.top,
                       SRCCOPY);
        }))
        return;
    ContextHelp = false;

    // The page being left.
    if (CurrentStep == PageName) {
        if (TrimBlanks(txtName.Text()).empty() && inc > 0) {
            EnableWindow(hWnd(), TRUE);
            ShowHelpTip(txtName.hWnd(), L"There's a problem...",
                        L"You need to give your Screensaver a name", 2);
            return;
        }
        // The saver keeps its texts in the system code page: what it cannot
        // hold is refused here rather than stored as "?".
        for (Control* field : {&txtName, &txtAbout, &txtURL}) {
            if (CodePageHolds(field->Text()))
                continue;
            EnableWindow(hWnd(), TRUE);
            field->SetFocus();
            ShowHelpTip(field->hWnd(), L"There's a problem...",
                        L"This text holds characters that this computer's language settings for "
                        L"programs without Unicode cannot store in a screensaver",
                        2);
            return;
        }
    } else if (CurrentStep == PageLogo && !ImageLoaded && inc > 0) { // going back needs no logo
        const std::wstring text = txtLogo.Text();
        const auto shown = [&] { return DynamicLogo && DynRemote && text == LastImageFile; };
        std::wstring error;
        if (IsRemote(text)) {
            // Typing leaves the address shown before in place: the one
            // typed is loaded now, or the saver would get the old one.
            if (!shown())
                UpdateImage(-1, text, true, false, false);
            if (!shown())
                error = L"This web address could not be loaded.";
        } else if (!FileExists(text) || IsFolder(text)) {
            error = L"This file cannot be found.";
        } else if (StartsWith(text, L"\\\\")) {
            UpdateImage(-1, text, true, false, false);
            return;
        } else {
            error = LastLoadError.empty() ? L"This file was not recognised, or is not supported."
                                          : LastLoadError;
        }
        if (!error.empty()) {
            txtLogo.SetFocus();
            ShowHelpTip(txtLogo.hWnd(), L"There was a problem reading the file", error, 3);
            return;
        }
    } else if (CurrentStep == PageWelcome) {
        LoadSaver(ChosenSaver);
    }

    CurrentStep += inc;
    if (CurrentStep < PageWelcome)
        CurrentStep = PageWelcome;
    DestroyTip(0);

    if (CurrentStep == PageDone) {
        bool created = false;
        InstallerBuilt = false;
        run([&] { created = CreateSaver(); });
        if (!created) {
            CurrentStep = prev;
        } else if (chkInstaller.Value() == 1) {
            run([&] {
                InstallerOptions& o = CurrentInstallerOptions();
                o.Name = txtName.Text();
                o.About = txtAbout.Text();
                o.WebSite = txtURL.Text();
                o.SrcScr = txtSaveAs.Text();
                const std::wstring base = InstallerOutputBase(o.SrcScr);
                o.OutFile = FileTitle(base);
                o.OutDir = FileDir(base);
                InstallerBuilt = BuildInstaller(ProgBar);
            });
        }
        cmdTest.Extender()->Tag =
            L"?Click here to install the screensaver, and open the Screensaver "
            L"section of the Display Properties Control Panel applet.";
    } else if (CurrentStep >= StepCnt) {
        Stepping = false; // this unload is the move's own
        Unload();
        return;
    } else {
        cmdNext.SetCaption(L"&Next >>");
        cmdNext.Tag = L"?Click this to proceed to the next step";
    }

    if (prev != CurrentStep && prev >= PageWelcome && prev < StepCnt)
        picStep[prev].SetVisible(false);
    CurrentPic = &picStep[CurrentStep];
    lblTitle.SetCaption(AdjustCaption(CurrentPic->Tag));
    lblTitle_Change();

    run([&] {
        RECT main{};
        GetClientRect(picMain.hWnd(), &main);
        const int nextTop = cmdNext.PixelRect().top;
        const auto px = [](int x) { return PixelsToTwipsX(x); };
        const auto py = [](int y) { return PixelsToTwipsY(y); };
        CurrentPic->Move(0, py(1), px(main.right), py(nextTop - 15));
        Control& side = picSide;
        const RECT page0 = picStep[PageWelcome].PixelRect();
        side.Move(0, 0, side.Width(), py(page0.bottom - page0.top));
        if (CurrentStep != PageWelcome)
            CurrentPic->Move(px(15), py(21), CurrentPic->Width(),
                             picStep[PageWelcome].Height() - py(21));
        else {
            // The link keeps to the page's bottom-right corner, the side
            // picture to the panel's bottom-left.
            Control& site = lnkSite;
            site.Move(CurrentPic->Width() - site.Width() - px(5),
                      CurrentPic->Height() - site.Height() - py(5), site.Width(), site.Height());
            Control& img = picSideImg;
            img.Move(0, side.Height() - img.Height(), img.Width(), img.Height());
        }
        CurrentPic->SetVisible(true);
    });

    run([&] {
        cmdBack.SetEnabled(CurrentStep > PageWelcome);
        cmdNext.SetEnabled(CurrentStep != PageDone);
        Nav.SetEnabled(0, CurrentStep > PageWelcome);
        FurthestStep = std::max(FurthestStep, CurrentStep);
        Nav.SetEnabled(1, CurrentStep < FurthestStep);
        if (prev == PageLogo)
            DragAcceptFiles(hWnd(), FALSE);
    });

    switch (CurrentStep) {
    case PageWelcome:
        cmdNext.SetEnabled(true);
        break;
    case PageLogo:
        DragAcceptFiles(hWnd(), TRUE);
        run([&] { chkTrans_Click(); });
        run([&] { txtLogo_Change(); });
        break;
    case PageAnimations:
        run([&] { EnterModesPage(); });
        break;
    case PageSave:
        run([&] {
            Control& saveAs = txtSaveAs;
            // A proposal not yet confirmed follows the name.
            if (saveAs.Text().empty() || saveAs.Text() == ProposedSaveAs) {
                std::wstring buffer(MAX_PATH + 1024 + 2, L'\0');
                GetCurrentDirectoryW(MAX_PATH, buffer.data());
                std::wstring start = ChopNull(buffer);
                buffer.assign(start);
                buffer += L'\0';
                buffer.append(1024, L' ');
                SHGetFolderPathW(nullptr, 0x8010, nullptr, 0, buffer.data());
                const std::wstring folder = ChopNull(buffer);
                std::wstring file = FileChars(txtName.Text());
                if (!EndsWith(file, L".scr"))
                    file += L".scr";
                ProposedSaveAs = CatStr(folder, file, L"\\");
                saveAs.SetText(ProposedSaveAs);
                const int end = static_cast<int>(saveAs.Text().size());
                saveAs.SetSelection(end, 0);
            }
            cmdNext.SetCaption(L"Create");
        });
        break;
    case PageDone:
        run([&] { DoneLayout(); });
        break;
    default:
        break;
    }

    run([&] { SetTabOrder(*this, CurrentPic); });
    busy.reset();
    // The page hands the focus on as it gets it (picStep_GotFocus).
    if (IsWindowEnabled(hWnd()) && IsWindowVisible(hWnd()))
        CurrentPic->SetFocus();
}

void frmWizard::EnterModesPage() {
    SaverExports& library = SaverLibrary();
    if (!ModesFilled) {
        ModesFilled = true;
        if (ChosenSaver.empty())
            library.SetSettings(nullptr);
        library.GetVersion(CreatorVersion);
        lstModes.Clear();
        Modes.clear();
        for (uint32_t i = 0;; ++i) {
            std::vector<char> name(1000, '\0'), description(1000, '\0');
            const int32_t mask = library.GetSaverInfo(i, name.data(), description.data());
            if (mask == -1)
                break;
            name.back() = description.back() = '\0';
            Modes.push_back({mask, FromCodePage(name.data()), FromCodePage(description.data()), 0});
            GetModeState(mask);
        }
        if (lstModes.ListCount() > 0)
            lstModes.SetListIndex(-1);
        UpdateModeSelection();
    } else {
        // The lists follow the library's record, which a saver reopened
        // after "Create another" has replaced.
        RefreshModeStates();
    }
    // Every time: the settings sheet is titled with the saver's name, and
    // the saver may be another since the last visit.
    std::vector<char> n = LibraryBuffer(txtName.Text()), a = LibraryBuffer(txtAbout.Text()),
                      u = LibraryBuffer(txtURL.Text());
    library.SetName(n.data(), a.data(), u.data());

    if (DynamicLogo) {
        std::vector<char> file = NulEnded(LibraryPath(DynFile)); // a file: the content or its page
        library.SetLogo(file.data(), DynSize ? DynSize : 1, picBMPDrawing.Width(),
                        picBMPDrawing.Height(), 0);
    } else if (LogoDib) {
        const ScaledSize s = ScaleLogo(picBMPDrawing.Width(), picBMPDrawing.Height(), ImageScale);
        HandOverPictureLogo(*LogoDib, s.Width, s.Height, TempBMP);
    }
    library.SetColor(BackgroundColor, TransparentColor);

    if (DynamicLogo != LastDynamicLogo) {
        for (ModeEntry& entry : Modes) {
            int32_t state = entry.SavedState;
            if (DynamicLogo) {
                entry.SavedState = GetModeState(entry.Mask);
                state = entry.Mask == 2 ? 1 : 0;
            }
            SetModeState(entry.Mask, state);
        }
        LastDynamicLogo = DynamicLogo;
    }
}

void frmWizard::DoneLayout() {
    const bool installer = InstallerBuilt; // never an older setup program
    cmdTestInstaller.Extender()->SetVisible(installer);
    const RECT done = lblDone.PixelRect();
    RECT page{};
    GetClientRect(CurrentPic->hWnd(), &page);
    const int B = done.bottom;
    const int A = page.bottom - B;
    std::vector<Control*> links;
    if (installer)
        links.push_back(cmdTestInstaller.Extender());
    for (const CommandLink* link : {&cmdTest, &cmdAgain, &cmdExit})
        links.push_back(link->Extender());
    int h = 0;
    for (const Control* link : links)
        h += link->PixelRect().bottom - link->PixelRect().top;
    int top = B + (A - h) / (installer ? 4 : 3);
    const int gap = installer ? 2 : 7;
    for (Control* link : links) {
        link->Move(link->Left(), PixelsToTwipsY(top), link->Width(), link->Height());
        top += link->PixelRect().bottom - link->PixelRect().top + gap;
    }
}

bool frmWizard::CreateSaver() {
    const std::wstring target = txtSaveAs.Text();
    if (!ProposedSaveAs.empty() && target == ProposedSaveAs && FileExists(target)) {
        const std::wstring question = target + L" already exists.\r\nDo you want to replace it?";
        if (MessageBoxW(hWnd(), question.c_str(), AppTitle.c_str(),
                        MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
            return false;
    }
    Progress progress;
    progress.Init(ProgBar, 100, 0, 0);
    SaverRequest request;
    request.Name = txtName.Text();
    request.About = txtAbout.Text();
    request.Url = txtURL.Text();
    request.LogoFile = DynamicLogo ? DynFile : TempBMP;
    request.PreventChanges = chkDisableConfig.Value() == 1;
    request.IconFile = IconFile;
    request.IconIndex = IconIndex;
    request.SaveAs = txtSaveAs.Text();
    request.Progress = [&progress](int32_t value) { progress.Pos(value); };
    ScrFile = request.SaveAs;
    const SaverOutcome outcome = WriteSaverFile(request, CreatorSettings);
    progress.Destroy();
    ProgBar.Extender()->SetVisible(false);
    if (!outcome.Written) {
        if (!outcome.Message.empty())
            MessageBoxW(hWnd(), outcome.Message.c_str(), AppTitle.c_str(), MB_ICONEXCLAMATION);
        return false;
    }
    ProposedSaveAs.clear(); // the file is this saver's now
    FillMRU();              // the list shifted: its positions must match the entries again
    ShowChosenSaver();
    return true;
}

void frmWizard::ShowChosenSaver() {
    // The refill emptied the field; page 0 must show what leaving it loads.
    const HWND mru = cmbMRU.hWnd();
    if (!ChosenSaver.empty()) {
        LRESULT item = CB_ERR;
        const LRESULT count = SendMessageW(mru, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count && item == CB_ERR; ++i) {
            const LRESULT entry = SendMessageW(mru, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
            if (entry >= 0 && entry < CreatorSettings.MRUCount &&
                CreatorSettings.MRUFile[static_cast<std::size_t>(entry)] == ChosenSaver)
                item = i;
        }
        if (item != CB_ERR)
            SendMessageW(mru, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        else
            SetWindowTextW(mru, ChosenSaver.c_str()); // a path browsed to, not in the list
    }
    cmbMRU_Change();
}

void frmWizard::LoadSaver(const std::wstring& path) {
    RunSteps(L"frmWizard.LoadSaver", {[&] {
                 const ReopenedSaver saver = ReadSaverForWizard(path, CreatorSettings);
                 txtName.SetText(saver.Name);
                 txtAbout.SetText(saver.About);
                 txtURL.SetText(saver.Url);
                 BackgroundColor = saver.Background;
                 clrBackground.SetColor(static_cast<COLORREF>(BackgroundColor));
                 TransparentColor = saver.Transparent;
                 if (TransparentColor >= 0)
                     TransparentColorPrev = TransparentColor;
                 chkTrans.SetValue(saver.KeyTicked ? 1 : 0);
                 picTrans.BackColor =
                     static_cast<COLORREF>(TransparentColor < 0 ? 0 : TransparentColor);
                 picTrans.Refresh();
                 // A new saver gets a file of its own name on the Save page.
                 ProposedSaveAs.clear();
                 txtSaveAs.SetText(saver.FromSaver ? path : L"");
                 if (saver.FromSaver) {
                     IconFile = saver.IconFile;
                     IconIndex = 0; // the saver's one icon group
                     chkDisableConfig.SetValue(saver.PreventChanges ? 1 : 0);
                     ExtractedBMP = saver.LogoFile;
                     // The same name each time: read again, over the saver's
                     // own colour and with its own key, once these are set.
                     LastImageFile.clear();
                     ImageEverLoaded = false;
                     UpdateImage(-1, ExtractedBMP, false, true, true);
                     txtLogo.SetText(ExtractedBMP);
                 }
                 UpdateIcon();
                 if (!saver.LogoFailure.empty())
                     MessageBoxW(hWnd(), saver.LogoFailure.c_str(), AppTitle.c_str(),
                                 MB_ICONEXCLAMATION);
             }});
}

void frmWizard::cmbMRU_Change() {
    Control& mru = cmbMRU;
    lblOpenError.SetCaption(L"");
    std::wstring message;
    if (mru.Enabled()) {
        const LRESULT selected = SendMessageW(mru.hWnd(), CB_GETCURSEL, 0, 0);
        std::wstring file;
        bool fromList = false;
        if (selected >= 0) {
            const LRESULT entry =
                SendMessageW(mru.hWnd(), CB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
            if (entry >= 0 && entry < CreatorSettings.MRUCount) {
                file = CreatorSettings.MRUFile[static_cast<std::size_t>(entry)];
                fromList = true;
            }
        }
        if (!fromList)
            file = mru.Text();
        const SaverChoice choice = CheckSaverChoice(file, fromList, CreatorVersion, AppTitle);
        if (choice.Accepted) {
            ChosenSaver = file;
            DrawOpenWarning(false);
            return;
        }
        message = choice.Message;
    }
    lblOpenError.SetCaption(message);
    ChosenSaver.clear();
    DrawOpenWarning(!message.empty());
}

void frmWizard::DrawOpenWarning(bool show) {
    ShowOpenWarning = show;
    InvalidateRect(picOpen.hWnd(), nullptr, TRUE);
}

void frmWizard::PaintOpenWarning(HDC dc) {
    if (!ShowOpenWarning)
        return;
    const RECT r = lblOpenError.PixelRect();
    DrawAlphaBitmap(dc, L"WARN", r.left - 20, r.top, 16, 16, 255);
}

void frmWizard::cmdBrowseSaver_Click() {
    RunSteps(L"frmWizard.cmdBrowseSaver_Click", {[&] {
                 std::wstring file = cmbMRU.Text();
                 if (ShowFileDialog(true, 0x280800, file, hWnd(), L"Open Logo Image",
                                    CreatorSettings.SaverDir,
                                    L"Screen Savers (*.scr)|*.scr|All Files (*.*)|*.*", 0, L"")) {
                     SendMessageW(cmbMRU.hWnd(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
                     cmbMRU.SetText(file);
                     cmbMRU_Change();
                 }
             }});
}
