// The wizard window in this process, through the real quorvel.dll: the two
// animation lists and the library states behind them, the content-logo
// notice, the settings sheet and preview, the last page's links, Browse and
// the installer options of the Save page, Esc over a help balloon and the
// travel buttons' place.
#include "tests/settings/SheetDriver.h"
#include "tests/support/SaverFiles.h"
#include "tests/wizard/FormTestSupport.h"
#include "tests/wizard/WizardFiles.h"
#include "tests/wizard/WizardFixture.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/Installer.h"
#include "wizard/frame/MessagePump.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/SaverLibrary.h"
#include "wizard/frame/Settings.h"
#include "wizard/pages/frmWizard.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

class FinishPages : public WizardFixture {
  protected:
    frmWizard& OpenAtModes() {
        frmWizard& w = Open();
        w.NextStep(1);
        w.NextStep(1);
        EXPECT_EQ(w.CurrentStep, PageAnimations);
        return w;
    }
};

// Screenshots are taken from outside while the test pauses.
void Pause() {
    PumpFor(GetEnvironmentVariableA("QV_SHOT_PAUSE", nullptr, 0) ? 4000 : 0);
}

using Items = std::vector<std::pair<std::wstring, LONG_PTR>>;

Items ItemsOf(const APIListBox& list) {
    Items items;
    for (int i = 0; i < list.ListCount(); ++i)
        items.emplace_back(list.List(i), list.ItemData(i));
    return items;
}

// The user highlights item `index` of a list (it has the focus then).
void Highlight(APIListBox& list, int index) {
    list.Extender()->SetFocus();
    SendMessageW(list.ListWnd, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(list.hWnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list.ListWnd), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list.ListWnd));
    PumpFor(50);
}

void DoubleClick(APIListBox& list, int index) {
    Highlight(list, index);
    SendMessageW(list.hWnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list.ListWnd), LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(list.ListWnd));
}

void Press(frmWizard& w, const wchar_t* button) {
    SendMessageW(w(button).hWnd(), BM_CLICK, 0, 0);
}

int State(int32_t mask) {
    return SaverLibrary().GetSaverState(mask);
}

// Closes the installer options while their modal loop runs; counts them.
int optionsSeen = 0;
void CALLBACK CloseOptions(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND options = FindWindowW(nullptr, L"Installer Options");
        options && IsWindowVisible(options)) {
        ++optionsSeen;
        PostMessageW(options, WM_CLOSE, 0, 0);
    }
}

// Answers each message box of this thread while its modal loop runs; counts them.
int boxesSeen = 0;
std::wstring firstBoxText;
void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD) {
    const HWND box = FindWindowW(L"#32770", nullptr);
    if (!box || GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId() ||
        GetPropW(box, L"Answered"))
        return;
    SetPropW(box, L"Answered", box);
    if (++boxesSeen == 1) {
        wchar_t text[512] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 512);
        firstBoxText = text;
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

} // namespace

