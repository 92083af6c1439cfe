// The library's settings sheet and previews, driven through its exports as
// the creator drives them: which pages it shows, what OK and Cancel do to
// the library's record, the effect a preview is forced to, and the help
// texts.
#include "SheetDriver.h"

#include "core/SaverRecord.h"
#include "resources/SettingsIds.h"
#include "tests/library/LibraryApi.h"
#include "tests/support/WinTest.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

constexpr COLORREF Background = RGB(0x20, 0x30, 0x40);
constexpr COLORREF LogoColour = RGB(0xC0, 0x80, 0x40);

// A 32-bit bitmap file of one colour, opaque.
void WriteBitmap(const std::string& path, int width, int height) {
    const uint32_t pixels = static_cast<uint32_t>(width * height * 4);
    std::vector<uint8_t> file(54 + pixels);
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(file.size()), 0, 0, 54};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = height;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    std::memcpy(file.data(), &fh, sizeof fh);
    std::memcpy(file.data() + 14, &ih, sizeof ih);
    for (uint32_t i = 0; i < pixels; i += 4) {
        file[54 + i] = GetBValue(LogoColour);
        file[54 + i + 1] = GetGValue(LogoColour);
        file[54 + i + 2] = GetRValue(LogoColour);
        file[54 + i + 3] = 0xFF;
    }
    WriteFileBytes(path, file);
}

class LibrarySheet : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Library().Loaded()) << Library().missing;
        Library().SetSettings(nullptr); // the defaults: Standard shown and enabled
        SaverTrailer t = Record();      // and no name
        std::memset(t.SaverName, 0, sizeof t.SaverName);
        Put(t);
        Library().SetLogo(logo_.c_str(), 0, 0, 0, 1);
        Library().SetColor(static_cast<int32_t>(Background), -1);
        owner_ = CreateWindowExA(0, "Static", "owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }

    SaverTrailer Record() {
        SaverTrailer t{};
        Library().GetSettings(&t);
        return t;
    }
    void Put(const SaverTrailer& t) { Library().SetSettings(&t); }
    void Sheet(int32_t page, const std::function<void(HWND)>& driver) {
        DriveModal([&] { Library().ShowSettings(owner_, page); }, driver);
    }

    static std::string MakeLogo() {
        static TempFolder folder;
        const std::string path = folder.Path("logo.bmp");
        WriteBitmap(path, 40, 30);
        return path;
    }
    std::string logo_ = MakeLogo();
    HWND owner_ = nullptr;
};

// Which page a page window is, by the controls only it has.
std::string Kind(HWND page) {
    if (GetDlgItem(page, IDC_CHANGE))
        return "General";
    if (GetDlgItem(page, IDC_GRAVITY))
        return "Bounce";
    if (GetDlgItem(page, IDC_FADE) && GetDlgItem(page, IDC_DELAY))
        return "Standard";
    if (GetDlgItem(page, IDC_DELAY))
        return "Many";
    if (GetDlgItem(page, IDC_TILE_SMALL))
        return "Slider";
    return "other";
}

} // namespace

TEST_F(LibrarySheet, HiddenEffectOpensAloneAndOkShowsItAgain) {
    EXPECT_EQ(Library().GetSaverState(EffectBounce), 0);
    std::map<std::string, std::string> seen;
    Sheet(EffectBounce, [&](HWND sheet) {
        seen["pages"] = std::to_string(PageCount(sheet));
        seen["title"] = PageTitle(sheet, 0);
        HWND page = CurrentPage(sheet);
        seen["kind"] = Kind(page);
        seen["enabled box"] = std::to_string(IsWindowVisible(GetDlgItem(page, IDC_ENABLED)));
        seen["hide box"] = std::to_string(IsWindowVisible(GetDlgItem(page, IDC_HIDE)));
        // Bounce is not enabled, yet its options stay usable.
        seen["speed usable"] = std::to_string(IsWindowEnabled(GetDlgItem(page, IDC_SPEED)));
        SendDlgItemMessageA(page, IDC_SPEED, TBM_SETPOS, TRUE, 6);
        Click(page, IDC_GRAVITY);
        PressOk(sheet);
    });
    EXPECT_EQ(seen["pages"], "1");
    EXPECT_EQ(seen["title"], "Bounce");
    EXPECT_EQ(seen["kind"], "Bounce");
    EXPECT_EQ(seen["enabled box"], "0");
    EXPECT_EQ(seen["hide box"], "0");
    EXPECT_EQ(seen["speed usable"], "1");
    const SaverTrailer t = Record();
    EXPECT_EQ(Library().GetSaverState(EffectBounce), 2); // shown, not enabled
    EXPECT_EQ(t.Settings.HiddenMask, 0xFA & ~EffectBounce);
    EXPECT_EQ(t.Settings.EnabledMask, EffectStandard);
    EXPECT_EQ(t.Settings.BounceSpeed, 6);
    EXPECT_EQ(t.Settings.BounceGravity, 18); // normalised after the sheet
}

