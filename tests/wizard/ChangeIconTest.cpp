// The icon chooser in this process, on the real wizard's variables: the
// default icons and the cue, a library of three icon groups (red, green,
// blue) opened with its icon selected, OK, Cancel and the close box, double
// clicks, Browse with its dialog's arguments and the no-icons message, label
// access keys, Enter and Esc, the size grip and the layout, and the wizard's
// icon preview and "Change..." button.
#include "common/Handles.h"
#include "tests/support/CreatorDriver.h"
#include "tests/support/WinTest.h"
#include "tests/wizard/FormTestSupport.h"
#include "tests/wizard/WizardFixture.h"
#include "wizard/frame/CommonDialog.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Helpers.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/Settings.h"
#include "wizard/frame/Twips.h"
#include "wizard/pages/frmChangeIcon.h"
#include "wizard/pages/frmWizard.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <memory>

namespace {

std::wstring Wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

std::wstring ThreeIcons() {
    return Wide(TestDir() + "threeicons.dll");
}

// The colours of the three groups' 32 x 32 images.
const COLORREF Red = RGB(220, 20, 20), Green = RGB(20, 160, 40), Blue = RGB(30, 40, 220);

bool Near(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) < 8 && std::abs(GetGValue(a) - GetGValue(b)) < 8 &&
           std::abs(GetBValue(a) - GetBValue(b)) < 8;
}

std::wstring CueOf(HWND edit) {
    wchar_t cue[128] = {};
    SendMessageW(edit, EM_GETCUEBANNER, reinterpret_cast<WPARAM>(cue), 128);
    return cue;
}

// An Alt+key press as the keyboard sends it to the focused window, through
// the forms' pump.
void AltKey(wchar_t letter) {
    PostMessageW(GetFocus(), WM_SYSKEYDOWN, letter, 1 | (1 << 29));
    PumpEvents(100);
}

void Key(UINT vk) {
    PostMessageW(GetFocus(), WM_KEYDOWN, vk, 1);
    PumpEvents(100);
}

// The list's notification, as the list window sends it to the control.
void ListNotifies(APIListBox& list, WORD code) {
    SendMessageW(list.hWnd(), WM_COMMAND, MAKEWPARAM(0, code),
                 reinterpret_cast<LPARAM>(list.ListWnd));
    PumpEvents(50);
}

// What the Browse button asked its dialog, and the file it gets back.
struct BrowseRecord {
    int Calls = 0;
    DWORD Flags = 0;
    std::wstring File, Title, Folder, Filter, Extension;
    int FilterIndex = -1;
    bool Open = false;
    std::wstring Answer; // empty: the user cancels
};
BrowseRecord browse;

bool RecordBrowse(bool open, DWORD flags, std::wstring& fileName, HWND, const std::wstring& title,
                  const std::wstring& initialDir, const std::wstring& filter, int filterIndex,
                  const std::wstring& defaultExt) {
    ++browse.Calls;
    browse.Open = open;
    browse.Flags = flags;
    browse.File = fileName;
    browse.Title = title;
    browse.Folder = initialDir;
    browse.Filter = filter;
    browse.FilterIndex = filterIndex;
    browse.Extension = defaultExt;
    if (browse.Answer.empty())
        return false;
    fileName = browse.Answer;
    return true;
}

// A 16-bit module's headers with a resource table of two icon groups and
// two icons (no images): enough for the shell to count its icons.
std::vector<uint8_t> SixteenBitLibrary() {
    std::vector<uint8_t> b(0x100, 0);
    b[0] = 'M', b[1] = 'Z', b[0x3C] = 0x40;
    b[0x40] = 'N', b[0x41] = 'E';
    b[0x40 + 0x24] = 0x40; // resource table at 0x80
    b[0x40 + 0x26] = 0x90; // resident names after it
    std::size_t at = 0x80;
    const auto put16 = [&](uint16_t v) {
        b[at++] = static_cast<uint8_t>(v);
        b[at++] = static_cast<uint8_t>(v >> 8);
    };
    put16(4); // alignment shift
    for (const uint16_t type : {uint16_t{0x800E}, uint16_t{0x8003}}) {
        put16(type);
        put16(2);
        put16(0), put16(0);
        for (uint16_t id = 1; id <= 2; ++id) {
            put16(0x0F), put16(1), put16(0x1C30), put16(static_cast<uint16_t>(0x8000 | id));
            put16(0), put16(0);
        }
    }
    put16(0);
    return b;
}