TEST_F(FinishPages, ListsMoveEffectsAndFollowTheLibrary) {
    frmWizard& w = OpenAtModes();
    // The library's defaults: Standard alone selected, highlighted and described.
    EXPECT_EQ(ItemsOf(w.lstActive), (Items{{L"Standard", 4}}));
    EXPECT_EQ(ItemsOf(w.lstModes), (Items{{L"Static", 2},
                                          {L"Bounce", 8},
                                          {L"Many", 16},
                                          {L"Drip", 32},
                                          {L"Falling", 64},
                                          {L"Slider", 128}}));
    EXPECT_EQ(w.lstModes.ListIndex(), -1);
    EXPECT_EQ(w.lstActive.ListIndex(), 0);
    EXPECT_EQ(w(L"fraMode").Caption(), L"Standard");
    EXPECT_EQ(w(L"fraMode").Tag, L"4");
    const std::wstring standardText = w(L"lblDesc").Caption();
    EXPECT_FALSE(standardText.empty());
    EXPECT_NE(standardText, L"Desc");
    EXPECT_FALSE(w(L"cmdAdd").Enabled());
    EXPECT_TRUE(w(L"cmdRemove").Enabled());
    Pause();

    // A highlight in one list takes the other's away.
    Highlight(w.lstModes, 1);
    EXPECT_EQ(w.lstActive.ListIndex(), -1);
    EXPECT_EQ(w(L"fraMode").Caption(), L"Bounce");
    EXPECT_EQ(w(L"fraMode").Tag, L"8");
    EXPECT_NE(w(L"lblDesc").Caption(), standardText);
    EXPECT_TRUE(w(L"cmdAdd").Enabled());
    EXPECT_FALSE(w(L"cmdRemove").Enabled());

    Press(w, L"cmdAdd");
    EXPECT_EQ(State(8), 1);
    EXPECT_EQ(ItemsOf(w.lstActive), (Items{{L"Standard", 4}, {L"Bounce", 8}}));
    EXPECT_EQ(w.lstModes.ItemFromData(8, -1), -1);
    EXPECT_EQ(w.lstActive.ListIndex(), 1); // the moved effect is highlighted
    EXPECT_EQ(w(L"fraMode").Caption(), L"Bounce");

    DoubleClick(w.lstActive, 0); // Standard back to the available ones
    EXPECT_EQ(State(4), 0);
    EXPECT_EQ(w.lstModes.List(w.lstModes.ListIndex()), L"Standard");
    DoubleClick(w.lstModes, w.lstModes.ItemFromData(32, -1)); // Drip in
    EXPECT_EQ(State(32), 1);
    EXPECT_EQ(ItemsOf(w.lstActive), (Items{{L"Bounce", 8}, {L"Drip", 32}}));

    // Shown but not enabled still counts as selected.
    SaverLibrary().SetSaverState(16, 2);
    EXPECT_EQ(w.GetModeState(16), 2);
    EXPECT_EQ(w.lstActive.ItemFromData(16, -1), 2);
    EXPECT_EQ(w.lstModes.ItemFromData(16, -1), -1);

    // Emptied: Remove goes off and the last effect shown stays described.
    while (w.lstActive.ListCount() > 0) {
        Highlight(w.lstActive, 0);
        Press(w, L"cmdRemove");
    }
    EXPECT_FALSE(w(L"cmdRemove").Enabled());
    EXPECT_EQ(w.lstModes.ListCount(), 7);
    EXPECT_EQ(w(L"fraMode").Caption(), L"Many");
    EXPECT_EQ(w(L"fraMode").Tag, L"16");
    for (int32_t mask = 2; mask <= 128; mask <<= 1)
        EXPECT_EQ(State(mask), 0) << mask;
}

TEST_F(FinishPages, ListsShowASaverReopenedAfterTheFirstVisit) {
    TempFolder dir;
    SaverTrailer record = DefaultTrailer();
    record.Settings.EnabledMask = 8 | 64; // Bounce and Falling, the rest hidden
    record.Settings.HiddenMask = 0xFE & ~(8 | 64);
    const std::string saver = MakeSaverFile(
        dir, "two.scr", record, MakeBitmap32(8, 8, [](int, int) { return 0xFF2040C0u; }));
    frmWizard& w = OpenAtModes();
    ASSERT_EQ(ItemsOf(w.lstActive), (Items{{L"Standard", 4}}));
    w.NextStep(-1);
    w.NextStep(-1);
    w.ChosenSaver = Wide(saver); // as the recent list accepts it
    w.NextStep(1);
    w.NextStep(1);
    ASSERT_EQ(w.CurrentStep, PageAnimations);
    EXPECT_EQ(ItemsOf(w.lstActive), (Items{{L"Bounce", 8}, {L"Falling", 64}}));
    EXPECT_GE(w.lstModes.ItemFromData(4, -1), 0);
    EXPECT_EQ(w.lstModes.ListCount(), 5);
}

