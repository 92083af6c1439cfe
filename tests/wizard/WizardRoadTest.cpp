// Quorvel.exe as a new user drives it: Next by BM_CLICK, text typed with
// SendInput, the built-in logo; the saver made is parsed with core/, the
// recent list read after closing, and the saver reopened and saved again.
// Then Flash movies as logos, and a picture keyed by picking in the preview.
#include "core/ColorPalette.h"
#include "core/LogoPreview.h"
#include "core/SaverTail.h"
#include "tests/support/CreatorDriver.h"
#include "tests/support/SaverFiles.h"
#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

BOOL CALLBACK FindCombo(HWND w, LPARAM lp) {
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (std::wstring(cls) == L"ComboBox" && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(lp) = w;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindLinks(HWND w, LPARAM lp) {
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (std::wstring(cls) == L"QuorvelCommandLink" && IsWindowVisible(w))
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
}

// The "All Done!" page's Exit link: the lowest of its three visible command
// links (no installer made); nullptr while another page shows.
HWND ExitLink(HWND top) {
    std::vector<HWND> links;
    EnumChildWindows(top, FindLinks, reinterpret_cast<LPARAM>(&links));
    if (links.size() != 3)
        return nullptr;
    const auto topOf = [](HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        return r.top;
    };
    return *std::max_element(links.begin(), links.end(),
                             [&](HWND a, HWND b) { return topOf(a) < topOf(b); });
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

// A command link takes a mouse click, not BM_CLICK.
void ClickLink(HWND link) {
    ASSERT_NE(link, nullptr);
    DWORD_PTR r = 0;
    SendMessageTimeoutW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), SMTO_NORMAL, 5000,
                        &r);
    SendMessageTimeoutW(link, WM_LBUTTONUP, 0, MAKELPARAM(10, 10), SMTO_NORMAL, 30000, &r);
    Pause();
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

// Pages 0 to 4 with Next; `name` typed over the default name, the saver
// written to `target`. Returns the wizard window, on "All Done!".
HWND MakeSaver(ChildProcess& creator, const std::wstring& name, const std::wstring& target,
               std::wstring& defaultName, std::wstring& offeredPath) {
    const HWND wizard = WaitForWindow(creator.Id(), nullptr, Title, 30000);
    EXPECT_NE(wizard, nullptr);
    if (!wizard)
        return nullptr;
    SetForegroundWindow(wizard);
    const HWND next = WaitChild(wizard, L"&Next >>");
    Pause();
    Click(next); // to the logo page: the built-in logo
    EXPECT_NE(WaitChild(wizard, L"Scale &Image..."), nullptr);
    Click(next); // animations
    EXPECT_NE(WaitChild(wizard, L"&General Settings"), nullptr);
    Click(next); // name and texts
    EXPECT_NE(WaitChild(wizard, L"Change..."), nullptr);
    const HWND field = Focused(wizard);
    defaultName = WindowText(field);
    if (!name.empty())
        Type(name); // over the whole text, selected when the page gave it the focus
    Click(next);    // where to save
    const HWND create = WaitChild(wizard, L"Create");
    EXPECT_NE(create, nullptr);
    const HWND saveAs = Focused(wizard);
    offeredPath = WindowText(saveAs);
    Type(target);
    Click(create);
    EXPECT_NE(WaitExitLink(wizard, 30000), nullptr); // "All Done!"
    return wizard;
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
        HDC screen = GetDC(nullptr);
        int black = 0, blue = 0;
        for (int y = 4; y < r.bottom; y += 8)
            for (int x = 4; x < r.right; x += 8) {
                const COLORREF c = GetPixel(screen, x, y);
                black += c == 0;
                blue += GetBValue(c) > 120 && GetBValue(c) > GetRValue(c) + 40;
            }
        ReleaseDC(nullptr, screen);
        EXPECT_GT(black, 20000); // most of the 32,400 samples
        EXPECT_GT(blue, 10);
        PostMessageW(shown, WM_CLOSE, 0, 0);
        saver.Wait(10000);
    }

    EXPECT_EQ(RecentValue(L"0Name"), L"Road Test");
    EXPECT_EQ(RecentValue(L"0File"), Wide(first));

    // Restarted: the recent entry is picked, left with Next, and saved
    // unchanged to a second path.
    {
        ChildProcess creator(exe);
        ASSERT_TRUE(creator.Started());
        const HWND wizard = WaitForWindow(creator.Id(), nullptr, Title, 30000);
        ASSERT_NE(wizard, nullptr);
        HWND combo = nullptr;
        EnumChildWindows(wizard, FindCombo, reinterpret_cast<LPARAM>(&combo));
        ASSERT_NE(combo, nullptr);
        EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 1);
        SendMessageW(combo, CB_SETCURSEL, 0, 0);
        SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
        std::wstring name, offered;
        ASSERT_NE(MakeSaver(creator, L"", Wide(second), name, offered), nullptr);
        EXPECT_EQ(name, L"Road Test"); // the saver's own name came back
        PostMessageW(wizard, WM_CLOSE, 0, 0);
        EXPECT_EQ(creator.Wait(20000), 0u);
    }
    const Parsed again = Parse(second);
    ASSERT_EQ(again.Result, ReadOk);
    EXPECT_STREQ(again.Record.SaverName, "Road Test");
    EXPECT_STREQ(again.Record.AboutText, " ");
    EXPECT_EQ(again.Logo, made.Logo); // not darkened by the reopening
    EXPECT_EQ(RecentValue(L"0File"), Wide(second));
    EXPECT_EQ(RecentValue(L"1File"), Wide(first));
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

// A left press and release at (x, y) of a window's client area.
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
DWORD SaveFromLogoPage(ChildProcess& creator, HWND wizard, const std::string& target) {
    const HWND next = Child(wizard, L"&Next >>");
    for (const wchar_t* page : {L"&General Settings", L"Change...", L"Create"}) {
        Click(next);
        EXPECT_NE(WaitChild(wizard, page), nullptr) << page;
    }
    SetText(Focused(wizard), Wide(target));
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
    const std::vector<HWND> field = OfClass(wizard, L"QuorvelColorDrop");
    ASSERT_EQ(field.size(), 1u);
    PressAt(GetWindow(field[0], GW_CHILD), 20, 5);
    PopupSearch popup{creator.Id()};
    for (int i = 0; i < 100 && !popup.Found; ++i, PumpFor(50))
        EnumWindows(FindPopup, reinterpret_cast<LPARAM>(&popup));
    ASSERT_NE(popup.Found, nullptr);
    const PaletteEntry cell = BuildPalette()[15];
    PressAt(popup.Found, cell.X + 5, cell.Y + 5);

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

    EXPECT_EQ(SaveFromLogoPage(creator, wizard, target), 0u);
    const Parsed made = Parse(target);
    ASSERT_EQ(made.Result, ReadOk);
    EXPECT_EQ(made.Record.DynamicLogo, 0);
    EXPECT_EQ(made.Record.BackgroundColor, cell.Colour);
    EXPECT_EQ(made.Record.TransparentColor, static_cast<int32_t>(RGB(0, 160, 0)));
    const std::vector<uint8_t> original = ReadFileBytes(picture); // its pixels, 32 bits
    ASSERT_EQ(made.Logo.size(), original.size());
    EXPECT_TRUE(std::equal(made.Logo.begin() + 54, made.Logo.end(), original.begin() + 54));
}