class ChangeIcon : public WizardFixture {
  protected:
    void SetUp() override {
        // The default icons are the saver library's, found in the current folder.
        SetCurrentDirectoryA(TestDir().c_str());
        WizardFixture::SetUp();
        browse = BrowseRecord{};
        IconFileDialog = RecordBrowse;
        WizardFixture::Open();
    }
    void TearDown() override {
        dialog.reset();
        WizardFixture::TearDown();
        IconFileDialog = ShowFileDialog;
    }
    frmChangeIcon& Open(const std::wstring& file, int32_t index) {
        wizard->IconFile = file;
        wizard->IconIndex = index;
        dialog = std::make_unique<frmChangeIcon>(*wizard, wizard->IconFile, wizard->IconIndex);
        dialog->Show(false, wizard.get());
        PumpEvents(100);
        return *dialog;
    }
    std::unique_ptr<frmChangeIcon> dialog;
};

} // namespace

TEST_F(ChangeIcon, DefaultIconsAtOnceTypingLoadsOnlyOnTheListsFocus) {
    wizard->IconFile = L"";
    wizard->IconIndex = 3;
    dialog = std::make_unique<frmChangeIcon>(*wizard, wizard->IconFile, wizard->IconIndex);
    dialog->Load(); // before it shows, the list has the library's icons
    frmChangeIcon& d = *dialog;
    const auto defaults = static_cast<int>(GetFileIcon(L"", -1));
    ASSERT_GE(defaults, 1);
    EXPECT_EQ(d.lstIcons.ListCount(), defaults);
    EXPECT_EQ(d.Caption(), L"Change Icon");
    EXPECT_EQ(CueOf(d(L"txtFilename").hWnd()), L"Using default icon");
    EXPECT_EQ(SendMessageW(d.hWnd(), WM_GETICON, ICON_BIG, 0),
              SendMessageW(wizard->hWnd(), WM_GETICON, ICON_BIG, 0));
    d.Show(false, wizard.get());
    PumpEvents(GetEnvironmentVariableA("QV_SHOT_PAUSE", nullptr, 0) ? 4000 : 100);
    // Tab from the list: OK, Cancel, Use Default, the text box, Browse.
    std::vector<HWND> order{d.lstIcons.hWnd()};
    while (order.size() < 6)
        order.push_back(GetNextDlgTabItem(d.hWnd(), order.back(), FALSE));
    const std::vector<HWND> expected = {d.lstIcons.hWnd(),        d(L"cmdOK").hWnd(),
                                        d(L"cmdCancel").hWnd(),   d(L"cmdDefault").hWnd(),
                                        d(L"txtFilename").hWnd(), d(L"cmdBrowse").hWnd()};
    EXPECT_EQ(order, expected);
    // A typed name is not loaded, and OK stores the file the list shows.
    d(L"txtFilename").SetText(ThreeIcons());
    EXPECT_EQ(d.lstIcons.ListCount(), defaults);
    d.cmdOK_Click();
    EXPECT_FALSE(d.Loaded());
    EXPECT_EQ(wizard->IconFile, L"");
    EXPECT_EQ(wizard->IconIndex, 0); // the index was never shown, so it is not kept

    frmChangeIcon& e = Open(L"", 0);
    e(L"txtFilename").SetText(L"  " + ThreeIcons() + L" ");
    e(L"cmdBrowse").SetFocus();
    Key(VK_TAB); // round to the list, which loads the file
    EXPECT_EQ(GetFocus(), e.lstIcons.hWnd());
    EXPECT_EQ(e.lstIcons.ListCount(), 3);
    EXPECT_EQ(e.lstIcons.ListIndex(), 0);
    e.lstIcons.SetListIndex(2);
    Key(VK_RETURN); // Enter in the list is OK
    EXPECT_FALSE(e.Loaded());
    EXPECT_EQ(wizard->IconFile, ThreeIcons());
    EXPECT_EQ(wizard->IconIndex, 2);
}