TEST_F(FinishPages, ContentLogoKeepsStaticAloneAndSaysWhy) {
    frmWizard& w = OpenAtModes();
    Highlight(w.lstModes, 1);
    Press(w, L"cmdAdd"); // Bounce with Standard
    w.NextStep(-1);
    w.DynamicLogo = true; // as a movie logo leaves it
    w.NextStep(1);
    ASSERT_EQ(w.CurrentStep, PageAnimations);
    EXPECT_EQ(ItemsOf(w.lstActive), (Items{{L"Static", 2}}));
    EXPECT_EQ(State(2), 1);
    EXPECT_EQ(State(4), 0);
    EXPECT_EQ(State(8), 0);

    const Items available = ItemsOf(w.lstModes);
    for (const int how : {0, 1, 2, 3}) {
        // A balloon of our own first, so each try must show the notice anew.
        ShowHelpTip(w(L"txtName").hWnd(), L"earlier", L"earlier", 0);
        HideHelpTip();
        switch (how) {
        case 0:
            Highlight(w.lstModes, 0);
            Press(w, L"cmdAdd");
            break;
        case 1:
            Highlight(w.lstActive, 0);
            Press(w, L"cmdRemove");
            break;
        case 2:
            DoubleClick(w.lstModes, 2);
            break;
        default:
            DoubleClick(w.lstActive, 0);
            break;
        }
        EXPECT_EQ(ItemsOf(w.lstActive), (Items{{L"Static", 2}})) << how;
        EXPECT_EQ(ItemsOf(w.lstModes), available) << how;
        EXPECT_EQ(State(2), 1) << how;
        EXPECT_EQ(LastHelpBalloon().Title, L"earlier") << how; // a tenth of a second later
        PumpFor(300);
        const HelpBalloonRecord& b = LastHelpBalloon();
        EXPECT_EQ(b.Title, L"Unable to change the animation") << how;
        EXPECT_EQ(b.Text, L"Only the 'Static' saver animation is available while using a dynamic "
                          L"logo, such as a Flash animation.")
            << how;
        EXPECT_EQ(b.Icon, 1) << how;
        if (how == 0)
            Pause();
        EXPECT_EQ(b.Edit, w(L"txtTip").hWnd()) << how;
        HideHelpTip();
    }

    // A picture logo again: each effect's earlier state comes back.
    w.NextStep(-1);
    w.DynamicLogo = false;
    w.NextStep(1);
    EXPECT_EQ(ItemsOf(w.lstActive), (Items{{L"Standard", 4}, {L"Bounce", 8}}));
    EXPECT_EQ(State(2), 0);
    EXPECT_EQ(State(4), 1);
    EXPECT_EQ(State(8), 1);
}

TEST_F(FinishPages, ALogoThatCannotBeHandedOverSaysWhatFailed) {
    TempFolder dir;
    frmWizard& w = Open();
    w.NextStep(1);
    const auto handOver = [&](const std::wstring& says) {
        DialogAnswerer ignore(L"Quorvel", IDIGNORE);
        w.NextStep(1);
        EXPECT_NE(ignore.Text.find(says), std::wstring::npos) << ignore.Text;
        w.NextStep(-1);
    };
    // No temporary file can be made (the temporary folder is gone), the logo
    // cannot be scaled, its file cannot be written (a folder that is not there).
    wchar_t temp[MAX_PATH] = {};
    const bool hadTemp = GetEnvironmentVariableW(L"TMP", temp, MAX_PATH) > 0;
    const std::wstring gone = Wide(dir.Path("gone"));
    SetEnvironmentVariableW(L"TMP", gone.c_str());
    handOver(L"No file for the logo could be made in " + gone);
    SetEnvironmentVariableW(L"TMP", hadTemp ? temp : nullptr);
    w.ImageScale = 0.001;
    handOver(L"The logo could not be scaled to 0 x 0 pixels");
    w.TempBMP = Wide(dir.Path("gone\\logo.bmp"));
    handOver(L"The logo could not be written to " + w.TempBMP);
}

