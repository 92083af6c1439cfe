// Quorvel.exe as a new user drives it: Next by BM_CLICK, text typed with
// SendInput, the built-in logo; the saver made is parsed with core/, the
// recent list read after closing, and the saver reopened and saved again.
// Then Flash movies as logos, a picture keyed by picking in the preview, and
// a picture of each format the logo page's Browse offers.
#include "core/Bmp32.h"
#include "core/ColorPalette.h"
#include "core/IconDirectory.h"
#include "core/LogoPreview.h"
#include "core/SaverTail.h"
#include "common/Handles.h"
#include "tests/support/CreatorDriver.h"
#include "tests/support/SaverFiles.h"
#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <zlib.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

// The "All Done!" page's Exit link: the lowest of its three visible command
// links (no installer made); nullptr while another page shows.
HWND ExitLink(HWND top) {
    const std::vector<HWND> links = VisibleChildren(top, L"QuorvelCommandLink");
    return links.size() == 3 ? links.back() : nullptr;
}

HWND WaitExitLink(HWND top, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND w = ExitLink(top))
            return w;
        if (GetTickCount() - start > ms)
            return nullptr;
        PumpFor(50);
    }
}

struct Parsed {
    SaverTrailer Record{};
    std::vector<uint8_t> Logo;
    ReadResult Result = ReadOk;
};
Parsed Parse(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    Parsed p;
    ByteTailSource source(bytes.data(), bytes.size());
    p.Result = ReadSaverTail(source, p.Record, p.Logo, 1);
    return p;
}

std::vector<uint8_t> PremultipliedDefimg() {
    std::vector<uint8_t> b = ReadFileBytes(TestDir() + "defimg.bmp");
    for (std::size_t i = 54; i + 4 <= b.size(); i += 4)
        for (int c = 0; c < 3; ++c)
            b[i + c] = static_cast<uint8_t>((b[i + c] * b[i + 3] + 127) / 255);
    return b;
}

std::wstring RecentValue(const std::wstring& name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Quorvel\\MRU", name.c_str(), RRF_RT_REG_SZ, nullptr,
                 value, &size);
    return value;
}

std::wstring Wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

const char* Title = "Quorvel Screensaver Creator 4.5.15";

// The logo page's background field (its combo box) and the palette it opens.
struct Palette {
    HWND Field = nullptr, Popup = nullptr;
};
Palette OpenPalette(HWND wizard, DWORD pid);
// A left press and release at (x, y) of a window's client area.
void PressAt(HWND w, int x, int y);
void SetText(HWND w, const std::wstring& text);
std::vector<HWND> ModeLists(HWND wizard);
bool HighlightEffect(HWND list, LPARAM mask);

// Pages 0 to 4 with Next; `onLogoPage` runs on the logo page, `onModesPage`
// on the animations page, `name` is typed over the default name, then
// `onNamePage` runs, and the saver is written to `target`. Returns the
// wizard window, on "All Done!".
HWND MakeSaver(ChildProcess& creator, const std::wstring& name, const std::wstring& target,
               std::wstring& defaultName, std::wstring& offeredPath,
               const std::function<void(HWND)>& onNamePage = {},
               const std::function<void(HWND)>& onLogoPage = {},
               const std::function<void(HWND)>& onModesPage = {}) {
    const HWND wizard = WaitForWindow(creator.Id(), nullptr, Title, 30000);
    EXPECT_NE(wizard, nullptr);
    if (!wizard)
        return nullptr;
    SetForegroundWindow(wizard);
    const HWND next = WaitChild(wizard, L"&Next >>");
    Pause();
    Click(next); // to the logo page: the built-in logo
    EXPECT_NE(WaitChild(wizard, L"Scale &Image..."), nullptr);
    if (onLogoPage)
        onLogoPage(wizard);
    Click(next); // animations
    EXPECT_NE(WaitChild(wizard, L"&General Settings"), nullptr);
    if (onModesPage)
        onModesPage(wizard);
    Click(next); // name and texts
    EXPECT_NE(WaitChild(wizard, L"Change..."), nullptr);
    const HWND field = Focused(wizard);
    defaultName = WindowText(field);
    if (!name.empty())
        Type(name); // over the whole text, selected when the page gave it the focus
    if (onNamePage)
        onNamePage(wizard);
    Click(next); // where to save
    const HWND create = WaitChild(wizard, L"Create");
    EXPECT_NE(create, nullptr);
    const HWND saveAs = Focused(wizard);
    offeredPath = WindowText(saveAs);
    Type(target);
    Click(create);
    EXPECT_NE(WaitExitLink(wizard, 30000), nullptr); // "All Done!"
    return wizard;
}