TEST_F(ChangeIcon, AFileOpensWithItsIconSelectedAndADoubleClickOnOneIsOk) {
    frmChangeIcon& d = Open(ThreeIcons(), 2);
    d(L"lstIcons").SetFocus(); // as the first tab stop gets it when the dialog opens
    PumpEvents(50);
    ASSERT_EQ(d.lstIcons.ListCount(), 3);
    EXPECT_EQ(d.lstIcons.ListIndex(), 2);
    // A later focus keeps the user's choice.
    d.lstIcons.SetListIndex(1);
    d(L"cmdOK").SetFocus();
    d(L"lstIcons").SetFocus();
    PumpEvents(50);
    EXPECT_EQ(d.lstIcons.ListIndex(), 1);
    d.lstIcons.SetListIndex(-1);
    ListNotifies(d.lstIcons, LBN_DBLCLK); // on empty space: nothing happens
    EXPECT_TRUE(d.Loaded());
    d.lstIcons.SetListIndex(1);
    ListNotifies(d.lstIcons, LBN_DBLCLK);
    EXPECT_FALSE(d.Loaded());
    EXPECT_EQ(wizard->IconFile, ThreeIcons());
    EXPECT_EQ(wizard->IconIndex, 1);

    frmChangeIcon& again = Open(ThreeIcons(), 2);
    again(L"lstIcons").SetFocus();
    PumpEvents(50);
    again.lstIcons.SetListIndex(-1);
    again.cmdOK_Click(); // nothing selected stores 0
    EXPECT_EQ(wizard->IconIndex, 0);

    // Blanks are text: OK keeps the file the list shows.
    frmChangeIcon& blank = Open(ThreeIcons(), 1);
    blank(L"lstIcons").SetFocus();
    PumpEvents(50);
    blank(L"txtFilename").SetText(L"   ");
    blank.cmdOK_Click();
    EXPECT_EQ(wizard->IconFile, ThreeIcons());
    EXPECT_EQ(wizard->IconIndex, 1);
}