TEST_F(FinishPages, SettingsOpenTheSaversSheetAndTheListsFollowIt) {
    frmWizard& w = OpenAtModes();
    Highlight(w.lstModes, 1); // Bounce, hidden
    std::string caption, title;
    int pages = 0;
    DriveModal([&] { Press(w, L"cmdSettings"); },
               [&](HWND sheet) {
                   caption = TextOf(sheet);
                   pages = PageCount(sheet);
                   title = PageTitle(sheet, 0);
                   PressOk(sheet);
               });
    EXPECT_NE(caption.find("My Saver"), std::string::npos) << caption;
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(title, "Bounce");
    // OK showed Bounce in the saver: it is listed as selected now.
    EXPECT_EQ(State(8), 2);
    EXPECT_EQ(w.lstActive.ItemFromData(8, -1), 1);
    EXPECT_EQ(w.lstModes.ItemFromData(8, -1), -1);

    std::string general;
    DriveModal([&] { Press(w, L"cmdGeneral"); },
               [&](HWND sheet) {
                   general = PageTitle(sheet, 0);
                   PressCancel(sheet);
               });
    EXPECT_EQ(general, "General");

    // Preview: the highlighted effect in a window of its own, closed by a key.
    ASSERT_EQ(FindWindowA("WindowsScreenSaverClassPreview", nullptr), nullptr);
    Press(w, L"cmdPreview");
    const HWND preview = FindWindowA("WindowsScreenSaverClassPreview", nullptr);
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(IsWindowVisible(preview));
    PumpFor(1500); // its first frames
    SendMessageA(preview, WM_KEYDOWN, 'A', 0);
    PumpFor(300);
    EXPECT_EQ(FindWindowA("WindowsScreenSaverClassPreview", nullptr), nullptr);
}

TEST_F(FinishPages, CreateAnotherKeepsTheTextsAndLogoAndTheTravelButtonsSitInTheHeader) {
    TempFolder dir;
    const std::string bitmap = dir.Path("logo.bmp");
    WriteFileBytes(bitmap, MakeBitmap32(30, 20, [](int, int) { return 0xFF336699u; }));
    frmWizard& w = Open();

    // No glass under Wine: 5 pixels above the header's bottom, both halves.
    const RECT nav = w(L"Nav").PixelRect();
    RECT header{};
    GetClientRect(w(L"picHeader").hWnd(), &header);
    ASSERT_GT(w.Nav.ImgSize, 0);
    EXPECT_EQ(nav.left, 5);
    EXPECT_EQ(nav.top, header.bottom - (w.Nav.ImgSize + 5));
    EXPECT_EQ(nav.right - nav.left, 2 * w.Nav.ImgSize);
    EXPECT_EQ(nav.bottom - nav.top, w.Nav.ImgSize + 1);
    EXPECT_TRUE(w(L"Nav").Visible());

    w.NextStep(1);
    w(L"txtLogo").SetText(Wide(bitmap));
    ASSERT_TRUE(w.ImageLoaded);
    w.NextStep(1);
    w.NextStep(1);
    w(L"txtName").SetText(L"Kept Name");
    w(L"txtAbout").SetText(L"Kept about");
    w.NextStep(1);
    w(L"txtSaveAs").SetText(Wide(dir.Path("kept.scr")));
    w.NextStep(1);
    ASSERT_EQ(w.CurrentStep, PageDone);
    EXPECT_EQ(w.ScrFile, Wide(dir.Path("kept.scr")));
    Pause();

    w.cmdAgain.Click();
    EXPECT_EQ(w.CurrentStep, PageWelcome);
    EXPECT_EQ(w(L"txtName").Text(), L"Kept Name");
    EXPECT_EQ(w(L"txtAbout").Text(), L"Kept about");
    EXPECT_EQ(w(L"txtLogo").Text(), Wide(bitmap));
    ASSERT_TRUE(w.LogoDib.has_value());
    EXPECT_EQ(w.LogoWidth, 30);
    EXPECT_FALSE(w(L"cmdBack").Enabled());
    EXPECT_TRUE(w.Nav.Enabled(1)); // forward, up to the last page reached

    // The installer's options follow the check box, and open only with it.
    Control& options = w(L"cmdInstaller");
    const UINT_PTR closer = SetTimer(nullptr, 0, 100, CloseOptions);
    optionsSeen = 0;
    EXPECT_FALSE(options.Enabled());
    SendMessageW(w(L"chkInstaller").hWnd(), BM_CLICK, 0, 0);
    EXPECT_TRUE(options.Enabled());
    options.Click();
    EXPECT_EQ(optionsSeen, 1);
    SendMessageW(w(L"chkInstaller").hWnd(), BM_CLICK, 0, 0);
    EXPECT_FALSE(options.Enabled());
    options.Click();
    PumpFor(300);
    EXPECT_EQ(optionsSeen, 1);
    KillTimer(nullptr, closer);
}