BOOL CALLBACK FindTrackbar(HWND w, LPARAM lp) {
    if (ClassOf(w) == L"msctls_trackbar32") {
        *reinterpret_cast<HWND*>(lp) = w;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindMiniatureScreen(HWND w, LPARAM lp) {
    // The monitor's screen: a picture box in a picture box in a picture box.
    const HWND up = GetParent(w);
    if (ClassOf(w) == L"QuorvelPicture" && ClassOf(up) == L"QuorvelPicture" &&
        ClassOf(GetParent(up)) == L"QuorvelPicture") {
        *reinterpret_cast<HWND*>(lp) = w;
        return FALSE;
    }
    return TRUE;
}

// The pointer rests on the dialog's miniature logo: the actual-size pop-up
// shows it at `percent`, and goes when the pointer moves away.
void RestOnMiniature(HWND dialog, DWORD pid, int percent) {
    HWND screen = nullptr;
    EnumChildWindows(dialog, FindMiniatureScreen, reinterpret_cast<LPARAM>(&screen));
    ASSERT_NE(screen, nullptr);
    POINT at{3, 3};
    ClientToScreen(screen, &at);
    SetCursorPos(at.x, at.y);
    const HWND popup = WaitForWindow(pid, "QuorvelForm", "", 5000);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(GetWindow(popup, GW_OWNER), dialog);
    RECT r{};
    GetWindowRect(popup, &r);
    EXPECT_EQ(r.left, at.x);
    EXPECT_EQ(r.top, at.y + 30);
    const int side = 200 * percent / 100; // the built-in logo's
    EXPECT_GT(r.right - r.left, side);
    EXPECT_LT(r.right - r.left, side + 40);
    EXPECT_GT(r.bottom - r.top, side + 10); // "Actual Size:" above it
    Pause();
    SetCursorPos(at.x + 11, at.y - 20); // off the miniature too
    for (int i = 0; i < 40 && IsWindowVisible(popup); ++i)
        PumpFor(50);
    EXPECT_FALSE(IsWindowVisible(popup));
}

// The logo bitmap's width and height in the saver's logo bytes.
std::pair<int32_t, int32_t> LogoSize(const std::vector<uint8_t>& logo) {
    int32_t w = 0, h = 0;
    if (logo.size() >= 26) {
        std::memcpy(&w, &logo[18], 4);
        std::memcpy(&h, &logo[22], 4);
    }
    return {w, h < 0 ? -h : h};
}

} // namespace

TEST(WizardRoad, BuiltInLogoSaverIsMadeListedAndReopened) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorvel");
    TempFolder dir;
    const std::string first = dir.Path("Road Test.scr"), second = dir.Path("again.scr");
    const std::string exe = "\"" + TestDir() + "Quorvel.exe\"";
    {
        ChildProcess creator(exe);
        ASSERT_TRUE(creator.Started());
        std::wstring defaultName, offered;
        const HWND wizard = MakeSaver(creator, L"Road Test", Wide(first), defaultName, offered);
        ASSERT_NE(wizard, nullptr);
        EXPECT_EQ(defaultName, L"My Saver");
        EXPECT_NE(offered.find(L"\\Road Test.scr"), std::wstring::npos) << offered.c_str();
        ClickLink(ExitLink(wizard));
        EXPECT_EQ(creator.Wait(20000), 0u);
    }
    const Parsed made = Parse(first);
    ASSERT_EQ(made.Result, ReadOk);
    EXPECT_STREQ(made.Record.SaverName, "Road Test");
    EXPECT_STREQ(made.Record.AboutText, " ");
    EXPECT_STREQ(made.Record.WebAddress, " ");
    EXPECT_EQ(made.Record.CreatorVersion, 40515);
    EXPECT_EQ(made.Record.PicHasTrans, -1);
    EXPECT_EQ(made.Record.DynamicLogo, 0);
    EXPECT_EQ(made.Logo, PremultipliedDefimg()); // byte for byte

    {
        // The saver runs full screen: black around the logo, the logo's blue somewhere.
        ChildProcess saver("\"" + first + "\" /s");
        ASSERT_TRUE(saver.Started());
        const HWND shown = WaitForWindow(saver.Id(), nullptr, nullptr, 20000);
        ASSERT_NE(shown, nullptr);
        PumpFor(1500);
        RECT r{};
        GetWindowRect(shown, &r);
        EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
        EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN));
        const WindowDC screen(nullptr);
        int black = 0, blue = 0;
        for (int y = 4; y < r.bottom; y += 8)
            for (int x = 4; x < r.right; x += 8) {
                const COLORREF c = GetPixel(screen.get(), x, y);
                black += c == 0;
                blue += GetBValue(c) > 120 && GetBValue(c) > GetRValue(c) + 40;
            }
        EXPECT_GT(black, 20000); // most of the 32,400 samples
        EXPECT_GT(blue, 10);
        PostMessageW(shown, WM_CLOSE, 0, 0);
        saver.Wait(10000);
    }

    EXPECT_EQ(RecentValue(L"0Name"), L"Road Test");
    EXPECT_EQ(RecentValue(L"0File"), Wide(first));

    // Restarted: the recent entry is picked and left with Next; its
    // background, key and effects changed and saved to a second path. Then
    // "<< Back" from "All Done!" and Create save a third, as the pages show.
    const std::string third = dir.Path("third.scr");
    const PaletteEntry gray = BuildPalette()[15];
    {
        ChildProcess creator(exe);
        ASSERT_TRUE(creator.Started());
        const HWND wizard = WaitForWindow(creator.Id(), nullptr, Title, 30000);
        ASSERT_NE(wizard, nullptr);
        const std::vector<HWND> combos = VisibleChildren(wizard, L"ComboBox");
        ASSERT_EQ(combos.size(), 1u);
        const HWND combo = combos[0];
        EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 1);
        SendMessageW(combo, CB_SETCURSEL, 0, 0);
        SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        std::wstring name, offered;
        const auto onLogo = [&](HWND w) {
            PressAt(OpenPalette(w, creator.Id()).Popup, gray.X + 5, gray.Y + 5);
            Click(Child(w, L"&Make this color transparent:")); // the key on
        };
        const auto onModes = [&](HWND w) {
            const std::vector<HWND> lists = ModeLists(w);
            ASSERT_EQ(lists.size(), 2u);
            ASSERT_TRUE(HighlightEffect(lists[0], EffectBounce));
            Click(Child(w, L"&Add ->"));
        };
        ASSERT_NE(MakeSaver(creator, L"", Wide(second), name, offered, {}, onLogo, onModes),
                  nullptr);
        EXPECT_EQ(name, L"Road Test"); // the saver's own name came back
        Click(Child(wizard, L"<< &Back"));
        ASSERT_NE(WaitChild(wizard, L"Create"), nullptr);
        SetText(Focused(wizard), Wide(third));
        Click(Child(wizard, L"Create"));
        ASSERT_NE(WaitExitLink(wizard, 30000), nullptr);
        // "Create another": page 0 shows the saver that Next reads in again,
        // now the third of the recent list.
        const std::vector<HWND> links = VisibleChildren(wizard, L"QuorvelCommandLink");
        ASSERT_EQ(links.size(), 3u);
        ClickLink(links[1]);
        ASSERT_NE(WaitChild(wizard, L"&Next >>"), nullptr);
        EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
        EXPECT_EQ(WindowText(combo), L"Road Test");
        PostMessageW(wizard, WM_CLOSE, 0, 0);
        EXPECT_EQ(creator.Wait(20000), 0u);
    }
    const Parsed again = Parse(second);
    ASSERT_EQ(again.Result, ReadOk);
    EXPECT_STREQ(again.Record.SaverName, "Road Test");
    EXPECT_STREQ(again.Record.AboutText, " ");
    EXPECT_EQ(again.Logo, made.Logo); // not darkened by the reopening
    EXPECT_EQ(again.Record.BackgroundColor, gray.Colour);
    EXPECT_NE(again.Record.TransparentColor, made.Record.TransparentColor);
    EXPECT_EQ(again.Record.Settings.EnabledMask, made.Record.Settings.EnabledMask | EffectBounce);
    const Parsed last = Parse(third); // the same choices, not the reopened saver's
    ASSERT_EQ(last.Result, ReadOk);
    EXPECT_EQ(last.Record.BackgroundColor, again.Record.BackgroundColor);
    EXPECT_EQ(last.Record.TransparentColor, again.Record.TransparentColor);
    EXPECT_EQ(
        std::memcmp(&last.Record.Settings, &again.Record.Settings, sizeof last.Record.Settings), 0);
    EXPECT_EQ(last.Logo, again.Logo);
    EXPECT_EQ(RecentValue(L"0File"), Wide(third));
    EXPECT_EQ(RecentValue(L"1File"), Wide(second));
    EXPECT_EQ(RecentValue(L"2File"), Wide(first));
}

namespace {

struct Picture {
    HWND Button = nullptr;
    HWND Box = nullptr;
};

BOOL CALLBACK FindIconBox(HWND w, LPARAM lp) {
    auto* p = reinterpret_cast<Picture*>(lp);
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (w != p->Button && std::wstring(cls) == L"QuorvelPicture") {
        p->Box = w;
        return FALSE;
    }
    return TRUE;
}

std::vector<uint8_t> ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type) {
    HRSRC found = FindResourceW(module, name, type);
    if (!found)
        return {};
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    return data ? std::vector<uint8_t>(data, data + SizeofResource(module, found))
                : std::vector<uint8_t>{};
}

} // namespace