TEST_F(ChangeIcon, AnIconThatCannotBeExtractedKeepsItsPlace) {
    // The green group names an image the file lacks.
    TempFolder dir;
    const std::wstring broken = Wide(dir.Path("broken.dll"));
    ASSERT_TRUE(CopyFileW(ThreeIcons().c_str(), broken.c_str(), FALSE));
    std::vector<uint8_t> group;
    {
        const UniqueModule file(
            LoadLibraryExW(ThreeIcons().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        const HRSRC found = FindResourceW(file.get(), MAKEINTRESOURCEW(102), RT_GROUP_ICON);
        ASSERT_NE(found, nullptr);
        const auto* bytes =
            static_cast<const uint8_t*>(LockResource(LoadResource(file.get(), found)));
        group.assign(bytes, bytes + SizeofResource(file.get(), found));
    }
    for (std::size_t entry = 6 + 12; entry + 2 <= group.size(); entry += 14)
        group[entry] = 0xF0, group[entry + 1] = 0x7F; // GRPICONDIRENTRY.nID
    const HANDLE update = BeginUpdateResourceW(broken.c_str(), FALSE);
    ASSERT_NE(update, nullptr);
    ASSERT_TRUE(UpdateResourceW(update, RT_GROUP_ICON, MAKEINTRESOURCEW(102),
                                MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), group.data(),
                                static_cast<DWORD>(group.size())));
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
    ASSERT_EQ(GetFileIcon(broken, -1), 3u);
    ASSERT_LE(GetFileIcon(broken, 1), 1u);

    frmChangeIcon& d = Open(broken, 2);
    d(L"lstIcons").SetFocus();
    PumpEvents(50);
    ASSERT_EQ(d.lstIcons.ListCount(), 3);
    EXPECT_EQ(d.lstIcons.ListIndex(), 2);
    EXPECT_EQ(d.lstIcons.ItemData(1), 0); // green, which is not there
    EXPECT_NE(d.lstIcons.ItemData(2), 0);
    d.cmdOK_Click();
    EXPECT_EQ(wizard->IconIndex, 2);
}

TEST_F(ChangeIcon, CancelTheCloseBoxAndEscChangeNothing) {
    for (int way = 0; way < 3; ++way) {
        frmChangeIcon& d = Open(ThreeIcons(), 2);
        d(L"lstIcons").SetFocus();
        PumpEvents(50);
        d.lstIcons.SetListIndex(0);
        d.cmdDefault_Click(); // the box emptied, the default icons shown
        EXPECT_EQ(d.lstIcons.IconFile(), L"");
        if (way == 0)
            d.cmdCancel_Click();
        else if (way == 1)
            SendMessageW(d.hWnd(), WM_CLOSE, 0, 0);
        else
            Key(VK_ESCAPE);
        EXPECT_FALSE(d.Loaded()) << way;
        EXPECT_EQ(wizard->IconFile, ThreeIcons()) << way;
        EXPECT_EQ(wizard->IconIndex, 2) << way;
    }
}

TEST_F(ChangeIcon, BrowseAsksForAnIconFileAndRefusesOneWithoutIcons) {
    TempFolder dir;
    const std::string plain = dir.Path("notes.txt"), old = dir.Path("old.icl");
    WriteFileBytes(plain, {'n', 'o', ' ', 'i', 'c', 'o', 'n', 's'});
    WriteFileBytes(old, SixteenBitLibrary());
    frmChangeIcon& d = Open(L"", 0);
    Control& box = d(L"txtFilename");

    d.cmdBrowse_Click(); // cancelled
    ASSERT_EQ(browse.Calls, 1);
    EXPECT_TRUE(browse.Open);
    EXPECT_EQ(browse.Flags, 0x280800u);
    EXPECT_EQ(browse.FilterIndex, 0);
    EXPECT_EQ(browse.Title, L"Select an Icon File");
    EXPECT_EQ(browse.Extension, L"");
    EXPECT_EQ(browse.Filter, L"All Icon Files|*.EXE;*.SCR;*.DLL;*.OCX;*.ICL;*.ICO;|Programs "
                             L"(*.exe;*.scr)|*.EXE;*.SCR|Libraries (*.dll;*.ocx;*.icl)|*.DLL;*."
                             L"OCX;*.ICL|Icons (*.ico)|*.ICO|All Files (*.*)|*.*");
    wchar_t documents[1024] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(d.hWnd(), documents, CSIDL_PERSONAL, FALSE));
    EXPECT_EQ(browse.Folder, documents);
    EXPECT_EQ(browse.File, L"");
    EXPECT_EQ(box.Text(), L"");

    // A placeholder counts as no file; a name is proposed from ".".
    box.SetText(L" (none) ");
    d.cmdBrowse_Click();
    EXPECT_EQ(browse.Folder, documents);
    EXPECT_EQ(browse.File, L"");
    box.SetText(L" " + Wide(plain));
    d.cmdBrowse_Click();
    EXPECT_EQ(browse.Folder, L".");
    EXPECT_EQ(browse.File, Wide(plain));
    box.SetText(L"");
    const int defaults = d.lstIcons.ListCount();

    // A file without icons, and a 16-bit icon library, which the saver's
    // icon writer cannot read: both refused, box and list kept.
    for (const std::string& refused : {plain, old}) {
        browse.Answer = Wide(refused);
        DialogAnswerer answer(L"Change Icon", IDOK);
        d.cmdBrowse_Click();
        EXPECT_TRUE(answer.Seen) << refused;
        EXPECT_EQ(answer.Text, L"The file " + Wide(refused) + L" contains no icons.");
        EXPECT_EQ(box.Text(), L"");
        EXPECT_EQ(d.lstIcons.IconFile(), L"");
        EXPECT_EQ(d.lstIcons.ListCount(), defaults);
    }
    // The shell itself would list the 16-bit library's icons.
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(
                  ExtractIconW(GetModuleHandleW(nullptr), Wide(old).c_str(), UINT(-1))),
              2u);
    EXPECT_EQ(GetFileIcon(Wide(old), -1), 0u);

    browse.Answer = ThreeIcons();
    d.cmdBrowse_Click();
    EXPECT_EQ(box.Text(), ThreeIcons());
    EXPECT_EQ(d.lstIcons.IconFile(), ThreeIcons());
    EXPECT_EQ(d.lstIcons.ListCount(), 3);
    d.lstIcons.SetListIndex(1);
    d.cmdOK_Click();
    EXPECT_EQ(wizard->IconFile, ThreeIcons());
    EXPECT_EQ(wizard->IconIndex, 1);
}

