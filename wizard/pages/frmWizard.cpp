#include "wizard/pages/frmWizard.h"

#include "common/Handles.h"
#include "core/CreatorText.h"
#include "wizard/controls/LinkControl.h"
#include "wizard/frame/CommonDialog.h"
#include "wizard/frame/Cursor.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/HelpViewer.h"
#include "wizard/frame/Helpers.h"
#include "wizard/frame/Installer.h"
#include "wizard/frame/MessagePump.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/Settings.h"
#include "wizard/frame/Tip.h"
#include "wizard/pages/WizardHelp.h"
#include "wizard/pages/WizardTable.h"
#include "wizard/pages/frmChangeIcon.h"
#include "wizard/pages/frmImage.h"
#include "wizard/pages/frmScale.h"

#include <commctrl.h>

#include <optional>

namespace {

// Runs every step, passing over the failing ones; the last failure is
// reported once at the end.
void RunAllSteps(const wchar_t* location, std::initializer_list<Step> steps) {
    std::optional<CreatorError> pending;
    for (const Step& step : steps) {
        try {
            step();
        } catch (...) {
            pending = CurrentError();
        }
    }
    if (pending) {
        std::wstring where = location;
        ShowError(where, *pending);
    }
}

constexpr int NameChars = 49;

} // namespace

frmWizard::frmWizard()
    : Form(WizardDecl, WizardControls()), ProgBar((*this)(L"ProgBar").As<ProgressBar>()),
      Nav((*this)(L"Nav").As<IENavButton>()), lstModes((*this)(L"lstModes").As<APIListBox>()),
      lstActive((*this)(L"lstActive").As<APIListBox>()),
      clrBackground((*this)(L"clrBackground").As<ColorDrop>()),
      cmdAgain((*this)(L"cmdAgain").As<CommandLink>()),
      cmdBrowse((*this)(L"cmdBrowse").As<CommandLink>()),
      cmdBrowseSaver((*this)(L"cmdBrowseSaver").As<CommandLink>()),
      cmdExit((*this)(L"cmdExit").As<CommandLink>()),
      cmdTest((*this)(L"cmdTest").As<CommandLink>()),
      cmdTestInstaller((*this)(L"cmdTestInstaller").As<CommandLink>()),
      cmdUpdate((*this)(L"cmdUpdate").As<CommandLink>()), cmdAdd((*this)(L"cmdAdd")),
      cmdBack((*this)(L"cmdBack")), cmdCancel((*this)(L"cmdCancel")),
      cmdGeneral((*this)(L"cmdGeneral")), cmdHelp((*this)(L"cmdHelp")),
      cmdIcon((*this)(L"cmdIcon")), cmdInstaller((*this)(L"cmdInstaller")),
      cmdNext((*this)(L"cmdNext")), cmdPreview((*this)(L"cmdPreview")),
      cmdRemove((*this)(L"cmdRemove")), cmdSaveAs((*this)(L"cmdSaveAs")),
      cmdScale((*this)(L"cmdScale")), cmdSettings((*this)(L"cmdSettings")),
      cmdTrans((*this)(L"cmdTrans")), chkDisableConfig((*this)(L"chkDisableConfig")),
      chkInstaller((*this)(L"chkInstaller")), chkTrans((*this)(L"chkTrans")),
      cmbMRU((*this)(L"cmbMRU")), cmbSize((*this)(L"cmbSize")), fraFlash((*this)(L"fraFlash")),
      fraMode((*this)(L"fraMode")), fraTransparent((*this)(L"fraTransparent")),
      lblDesc((*this)(L"lblDesc")), lblDone((*this)(L"lblDone")),
      lblOpenError((*this)(L"lblOpenError")), lblTitle((*this)(L"lblTitle")),
      lnkSite((*this)(L"lnkSite")), picAbout((*this)(L"picAbout")), picCover((*this)(L"picCover")),
      picHeader((*this)(L"picHeader")), picIcon((*this)(L"picIcon")), picMain((*this)(L"picMain")),
      picOpen((*this)(L"picOpen")), picPreview((*this)(L"picPreview")),
      picSide((*this)(L"picSide")), picSideImg((*this)(L"picSideImg")), picTmp((*this)(L"picTmp")),
      picTrans((*this)(L"picTrans")), picTransBack((*this)(L"picTransBack")),
      shaButtons((*this)(L"shaButtons")), tmrDynAnimChange((*this)(L"tmrDynAnimChange")),
      txtAbout((*this)(L"txtAbout")), txtLogo((*this)(L"txtLogo")), txtName((*this)(L"txtName")),
      txtSaveAs((*this)(L"txtSaveAs")), txtScaleTip((*this)(L"txtScaleTip")),
      txtURL((*this)(L"txtURL")), picStep(*this, L"picStep"),
      picContextHelp_((*this)(L"picContextHelp")), txtTip_((*this)(L"txtTip")) {
    // Each page's controls into their page (see WizardTable.h).
    const auto& all = Controls();
    for (std::size_t row = 0; row < all.size(); ++row)
        if (const int page = PageOfRow(row); page >= 0)
            all[row]->Container = &picStep[page];
    shaButtons.BackColor = SystemColourReference | COLOR_BTNFACE;
    lnkSite.As<LinkControl>().SetURL(ProductSite);
    Wire();
}