TEST(WizardRoad, ChangeIconGivesTheSaverTheIconPicked) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorvel");
    TempFolder dir;
    const std::string target = dir.Path("Icon Test.scr");
    const std::string library = TestDir() + "threeicons.dll";
    const std::string exe = "\"" + TestDir() + "Quorvel.exe\"";
    COLORREF preview = CLR_INVALID;
    bool dialogClosed = false;
    {
        ChildProcess creator(exe);
        ASSERT_TRUE(creator.Started());
        std::wstring defaultName, offered;
        const HWND wizard =
            MakeSaver(creator, L"", Wide(target), defaultName, offered, [&](HWND wizard) {
                const HWND change = WaitChild(wizard, L"Change...");
                ASSERT_NE(change, nullptr);
                PostMessageW(change, BM_CLICK, 0, 0); // the dialog is modal: do not wait
                const HWND dialog = WaitForWindow(creator.Id(), nullptr, "Change Icon", 10000);
                ASSERT_NE(dialog, nullptr);
                SetForegroundWindow(dialog);
                Pause();
                PressKeys({VK_MENU, 'L'}); // "&Look for icons in this file:"
                Type(Wide(library));
                PressKeys({VK_MENU, 'S'}); // "&Select an icon...": the list loads the file
                PressKeys({VK_DOWN});
                PressKeys({VK_DOWN}); // the third icon
                Pause();
                PressKeys({VK_RETURN}); // OK
                for (int i = 0; i < 50 && IsWindow(dialog); ++i)
                    PumpFor(100);
                dialogClosed = !IsWindow(dialog);
                Picture p{change};
                EnumChildWindows(GetParent(change), FindIconBox, reinterpret_cast<LPARAM>(&p));
                ASSERT_NE(p.Box, nullptr);
                // Read from the screen, where the user sees it.
                SetForegroundWindow(wizard);
                PumpFor(300);
                RECT r{};
                GetWindowRect(p.Box, &r);
                const WindowDC screen(nullptr);
                preview = GetPixel(screen.get(), r.left + 16, r.top + 16);
            });
        ASSERT_NE(wizard, nullptr);
        PostMessageW(wizard, WM_CLOSE, 0, 0);
        EXPECT_EQ(creator.Wait(20000), 0u);
    }
    EXPECT_TRUE(dialogClosed);
    EXPECT_EQ(preview, RGB(30, 40, 220)); // the blue group's 32 x 32 image

    // The saver's group 5 is the library's third group, renumbered, with its images.
    const UniqueModule source(LoadLibraryExA(library.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    const UniqueModule saver(LoadLibraryExA(target.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(source);
    ASSERT_TRUE(saver);
    const std::vector<uint8_t> group =
        ResourceBytes(source.get(), MAKEINTRESOURCEW(103), MAKEINTRESOURCEW(14));
    const auto expected = RenumberIconGroup(group.data(), group.size());
    ASSERT_TRUE(expected.has_value());
    ASSERT_EQ(expected->SourceIds.size(), 2u);
    EXPECT_EQ(ResourceBytes(saver.get(), MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(14)),
              expected->Directory);
    for (std::size_t k = 0; k < expected->SourceIds.size(); ++k) {
        const std::vector<uint8_t> image = ResourceBytes(
            source.get(), MAKEINTRESOURCEW(expected->SourceIds[k]), MAKEINTRESOURCEW(3));
        ASSERT_FALSE(image.empty());
        EXPECT_EQ(ResourceBytes(saver.get(), MAKEINTRESOURCEW(k + 1), MAKEINTRESOURCEW(3)), image)
            << k;
    }
}

// "Scale Image..." from the logo page: the wizard waits greyed while the
// dialog is open; Cancel keeps the scale, OK at 200 % doubles the saver's
// logo, and a background picked after it keeps the scale. A palette cell
// pressed but let go off the cells changes neither the field nor the saver.
TEST(WizardRoad, ScaleImageDialogScalesTheSaversLogo) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorvel");
    TempFolder dir;
    const std::string target = dir.Path("scaled.scr");
    ChildProcess creator("\"" + TestDir() + "Quorvel.exe\"");
    ASSERT_TRUE(creator.Started());
    // Opens the dialog, moves the slider to `percent` as a release of the
    // thumb there sends it, and presses `button` (nullptr: Esc on the
    // slider); the position it opened at.
    const auto scale = [&](HWND wizard, int percent, const wchar_t* button) {
        Click(Child(wizard, L"Scale &Image..."));
        const HWND dialog = WaitForWindow(creator.Id(), nullptr, "Scale Image", 10000);
        EXPECT_NE(dialog, nullptr);
        if (!dialog)
            return -1;
        EXPECT_FALSE(IsWindowEnabled(wizard));
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), wizard);
        HWND bar = nullptr;
        EnumChildWindows(dialog, FindTrackbar, reinterpret_cast<LPARAM>(&bar));
        EXPECT_NE(bar, nullptr);
        if (!bar)
            return -1;
        const int opened = static_cast<int>(SendMessageW(bar, TBM_GETPOS, 0, 0));
        SendMessageW(bar, TBM_SETPOS, TRUE, percent);
        SendMessageW(GetParent(bar), WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                     reinterpret_cast<LPARAM>(bar));
        Pause();
        if (button && button == std::wstring(L"OK"))
            RestOnMiniature(dialog, creator.Id(), percent);
        if (button) {
            Click(Child(dialog, button));
        } else {
            PostMessageW(bar, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            PostMessageW(bar, WM_KEYUP, VK_ESCAPE, 0xC0010001);
            // Wine takes a while to let an active window go without a window manager.
            for (int i = 0; i < 100 && IsWindow(dialog); ++i)
                PumpFor(50);
        }
        EXPECT_FALSE(IsWindow(dialog));
        EXPECT_TRUE(IsWindowEnabled(wizard));
        return opened;
    };
    const PaletteEntry gray = BuildPalette()[15], other = BuildPalette()[20];
    COLORREF field = CLR_INVALID;
    std::wstring name, offered;
    const HWND wizard = MakeSaver(creator, L"", Wide(target), name, offered, {}, [&](HWND w) {
        EXPECT_EQ(scale(w, 300, nullptr), 100);
        EXPECT_EQ(scale(w, 200, L"OK"), 100); // Cancel left the scale alone
        EXPECT_EQ(scale(w, 150, L"Cancel"), 200);
        const HWND popup = OpenPalette(w, creator.Id()).Popup;
        ASSERT_NE(popup, nullptr);
        PressAt(popup, gray.X + 5, gray.Y + 5); // the logo's alpha is composed over it again
        const Palette p = OpenPalette(w, creator.Id());
        ASSERT_NE(p.Popup, nullptr);
        DWORD_PTR r = 0;
        for (const auto& [message, at] :
             {std::pair{WM_LBUTTONDOWN, MAKELPARAM(other.X + 5, other.Y + 5)},
              {WM_MOUSEMOVE, MAKELPARAM(-30, -30)},
              {WM_LBUTTONUP, MAKELPARAM(-30, -30)}})
            SendMessageTimeoutW(p.Popup, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at,
                                SMTO_NORMAL, 5000, &r);
        // Nor does one held down while Esc closes the pop-up.
        const Palette q = OpenPalette(w, creator.Id());
        ASSERT_NE(q.Popup, nullptr);
        SendMessageTimeoutW(q.Popup, WM_LBUTTONDOWN, MK_LBUTTON,
                            MAKELPARAM(other.X + 5, other.Y + 5), SMTO_NORMAL, 5000, &r);
        SendMessageTimeoutW(q.Field, WM_KEYDOWN, VK_ESCAPE, 0, SMTO_NORMAL, 5000, &r);
        // Nor a second press on another cell while the first is held.
        const Palette t = OpenPalette(w, creator.Id());
        ASSERT_NE(t.Popup, nullptr);
        const PaletteEntry third = BuildPalette()[3];
        SendMessageTimeoutW(t.Popup, WM_LBUTTONDOWN, MK_LBUTTON,
                            MAKELPARAM(other.X + 5, other.Y + 5), SMTO_NORMAL, 5000, &r);
        SendMessageTimeoutW(t.Popup, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON,
                            MAKELPARAM(third.X + 5, third.Y + 5), SMTO_NORMAL, 5000, &r);
        SendMessageTimeoutW(t.Field, WM_KEYDOWN, VK_ESCAPE, 0, SMTO_NORMAL, 5000, &r);
        SetCursorPos(0, 0); // no help balloon over the field
        Pause();
        // Read from the screen, where the user sees it: a point of the swatch.
        RECT box{};
        GetWindowRect(p.Field, &box);
        const WindowDC screen(nullptr);
        field = GetPixel(screen.get(), (3 * box.left + box.right) / 4, (box.top + box.bottom) / 2);
        EXPECT_EQ(scale(w, 200, L"Cancel"), 200);
    });
    ASSERT_NE(wizard, nullptr);
    PostMessageW(wizard, WM_CLOSE, 0, 0);
    EXPECT_EQ(creator.Wait(20000), 0u);
    const Parsed made = Parse(target);
    ASSERT_EQ(made.Result, ReadOk);
    EXPECT_EQ(LogoSize(made.Logo), std::make_pair(400, 400)); // the built-in 200 x 200 logo
    EXPECT_EQ(made.Logo.size(), 54u + 400u * 400 * 4);
    EXPECT_EQ(made.Record.BackgroundColor, gray.Colour);
    EXPECT_EQ(field, gray.Colour);
}

namespace {

BOOL CALLBACK CollectVisible(HWND w, LPARAM lp) {
    if (IsWindowVisible(w))
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
}

// The visible windows under `top` of this class ("" any).
std::vector<HWND> OfClass(HWND top, const std::wstring& cls) {
    std::vector<HWND> all, found;
    EnumChildWindows(top, CollectVisible, reinterpret_cast<LPARAM>(&all));
    for (HWND w : all) {
        wchar_t name[64] = {};
        GetClassNameW(w, name, 64);
        if (cls.empty() || cls == name)
            found.push_back(w);
    }
    return found;
}

RECT ScreenBox(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

void PressAt(HWND w, int x, int y) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &r);
    SendMessageTimeoutW(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y), SMTO_NORMAL, 30000, &r);
    Pause();
}

void SetText(HWND w, const std::wstring& text) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                        30000, &r);
    Pause();
}

// The logo's text: the widest text box of the logo page.
HWND LogoText(HWND wizard) {
    HWND widest = nullptr;
    for (HWND w : OfClass(wizard, L"Edit"))
        if (!widest || ScreenBox(w).right - ScreenBox(w).left >
                           ScreenBox(widest).right - ScreenBox(widest).left)
            widest = w;
    return widest;
}

// The creator started, on its logo page.
HWND OnLogoPage(ChildProcess& creator) {
    const HWND wizard = WaitForWindow(creator.Id(), nullptr, Title, 30000);
    if (!wizard)
        return nullptr;
    SetForegroundWindow(wizard);
    Click(WaitChild(wizard, L"&Next >>"));
    return WaitChild(wizard, L"Scale &Image...") ? wizard : nullptr;
}