namespace {

std::wstring startedProgram, startedLine;
BOOL WINAPI RecordStart(LPCWSTR program, LPWSTR line, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                        BOOL, DWORD, LPVOID, LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION info) {
    startedProgram = program ? program : L"(none)";
    startedLine = line;
    *info = PROCESS_INFORMATION{};
    return TRUE;
}

} // namespace

TEST_F(FinishPages, InstallerFailureIsReportedAndBrowseFillsTheSavePath) {
    TempFolder dir;
    frmWizard& w = Open();
    // "Install and Test": the system's rundll32, never one found elsewhere.
    w.ScrFile = L"C:\\Savers\\My Saver.scr";
    PanelStarter = RecordStart;
    w.cmdTest.Click();
    PanelStarter = CreateProcessW;
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring rundll32 = std::wstring(system) + L"\\rundll32.exe";
    EXPECT_EQ(startedProgram, rundll32);
    EXPECT_EQ(startedLine,
              L"\"" + rundll32 + L"\" desk.cpl,InstallScreenSaver C:\\Savers\\My Saver.scr");

    InstallerOptions& o = CurrentInstallerOptions();
    o.OutDir = Wide(dir.Path(""));
    o.OutFile = L"Gone-setup";
    const std::wstring path = Wide(dir.Path("Gone-setup.exe"));
    {
        // A second click, queued while the first waits, starts nothing more.
        const UINT_PTR answerer = SetTimer(nullptr, 0, 100, AnswerBoxes);
        boxesSeen = 0;
        const HWND link = w.cmdTestInstaller.hWnd();
        PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
        w.cmdTestInstaller.Click();
        PumpFor(300);
        KillTimer(nullptr, answerer);
        EXPECT_EQ(boxesSeen, 1);
        const std::wstring& text = firstBoxText;
        EXPECT_EQ(text.rfind(L"The installer could not be started:\r\n\r\n" + path + L"\r\n", 0),
                  0u)
            << std::string(text.begin(), text.end());
        EXPECT_GT(text.size(), path.size() + 40); // the system's reason follows
    }

    // Browse on the Save page: the dialog starts from the typed name and
    // gives back the one confirmed, with the default extension.
    const std::wstring chosen = Wide(dir.Path("Chosen"));
    w(L"txtSaveAs").SetText(chosen);
    {
        DialogAnswerer ok(L"Save Screensaver as...", IDOK);
        SendMessageW(w(L"cmdSaveAs").hWnd(), BM_CLICK, 0, 0);
        EXPECT_TRUE(ok.Seen);
    }
    const std::wstring saved = w(L"txtSaveAs").Text();
    EXPECT_EQ(_wcsicmp(saved.c_str(), (chosen + L".scr").c_str()), 0)
        << std::string(saved.begin(), saved.end());
}

TEST_F(FinishPages, EscWithABalloonUpClosesTheBalloonThenTheWizard) {
    frmWizard& w = Open();
    SetForegroundWindow(w.hWnd());
    const auto esc = [] {
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageW(GetFocus(), WM_KEYUP, VK_ESCAPE, 0);
        DoEvents();
    };
    // A help balloon rides on the carrier, which takes the focus.
    w(L"cmdNext").SetFocus();
    ASSERT_TRUE(ShowControlHelp(&w(L"cmdNext"), &w, true, nullptr, nullptr, L"", L"", 1, -1, 0));
    ASSERT_EQ(GetFocus(), w(L"txtTip").hWnd());
    esc();
    EXPECT_TRUE(w.Loaded());
    EXPECT_EQ(GetFocus(), w(L"cmdNext").hWnd()); // given back
    esc();
    EXPECT_FALSE(w.Loaded());
}