void frmWizard::Wire() {
    cmdNext.Click = [this] { cmdNext_Click(); };
    cmdBack.Click = [this] { cmdBack_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    cmdExit.Click = [this] { cmdExit_Click(); };
    cmdAgain.Click = [this] { cmdAgain_Click(); };
    Nav.Click = [this](int index) { Nav_Click(index); };
    WireTransparency();
    WireDynamic();
    chkInstaller.Click = [this] { chkInstaller_Click(); };
    txtLogo.Change = [this] { txtLogo_Change(); };
    // While the logo text has the focus, Enter is the Update link's.
    txtLogo.GotFocus = [this] {
        cmdUpdate.SetAlwaysHot(true);
        SendMessageW(cmdNext.hWnd(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    };
    txtLogo.LostFocus = [this] {
        cmdUpdate.SetAlwaysHot(false);
        SendMessageW(cmdNext.hWnd(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    };
    cmdUpdate.Click = [this] { cmdUpdate_Click(); };
    cmdBrowse.Click = [this] { cmdBrowse_Click(); };
    picPreview.DblClick = [this] { cmdBrowse_Click(); };
    picPreview.Click = [this] { picPreview_Click(); };
    cmdScale.Click = [this] { cmdScale_Click(); };
    cmbMRU.Change = [this] { cmbMRU_Change(); };
    cmbMRU.Click = [this] { cmbMRU_Change(); };
    cmdBrowseSaver.Click = [this] { cmdBrowseSaver_Click(); };
    cmdIcon.Click = [this] { cmdIcon_Click(); };
    picIcon.DblClick = [this] { picIcon_DblClick(); };
    txtTip_.LostFocus = [this] { ToolTip.Enable(true); };
    for (Control* box : {&txtName, &txtAbout, &txtURL, &txtSaveAs})
        box->GotFocus = [this, box] {
            const std::wstring where = L"frmWizard." + box->Name + L"_GotFocus";
            if (box == &txtName || box == &txtAbout)
                RunSteps(where, {[&] { SelectAllText(box, this); }});
            else
                IgnoreErrors([&] { SelectAllText(box, this); });
        };
    for (int i = 0; i < picStep.Count(); ++i)
        picStep[i].GotFocus = [this, i] { picStep_GotFocus(i); };
    WireChrome();
    WireModes();
    WireDone();
    sc.GotMessage = [this](HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                           LRESULT& ReturnValue) {
        sc_GotMessage(hWnd, message, wParam, lParam, Proceed, ReturnValue);
    };
    // The separator above the button row and the reopen warning are drawn
    // over their box's own paint.
    scMain.GotMessage = PaintAfter([this](HDC dc) { PaintSeparator(dc); });
    scOpen.GotMessage = PaintAfter([this](HDC dc) { PaintOpenWarning(dc); });
    // Enter in the logo text is the Update link; the logo text takes the
    // default away from Next while it has the focus.
    scLogo.GotMessage = [this](HWND&, UINT& message, WPARAM& wParam, LPARAM&, bool& Proceed,
                               LRESULT& ReturnValue) {
        if (message == WM_GETDLGCODE && wParam == VK_RETURN) {
            ReturnValue = DLGC_WANTALLKEYS;
            Proceed = false;
        } else if (message == WM_CHAR && wParam == L'\r') {
            Proceed = false;
        } else if (message == WM_KEYDOWN && wParam == VK_RETURN) {
            Proceed = false;
            cmdUpdate_Click();
        }
    };
}

Control& frmWizard::picContextHelp() {
    return picContextHelp_;
}

Control& frmWizard::txtTip() {
    return txtTip_;
}

void frmWizard::Form_Load() {
    Closing = false;
    CurrentStep = -1; // no page yet: the first move shows the welcome page
    ImageScale = 1.0;
    RunAllSteps(L"frmWizard.Form_Load",
                {[&] { AddGlass(); },
                 [&] {
                     if (Glass)
                         return;
                     const Control& header = picHeader;
                     picMain.Move(0, header.Top() + header.Height(), ScaleWidth(), ScaleHeight());
                 },
                 [&] { SetFormIcon(hWnd(), L"APPICON", true); },
                 [&] { AdjustCaptions(*this); },
                 [&] {
                     const HWND tip = txtTip().hWnd(); // the balloons' carrier shows no border
                     SetWindowLongPtrW(tip, GWL_EXSTYLE,
                                       GetWindowLongPtrW(tip, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
                     SetWindowPos(tip, nullptr, 0, 0, 0, 0,
                                  SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
                 },
                 [&] {
                     ToolTip.Init(this, nullptr, TTS_ALWAYSTIP | TTS_BALLOON, 0);
                     ToolTip.SendMessage(TTM_SETDELAYTIME, TTDT_INITIAL, 500);
                     ToolTip.SendMessage(TTM_SETDELAYTIME, TTDT_AUTOPOP, 20000);
                     ToolTip.SendMessage(TTM_SETDELAYTIME, TTDT_RESHOW, 1000);
                     ToolTip.SendMessage(TTM_SETMAXTIPWIDTH, 0, 250);
                 },
                 [&] {
                     StepCnt = picStep.Count();
                     for (int i = 0; i < StepCnt; ++i)
                         picStep[i].SetVisible(false);
                 },
                 [&] {
                     const std::pair<const Control*, const wchar_t*> cues[] = {
                         {&txtName, L"Type in the name of the screensaver here"},
                         {&txtAbout, L"Type in the about text here"},
                         {&txtURL, L"Type in the URL here"},
                         {&txtLogo, L"Using built-in logo"}};
                     for (const auto& [box, cue] : cues)
                         SendMessageW(box->hWnd(), EM_SETCUEBANNER, 0,
                                      reinterpret_cast<LPARAM>(cue));
                 },
                 [&] {
                     // The pages share picMain's background (by inheritance here);
                     // the buttons stand on the strip's.
                     const COLORREF strip = shaButtons.BackColor;
                     for (Control* button : {&cmdBack, &cmdCancel, &cmdHelp, &cmdNext})
                         button->BackColor = strip;
                 },
                 [&] {
                     InstallerOptions& options = CurrentInstallerOptions();
                     options.StartMenu = options.Uninstall = options.Active = true;
                 },
                 [&] { ApplySystemFont(*this); },
                 [&] {
                     EnableAutoComplete(txtSaveAs);
                     EnableAutoComplete(txtLogo);
                 },
                 [&] { RemoveMenu(GetSystemMenu(hWnd(), FALSE), SC_SIZE, MF_BYCOMMAND); },
                 [&] {
                     Control& tip = txtScaleTip;
                     const Control& scale = cmdScale;
                     tip.SetVisible(false);
                     tip.Move(scale.Left() + scale.Width() / 3, scale.Top(), scale.Width() / 3,
                              scale.Height());
                 },
                 [&] {
                     for (const Control* box : {&txtName, &txtAbout, &txtURL})
                         SendMessageW(box->hWnd(), EM_LIMITTEXT, NameChars, 0);
                 },
                 [&] { FillMRU(); },
                 [&] {
                     lstModes.Init();
                     lstActive.Init();
                 },
                 [&] {
                     const HWND size = cmbSize.hWnd();
                     SendMessageW(size, CB_RESETCONTENT, 0, 0);
                     const std::pair<const wchar_t*, int> sizes[] = {
                         {L"Normal", 1}, {L"Fullscreen", 2}, {L"Stretch to screen", 3}};
                     LRESULT last = -1;
                     for (const auto& [text, data] : sizes) {
                         last = SendMessageW(size, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
                         SendMessageW(size, CB_SETITEMDATA, static_cast<WPARAM>(last), data);
                     }
                     SendMessageW(size, CB_SETCURSEL, static_cast<WPARAM>(last), 0);
                 },
                 [&] {
                     sc.SubClass(hWnd());
                     sc.SubClass(cmdHelp.hWnd());
                     scMain.SubClass(picMain.hWnd());
                     scLogo.SubClass(txtLogo.hWnd());
                     scOpen.SubClass(picOpen.hWnd());
                     SubClassTransparency();
                     picPreviewDrawing.ShowOn(picPreview.hWnd());
                     picIconDrawing.ShowOn(picIcon.hWnd());
                     DragAcceptFiles(hWnd(), TRUE); // a dropped file names the logo
                 },
                 [&] {
                     IconFile.clear();
                     IconIndex = 0;
                     UpdateIcon();
                 },
                 [&] { NextStep(0); },
                 [&] {
                     if (!Glass)
                         return;
                     RECT r{};
                     GetWindowRect(hWnd(), &r);
                     SetWindowPos(hWnd(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top - 10,
                                  SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
                 },
                 [&] { cmbMRU_Change(); },
                 [&] {
                     const RECT page = picStep[PageWelcome].PixelRect();
                     RECT main{};
                     GetClientRect(picMain.hWnd(), &main);
                     shaButtons.Move(0, PixelsToTwipsY(page.bottom + 2), PixelsToTwipsX(main.right),
                                     PixelsToTwipsY(main.bottom));
                 },
                 [&] {
                     // Under glass the logo is drawn on the About picture instead.
                     if (!Glass)
                         ShowStoredPicture(picAboutDrawing, picAbout, L"ABOUT", 32, 32, true);
                 },
                 [&] { ShowStoredPicture(picSideDrawing, picSideImg, L"SIDE", 150, 160, false); }});
}

void frmWizard::ShowStoredPicture(Surface& drawing, const Control& box, const wchar_t* bitmap,
                                  int width, int height, bool centred) {
    RECT client{};
    GetClientRect(box.hWnd(), &client);
    if (!drawing.Resize(client.right, client.bottom))
        return; // nothing to draw on
    drawing.Fill(BackColorOf(&box));
    const int x = centred ? (client.right - width) / 2 : 0;
    const int y = centred ? (client.bottom - height) / 2 : client.bottom - height;
    DrawAlphaBitmap(drawing.Dc(), bitmap, x, y, width, height, 255);
    drawing.ShowOn(box.hWnd());
    drawing.Refresh();
}

void frmWizard::FillMRU() {
    const HWND mru = cmbMRU.hWnd();
    SendMessageW(mru, CB_RESETCONTENT, 0, 0);
    SetWindowTextW(mru, L"");
    for (int32_t i = 0; i < CreatorSettings.MRUCount; ++i) {
        const LRESULT item = SendMessageW(
            mru, CB_ADDSTRING, 0,
            reinterpret_cast<LPARAM>(CreatorSettings.MRUName[static_cast<size_t>(i)].c_str()));
        SendMessageW(mru, CB_SETITEMDATA, static_cast<WPARAM>(item), i);
    }
}

void frmWizard::Form_QueryUnload(bool& Cancel, int /*UnloadMode*/) {
    // A close asked for while a move or a logo load runs (a message it
    // pumped) would destroy the window and delete the logo under it.
    if (Stepping || ImageBusy)
        Cancel = true;
}

void frmWizard::Form_Unload(bool& /*Cancel*/) {
    // The steps below pump messages after the logo is gone: nothing queued
    // (a click on Create behind Close) may run on it.
    Closing = true;
    const InputHold hold(hWnd());
    Procedure first(L"frmWizard.Form_Unload");
    if (!first([] { DoSettings(true); }))
        return;
    RunAllSteps(L"frmWizard.Form_Unload",
                {[&] { DynamicWnd.reset(); }, // while its handle is still its own
                 [&] {
                     for (const std::wstring* name : {&TempBMP, &ExtractedBMP, &DynRemoteTemp})
                         if (!name->empty())
                             DeleteFileW(name->c_str());
                 },
                 [&] { LogoDib.reset(); }, [] { DoSettings(true); }, [] { CloseHelpViewers(); },
                 [&] {
                     if (frmScale& scale = ScaleDialog(); scale.Caller == this)
                         scale.Unload();
                 },
                 [] { ImagePopup().Unload(); }, [] { DoEvents(); },
                 [&] {
                     ShowWindow(hWnd(), SW_HIDE);
                     DoEvents();
                 }});
}

void frmWizard::Form_Resize() {
    // The two header lines are drawn with the separator (PaintSeparator).
    RunSteps(L"frmWizard.Form_Resize", {[&] { picMain.Refresh(); }});
}

void frmWizard::PaintSeparator(HDC dc) {
    const Control& page = picStep[PageWelcome];
    RECT main{};
    GetClientRect(picMain.hWnd(), &main);
    const RECT r = page.PixelRect();
    const int y0 = r.bottom;
    const auto line = [&](int y, int colour) {
        RECT band{0, y, main.right, y + 1};
        FillRect(dc, &band, GetSysColorBrush(colour));
    };
    if (Glass) { // one black line under the glass
        RECT band{0, 0, main.right, 1};
        FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    } else {
        line(0, COLOR_3DSHADOW); // the etched line under the header
        line(1, COLOR_3DHIGHLIGHT);
    }
    line(y0, COLOR_3DSHADOW);
    line(y0 + 1, COLOR_3DHIGHLIGHT);
}

void frmWizard::lblTitle_Change() {
    const Control& nav = *Nav.Extender();
    Control& title = lblTitle;
    title.Move(nav.Left() + nav.Width() + PixelsToTwipsX(10),
               nav.Top() + (nav.Height() - title.Height()) / 2, title.Width(), title.Height());
    DrawGlassTitle();
}

void frmWizard::picStep_GotFocus(int index) {
    RunSteps(L"frmWizard.picStep_GotFocus", {[&] {
                 Control& page = picStep[index];
                 Control* best = nullptr;
                 int bestGap = 9999;
                 for (const auto& c : Controls()) {
                     switch (c->Kind) {
                     case ControlKind::PictureBox:
                     case ControlKind::TextBox:
                     case ControlKind::CommandButton:
                     case ControlKind::ComboBox:
                     case ControlKind::CheckBox:
                     case ControlKind::OptionButton:
                     case ControlKind::ListBox:
                         break;
                     default:
                         continue;
                     }
                     if (c->Container != &page)
                         continue;
                     const int gap = c->TabIndex - page.TabIndex;
                     if (gap > 0 && gap < bestGap) {
                         best = c.get();
                         bestGap = gap;
                     }
                 }
                 if (best && best->Visible() && best->Enabled())
                     best->SetFocus();
             }});
}

void frmWizard::UpdateIcon() {
    const Control& box = picIcon;
    RECT client{};
    GetClientRect(box.hWnd(), &client);
    if (picIconDrawing.Width() != client.right || picIconDrawing.Height() != client.bottom)
        picIconDrawing.Resize(client.right, client.bottom);
    picIconDrawing.Fill(BackColorOf(&box));
    // ExtractIconW answers 1 for a file that is no program, library or icon
    // file: that is no icon, and nothing to draw or destroy.
    if (const UINT_PTR handle = GetFileIcon(IconFile, IconIndex); handle > 1) {
        const UniqueIcon icon(reinterpret_cast<HICON>(handle));
        DrawIcon(picIconDrawing.Dc(), 0, 0, icon.get());
    }
    picIconDrawing.Refresh();
}

void frmWizard::cmdIcon_Click() {
    RunSteps(L"frmWizard.cmdIcon_Click", {[&] {
                                              frmChangeIcon dialog(*this, IconFile, IconIndex);
                                              dialog.Show(true, this);
                                          },
                                          [&] { UpdateIcon(); }});
}

void frmWizard::picIcon_DblClick() {
    cmdIcon_Click();
}

void frmWizard::cmdNext_Click() {
    RunSteps(L"frmWizard.cmdNext_Click", {[&] { NextStep(1); }});
}

void frmWizard::cmdBack_Click() {
    RunSteps(L"frmWizard.cmdBack_Click", {[&] {
                 if (cmdBack.Enabled())
                     NextStep(-1);
             }});
}

void frmWizard::Nav_Click(int index) {
    if (index == 0)
        cmdBack_Click();
    else
        cmdNext_Click();
}

void frmWizard::cmdCancel_Click() {
    RunSteps(L"frmWizard.cmdCancel_Click", {[&] {
                 const Control* active = ActiveControl();
                 if (active && active == &txtTip_)
                     HideHelpTip();
                 else
                     Unload();
             }});
}

void frmWizard::cmdExit_Click() {
    RunSteps(L"frmWizard.cmdExit_Click", {[&] { Unload(); }});
}

void frmWizard::cmdAgain_Click() {
    RunSteps(L"frmWizard.cmdAgain_Click", {[&] { NextStep(-StepCnt); }});
}

void frmWizard::chkInstaller_Click() {
    cmdInstaller.SetEnabled(chkInstaller.Value() == 1);
}

void frmWizard::sc_GotMessage(HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam,
                              bool& Proceed, LRESULT& ReturnValue) {
    RunSteps(L"frmWizard.sc_GotMessage", {[&] {
                 if (hWnd != this->hWnd()) {
                     if (message == WM_PAINT && hWnd == cmdHelp.hWnd())
                         PaintHelpArrow(hWnd, message, wParam, lParam, Proceed, ReturnValue);
                     return;
                 }
                 if (glassWindow.HandleMessage(hWnd, message, ReturnValue)) {
                     Proceed = false;
                     return;
                 }
                 if (!WizardHelpMessage(*this, hWnd, message, wParam, lParam, Proceed, ReturnValue))
                     ChromeMessage(hWnd, message, wParam, lParam, Proceed, ReturnValue);
             }});
}

frmWizard& Wizard() {
    static frmWizard form;
    return form;
}