// From the logo page: on to the Save page, the saver written to `target`,
// Exit; the creator's exit code.
// The list box inside each of the animations page's two lists, left first.
std::vector<HWND> ModeLists(HWND wizard) {
    std::vector<HWND> lists;
    for (HWND box : VisibleChildren(wizard, L"QuorvelAPIListBox"))
        for (HWND w = GetWindow(box, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            if (ClassOf(w) == L"ListBox")
                lists.push_back(w);
    std::sort(lists.begin(), lists.end(),
              [](HWND a, HWND b) { return ScreenBox(a).left < ScreenBox(b).left; });
    return lists;
}

// Highlights the effect with this mask (the entries' data), as a click on
// it does; false when the list does not hold it.
bool HighlightEffect(HWND list, LPARAM mask) {
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0) != mask)
            continue;
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
        SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        return true;
    }
    return false;
}

// Next to the end, `onModes` run on the animations page; the saver made at
// `target` (by `create` given the Create button, or a click on it), the
// wizard left by Exit. The creator's exit code.
DWORD SaveFromLogoPage(ChildProcess& creator, HWND wizard, const std::string& target,
                       const std::function<void()>& onModes = {},
                       const std::function<void(HWND)>& create = {}) {
    const HWND next = Child(wizard, L"&Next >>");
    for (const wchar_t* page : {L"&General Settings", L"Change...", L"Create"}) {
        if (onModes && std::wstring(page) == L"Change...")
            onModes();
        Click(next);
        EXPECT_NE(WaitChild(wizard, page), nullptr) << page;
    }
    SetText(Focused(wizard), Wide(target));
    if (create)
        create(Child(wizard, L"Create"));
    else
        Click(Child(wizard, L"Create"));
    ClickLink(WaitExitLink(wizard, 30000));
    return creator.Wait(20000);
}

// A 550 x 400 movie (a 15-bit frame rectangle of 11000 x 8000 twips) and
// some tags; "CWS" deflates everything after its first 8 bytes.
std::vector<uint8_t> Movie550x400(bool compressed) {
    std::vector<uint8_t> body = {0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00, 0, 12, 1, 0};
    for (int i = 0; i < 300; ++i)
        body.push_back(static_cast<uint8_t>(i * 7));
    const uint32_t length = static_cast<uint32_t>(8 + body.size());
    std::vector<uint8_t> file = {compressed ? uint8_t('C') : uint8_t('F'), 'W', 'S', 8};
    for (int i = 0; i < 4; ++i)
        file.push_back(static_cast<uint8_t>(length >> 8 * i));
    uLongf size = compressBound(static_cast<uLong>(body.size()));
    std::vector<uint8_t> packed(size);
    compress2(packed.data(), &size, body.data(), static_cast<uLong>(body.size()), 9);
    packed.resize(size);
    const std::vector<uint8_t>& rest = compressed ? packed : body;
    file.insert(file.end(), rest.begin(), rest.end());
    return file;
}

} // namespace

TEST(WizardRoad, FlashMoviesAreRecognisedSizedAndStoredWhole) {
    TempFolder dir;
    for (const bool compressed : {false, true}) {
        SCOPED_TRACE(compressed ? "CWS" : "FWS");
        const std::string movie = dir.Path(compressed ? "packed.swf" : "plain.swf");
        const std::string target = dir.Path(compressed ? "packed.scr" : "plain.scr");
        WriteFileBytes(movie, Movie550x400(compressed));
        ChildProcess creator("\"" + TestDir() + "Quorvel.exe\"");
        const HWND wizard = OnLogoPage(creator);
        ASSERT_NE(wizard, nullptr);
        EXPECT_NE(Child(wizard, L"Transparent Color"), nullptr);
        SetText(LogoText(wizard), Wide(movie));
        EXPECT_NE(WaitChild(wizard, L"Flash Animation", 5000), nullptr);
        EXPECT_EQ(Child(wizard, L"Transparent Color"), nullptr);
        EXPECT_FALSE(IsWindowEnabled(Child(wizard, L"Scale &Image...")));
        EXPECT_EQ(SaveFromLogoPage(creator, wizard, target), 0u);

        const Parsed made = Parse(target);
        ASSERT_EQ(made.Result, ReadOk);
        const SaverSettings& s = made.Record.Settings;
        EXPECT_EQ(made.Record.DynamicLogo, 1);
        EXPECT_EQ(s.ContentFromFile, 1);
        EXPECT_EQ(s.ContentWidth * 1000 + s.ContentHeight, 550400);
        EXPECT_EQ(s.DynSize, 3);
        EXPECT_EQ(s.EnabledMask, 2); // Static alone
        std::vector<uint8_t> logo = ReadFileBytes(movie);
        const std::vector<uint8_t> name = MakeContentNameBlock(movie.c_str());
        logo.insert(logo.end(), name.begin(), name.end());
        EXPECT_EQ(made.Logo, logo);
    }
}

