// The wizard window in this process: the page checks' balloons, the cue
// banners and lists set up on load, the recent list with its reopen
// messages and warning sign, the colour key a reopened saver brings, the
// glass frame, dropped files, the About box, and the help: the Help menu's
// topics, the help mode's balloons and the Help button's arrow.
#include "core/CreatorMath.h"
#include "core/SaverTail.h"
#include "resources/SettingsIds.h"
#include "common/Handles.h"
#include "tests/support/CreatorDriver.h"
#include "tests/support/SaverFiles.h"
#include "tests/wizard/WizardFiles.h"
#include "tests/wizard/WizardFixture.h"
#include "wizard/controls/LinkControl.h"
#include "wizard/frame/Composition.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/HelpViewer.h"
#include "wizard/frame/MessagePump.h"
#include "wizard/frame/PopupMenu.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/SaverLibrary.h"
#include "wizard/frame/Settings.h"
#include "wizard/frame/Tip.h"
#include "wizard/frame/WebSite.h"
#include "wizard/pages/frmAbout.h"
#include "wizard/pages/frmWizard.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

class WizardPages : public WizardFixture {
  protected:
    // The recent list's notification, as a pick in the list sends it.
    void Pick(int item) {
        const HWND mru = (*wizard)(L"cmbMRU").hWnd();
        SendMessageW(mru, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        SendMessageW(GetParent(mru), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(mru), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(mru));
        PumpFor(100);
    }
    // The warning sign left of the reopen message shows (its amber inside).
    bool WarningShown() {
        const HWND open = (*wizard)(L"picOpen").hWnd();
        const RECT label = (*wizard)(L"lblOpenError").PixelRect();
        RedrawWindow(open, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        const WindowDC dc(open);
        const COLORREF c = GetPixel(dc.get(), label.left - 20 + 5, label.top + 11);
        return GetRValue(c) > 200 && GetGValue(c) > 150 && GetBValue(c) < 80;
    }
};

void ExpectBalloon(const std::wstring& title, const std::wstring& text, int icon, HWND edit) {
    const HelpBalloonRecord& b = LastHelpBalloon();
    EXPECT_EQ(b.Title, title);
    EXPECT_EQ(b.Text, text);
    EXPECT_EQ(b.Icon, icon);
    EXPECT_EQ(b.Edit, edit);
}

// A left click at (x, y) of a window's client area, as the mouse gives it.
void ClickAt(HWND w, int x, int y) {
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpFor(100);
}

// Next up to page 4, then Create with `target`; the saver's record and logo.
ReadResult CreateAt(frmWizard& w, const std::string& target, SaverTrailer& record,
                    std::vector<uint8_t>& logo) {
    while (w.CurrentStep < PageSave)
        w.NextStep(1);
    w(L"txtSaveAs").SetText(Wide(target));
    w.NextStep(1);
    if (w.CurrentStep != PageDone)
        return ReadCannotOpen; // not created
    const std::vector<uint8_t> bytes = ReadFileBytes(target);
    ByteTailSource source(bytes.data(), bytes.size());
    return ReadSaverTail(source, record, logo, 1);
}

// Addresses and files the creator's links open, instead of the shell.
std::vector<std::wstring> Opened;
void RecordOpen(HWND, const std::wstring& target) {
    Opened.push_back(target);
}
struct OpenerStandIn {
    OpenerStandIn() {
        Opened.clear();
        OpenCreatorLink = RecordOpen;
    }
    ~OpenerStandIn() { OpenCreatorLink = saved; }
    OpenerStandIn(const OpenerStandIn&) = delete;
    OpenerStandIn& operator=(const OpenerStandIn&) = delete;
    void (*saved)(HWND, const std::wstring&) = OpenCreatorLink;
};

// A link is as wide as its caption in its font, and a click on it opens
// `target`.
void ExpectSiteLink(Control& row, const std::wstring& target) {
    auto& link = row.As<LinkControl>();
    EXPECT_EQ(link.Caption(), ProductSite);
    const WindowDC dc(row.hWnd());
    const SharedFont font = FontFor(link.Font());
    const SelectGuard selected(dc.get(), font.get());
    SIZE text{};
    GetTextExtentPoint32W(dc.get(), ProductSite, static_cast<int>(wcslen(ProductSite)), &text);
    const RECT r = row.PixelRect();
    EXPECT_GT(text.cx, 60);
    EXPECT_NEAR(r.right - r.left, text.cx, 1);
    Opened.clear();
    ClickAt(row.hWnd(), text.cx / 2, (r.bottom - r.top) / 2);
    EXPECT_EQ(Opened, std::vector<std::wstring>{target});
}

// The pixel at (x, y) of a window's client area as the screen shows it.
COLORREF ScreenPixel(HWND w, int x, int y) {
    const WindowDC dc(w);
    return GetPixel(dc.get(), x, y) & 0xFFFFFF;
}

// Pixels (every other one each way) not of the background.
int Drawn(HWND box, COLORREF back) {
    RECT r{};
    GetClientRect(box, &r);
    int count = 0;
    for (int y = 0; y < r.bottom; y += 2)
        for (int x = 0; x < r.right; x += 2)
            count += ScreenPixel(box, x, y) != back;
    return count;
}

// The About picture: visible, drawn, the hand over it and a click shows the
// About box modal.
struct AboutRequest {
    static inline int Modal = 0, Modeless = 0;
    static void Record(Form&, bool modal) { ++(modal ? Modal : Modeless); }
};
void ExpectAboutPicture(frmWizard& w) {
    Control& about = w(L"picAbout");
    const HWND box = about.hWnd();
    EXPECT_TRUE(IsWindowVisible(box));
    EXPECT_GT(Drawn(box, w.BackColorOf(&about)), 60);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    SendMessageW(box, WM_SETCURSOR, reinterpret_cast<WPARAM>(box),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    auto* const saved = AboutOpener;
    AboutOpener = AboutRequest::Record;
    AboutRequest::Modal = AboutRequest::Modeless = 0;
    ClickAt(box, 5, 5);
    AboutOpener = saved;
    EXPECT_EQ(AboutRequest::Modal, 1);
    EXPECT_EQ(AboutRequest::Modeless, 0);
}

// The bottom strip from the separator down, in its own colour; the
// buttons stand on it.
void ExpectButtonStrip(frmWizard& w) {
    const RECT page = w(L"picStep", PageWelcome).PixelRect();
    RECT main{};
    GetClientRect(w(L"picMain").hWnd(), &main);
    const RECT strip = w(L"shaButtons").PixelRect();
    EXPECT_EQ(strip.left, 0);
    EXPECT_EQ(strip.top, page.bottom + 2);
    EXPECT_EQ(strip.right, main.right);
    EXPECT_GE(strip.bottom, main.bottom);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(ScreenPixel(w(L"picMain").hWnd(), 3, strip.top + 2), face);
    for (const wchar_t* name : {L"cmdBack", L"cmdCancel", L"cmdHelp", L"cmdNext"})
        EXPECT_EQ(w.BackColorOf(&w(name)), face) << name;
}

std::wstring CueOf(HWND edit) {
    wchar_t cue[128] = {};
    SendMessageW(edit, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 128);
    return cue;
}

} // namespace

TEST_F(WizardPages, LoadSetsUpCuesListsAndTheFirstPage) {
    frmWizard& w = Open();
    EXPECT_EQ(w.StepCnt, 6);
    EXPECT_EQ(w.CurrentStep, PageWelcome);
    EXPECT_EQ(w.Caption(), L"Quorvel Screensaver Creator 4.5.15");
    EXPECT_EQ(CueOf(w(L"txtName").hWnd()), L"Type in the name of the screensaver here");
    EXPECT_EQ(CueOf(w(L"txtAbout").hWnd()), L"Type in the about text here");
    EXPECT_EQ(CueOf(w(L"txtURL").hWnd()), L"Type in the URL here");
    EXPECT_EQ(CueOf(w(L"txtLogo").hWnd()), L"Using built-in logo");
    EXPECT_EQ(SendMessageW(w(L"cmbMRU").hWnd(), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(w(L"cmbMRU").Text(), L"");
    const HWND size = w(L"cmbSize").hWnd();
    const LRESULT chosen = SendMessageW(size, CB_GETCURSEL, 0, 0);
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(SendMessageW(size, CB_GETITEMDATA, static_cast<WPARAM>(chosen), 0), 3);
    EXPECT_FALSE(w(L"cmdBack").Enabled());
    EXPECT_FALSE(w.Nav.Enabled(0));
    EXPECT_EQ(SendMessageW(w(L"txtName").hWnd(), EM_GETLIMITTEXT, 0, 0), 49);
    EXPECT_EQ(GetMenuState(GetSystemMenu(w.hWnd(), FALSE), SC_SIZE, MF_BYCOMMAND),
              static_cast<UINT>(-1));

    // A balloon taken from the recent list's edit gives it the focus back.
    SetForegroundWindow(w.hWnd());
    w(L"cmbMRU").SetFocus();
    const HWND typing = GetFocus();
    ASSERT_TRUE(IsChild(w(L"cmbMRU").hWnd(), typing));
    ShowHelpTip(w(L"txtTip").hWnd(), L"Title", L"Text", 1);
    ASSERT_EQ(GetFocus(), w(L"txtTip").hWnd());
    HideHelpTip();
    EXPECT_EQ(GetFocus(), typing);
}

TEST_F(WizardPages, WelcomePageLinkSidePictureAboutPictureAndButtonStrip) {
    const OpenerStandIn opener;
    frmWizard& w = Open();
    ASSERT_FALSE(w.Glass);
    // The site link at the page's bottom-right corner opens the site.
    Control& site = w(L"lnkSite");
    RECT page{};
    GetClientRect(w(L"picStep", PageWelcome).hWnd(), &page);
    ExpectSiteLink(site, ProductSite);
    EXPECT_NEAR(site.PixelRect().right, page.right - 5, 1);
    EXPECT_NEAR(site.PixelRect().bottom, page.bottom - 5, 1);

    // The side picture at the panel's bottom-left: the monitor's dark screen.
    const RECT img = w(L"picSideImg").PixelRect();
    RECT side{};
    GetClientRect(w(L"picSide").hWnd(), &side);
    EXPECT_EQ(img.left, 0);
    EXPECT_EQ(img.bottom, side.bottom);
    const COLORREF screen = ScreenPixel(w(L"picSideImg").hWnd(), 20, img.bottom - img.top - 80);
    EXPECT_LT(GetRValue(screen) + GetGValue(screen) + GetBValue(screen), 150);

    ExpectAboutPicture(w);
    ExpectButtonStrip(w);
}

namespace {

// A name the logo text gets at the first message pumped (while a load runs).
Control* lateBox = nullptr;
std::wstring lateName;
bool NameLate(const MSG&) {
    PumpFilter = nullptr;
    lateBox->SetText(lateName);
    return false;
}

} // namespace

TEST_F(WizardPages, EachCheckShowsItsBalloonAndKeepsThePage) {
    TempFolder dir;
    const std::string broken = dir.Path("broken.png");
    WriteFileBytes(broken, {0x89, 'P', 'N', 'G', 1, 2, 3});
    frmWizard& w = Open();
    w.NextStep(1);
    ASSERT_EQ(w.CurrentStep, PageLogo);
    EXPECT_EQ(w(L"txtName").Text(), L"My Saver"); // no saver chosen: the default name
    EXPECT_TRUE(w.ImageLoaded);                   // the built-in logo
    EXPECT_TRUE(w.PicHasTrans);
    EXPECT_EQ(w.LogoWidth, 200);

    const HWND logo = w(L"txtLogo").hWnd();
    for (const std::string& missing : {dir.Path(""), dir.Path("none.png")}) { // a folder first
        w(L"txtLogo").SetText(Wide(missing));
        EXPECT_FALSE(w.ImageLoaded);
        w.NextStep(1);
        EXPECT_EQ(w.CurrentStep, PageLogo);
        ExpectBalloon(L"There was a problem reading the file", L"This file cannot be found.", 3,
                      logo);
    }
    w(L"txtLogo").SetText(Wide(broken));
    w.NextStep(1);
    EXPECT_EQ(w.CurrentStep, PageLogo);
    ExpectBalloon(L"There was a problem reading the file",
                  L"This file was not recognised, or is not supported.", 3, logo);

    // A name given while a load runs (dropped, or set by another program)
    // is judged when the load ends: the logo loaded does not pass for it.
    lateBox = &w(L"txtLogo");
    lateName = Wide(dir.Path("none.png"));
    PumpFilter = NameLate;
    const std::string picture = dir.Path("logo.bmp");
    WriteFileBytes(picture, MakeBitmap32(8, 8, [](int, int) { return 0xFF2040C0u; }));
    PostMessageW(w.hWnd(), WM_NULL, 0, 0);
    w(L"txtLogo").SetText(Wide(picture));
    ASSERT_EQ(PumpFilter, nullptr);
    w.NextStep(1);
    EXPECT_EQ(w.CurrentStep, PageLogo);
    ExpectBalloon(L"There was a problem reading the file", L"This file cannot be found.", 3, logo);

    w(L"txtLogo").SetText(L"");
    EXPECT_TRUE(w.ImageLoaded);
    w.NextStep(1);
    w.NextStep(1);
    ASSERT_EQ(w.CurrentStep, PageName);
    w(L"txtName").SetText(L"   ");
    w.NextStep(1);
    EXPECT_EQ(w.CurrentStep, PageName);
    ExpectBalloon(L"There's a problem...", L"You need to give your Screensaver a name", 2,
                  w(L"txtName").hWnd());
    Pause();
    w.NextStep(-1); // going back needs no name
    EXPECT_EQ(w.CurrentStep, PageAnimations);
    EXPECT_TRUE(w.Nav.Enabled(1)); // page 3 was reached
}

TEST_F(WizardPages, RecentListReopenMessagesAndTheNumberedName) {
    TempFolder dir;
    const std::string saver =
        MakeSaverFile(dir, "good.scr", DefaultTrailer(),
                      MakeBitmap32(8, 8, [](int, int) { return 0xFF2040C0u; }));
    const std::string notSaver = dir.Path("plain.scr");
    WriteFileBytes(notSaver, std::vector<uint8_t>(4000, 7));
    CreatorSettings.MRUCount = 3;
    CreatorSettings.MRUName[0] = L"My Saver";
    CreatorSettings.MRUName[1] = L"My Saver (2)";
    CreatorSettings.MRUName[2] = L"Good";
    CreatorSettings.MRUFile[0] = Wide(dir.Path("gone.scr"));
    CreatorSettings.MRUFile[1] = Wide(notSaver);
    CreatorSettings.MRUFile[2] = Wide(saver);
    frmWizard& w = Open();
    const HWND mru = w(L"cmbMRU").hWnd();
    ASSERT_EQ(SendMessageW(mru, CB_GETCOUNT, 0, 0), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(SendMessageW(mru, CB_GETITEMDATA, static_cast<WPARAM>(i), 0), i);

    Pick(0);
    EXPECT_EQ(w(L"lblOpenError").Caption(), L"This screensaver no longer exists");
    EXPECT_TRUE(WarningShown());
    Pause();
    Pick(1);
    EXPECT_EQ(w(L"lblOpenError").Caption(), L"This is not a valid screensaver");
    Pick(2);
    EXPECT_EQ(w(L"lblOpenError").Caption(), L"");
    EXPECT_EQ(w.ChosenSaver, Wide(saver));
    EXPECT_FALSE(WarningShown());

    // A typed path that is no file: no message, nothing chosen; leaving
    // the page then names the saver after the taken names.
    SendMessageW(mru, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextW(mru, Wide(dir.Path("typed.scr")).c_str());
    SendMessageW(GetParent(mru), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(mru), CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(mru));
    EXPECT_EQ(w(L"lblOpenError").Caption(), L"");
    EXPECT_TRUE(w.ChosenSaver.empty());
    w.NextStep(1);
    EXPECT_EQ(w(L"txtName").Text(), L"My Saver (3)");
}

// A reopened saver's key (black too, its corners' colour aside), "Prevent
// changes" and its own icon come back.
TEST_F(WizardPages, ReopenedKeyWhiteOrBlackTicksTheBoxWithItsChoices) {
    TempFolder dir;
    frmWizard& w = Open();
    for (const int32_t key : {0xFFFFFF, 0}) {
        SaverTrailer record = DefaultTrailer();
        record.TransparentColor = key;
        record.Settings.AllowConfig = key ? 0 : -1;
        w.IconIndex = 2;                        // another saver's icon chosen before
        const uint32_t red = key ? 0x20 : 0xC0; // each saver's own logo
        const std::string saver =
            MakeSaverFile(dir, "key" + std::to_string(key) + ".scr", record,
                          MakeBitmap32(8, 8, [red](int, int) { return 0xFF004000u | red << 16; }));
        w.LoadSaver(Wide(saver));
        EXPECT_EQ(w(L"chkTrans").Value(), 1) << key;
        EXPECT_EQ(w.TransparentColor, key);
        EXPECT_EQ(w(L"chkDisableConfig").Value(), key ? 1 : 0);
        EXPECT_EQ(w.IconFile, Wide(saver));
        EXPECT_EQ(w.IconIndex, 0);
        EXPECT_EQ(w(L"txtLogo").Text(), w.ExtractedBMP);
        // The second reopen reads its own logo, though the extracted name is the same.
        ASSERT_TRUE(w.LogoDib.has_value());
        EXPECT_EQ(w.LogoDib->Pixels[2], red);
    }

    // An alpha logo is composed over its saver's yellow, and over the
    // defaults' black when a new saver follows: its clear corner shows it.
    SaverTrailer record = DefaultTrailer();
    record.BackgroundColor = RGB(255, 255, 0);
    record.PicHasTrans = -1;
    w.ChosenSaver = Wide(
        MakeSaverFile(dir, "alpha.scr", record,
                      MakeBitmap32(8, 8, [](int x, int y) { return x + y ? 0xFF0000C0u : 0u; })));
    for (const COLORREF shown : {RGB(255, 255, 0), RGB(0, 0, 0)}) {
        w.NextStep(1);
        ASSERT_EQ(w.CurrentStep, PageLogo);
        EXPECT_EQ(w.picPreviewDrawing.Pixel(w.LogoLeft, w.LogoTop), shown);
        w.NextStep(-1);
        w.ChosenSaver.clear();
    }
}

namespace {

// Answers the first message box of this process from another thread and
// keeps its text.
class BoxAnswerer {
  public:
    BoxAnswerer() : thread_(CreateThread(nullptr, 0, Run, this, 0, nullptr)) {}
    ~BoxAnswerer() {
        WaitForSingleObject(thread_, 20000);
        CloseHandle(thread_);
    }
    std::string Text;

  private:
    static DWORD WINAPI Run(void* self) {
        auto* me = static_cast<BoxAnswerer*>(self);
        for (int i = 0; i < 300; ++i) {
            HWND box = WaitForWindow(GetCurrentProcessId(), "#32770", nullptr, 100);
            if (box) {
                me->Text = MessageBoxText(box);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return 0;
            }
        }
        return 0;
    }
    HANDLE thread_;
};

} // namespace

TEST_F(WizardPages, LargeLogoNoteAndAFolderAsTargetKeepsThePageAndTheList) {
    TempFolder dir;
    const std::string wide = dir.Path("wide.bmp");
    WriteFileBytes(wide, MakeBitmap32(1921, 10, [](int x, int) { return 0xFF000000u | x; }));
    frmWizard& w = Open();
    w.NextStep(1);
    w(L"txtLogo").SetText(Wide(wide));
    ASSERT_TRUE(w.ImageLoaded);
    EXPECT_EQ(LastHelpBalloon().Title, L"Large image"); // wider than Xvfb's 1920
    EXPECT_EQ(LastHelpBalloon().Icon, 1);
    EXPECT_EQ(w.LogoWidth, w.picPreviewDrawing.Width()); // fitted to the preview, full width

    w(L"txtLogo").SetText(L"");
    w.NextStep(1);
    w.NextStep(1);
    w.NextStep(1);
    ASSERT_EQ(w.CurrentStep, PageSave);
    EXPECT_EQ(w(L"cmdNext").Caption(), L"Create");
    w(L"txtSaveAs").SetText(Wide(dir.Path("")));
    {
        BoxAnswerer answer;
        w.NextStep(1); // the box is answered meanwhile
        EXPECT_EQ(answer.Text.rfind("The following error occured while trying to save your "
                                    "screensaver:\r\n\r\n",
                                    0),
                  0u)
            << answer.Text;
    }
    EXPECT_EQ(w.CurrentStep, PageSave);
    EXPECT_EQ(w(L"cmdNext").Caption(), L"Create");
    EXPECT_EQ(CreatorSettings.MRUCount, 0);

    w(L"txtSaveAs").SetText(Wide(dir.Path("made.scr")));
    w.NextStep(1);
    EXPECT_EQ(w.CurrentStep, PageDone);
    EXPECT_EQ(CreatorSettings.MRUCount, 1);
    EXPECT_EQ(SendMessageW(w(L"cmbMRU").hWnd(), CB_GETCOUNT, 0, 0), 1); // refilled
    EXPECT_FALSE(w(L"cmdNext").Enabled());
}

TEST_F(WizardPages, AlphaPictureReachesTheSaverPremultipliedWhole) {
    TempFolder dir;
    const std::wstring picture = ResourceFile(dir, L"PIC_LARGE_PNG", "large.png");
    const ImageLoad expected = LoadPictureFile(picture, AlphaForm::Premultiplied);
    ASSERT_EQ(expected.Status, ImageStatus::Ok);
    frmWizard& w = Open();
    w.NextStep(1);
    w(L"txtLogo").SetText(picture);
    ASSERT_TRUE(w.ImageLoaded);
    EXPECT_TRUE(w.PicHasTrans);
    SaverTrailer record{};
    std::vector<uint8_t> logo;
    ASSERT_EQ(CreateAt(w, dir.Path("large.scr"), record, logo), ReadOk);
    EXPECT_EQ(record.PicHasTrans, -1);
    ASSERT_EQ(logo.size(), 54u + 1920u * 1080 * 4);
    // Bottom-up rows of the premultiplied picture, byte for byte.
    int bad = 0;
    for (int y = 0; y < 1080 && bad < 5; ++y)
        bad += std::memcmp(&logo[54 + static_cast<std::size_t>(1079 - y) * 1920 * 4],
                           &expected.Image.Pixels[static_cast<std::size_t>(y) * 1920 * 4],
                           1920 * 4) != 0;
    EXPECT_EQ(bad, 0);
}

TEST_F(WizardPages, DrawnControlsDriveThePageMachine) {
    TempFolder dir;
    frmWizard& w = Open();
    // The page hands the focus on once per page change.
    int handedOn = 0;
    for (int i = 0; i < w.StepCnt; ++i) {
        Control& page = w(L"picStep", i);
        page.GotFocus = [&handedOn, inner = page.GotFocus] {
            ++handedOn;
            inner();
        };
    }
    const std::pair<const wchar_t*, const wchar_t*> kinds[] = {
        {L"Nav", L"QuorvelIENavButton"},
        {L"cmdBrowseSaver", L"QuorvelCommandLink"},
        {L"cmdUpdate", L"QuorvelCommandLink"},
        {L"cmdBrowse", L"QuorvelCommandLink"},
        {L"cmdTest", L"QuorvelCommandLink"},
        {L"cmdAgain", L"QuorvelCommandLink"},
        {L"cmdTestInstaller", L"QuorvelCommandLink"},
        {L"cmdExit", L"QuorvelCommandLink"},
        {L"lstModes", L"QuorvelAPIListBox"},
        {L"lstActive", L"QuorvelAPIListBox"},
        {L"clrBackground", L"QuorvelColorDrop"},
        {L"lnkSite", L"QuorvelLinkControl"}};
    for (const auto& [name, kind] : kinds)
        EXPECT_EQ(ClassOf(w(name).hWnd()), kind) << name;
    EXPECT_EQ(w.cmdBrowseSaver.PictureName(), L"OPEN");
    EXPECT_EQ(w.cmdUpdate.PictureName(), L"GO");
    EXPECT_FALSE(w.cmdExit.PictureMode());
    EXPECT_EQ(w.cmdAgain.Title().rfind(L"Create another Screensaver", 0), 0u);
    EXPECT_NE(w.lstModes.ListWnd, nullptr);
    ASSERT_GT(w.Nav.ImgSize, 0);

    // The colour chosen in the field's pop-up is the saver's background.
    w.NextStep(1);
    w.clrBackground.SetDown(true);
    const PaletteEntry& cell = w.clrBackground.Popup().Entries()[15];
    ASSERT_NE(cell.Colour, 0u);
    ClickAt(w.clrBackground.Popup().hWnd(), cell.X + 5, cell.Y + 5);
    EXPECT_EQ(w.clrBackground.Color(), cell.Colour);
    EXPECT_EQ(static_cast<uint32_t>(w.picPreviewDrawing.Pixel(0, 0)), cell.Colour); // recoloured
    handedOn = 0;
    w.NextStep(1);
    ASSERT_EQ(w.CurrentStep, PageAnimations);
    EXPECT_EQ(handedOn, 1);
    // Drawn controls (the lists) are passed over: the Add button, or the page.
    Control& add = w(L"cmdAdd");
    EXPECT_EQ(GetFocus(), add.Usable() ? add.hWnd() : w(L"picStep", PageAnimations).hWnd());
    // The library files every effect in one of the two lists.
    EXPECT_GT(w.lstModes.ListCount() + w.lstActive.ListCount(), 3);

    // The travel buttons: back, then forward again to the furthest page.
    const int half = w.Nav.ImgSize;
    EXPECT_TRUE(w.Nav.Enabled(0));
    EXPECT_FALSE(w.Nav.Enabled(1));
    ClickAt(w.Nav.hWnd(), half / 2, half / 2);
    EXPECT_EQ(w.CurrentStep, PageLogo);
    EXPECT_TRUE(w.Nav.Enabled(1));
    ClickAt(w.Nav.hWnd(), half + half / 2, half / 2);
    EXPECT_EQ(w.CurrentStep, PageAnimations);
    EXPECT_FALSE(w.Nav.Enabled(1));

    SaverTrailer record{};
    std::vector<uint8_t> logo;
    ASSERT_EQ(CreateAt(w, dir.Path("coloured.scr"), record, logo), ReadOk);
    EXPECT_EQ(record.BackgroundColor, cell.Colour);
    Pause();

    // "Create another" goes back to the first page.
    const RECT again = w(L"cmdAgain").PixelRect();
    ClickAt(w(L"cmdAgain").hWnd(), (again.right - again.left) / 2, 10);
    EXPECT_EQ(w.CurrentStep, PageWelcome);
}

namespace {

// Desktop composition as a composing system answers it: on, the margins
// kept, and the close button's corner answered by the platform.
struct GlassStandIn {
    static inline CompositionMargins Margins{};
    static inline int Extended = 0;
    static HRESULT WINAPI Enabled(BOOL* on) {
        *on = TRUE;
        return S_OK;
    }
    static HRESULT WINAPI Extend(HWND, const CompositionMargins* m) {
        Margins = *m;
        ++Extended;
        return S_OK;
    }
    static BOOL WINAPI Default(HWND w, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(w, &p);
        RECT c{};
        GetClientRect(w, &c);
        if (message != WM_NCHITTEST || p.y >= 20 || p.x < c.right - 40)
            return FALSE;
        *result = HTCLOSE;
        return TRUE;
    }
};

LRESULT HitAt(HWND w, int x, int y) {
    POINT p{x, y};
    ClientToScreen(w, &p);
    return SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
}

// A drop of these files, as the shell hands it over.
HDROP DropOf(const std::vector<std::wstring>& names) {
    std::size_t chars = 1;
    for (const auto& n : names)
        chars += n.size() + 1;
    const HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* at = reinterpret_cast<wchar_t*>(drop + 1);
    for (const auto& n : names) {
        std::copy(n.begin(), n.end(), at);
        at += n.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// A left press on the frame at client point (x, y), as the platform sends
// it; whether the window menu opened (it is closed again at once).
bool MenuSeen = false;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu && IsWindowVisible(menu)) {
        MenuSeen = true;
        EndMenu();
    }
}
bool WindowMenuOnPressAt(HWND w, int x, int y) {
    MenuSeen = false;
    POINT p{x, y};
    ClientToScreen(w, &p);
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseMenu);
    SendMessageW(w, WM_NCLBUTTONDOWN, HTBORDER, MAKELPARAM(p.x, p.y));
    PumpFor(300);
    KillTimer(nullptr, timer);
    return MenuSeen;
}

} // namespace

TEST_F(WizardPages, GlassFrameLayoutHitsAndDrawingsThatLastThroughRepaints) {
    const CompositionApi standIn{GlassStandIn::Enabled, GlassStandIn::Extend,
                                 GlassStandIn::Default};
    SetCompositionApi(&standIn);
    const std::unique_ptr<const CompositionApi, void (*)(const CompositionApi*)> restore(
        &standIn, [](const CompositionApi*) { SetCompositionApi(nullptr); });
    frmWizard& w = Open();
    ASSERT_TRUE(w.Glass);
    const int fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME),
              cap = GetSystemMetrics(SM_CYCAPTION);
    const HWND top = w.hWnd();
    RECT outer{}, client{};
    GetWindowRect(top, &outer);
    GetClientRect(top, &client);
    // The frame is the client area's: no non-client part left.
    EXPECT_EQ(client.right, outer.right - outer.left);
    EXPECT_EQ(client.bottom, outer.bottom - outer.top);
    const RECT header = w(L"picHeader").PixelRect();
    EXPECT_EQ(header.left, fy);
    EXPECT_EQ(header.top, cap);
    EXPECT_LE(header.right, client.right - fy);
    EXPECT_EQ(GlassStandIn::Extended, 1);
    EXPECT_EQ(GlassStandIn::Margins.cxLeftWidth, fy);
    EXPECT_EQ(GlassStandIn::Margins.cxRightWidth, fy);
    EXPECT_EQ(GlassStandIn::Margins.cyTopHeight, header.bottom + 1);
    EXPECT_EQ(GlassStandIn::Margins.cyBottomHeight, fx);
    EXPECT_TRUE(w(L"picAbout").Visible());

    // The caption strips drag the window; the platform's buttons come first;
    // the page itself is the controls'.
    EXPECT_EQ(HitAt(top, client.right / 2, cap / 2), HTCAPTION);
    EXPECT_EQ(HitAt(top, fx / 2, client.bottom / 2), HTCAPTION);
    EXPECT_EQ(HitAt(top, client.right - fx / 2 - 1, client.bottom / 2), HTCAPTION);
    EXPECT_EQ(HitAt(top, client.right - 10, 5), HTCLOSE);
    EXPECT_NE(HitAt(top, client.right / 2, client.bottom / 2), HTCAPTION);
    // The small icon's corner opens the window menu; right of it nothing.
    SetForegroundWindow(top);
    EXPECT_TRUE(WindowMenuOnPressAt(top, 19, 19));
    EXPECT_FALSE(WindowMenuOnPressAt(top, 20, 5));

    // The logo drawn on the About picture survives a full repaint.
    const HWND about = w(L"picAbout").hWnd();
    const int before = Drawn(about, 0);
    EXPECT_GT(before, 50);
    InvalidateRect(about, nullptr, TRUE);
    UpdateWindow(about);
    EXPECT_EQ(Drawn(about, 0), before);
    ExpectAboutPicture(w);

    // The travel buttons made before the glass went on stand on black now.
    EXPECT_EQ(ScreenPixel(w.Nav.hWnd(), 0, 0), 0u);
    EXPECT_EQ(ScreenPixel(w.Nav.hWnd(), 2 * w.Nav.ImgSize - 1, 0), 0u);
    // The strip keeps its colour apart from the pages' window colour.
    ExpectButtonStrip(w);
    RECT page{};
    GetClientRect(w(L"picStep", PageWelcome).hWnd(), &page);
    EXPECT_EQ(ScreenPixel(w(L"picStep", PageWelcome).hWnd(), page.right - 3, 3),
              GetSysColor(COLOR_WINDOW));
}

TEST_F(WizardPages, DroppedFilesGiveTheLogoBoxTheFirstName) {
    frmWizard& w = Open();
    EXPECT_FALSE(w.Glass); // no composition in the test prefix
    EXPECT_TRUE(GetWindowLongPtrW(w.hWnd(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    w.NextStep(1);
    SendMessageW(w.hWnd(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(
                     DropOf({L"C:\\logos\\first.png", L"C:\\logos\\second.png", L"D:\\third.gif"})),
                 0);
    EXPECT_EQ(w(L"txtLogo").Text(), L"C:\\logos\\first.png");

    // A picture dropped, or named by another program, while the wizard
    // closes (its closing pumps them) loads nothing: the logo stays released.
    TempFolder dir;
    w.Unload();
    const std::string picture = dir.Path("late.bmp");
    WriteFileBytes(picture, MakeBitmap32(8, 8, [](int, int) { return 0xFF102030u; }));
    for (const bool dropped : {true, false}) {
        SCOPED_TRACE(dropped ? "dropped" : "named");
        frmWizard& late = Open();
        late.NextStep(1);
        lateBox = &late(L"txtLogo");
        lateName = Wide(picture);
        if (dropped) {
            PostMessageW(late.hWnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({lateName})),
                         0);
        } else {
            PumpFilter = NameLate;
            PostMessageW(late.hWnd(), WM_NULL, 0, 0);
        }
        late.Unload();
        EXPECT_EQ(PumpFilter, nullptr);
        EXPECT_FALSE(late.LogoDib.has_value());
    }
}

namespace {

int TopIn(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    POINT p{r.left, r.top};
    ScreenToClient(GetParent(child), &p);
    return p.y;
}

BOOL CALLBACK CountTitled(HWND w, LPARAM lp) {
    wchar_t text[128] = {};
    GetWindowTextW(w, text, 128);
    if (IsWindowVisible(w) && std::wstring(text) == L"About Quorvel Screensaver Creator")
        ++*reinterpret_cast<int*>(lp);
    return TRUE;
}

int AboutBoxesShown() {
    int count = 0;
    EnumWindows(CountTitled, reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace

TEST_F(WizardPages, AboutCreditsStandStillUnderThePointerAndComeBackAtTheBottom) {
    frmWizard& w = Open();
    ShowAbout(w, false);
    ShowAbout(w, false); // a second request brings the same box forward
    PumpFor(300);
    EXPECT_EQ(AboutBoxesShown(), 1);
    frmAbout& box = AboutBox();
    ASSERT_TRUE(box.Visible());
    EXPECT_TRUE(IsWindowEnabled(w.hWnd())); // modeless
    {
        const OpenerStandIn opener;
        ExpectSiteLink(box(L"lnkSite"), std::wstring(ProductSite) + L"/App/about");
    }
    Control& timer = box(L"tmrScroll");
    const HWND credit = box(L"picCredit").hWnd();
    RECT back{};
    GetWindowRect(box(L"picBack").hWnd(), &back);

    SetCursorPos(back.left - 30, back.top - 30);
    for (int i = 0; i < 8; ++i)
        box.tmrScroll_Timer();
    EXPECT_EQ(timer.Interval(), 50);
    int top = TopIn(credit);
    box.tmrScroll_Timer();
    EXPECT_EQ(TopIn(credit), top - 1); // one pixel a tick at full speed

    // Under the pointer the credits slow down and stand still.
    SetCursorPos((back.left + back.right) / 2, (back.top + back.bottom) / 2);
    for (int i = 0; i < 6; ++i)
        box.tmrScroll_Timer();
    top = TopIn(credit);
    for (int i = 0; i < 4; ++i)
        box.tmrScroll_Timer();
    EXPECT_EQ(TopIn(credit), top);
    // Away again: slow at first, full speed five ticks later.
    SetCursorPos(back.left - 30, back.top - 30);
    box.tmrScroll_Timer();
    EXPECT_EQ(timer.Interval(), 175);
    for (int i = 0; i < 5; ++i)
        box.tmrScroll_Timer();
    EXPECT_EQ(timer.Interval(), 50);
    // Once above the viewport the credits come back at its bottom.
    bool wrapped = false;
    for (int i = 0, last = TopIn(credit); i < 5000 && !wrapped; ++i) {
        box.tmrScroll_Timer();
        wrapped = TopIn(credit) > last;
        last = TopIn(credit);
    }
    EXPECT_TRUE(wrapped);
    RECT inner{};
    GetClientRect(box(L"picBack").hWnd(), &inner);
    EXPECT_EQ(TopIn(credit), inner.bottom);

    box.cmdOK_Click();
    EXPECT_FALSE(box.Visible());
}

namespace {

// The help viewer and the Help menu's choice, replaced for a test.
struct HelpStandIns {
    static inline std::wstring Viewed;
    static inline std::vector<std::wstring> Captions;
    static HWND WINAPI Viewer(HWND, const wchar_t* file, UINT, DWORD_PTR) {
        Viewed = file ? file : L"";
        return nullptr;
    }
    static UINT HelpOnThisScreen(HMENU, const PopupMenuShown& shown) {
        Captions = shown.Captions;
        return 2;
    }
};

// Balloons asked of the wizard's balloon carrier.
int BalloonsShown = 0;
LRESULT CALLBACK CountBalloons(HWND w, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    if (message == EM_SHOWBALLOONTIP && *reinterpret_cast<const EDITBALLOONTIP*>(lParam)->pszText)
        ++BalloonsShown;
    return DefSubclassProc(w, message, wParam, lParam);
}

INT_PTR CALLBACK PlainPage(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The pointer moved to a screen point, as the help mode's capture sees it.
void PointAt(int x, int y) {
    SetCursorPos(x, y);
    PumpFor(60);
}

// A platform with visual styles, whose theme drawing is counted.
int ThemeDrawings = 0;
HTHEME WINAPI SomeTheme(HWND, LPCWSTR) {
    return reinterpret_cast<HTHEME>(1);
}
HRESULT WINAPI CloseSomeTheme(HTHEME) {
    return S_OK;
}
HRESULT WINAPI CountDrawing(HTHEME, HDC, int, int, LPCRECT, LPCRECT) {
    ++ThemeDrawings;
    return S_OK;
}

} // namespace

TEST_F(WizardPages, HelpMenuTopicsHelpModeBalloonsAndThePlainHelpButton) {
    const auto viewer = HtmlHelpViewer;
    const auto track = TrackPopup;
    const std::wstring helpFile = HelpFile;
    HtmlHelpViewer = HelpStandIns::Viewer;
    TrackPopup = HelpStandIns::HelpOnThisScreen;
    TempFolder dir;
    HelpFile = Wide(dir.Path("quorvel.chm"));
    WriteFileBytes(dir.Path("quorvel.chm"), {'I', 'T', 'S', 'F'});
    frmWizard& w = Open();
    SetForegroundWindow(w.hWnd());
    const HWND help = w(L"cmdHelp").hWnd();

    // "Help on this screen" opens the page's own topic.
    Click(help);
    ASSERT_GE(HelpStandIns::Captions.size(), 2u);
    EXPECT_EQ(HelpStandIns::Captions[1], L"&Help on this screen");
    EXPECT_EQ(HelpStandIns::Viewed, HelpFile + L"::/howto/index.html");
    w.NextStep(1);
    w.NextStep(1);
    Click(help);
    EXPECT_EQ(HelpStandIns::Viewed, HelpFile + L"::/howto/step2.html");
    SaverTrailer record{};
    std::vector<uint8_t> logo;
    ASSERT_EQ(CreateAt(w, dir.Path("help.scr"), record, logo), ReadOk);
    Click(help);
    EXPECT_EQ(HelpStandIns::Viewed, HelpFile + L"::/howto/finished.html");
    HtmlHelpViewer = viewer;
    TrackPopup = track;
    HelpFile = helpFile;
    w.NextStep(-w.StepCnt); // the first page again

    // Without visual styles the Help button paints no arrow, even where the
    // platform has a theme to give; with them it does.
    const int32_t osLevel = OsLevel;
    const ThemeCalls platform = Theme;
    Theme = {SomeTheme, CloseSomeTheme, CountDrawing};
    for (const int32_t level : {1, 2}) {
        OsLevel = level;
        ThemeDrawings = 0;
        RedrawWindow(help, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        EXPECT_EQ(ThemeDrawings, level == 1 ? 0 : 1) << level;
    }
    Theme = platform;
    OsLevel = osLevel;

    // In help mode a balloon shows once however the pointer moves within
    // one control, the recent list's text part and its button alike.
    const HWND carrier = w.txtTip().hWnd();
    ASSERT_TRUE(SetWindowSubclass(carrier, CountBalloons, 1, 0));
    SendMessageW(w.hWnd(), WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
    ASSERT_TRUE(w.ContextHelp);
    RECT list{};
    GetWindowRect(w(L"cmbMRU").hWnd(), &list);
    const int middle = (list.top + list.bottom) / 2;
    BalloonsShown = 0;
    for (int i = 0; i < 3; ++i)
        for (int x : {list.left + 5, list.right - 5, list.left + 30})
            PointAt(x, middle);
    EXPECT_EQ(BalloonsShown, 1);
    EXPECT_EQ(LastHelpBalloon().Text, L"Select a previously created screensaver to re-open.");

    // A library settings page's control explains itself with the library's
    // text, titled with its caption.
    const HWND page = CreateDialogParamW(SaverLibrary().module.get(),
                                         MAKEINTRESOURCEW(IDD_STANDARD), w.hWnd(), PlainPage, 0);
    ASSERT_NE(page, nullptr);
    SetWindowLongPtrW(page, GWLP_USERDATA, EffectStandard);
    EnableWindow(page, TRUE); // as its sheet does
    SetWindowPos(page, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    RECT fade{};
    GetWindowRect(GetDlgItem(page, IDC_FADE), &fade);
    PointAt(fade.left + 5, fade.top + 3);
    EXPECT_TRUE(w.ContextHelp);
    EXPECT_EQ(BalloonsShown, 2);
    EXPECT_EQ(LastHelpBalloon().Title, L"Fade the logo");
    EXPECT_EQ(LastHelpBalloon().Text, L"This causes the logo to fade in and out");
    EXPECT_EQ(LastHelpBalloon().Edit, carrier);
    PointAt(fade.left + 20, fade.top + 4);
    EXPECT_EQ(BalloonsShown, 2);
    ReleaseCapture();
    DestroyWindow(page);
    RemoveWindowSubclass(carrier, CountBalloons, 1);
}

// Every button's caption fits inside its focus rectangle (3 pixels in from
// the edge, and a pixel more), and every check box's beside its box, at
// the screen's resolution.
TEST_F(WizardPages, CaptionsFitTheirButtonsWhenFocused) {
    frmWizard& w = Open();
    for (const auto& c : w.Controls()) {
        const bool button = c->Kind == ControlKind::CommandButton;
        if (!c->hWnd() || (!button && c->Kind != ControlKind::CheckBox))
            continue;
        std::wstring text = WindowText(c->hWnd());
        text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
        if (text.empty())
            continue;
        const WindowDC dc(c->hWnd());
        const SelectGuard font(
            dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(c->hWnd(), WM_GETFONT, 0, 0)));
        RECT need{};
        DrawTextW(dc.get(), text.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
        RECT client{};
        GetClientRect(c->hWnd(), &client);
        const int room = button ? 8 : GetSystemMetrics(SM_CXMENUCHECK) + 6;
        EXPECT_LE(need.right + room, client.right)
            << std::string(c->Name.begin(), c->Name.end()) << " " << need.right;
    }
}