TEST_F(ChangeIcon, LabelAccessKeysFocusTheControlAfterThem) {
    frmChangeIcon& d = Open(ThreeIcons(), 0);
    d(L"cmdBrowse").SetFocus();
    AltKey(L'S');
    EXPECT_EQ(GetFocus(), d.lstIcons.hWnd());
    EXPECT_EQ(d.lstIcons.ListCount(), 3); // the list's focus loaded the file
    AltKey(L'L');
    EXPECT_EQ(GetFocus(), d(L"txtFilename").hWnd());
    AltKey(L'S');
    EXPECT_EQ(GetFocus(), d.lstIcons.hWnd());
    // A key no label has leaves the focus; a button's own key presses it.
    AltKey(L'Q');
    EXPECT_EQ(GetFocus(), d.lstIcons.hWnd());
    EXPECT_TRUE(d.Loaded());
    AltKey(L'U');
    EXPECT_EQ(d(L"txtFilename").Text(), L"");
    EXPECT_EQ(d.lstIcons.IconFile(), L"");
}

TEST_F(ChangeIcon, TheGripSizesFromItsCornerAndTheControlsFollowTheWindow) {
    frmChangeIcon& d = Open(L"", 0);
    RECT frame{0, 0, 600, 500};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(d.hWnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(d.hWnd(), GWL_EXSTYLE)));
    SetWindowPos(d.hWnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    PumpEvents(100);
    RECT client{};
    GetClientRect(d.hWnd(), &client);
    ASSERT_EQ(client.right, 600);
    ASSERT_EQ(client.bottom, 500);

    // The margin is the list's left (the sums themselves are tested natively).
    const int m = d(L"lstIcons").PixelRect().left;
    const RECT list = d(L"lstIcons").PixelRect(), ok = d(L"cmdOK").PixelRect(),
               cancel = d(L"cmdCancel").PixelRect(), text = d(L"txtFilename").PixelRect();
    EXPECT_NEAR(cancel.right, 600 - m, 1);
    EXPECT_NEAR(cancel.bottom, 500 - m, 1);
    EXPECT_NEAR(list.bottom, ok.top - m, 1);
    EXPECT_NEAR(text.right, d(L"cmdBrowse").PixelRect().left - m, 1);
    RECT inner{};
    GetWindowRect(d.lstIcons.ListWnd, &inner);
    EXPECT_NEAR(inner.right - inner.left, list.right - list.left, 1); // the list window follows

    // The grip: SM_CXVSCROLL + 1 square in the corner, sizing only from its lower right.
    const int g = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(d.GripRect.Left, 600 - g - 1);
    EXPECT_EQ(d.GripRect.Top, 500 - g - 1);
    const auto hit = [&](int x, int y) {
        POINT p{x, y};
        ClientToScreen(d.hWnd(), &p);
        return SendMessageW(d.hWnd(), WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    EXPECT_EQ(hit(599, 499), HTBOTTOMRIGHT);
    const int w = g + 1, least = (w - 4) * (w - 4) / 2; // dx * dy must pass it
    const int dx = w - 1, dy = least / dx + 1;          // just past it
    EXPECT_EQ(hit(d.GripRect.Left + dx, d.GripRect.Top + dy), HTBOTTOMRIGHT);
    EXPECT_NE(hit(d.GripRect.Left + 1, d.GripRect.Top + 1), HTBOTTOMRIGHT);
    EXPECT_NE(hit(d.GripRect.Left + dx, d.GripRect.Top + (least / dx) - 1), HTBOTTOMRIGHT);
    EXPECT_EQ(hit(300, 250), HTCLIENT);

    // The grip is drawn, and again after a repaint: some pixel in its square
    // is not the face colour.
    const auto gripDrawn = [&] {
        const HWND h = d.hWnd();
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        const WindowDC dc(h);
        int marked = 0;
        for (int y = d.GripRect.Top; y < d.GripRect.Bottom; ++y)
            for (int x = d.GripRect.Left; x < d.GripRect.Right; ++x)
                marked += GetPixel(dc.get(), x, y) != GetSysColor(COLOR_BTNFACE);
        return marked;
    };
    EXPECT_GT(gripDrawn(), 4);
    EXPECT_GT(gripDrawn(), 4);

    // Far too small: moves that need negative sizes are skipped, and nothing
    // is reported.
    int reports = 0;
    ScopedErrorReporter reporter([&](std::wstring&, const CreatorError&) {
        ++reports;
        return AnswerIgnore;
    });
    const double listHeight = d(L"lstIcons").Height();
    SetWindowPos(d.hWnd(), nullptr, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER);
    PumpEvents(100);
    EXPECT_EQ(reports, 0);
    EXPECT_DOUBLE_EQ(d(L"lstIcons").Height(), listHeight);
    EXPECT_LT(d(L"cmdOK").Top(), d(L"lstIcons").Top()); // overlapping, as asked
    EXPECT_TRUE(d.Loaded());
}

// The wizard on its "More Options" page, where the icon box shows.
void ToIconPage(frmWizard& w) {
    while (w.CurrentStep < PageName)
        w.NextStep(1);
    PumpEvents(100);
}

TEST_F(ChangeIcon, ThePreviewShowsTheChosenIconAndKeepsIt) {
    frmWizard& w = *wizard;
    ToIconPage(w);
    const HWND box = w(L"picIcon").hWnd();
    w.IconFile = ThreeIcons();
    w.IconIndex = 2;
    w.UpdateIcon();
    EXPECT_TRUE(Near(ShownPixel(box, 10, 10), Blue));
    EXPECT_TRUE(Near(ShownPixel(box, 31, 31), Blue)); // drawn again by a repaint
    w.IconIndex = 0;
    w.UpdateIcon();
    EXPECT_TRUE(Near(ShownPixel(box, 16, 16), Red));

    // A file that is no program, library or icon: the box is cleared only.
    TempFolder dir;
    const std::string plain = dir.Path("plain.txt");
    WriteFileBytes(plain, {'x'});
    w.IconFile = Wide(plain);
    w.UpdateIcon();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(ShownPixel(box, 16, 16), face);
    EXPECT_EQ(ShownPixel(box, 0, 0), face);
}

namespace {

// Runs inside the modal dialog's pump: picks the green icon and confirms,
// or (the second time) cancels.
bool cancelNext = false;
int dialogsSeen = 0;
HWND wizardWindow = nullptr;

void CALLBACK DriveDialog(HWND, UINT, UINT_PTR id, DWORD) {
    for (Form* form : LoadedForms()) {
        auto* d = dynamic_cast<frmChangeIcon*>(form);
        if (!d || !d->Visible())
            continue;
        KillTimer(nullptr, id);
        ++dialogsSeen;
        // The wizard is disabled while the dialog is open.
        if (IsWindowEnabled(wizardWindow) || !IsWindowEnabled(d->hWnd()))
            dialogsSeen += 100;
        if (cancelNext) {
            d->cmdCancel_Click();
            return;
        }
        (*d)(L"txtFilename").SetText(ThreeIcons());
        (*d)(L"txtFilename").SetFocus();
        (*d)(L"lstIcons").SetFocus();
        DoEvents();
        d->lstIcons.SetListIndex(1);
        d->cmdOK_Click();
        return;
    }
}

} // namespace

TEST_F(ChangeIcon, ChangeButtonAndPreviewDoubleClickOpenItModally) {
    frmWizard& w = *wizard;
    ToIconPage(w);
    wizardWindow = w.hWnd();
    const HWND box = w(L"picIcon").hWnd();
    dialogsSeen = 0;
    cancelNext = false;
    SetTimer(nullptr, 0, 100, DriveDialog);
    SendMessageW(w(L"cmdIcon").hWnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(dialogsSeen, 1);
    EXPECT_EQ(w.IconFile, ThreeIcons());
    EXPECT_EQ(w.IconIndex, 1);
    EXPECT_TRUE(Near(ShownPixel(box, 16, 16), Green));
    EXPECT_TRUE(IsWindowEnabled(w.hWnd()));

    cancelNext = true;
    SetTimer(nullptr, 0, 100, DriveDialog);
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageW(box, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(dialogsSeen, 2);
    EXPECT_EQ(w.IconIndex, 1);
    EXPECT_TRUE(Near(ShownPixel(box, 16, 16), Green));
}