// A web address loaded as the logo by the "go" link, then another typed over
// it: leaving the page loads the one typed, which the saver shows.
// A file name as long as a name may be (250 of 255 characters, the whole
// path within MAX_PATH) is saved like any other.
TEST(WizardRoad, ASaverWithATwoHundredAndFiftyCharacterNameIsSaved) {
    const std::string folder = TempFolder().Path("").substr(0, 3) + "q\\";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    const std::string target = folder + std::string(246, 'n') + ".scr";
    ChildProcess creator("\"" + TestDir() + "Quorvel.exe\"");
    const HWND wizard = OnLogoPage(creator);
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(SaveFromLogoPage(creator, wizard, target), 0u);
    EXPECT_EQ(Parse(target).Result, ReadOk);
    EXPECT_EQ(CountFiles(folder + "*"), 1); // nothing left beside it
    DeleteFileA(target.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST(WizardRoad, AddressTypedOverALoadedOneIsTheOneSaved) {
    TempFolder dir;
    const std::string target = dir.Path("address.scr");
    ChildProcess creator("\"" + TestDir() + "Quorvel.exe\"");
    const HWND wizard = OnLogoPage(creator);
    ASSERT_NE(wizard, nullptr);
    const HWND text = LogoText(wizard);
    SetText(text, L"www.first.example");
    const auto width = [](HWND w) { return ScreenBox(w).right - ScreenBox(w).left; };
    HWND go = nullptr; // the narrowest command link, beside the text
    for (HWND w : VisibleChildren(wizard, L"QuorvelCommandLink"))
        if (!go || width(w) < width(go))
            go = w;
    ClickLink(go);
    EXPECT_EQ(Child(wizard, L"Transparent Color"), nullptr); // a content logo now
    SetText(text, L"www.second.example");
    EXPECT_EQ(SaveFromLogoPage(creator, wizard, target), 0u);
    const Parsed made = Parse(target);
    ASSERT_EQ(made.Result, ReadOk);
    EXPECT_EQ(made.Record.DynamicLogo, 1);
    const std::string page(made.Logo.begin(), made.Logo.end());
    EXPECT_NE(page.find("http://www.second.example"), std::string::npos);
    EXPECT_EQ(page.find("first"), std::string::npos);
}

namespace {

// Messages `posts` queues while the wizard's thread stands still, behind one
// that `sends` sends from a thread of its own (handled first when it runs).
void HeldStill(
    HWND wizard, const std::function<void()>& posts, const std::function<void()>& sends = [] {}) {
    const UniqueKernel thread(
        OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(wizard, nullptr)));
    ASSERT_TRUE(thread);
    SuspendThread(thread.get());
    std::thread sender(sends);
    Sleep(300);
    posts();
    ResumeThread(thread.get());
    sender.join();
}

// A left click at (10, 10), posted.
void PostClick(HWND button) {
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}

} // namespace

// While the saver is made, a double click on Create, a held Enter, Esc, a
// key and Close reach the wizard (queued while it was held still), and a
// close and a click that other programs ask for: it takes none of them,
// makes the saver once, whole, and stays on "All Done!".
TEST(WizardRoad, InputWhileTheSaverIsMadeIsNotTaken) {
    TempFolder dir;
    const std::string target = dir.Path("busy.scr");
    ChildProcess creator("\"" + TestDir() + "Quorvel.exe\"");
    const HWND wizard = OnLogoPage(creator);
    ASSERT_NE(wizard, nullptr);
    const auto inputDuringCreate = [&](HWND create) {
        const HWND focus = Focused(wizard), close = Child(wizard, L"Close");
        ASSERT_TRUE(create && focus && close);
        HeldStill(wizard, [&] {
            PostClick(create);
            PostMessageW(create, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
            PostMessageW(create, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
            for (const LPARAM repeat : {1, 0x40000001, 0x40000001})
                PostMessageW(focus, WM_KEYDOWN, VK_RETURN, repeat);
            PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 1);
            PostMessageW(focus, WM_CHAR, L'x', 1);
            PostClick(close);
            PostMessageW(wizard, WM_CLOSE, 0, 0);
            PostMessageW(create, BM_CLICK, 0, 0);
        });
        EXPECT_NE(WaitExitLink(wizard, 30000), nullptr);
        EXPECT_EQ(WindowText(focus), Wide(target));
        Pause();
    };
    EXPECT_EQ(SaveFromLogoPage(creator, wizard, target, {}, inputDuringCreate), 0u);
    const Parsed made = Parse(target);
    ASSERT_EQ(made.Result, ReadOk);
    EXPECT_EQ(made.Logo, PremultipliedDefimg());
}

// A large picture named with a click on Next, a key and a close queued
// behind it: the load takes none of them, and the saver gets that picture
// with its own key. Then Browse and Create queued behind Close (Create as a
// click and as a program's BM_CLICK) run no more: the wizard closes and
// writes nothing.
TEST(WizardRoad, NothingQueuedRunsWhileALogoLoadsOrTheWizardCloses) {
    TempFolder dir;
    const std::string picture = dir.Path("large.bmp"), target = dir.Path("large.scr"),
                      late = dir.Path("late.scr");
    WriteFileBytes(picture, MakeBitmap32(2000, 1200, [](int x, int y) {
                       return x < 4 || y < 4 || x >= 1996 || y >= 1196 ? 0xFFFF00FFu : 0xFF0000C8u;
                   }));
    ChildProcess creator("\"" + TestDir() + "Quorvel.exe\"");
    const HWND wizard = OnLogoPage(creator);
    ASSERT_NE(wizard, nullptr);
    const HWND next = Child(wizard, L"&Next >>"), text = LogoText(wizard);
    HeldStill(
        wizard,
        [&] {
            PostClick(next);
            PostMessageW(next, BM_CLICK, 0, 0);
            PostMessageW(text, WM_CHAR, L'x', 1);
            PostMessageW(wizard, WM_CLOSE, 0, 0);
        },
        [&] { SetText(text, Wide(picture)); });
    EXPECT_NE(Child(wizard, L"Scale &Image..."), nullptr); // still the logo page
    EXPECT_EQ(WindowText(text), Wide(picture));
    for (const wchar_t* page : {L"&General Settings", L"Change...", L"Create"}) {
        Click(next);
        ASSERT_NE(WaitChild(wizard, page), nullptr) << page;
    }
    SetText(Focused(wizard), Wide(target));
    Click(Child(wizard, L"Create"));
    ASSERT_NE(WaitExitLink(wizard, 30000), nullptr);
    const Parsed made = Parse(target);
    ASSERT_EQ(made.Result, ReadOk);
    EXPECT_EQ(LogoSize(made.Logo), std::make_pair(2000, 1200));
    EXPECT_EQ(made.Record.TransparentColor, static_cast<int32_t>(RGB(255, 0, 255)));

    Click(Child(wizard, L"<< &Back"));
    const HWND create = WaitChild(wizard, L"Create"), close = Child(wizard, L"Close"),
               browse = Child(wizard, L"B&rowse...");
    ASSERT_TRUE(create && close && browse);
    SetText(Focused(wizard), Wide(late));
    HeldStill(wizard, [&] {
        PostClick(close);
        PostClick(browse);
        PostClick(create);
        PostMessageW(create, BM_CLICK, 0, 0);
    });
    EXPECT_EQ(creator.Wait(20000), 0u);
    EXPECT_EQ(GetFileAttributesA(late.c_str()), INVALID_FILE_ATTRIBUTES);
}

namespace {

// The creator's palette pop-up: its visible top-level window as wide as the palette.
struct PopupSearch {
    DWORD Pid;
    HWND Found = nullptr;
};
BOOL CALLBACK FindPopup(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<PopupSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    const RECT r = ScreenBox(w);
    if (pid == s->Pid && IsWindowVisible(w) && r.right - r.left == PaletteWidth)
        s->Found = w;
    return !s->Found;
}

Palette OpenPalette(HWND wizard, DWORD pid) {
    const std::vector<HWND> drop = OfClass(wizard, L"QuorvelColorDrop");
    if (drop.size() != 1)
        return {};
    Palette p{GetWindow(drop[0], GW_CHILD)};
    PressAt(p.Field, 20, 5);
    PopupSearch popup{pid};
    for (int i = 0; i < 100 && !popup.Found; ++i, PumpFor(50))
        EnumWindows(FindPopup, reinterpret_cast<LPARAM>(&popup));
    p.Popup = popup.Found;
    return p;
}

} // namespace

TEST(WizardRoad, PictureKeyedByPickingOverAPaletteBackground) {
    TempFolder dir;
    const std::string picture = dir.Path("logo.bmp"), target = dir.Path("keyed.scr");
    // A magenta ring around a blue left and a green right half.
    WriteFileBytes(picture, MakeBitmap32(40, 30, [](int x, int y) {
                       const bool ring = x < 2 || y < 2 || x >= 38 || y >= 28;
                       return ring ? 0xFFFF00FFu : x < 20 ? 0xFF0000C8u : 0xFF00A000u;
                   }));
    ChildProcess creator("\"" + TestDir() + "Quorvel.exe\"");
    const HWND wizard = OnLogoPage(creator);
    ASSERT_NE(wizard, nullptr);
    SetText(LogoText(wizard), Wide(picture));

    // The background: cell 15 of the pop-up that the field's list opens.
    const HWND popup = OpenPalette(wizard, creator.Id()).Popup;
    ASSERT_NE(popup, nullptr);
    const PaletteEntry cell = BuildPalette()[15];
    PressAt(popup, cell.X + 5, cell.Y + 5);

    // The pick: Choose, then the pointer pressed and released over the green
    // half (the swatch, left of Choose, holds the mouse meanwhile).
    const HWND choose = Child(wizard, L"C&hoose...");
    ASSERT_NE(choose, nullptr);
    HWND swatch = nullptr;
    for (HWND w : OfClass(GetParent(choose), L""))
        if (ScreenBox(w).top == ScreenBox(choose).top &&
            ScreenBox(w).right <= ScreenBox(choose).left)
            swatch = w;
    const HWND preview = GetWindow(Child(wizard, L"Preview:"), GW_CHILD);
    ASSERT_TRUE(swatch && preview);
    RECT client{};
    GetClientRect(preview, &client);
    const PreviewRect logo = PreviewLogoRect(40, 30, client.right, client.bottom);
    POINT at{logo.Left + 30, logo.Top + 15};
    MapWindowPoints(preview, swatch, &at, 1);
    PressAt(choose, 5, 5);
    DWORD_PTR r = 0;
    SendMessageTimeoutW(swatch, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y), SMTO_NORMAL, 5000, &r);
    PressAt(swatch, at.x, at.y);

    // Bounce alone: Standard moved out, Bounce in.
    EXPECT_EQ(SaveFromLogoPage(creator, wizard, target,
                               [&] {
                                   const std::vector<HWND> lists = ModeLists(wizard);
                                   ASSERT_EQ(lists.size(), 2u);
                                   ASSERT_TRUE(HighlightEffect(lists[1], EffectStandard));
                                   Click(Child(wizard, L"<- &Remove"));
                                   ASSERT_TRUE(HighlightEffect(lists[0], EffectBounce));
                                   Click(Child(wizard, L"&Add ->"));
                                   EXPECT_EQ(SendMessageW(lists[1], LB_GETCOUNT, 0, 0), 1);
                               }),
              0u);
    const Parsed made = Parse(target);
    ASSERT_EQ(made.Result, ReadOk);
    EXPECT_EQ(made.Record.Settings.EnabledMask, EffectBounce); // alone
    EXPECT_EQ(made.Record.DynamicLogo, 0);
    EXPECT_EQ(made.Record.BackgroundColor, cell.Colour);
    EXPECT_EQ(made.Record.TransparentColor, static_cast<int32_t>(RGB(0, 160, 0)));
    const std::vector<uint8_t> original = ReadFileBytes(picture); // its pixels, 32 bits
    ASSERT_EQ(made.Logo.size(), original.size());
    EXPECT_TRUE(std::equal(made.Logo.begin() + 54, made.Logo.end(), original.begin() + 54));
}

namespace {

// The platform's imaging component kept out of the creators started
// meanwhile, by Wine's per-program setting (Wine's reads Targa): only the
// creator's own decoder can read those pictures then.
class WithoutImagingComponent {
  public:
    WithoutImagingComponent() {
        RegSetKeyValueW(HKEY_CURRENT_USER, Key, L"windowscodecs", REG_SZ, L"disabled",
                        sizeof L"disabled");
    }
    WithoutImagingComponent(const WithoutImagingComponent&) = delete;
    WithoutImagingComponent& operator=(const WithoutImagingComponent&) = delete;
    ~WithoutImagingComponent() { RegDeleteKeyValueW(HKEY_CURRENT_USER, Key, L"windowscodecs"); }

  private:
    static constexpr wchar_t Key[] = L"Software\\Wine\\AppDefaults\\Quorvel.exe\\DllOverrides";
};

// The nine colours of the pattern the tools wrote (np_pattern.ppm), as
// letters top row first, and the letters' colours (0xRRGGBB).
constexpr char PatternRows[5][8] = {"RGBWKNY", "KYCMNRG", "WKRBGCM", "NCYKWBR", "GMNYCKW"};
constexpr char PatternLetters[] = "RGBWKNYCM";
constexpr uint32_t PatternColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0,
                                       0x123456, 0xFFFF00, 0x00FFFF, 0xFF00FF};
int PatternIndex(int x, int y) {
    return static_cast<int>(std::strchr(PatternLetters, PatternRows[y][x]) - PatternLetters);
}

// The pattern as a Dr. Halo cut-out of literal rows, and its palette file:
// a 40-byte header, then 16-bit red, green and blue values of at most 255.
std::vector<uint8_t> HaloCut() {
    std::vector<uint8_t> b = {7, 0, 5, 0, 0, 0};
    for (int y = 0; y < 5; ++y) {
        b.insert(b.end(), {9, 0, 7});
        for (int x = 0; x < 7; ++x)
            b.push_back(static_cast<uint8_t>(PatternIndex(x, y)));
        b.push_back(0);
    }
    return b;
}
std::vector<uint8_t> HaloPalette() {
    std::vector<uint8_t> b = {'A', 'H', 10, 0, 0, 0, 'P', 0, 0, 0, 0, 0, 8, 0, 255, 0, 255, 0, 255};
    b.resize(40);
    for (uint32_t c : PatternColours)
        for (int shift : {16, 8, 0})
            b.insert(b.end(), {static_cast<uint8_t>(c >> shift), 0});
    return b;
}

// A Koala picture: the cells of the left half all C64 white (the screen
// memory's high half), the right half the black background.
std::vector<uint8_t> Koala() {
    std::vector<uint8_t> b(10003);
    b[1] = 0x60;
    for (int cell = 0; cell < 1000; ++cell)
        if (cell % 40 < 20) {
            std::fill_n(b.begin() + 2 + cell * 8, 8, uint8_t{0x55});
            b[8002 + cell] = 0x10;
        }
    return b;
}

// What a logo shows: its size and pixels (0xAARRGGBB), and for lossy
// formats how far a channel may stray and on how many pixels in a hundred.
struct Shown {
    int Width, Height;
    std::function<uint32_t(int x, int y)> Pixel;
    int Tolerance = 0, StrayPercent = 0;
};

// The logo page's Browse: the rightmost link beside the logo's text. Its
// Open dialog is given `path` and OK.
void PickThroughBrowse(HWND wizard, DWORD pid, const std::wstring& path) {
    const RECT text = ScreenBox(LogoText(wizard));
    HWND browse = nullptr;
    for (HWND link : VisibleChildren(wizard, L"QuorvelCommandLink"))
        if (ScreenBox(link).top < text.bottom && ScreenBox(link).bottom > text.top &&
            (!browse || ScreenBox(link).left > ScreenBox(browse).left))
            browse = link;
    ASSERT_NE(browse, nullptr);
    PostClick(browse);
    const HWND open = WaitForWindow(pid, "#32770", "Open Image File", 10000);
    ASSERT_NE(open, nullptr);
    const HWND name = GetDlgItem(open, 1148) ? GetDlgItem(open, 1148) : GetDlgItem(open, 1152);
    SetText(name, path);
    Click(GetDlgItem(open, IDOK));
    EXPECT_EQ(WindowText(LogoText(wizard)), path);
}

std::vector<uint8_t> Inflated(const std::vector<uint8_t>& packed, uLongf size) {
    std::vector<uint8_t> out(size);
    uncompress(out.data(), &size, packed.data(), static_cast<uLong>(packed.size()));
    out.resize(size);
    return out;
}

} // namespace