TEST_F(LibrarySheet, ShownEffectOpensOnItsPageAmongTheOthersWithoutAbout) {
    SaverTrailer t = Record();
    t.Settings.HiddenMask = 0xFA & ~(EffectMany | EffectSlider);
    SetField(t.SaverName, "Harbour");
    Put(t);
    std::vector<std::string> titles;
    std::string current, caption;
    Sheet(EffectMany, [&](HWND sheet) {
        for (int i = 0; i < PageCount(sheet); ++i)
            titles.push_back(PageTitle(sheet, i));
        current = Kind(CurrentPage(sheet));
        caption = TextOf(sheet);
        PressCancel(sheet);
    });
    EXPECT_EQ(titles, (std::vector<std::string>{"General", "Standard", "Many", "Slider"}));
    EXPECT_EQ(current, "Many");
    EXPECT_EQ(caption, "Harbour");

    // Page 1, or a page that matches nothing, opens on General.
    for (int32_t page : {1, 3}) {
        Sheet(page, [&](HWND sheet) {
            current = Kind(CurrentPage(sheet));
            caption = TextOf(sheet);
            PressCancel(sheet);
        });
        EXPECT_EQ(current, "General") << page;
    }
}

TEST_F(LibrarySheet, ContentLogoShowsTheGeneralPageOnly) {
    Library().SetLogo(logo_.c_str(), 2, 320, 240, 0);
    std::vector<std::string> titles;
    std::string caption;
    Sheet(EffectStandard, [&](HWND sheet) {
        for (int i = 0; i < PageCount(sheet); ++i)
            titles.push_back(PageTitle(sheet, i));
        caption = TextOf(sheet);
        PressCancel(sheet);
    });
    EXPECT_EQ(titles, (std::vector<std::string>{"General"}));
    EXPECT_EQ(caption, "Settings");
}

TEST_F(LibrarySheet, CancelLeavesTheRecordAsItWas) {
    const SaverTrailer before = Record();
    Sheet(1, [&](HWND sheet) {
        HWND general = CurrentPage(sheet);
        Click(general, IDC_IGNORE_KEYS);
        SetDlgItemTextA(general, IDC_MINUTES, "9");
        HWND standard = SelectPage(sheet, 1);
        SendDlgItemMessageA(standard, IDC_DELAY, TBM_SETPOS, TRUE, 11);
        PressCancel(sheet);
    });
    const SaverTrailer after = Record();
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);

    // OK takes the same changes.
    Sheet(1, [&](HWND sheet) {
        HWND general = CurrentPage(sheet);
        Click(general, IDC_IGNORE_KEYS);
        SetDlgItemTextA(general, IDC_MINUTES, "9");
        HWND standard = SelectPage(sheet, 1);
        SendDlgItemMessageA(standard, IDC_DELAY, TBM_SETPOS, TRUE, 11);
        PressOk(sheet);
    });
    const SaverTrailer ok = Record();
    EXPECT_EQ(ok.Settings.IgnoreInput, 1);
    EXPECT_EQ(ok.Settings.ChangeMinutes, 9);
    EXPECT_EQ(ok.Settings.StandardDelay, 11000);
    EXPECT_EQ(ok.Settings.EnabledMask, EffectStandard); // the hidden box kept it
}

namespace {

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}

HWND FindPreview() {
    return FindWindowA("WindowsScreenSaverClassPreview", nullptr);
}

// The colour at the middle of the preview once its first frame is drawn,
// then closes the preview with a key.
COLORREF MiddleOfPreview(bool& opened) {
    HWND preview = FindPreview();
    opened = preview != nullptr;
    if (!preview)
        return CLR_INVALID;
    PumpFor(1500);
    RECT r{};
    GetWindowRect(preview, &r);
    const COLORREF c = ScreenPixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(preview, WM_KEYDOWN, 'A', 0);
    PumpFor(100);
    return c;
}

} // namespace