TEST(WizardRoad, APictureOfEachEntryOfBrowsesFilterIsTheSaversLogoInItsSizeAndColours) {
    TempFolder dir;
    const Shown pattern{
        7, 5, [](int x, int y) { return 0xFF000000u | PatternColours[PatternIndex(x, y)]; }};
    const Shown masked{7, 5, [](int x, int y) { // black left out
                           const uint32_t c = PatternColours[PatternIndex(x, y)];
                           return c ? 0xFF000000u | c : 0u;
                       }};
    const Shown bw{11, 3, [](int x, int y) {
                       const char* rows[] = {"10110001011", "01001110100", "11010101110"};
                       return rows[y][x] == '1' ? 0xFF000000u : ~0u;
                   }};
    const Shown gradient{17, 17,
                         [](int x, int y) {
                             return 0xFF000080u | static_cast<uint32_t>(x * 15) << 16 |
                                    static_cast<uint32_t>(y * 15) << 8;
                         },
                         24, 0};
    // Four quarters and a white square, in YCC with halved chroma; the
    // writer codes brighter than PhotoCD's scale (grey 128 as luma 141), so
    // a quarter is known by its colour only.
    const Shown quarters{768, 512,
                         [](int x, int y) {
                             const uint32_t colours[4] = {0xC82828, 0x28C828, 0x2828C8, 0x808080};
                             return 0xFF000000u |
                                    (x < 64 && y < 64 ? 0xFFFFFF : colours[y / 256 * 2 + x / 384]);
                         },
                         72, 2};
    const Shown page{1728, 9, [](int x, int y) {
                         return y == 8 || (y < 7 && x >= 100 * y && x < 100 * y + 50 + y)
                                    ? 0xFF000000u
                                    : ~0u;
                     }};
    const Shown koala{320, 200, [](int x, int) { return x < 160 ? ~0u : 0xFF000000u; }};
    const auto file = [](const wchar_t* resource) {
        return ResourceBytes(nullptr, resource, MAKEINTRESOURCEW(800));
    };
    WriteFileBytes(dir.Path("pattern.pal"), HaloPalette());
    // One file of each entry; those of our own decoders are read with the
    // imaging component kept out (Wine's reads Targa and DirectX surfaces).
    const struct {
        const char* Name;
        std::vector<uint8_t> Bytes;
        const Shown& Logo;
        bool Own;
    } cases[] = {{"pattern.bmp", file(L"PIC_IM_BMP"), pattern, false},
                 {"pattern.cut", HaloCut(), pattern, true}, // picked with Browse
                 {"pattern.dds", file(L"PIC_IM_DDS"), pattern, true},
                 {"page.g3", file(L"PIC_PAGE_G3"), page, false},
                 {"pattern.gif", file(L"PIC_IM_GIF"), pattern, false},
                 {"pattern.ico", file(L"PIC_IM_ICO"), pattern, false},
                 {"pattern.iff", file(L"PIC_NP_IFF"), pattern, true},
                 {"gradient.jng", file(L"PIC_IM_JNG"), gradient, true},
                 {"gradient.jpg", file(L"PIC_IM_JPG"), gradient, false},
                 {"white.koa", Koala(), koala, true},
                 {"pattern.mng", file(L"PIC_IM_MNG"), pattern, false},
                 {"pattern.ppm", file(L"PIC_NP_PPM"), pattern, true},
                 {"quarters.pcd", Inflated(file(L"PIC_QUARTERS_PCD"), 1 << 20), quarters, true},
                 {"pattern.pcx", file(L"PIC_NP_PCX"), pattern, true},
                 {"pattern.png", file(L"PIC_IM_PNG"), pattern, false},
                 {"pattern.psd", file(L"PIC_IM_PSD"), pattern, true},
                 {"pattern.ras", file(L"PIC_NP_RAS"), pattern, true},
                 {"pattern.tga", file(L"PIC_NP_TGA"), pattern, true},
                 {"pattern.tif", file(L"PIC_IM_TIF"), pattern, false},
                 {"bw.wbmp", file(L"PIC_NP_WBMP"), bw, true},
                 {"bw.xbm", file(L"PIC_NP_XBM"), bw, true},
                 {"masked.xpm", file(L"PIC_NP_XPM"), masked, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string picture = dir.Path(c.Name),
                          target = dir.Path(std::string(c.Name) + ".scr");
        ASSERT_FALSE(c.Bytes.empty());
        WriteFileBytes(picture, c.Bytes);
        std::optional<WithoutImagingComponent> noImaging;
        if (c.Own)
            noImaging.emplace();
        ChildProcess creator("\"" + TestDir() + "Quorvel.exe\"");
        const HWND wizard = OnLogoPage(creator);
        ASSERT_NE(wizard, nullptr);
        if (std::strcmp(c.Name, "pattern.cut"))
            SetText(LogoText(wizard), Wide(picture));
        else
            PickThroughBrowse(wizard, creator.Id(), Wide(picture));
        EXPECT_EQ(SaveFromLogoPage(creator, wizard, target), 0u);
        const Parsed made = Parse(target);
        ASSERT_EQ(made.Result, ReadOk);
        EXPECT_EQ(made.Record.PicHasTrans, &c.Logo == &masked ? -1 : 0);
        const auto logo = ReadBmp32(made.Logo.data(), made.Logo.size());
        ASSERT_TRUE(logo);
        ASSERT_EQ(logo->Width, c.Logo.Width);
        ASSERT_EQ(logo->Height, c.Logo.Height);
        int strays = 0;
        for (int y = 0; y < logo->Height; ++y)
            for (int x = 0; x < logo->Width; ++x) {
                const uint32_t want = c.Logo.Pixel(x, y);
                const uint8_t* got =
                    &logo->Pixels[(static_cast<std::size_t>(y) * logo->Width + x) * 4];
                bool stray = false;
                for (int i = 0; i < 4; ++i)
                    stray |= std::abs(got[i] - static_cast<int>(want >> 8 * i & 0xFF)) >
                             c.Logo.Tolerance;
                strays += stray;
            }
        EXPECT_LE(strays * 100, c.Logo.StrayPercent * logo->Width * logo->Height);
    }
}

TEST(WizardRoad, TextsTheCodePageCannotHoldAreRefusedOnTheNamePage) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorvel");
    TempFolder dir;
    const std::string target = dir.Path("plain.scr");
    const std::wstring foreign = OutsideCodePage();
    const std::wstring refused = L"This text holds characters that this computer's language "
                                 L"settings for programs without Unicode cannot store in a "
                                 L"screensaver";
    ChildProcess creator("\"" + TestDir() + "Quorvel.exe\"");
    ASSERT_TRUE(creator.Started());
    const auto onName = [&](HWND w) {
        const HWND name = Focused(w);
        Click(Child(w, L"&Next >>"));
        EXPECT_NE(WaitForBalloon(creator.Id(), refused, 5000), nullptr);
        EXPECT_EQ(Child(w, L"Create"), nullptr); // the page kept
        EXPECT_EQ(Focused(w), name);
        SetText(name, L"Plain");
        // The about text, below the name, likewise.
        const std::vector<HWND> edits = VisibleChildren(w, L"Edit");
        const auto below = std::find(edits.begin(), edits.end(), name) + 1;
        ASSERT_LT(below - edits.begin(), static_cast<std::ptrdiff_t>(edits.size()));
        const HWND about = *below;
        SetText(about, L"By " + foreign);
        Click(Child(w, L"&Next >>"));
        EXPECT_EQ(Child(w, L"Create"), nullptr);
        EXPECT_EQ(Focused(w), about);
        SetText(about, L"By me");
    };
    std::wstring defaultName, offered;
    const HWND wizard = MakeSaver(creator, foreign, Wide(target), defaultName, offered, onName);
    ASSERT_NE(wizard, nullptr);
    ClickLink(ExitLink(wizard));
    EXPECT_EQ(creator.Wait(20000), 0u);
    const Parsed made = Parse(target);
    ASSERT_EQ(made.Result, ReadOk);
    EXPECT_STREQ(made.Record.SaverName, "Plain");
    EXPECT_STREQ(made.Record.AboutText, "By me");
}