TEST_F(LibrarySheet, PreviewIsForcedToTheAskedEffect) {
    // Static is not enabled (defaults: Standard alone) but is asked for: the
    // logo shows in the middle of the screen at once.
    EXPECT_EQ(Library().ShowConfig(owner_, -EffectStatic), 0);
    bool opened = false;
    EXPECT_EQ(MiddleOfPreview(opened), LogoColour);
    EXPECT_TRUE(opened);
    EXPECT_EQ(FindPreview(), nullptr);

    // With no effect enabled at all, nothing runs: the background only.
    SaverTrailer t = Record();
    t.Settings.EnabledMask = 0;
    Put(t);
    EXPECT_EQ(Library().ShowConfig(owner_, -EffectMany), 0);
    EXPECT_EQ(MiddleOfPreview(opened), Background);
    EXPECT_TRUE(opened);

    // No owner: nothing at all.
    EXPECT_EQ(Library().ShowConfig(nullptr, -EffectStatic), 0);
    EXPECT_EQ(Library().ShowConfig(nullptr, EffectStatic), 0);
    EXPECT_EQ(FindPreview(), nullptr);
}

TEST_F(LibrarySheet, PagePreviewShowsThatPagesEffectAndLeavesTheRecord) {
    SaverTrailer t = Record();
    t.Settings.HiddenMask = 0xFA & ~EffectStatic;
    t.Settings.StaticDisplay = DisplayNormal;
    Put(t);
    const SaverTrailer before = Record();
    COLORREF middle = CLR_INVALID;
    bool opened = false;
    Sheet(EffectStatic, [&](HWND sheet) {
        HWND page = CurrentPage(sheet);
        Click(page, IDC_PREVIEW);
        middle = MiddleOfPreview(opened);
        PressCancel(sheet);
    });
    EXPECT_TRUE(opened);
    EXPECT_EQ(middle, LogoColour);
    // The Preview wrote into its scratch copy only; the sheet was cancelled,
    // and the normaliser (run because something was written) changes
    // nothing here.
    const SaverTrailer after = Record();
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
}

// A logo far larger than the screen in Falling's largest count: the first
// frame scales many copies of it. A key during that frame, or a later one,
// closes the preview within the engine's stop time-out, and the creator's
// process goes on.
TEST_F(LibrarySheet, PreviewOfAHugeLogoInFallingClosesOnAKeyInTime) {
    static TempFolder folder;
    const std::string huge = folder.Path("huge.bmp");
    WriteBitmap(huge, 6000, 4000);
    Library().SetLogo(huge.c_str(), 0, 0, 0, 1);
    SaverTrailer t = Record();
    t.Settings.FallingCount = 50;
    Put(t);
    for (const DWORD wait : {2000, 3000}) {
        EXPECT_EQ(Library().ShowConfig(owner_, -EffectFalling), 0);
        HWND preview = FindPreview();
        ASSERT_TRUE(preview) << wait;
        PumpFor(wait); // in the first frame, and later
        // Hidden first: Wine takes a visible window off the screen slowly.
        ShowWindow(preview, SW_HIDE);
        const DWORD before = GetTickCount();
        SendMessageA(preview, WM_KEYDOWN, 'A', 0);
        const DWORD took = GetTickCount() - before;
        EXPECT_FALSE(IsWindow(preview));
        EXPECT_LT(took, 1000u) << wait;
    }
    Library().SetLogo(logo_.c_str(), 0, 0, 0, 1);
    DeleteFileA(huge.c_str());
}

TEST(LibraryHelp, GetHelpStrGivesThePagesTexts) {
    ASSERT_TRUE(Library().Loaded()) << Library().missing;
    char text[512];
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(Library().GetHelpStr(EffectMany, IDC_DELAY, text), 1);
    EXPECT_STREQ(text, "This how fast the logos will appear");
    EXPECT_EQ(Library().GetHelpStr(EffectFalling, IDC_COUNT_SPIN, text), 1);
    EXPECT_STREQ(text, "This specifies how many logos should appear");
    EXPECT_EQ(Library().GetHelpStr(EffectStatic, IDC_SPEED, text), 0);
    EXPECT_STREQ(text, "");
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(Library().GetHelpStr(1, 4242, text), 0);
    EXPECT_STREQ(text, "");
}