TEST(WizardRoad, ReopenedWithATemporaryFolderOutsideTheCodePageKeepsItsLogo) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorvel");
    TempFolder dir;
    SaverTrailer record = DefaultTrailer();
    std::snprintf(record.SaverName, sizeof record.SaverName, "%s", "Kept Logo");
    record.PicHasTrans = -1;
    const std::string saver = MakeSaverFile(dir, "kept.scr", record, PremultipliedDefimg());
    const std::string target = dir.Path("again.scr");
    const std::wstring temp = Wide(dir.Path("")) + OutsideCodePage();
    ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr));

    // The creator's temporary folder is the user's own, as for a user named
    // so; this program keeps its own.
    wchar_t tmp[MAX_PATH] = {}, tempVar[MAX_PATH] = {};
    GetEnvironmentVariableW(L"TMP", tmp, MAX_PATH);
    GetEnvironmentVariableW(L"TEMP", tempVar, MAX_PATH);
    SetEnvironmentVariableW(L"TMP", temp.c_str());
    SetEnvironmentVariableW(L"TEMP", temp.c_str());
    ChildProcess creator("\"" + TestDir() + "Quorvel.exe\"");
    SetEnvironmentVariableW(L"TMP", tmp);
    SetEnvironmentVariableW(L"TEMP", tempVar);
    ASSERT_TRUE(creator.Started());
    const HWND top = WaitForWindow(creator.Id(), nullptr, Title, 30000);
    ASSERT_NE(top, nullptr);
    const std::vector<HWND> combos = VisibleChildren(top, L"ComboBox");
    ASSERT_EQ(combos.size(), 1u);
    SetText(combos[0], Wide(saver));
    SendMessageW(GetParent(combos[0]), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(combos[0]), CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(combos[0]));
    std::wstring name, offered;
    const HWND wizard = MakeSaver(creator, L"", Wide(target), name, offered);
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(name, L"Kept Logo");
    EXPECT_NE(GetFileAttributesW((temp + L"\\extracted-image.quorvel.bmp").c_str()),
              INVALID_FILE_ATTRIBUTES);
    ClickLink(ExitLink(wizard));
    EXPECT_EQ(creator.Wait(20000), 0u);
    const Parsed again = Parse(target);
    ASSERT_EQ(again.Result, ReadOk);
    EXPECT_EQ(again.Logo, PremultipliedDefimg());
    RemoveTree(temp);
}

namespace {

// The desktop the Save page proposes savers on, moved to a folder of the
// test's own for the creators started meanwhile.
class DesktopIn {
  public:
    explicit DesktopIn(const std::string& folder) {
        DWORD size = sizeof old_;
        had_ = RegGetValueW(HKEY_CURRENT_USER, Key, L"Desktop", RRF_RT_REG_SZ | RRF_NOEXPAND,
                            nullptr, old_, &size) == ERROR_SUCCESS;
        const std::wstring path = Wide(folder);
        RegSetKeyValueW(HKEY_CURRENT_USER, Key, L"Desktop", REG_SZ, path.c_str(),
                        static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    }
    DesktopIn(const DesktopIn&) = delete;
    DesktopIn& operator=(const DesktopIn&) = delete;
    ~DesktopIn() {
        if (had_)
            RegSetKeyValueW(HKEY_CURRENT_USER, Key, L"Desktop", REG_EXPAND_SZ, old_,
                            static_cast<DWORD>((wcslen(old_) + 1) * sizeof(wchar_t)));
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, Key, L"Desktop");
    }

  private:
    static constexpr wchar_t Key[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    wchar_t old_[1024] = {};
    bool had_ = false;
};

// Page 0's recent saver named `name` picked, as a click in the list does.
void PickRecent(HWND wizard, const std::wstring& name) {
    const std::vector<HWND> combos = VisibleChildren(wizard, L"ComboBox");
    ASSERT_EQ(combos.size(), 1u);
    const HWND combo = combos[0];
    const LRESULT item = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(name.c_str()));
    ASSERT_NE(item, CB_ERR) << name.c_str();
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

// "Create another", then Next: the wizard on the logo page.
void Another(HWND wizard) {
    const std::vector<HWND> links = VisibleChildren(wizard, L"QuorvelCommandLink");
    ASSERT_EQ(links.size(), 3u);
    ClickLink(links[1]);
    ASSERT_NE(WaitChild(wizard, L"&Next >>"), nullptr);
}

// Pages 1 to 4 with Next (`onLogo`, `onModes` run on theirs; `name`, when
// given, typed over the name). The path the Save page proposes.
std::wstring ToSavePage(HWND wizard, const std::wstring& name,
                        const std::function<void()>& onLogo = {},
                        const std::function<void()>& onModes = {}) {
    const HWND next = Child(wizard, L"&Next >>");
    Click(next);
    EXPECT_NE(WaitChild(wizard, L"Scale &Image..."), nullptr);
    if (onLogo)
        onLogo();
    Click(next);
    EXPECT_NE(WaitChild(wizard, L"&General Settings"), nullptr);
    if (onModes)
        onModes();
    Click(next);
    EXPECT_NE(WaitChild(wizard, L"Change..."), nullptr);
    if (!name.empty())
        Type(name);
    Click(next);
    EXPECT_NE(WaitChild(wizard, L"Create"), nullptr);
    return WindowText(Focused(wizard));
}

// The title of the settings sheet that "&General Settings" opens, closed again.
std::string SheetTitle(HWND wizard, DWORD pid) {
    PostMessageW(Child(wizard, L"&General Settings"), BM_CLICK, 0, 0);
    const HWND sheet = WaitForWindow(pid, "#32770", nullptr, 10000);
    if (!sheet)
        return "(no sheet)";
    char title[256] = {};
    GetWindowTextA(sheet, title, sizeof title);
    PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
    for (int i = 0; i < 100 && IsWindow(sheet); ++i)
        PumpFor(50);
    return title;
}

// Answers the message box the creator shows with `id`; its text.
std::string AnswerBox(DWORD pid, int id) {
    const HWND box = WaitForWindow(pid, "#32770", nullptr, 10000);
    if (!box)
        return "(no box)";
    const std::string text = MessageBoxText(box);
    PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(id), 0);
    for (int i = 0; i < 100 && IsWindow(box); ++i)
        PumpFor(50);
    return text;
}

// The record's choices: all but the draw of SaverId on every write.
std::vector<uint8_t> Choices(const SaverTrailer& record) {
    SaverTrailer r = record;
    r.SaverId = 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(&r);
    return {bytes, bytes + sizeof r};
}

} // namespace

// One creator makes a keyed picture saver with "Prevent changes" on a
// yellow background, then after "Create another" a second under its own
// name, which leaves the first file alone; the first reopened from the
// recent list and created again unchanged has the same record; the second
// (the built-in logo over black) reopened after it is previewed over black;
// a new saver proposed over the first saver's file asks before replacing it.
TEST(WizardRoad, EverySaverKeepsItsOwnFileAndItsChoices) {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Quorvel");
    TempFolder dir;
    const std::string folder = dir.Path("");
    const DesktopIn desktop(folder.substr(0, folder.size() - 1));
    const std::string picture = dir.Path("ring.bmp");
    const std::string first = dir.Path("Keyed One.scr"), second = dir.Path("Second.scr");
    WriteFileBytes(picture, MakeBitmap32(40, 30, [](int x, int y) {
                       const bool ring = x < 2 || y < 2 || x >= 38 || y >= 28;
                       return ring ? 0xFFFF00FFu : 0xFF0000C8u;
                   }));
    const PaletteEntry yellow = BuildPalette()[26];
    ChildProcess creator("\"" + TestDir() + "Quorvel.exe\"");
    const HWND wizard = WaitForWindow(creator.Id(), nullptr, Title, 30000);
    ASSERT_NE(wizard, nullptr);
    SetForegroundWindow(wizard);
    ASSERT_NE(WaitChild(wizard, L"&Next >>"), nullptr);
    const auto create = [&] {
        Click(Child(wizard, L"Create"));
        return WaitExitLink(wizard, 30000) != nullptr;
    };

    EXPECT_EQ(ToSavePage(
                  wizard, L"Keyed One",
                  [&] {
                      SetText(LogoText(wizard), Wide(picture));
                      PressAt(OpenPalette(wizard, creator.Id()).Popup, yellow.X + 5, yellow.Y + 5);
                  },
                  [&] { Click(Child(wizard, L"Prevent changes to the options")); }),
              Wide(first));
    ASSERT_TRUE(create());
    const Parsed made = Parse(first);
    ASSERT_EQ(made.Result, ReadOk);
    EXPECT_EQ(made.Record.PicHasTrans, 0);
    EXPECT_EQ(made.Record.Settings.AllowConfig, 0);
    EXPECT_EQ(made.Record.TransparentColor, static_cast<int32_t>(RGB(255, 0, 255)));
    EXPECT_EQ(made.Record.BackgroundColor, yellow.Colour);
    const std::vector<uint8_t> firstBytes = ReadFileBytes(first);

    // A new saver: the built-in logo, its own name, its own file.
    Another(wizard);
    EXPECT_EQ(ToSavePage(
                  wizard, L"Second", [&] { SetText(LogoText(wizard), L""); },
                  [&] { EXPECT_EQ(SheetTitle(wizard, creator.Id()), "My Saver"); }),
              Wide(second));
    ASSERT_TRUE(create());
    EXPECT_EQ(ReadFileBytes(first), firstBytes);
    EXPECT_EQ(Parse(second).Record.PicHasTrans, -1);

    // The first reopened: its own file, every choice as it was.
    Another(wizard);
    PickRecent(wizard, L"Keyed One");
    EXPECT_EQ(ToSavePage(wizard, L""), Wide(first));
    ASSERT_TRUE(create());
    const Parsed again = Parse(first);
    ASSERT_EQ(again.Result, ReadOk);
    EXPECT_EQ(Choices(again.Record), Choices(made.Record));
    EXPECT_EQ(again.Logo, made.Logo);
    const std::vector<uint8_t> againBytes = ReadFileBytes(first);

    // The second reopened while the first's yellow and another logo show:
    // over its own black.
    Another(wizard);
    Click(Child(wizard, L"&Next >>"));
    ASSERT_NE(WaitChild(wizard, L"Scale &Image..."), nullptr);
    SetText(LogoText(wizard), L"");
    Click(Child(wizard, L"<< &Back"));
    PickRecent(wizard, L"Second");
    Click(Child(wizard, L"&Next >>"));
    ASSERT_NE(WaitChild(wizard, L"Scale &Image..."), nullptr);
    const HWND preview = GetWindow(Child(wizard, L"Preview:"), GW_CHILD);
    ASSERT_NE(preview, nullptr);
    RECT client{};
    GetClientRect(preview, &client);
    const PreviewRect logo = PreviewLogoRect(200, 200, client.right, client.bottom);
    const auto shown = [&](int x, int y) { // read from the screen, where the user sees it
        POINT at{x, y};
        ClientToScreen(preview, &at);
        const WindowDC screen(nullptr);
        return GetPixel(screen.get(), at.x, at.y);
    };
    EXPECT_EQ(shown(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(shown(logo.Left + 3, logo.Top + 3), RGB(0, 0, 0));
    Click(Child(wizard, L"<< &Back"));

    // A new saver named as the first: the file proposed is not its own.
    const HWND combo = VisibleChildren(wizard, L"ComboBox")[0];
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetText(combo, L"");
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_EDITCHANGE),
                 reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(ToSavePage(wizard, L"Keyed One"), Wide(first));
    PostMessageW(Child(wizard, L"Create"), BM_CLICK, 0, 0);
    EXPECT_NE(AnswerBox(creator.Id(), IDNO).find("Keyed One.scr"), std::string::npos);
    EXPECT_NE(WaitChild(wizard, L"Create", 3000), nullptr);
    EXPECT_EQ(ReadFileBytes(first), againBytes);
    PostMessageW(Child(wizard, L"Create"), BM_CLICK, 0, 0);
    AnswerBox(creator.Id(), IDYES);
    EXPECT_NE(WaitExitLink(wizard, 30000), nullptr);
    EXPECT_EQ(Parse(first).Record.PicHasTrans, -1); // replaced, as asked
    PostMessageW(wizard, WM_CLOSE, 0, 0);
    EXPECT_EQ(creator.Wait(20000), 0u);
}
