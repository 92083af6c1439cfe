// Quorvel.exe with other logos than the built-in one: Flash movies, plain
// and compressed, and a picture keyed by picking in the preview over a
// background from the palette. The savers made are parsed with core/.
#include "core/ColorPalette.h"
#include "core/LogoPreview.h"
#include "core/SaverTail.h"
#include "tests/support/SaverFiles.h"
#include "tests/support/WinTest.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* Title = "Quorvel Screensaver Creator 4.5.15";

struct Search {
    std::wstring Text, Class;
    std::vector<HWND> Found;
};

BOOL CALLBACK Collect(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    wchar_t text[512] = {}, cls[64] = {};
    GetWindowTextW(w, text, 512);
    GetClassNameW(w, cls, 64);
    if (IsWindowVisible(w) && (s->Text.empty() || s->Text == text) &&
        (s->Class.empty() || s->Class == cls))
        s->Found.push_back(w);
    return TRUE;
}

std::vector<HWND> Children(HWND top, const std::wstring& text, const std::wstring& cls = L"") {
    Search s{text, cls, {}};
    EnumChildWindows(top, Collect, reinterpret_cast<LPARAM>(&s));
    return s.Found;
}

HWND Child(HWND top, const std::wstring& text) {
    const std::vector<HWND> found = Children(top, text);
    return found.empty() ? nullptr : found[0];
}

HWND WaitChild(HWND top, const std::wstring& text, DWORD ms = 15000) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND w = Child(top, text))
            return w;
        if (GetTickCount() - start > ms)
            return nullptr;
        PumpFor(50);
    }
}

RECT ScreenRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

void Click(HWND button) {
    ASSERT_NE(button, nullptr);
    DWORD_PTR r = 0;
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 30000, &r);
    PumpFor(300);
}

// A press and release of the left button at (x, y) of a window's client area.
void MouseClick(HWND w, int x, int y) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &r);
    SendMessageTimeoutW(w, WM_LBUTTONUP, 0, MAKELPARAM(x, y), SMTO_NORMAL, 30000, &r);
    PumpFor(300);
}

void SetText(HWND w, const std::wstring& text) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                        30000, &r);
    PumpFor(300);
}

// The widest visible text box: the logo's on the logo page, the save path's
// on the Save page.
HWND WidestTextBox(HWND wizard) {
    HWND best = nullptr;
    LONG widest = 0;
    for (HWND w : Children(wizard, L"", L"Edit")) {
        const RECT r = ScreenRect(w);
        if (r.right - r.left > widest) {
            widest = r.right - r.left;
            best = w;
        }
    }
    return best;
}

// The "All Done!" page's Exit link: the lowest visible command link.
HWND ExitLink(HWND wizard) {
    const std::vector<HWND> links = Children(wizard, L"", L"QuorvelCommandLink");
    if (links.size() != 3)
        return nullptr;
    HWND lowest = links[0];
    for (HWND w : links)
        if (ScreenRect(w).top > ScreenRect(lowest).top)
            lowest = w;
    return lowest;
}

HWND WaitExitLink(HWND wizard) {
    for (int i = 0; i < 600; ++i) {
        if (HWND w = ExitLink(wizard))
            return w;
        PumpFor(50);
    }
    return nullptr;
}

std::wstring Wide(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

// From the logo page on: Next to the Save page, the saver written to
// `target`, Exit; the creator's exit code.
DWORD FinishAt(ChildProcess& creator, HWND wizard, const std::string& target) {
    const HWND next = Child(wizard, L"&Next >>");
    EXPECT_NE(next, nullptr);
    Click(next); // animations
    EXPECT_NE(WaitChild(wizard, L"&General Settings"), nullptr);
    Click(next); // name and texts
    EXPECT_NE(WaitChild(wizard, L"Change..."), nullptr);
    Click(next); // where to save
    const HWND create = WaitChild(wizard, L"Create");
    EXPECT_NE(create, nullptr);
    SetText(WidestTextBox(wizard), Wide(target));
    Click(create);
    const HWND exit = WaitExitLink(wizard);
    EXPECT_NE(exit, nullptr);
    if (exit)
        MouseClick(exit, 10, 10);
    return creator.Wait(20000);
}

HWND StartOnLogoPage(ChildProcess& creator) {
    const HWND wizard = WaitForWindow(creator.Id(), nullptr, Title, 30000);
    if (!wizard)
        return nullptr;
    SetForegroundWindow(wizard);
    Click(WaitChild(wizard, L"&Next >>"));
    return WaitChild(wizard, L"Scale &Image...") ? wizard : nullptr;
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

// A 550 x 400 movie: its frame rectangle (15-bit fields of twips), rate,
// count and some tags; "CWS" has everything after byte 8 deflated.
std::vector<uint8_t> Movie550x400(bool compressed) {
    // N = 15; Xmin 0, Xmax 11000, Ymin 0, Ymax 8000, most significant bit first.
    std::vector<uint8_t> body = {0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F,
                                 0xA0, 0x00, 0x00, 0x0C, 0x01, 0x00};
    for (int i = 0; i < 300; ++i)
        body.push_back(static_cast<uint8_t>(i * 7));
    std::vector<uint8_t> file = {compressed ? uint8_t('C') : uint8_t('F'), 'W', 'S', 8};
    const uint32_t length = static_cast<uint32_t>(8 + body.size());
    file.insert(file.end(), reinterpret_cast<const uint8_t*>(&length),
                reinterpret_cast<const uint8_t*>(&length) + 4);
    if (!compressed) {
        file.insert(file.end(), body.begin(), body.end());
        return file;
    }
    uLongf size = compressBound(static_cast<uLong>(body.size()));
    std::vector<uint8_t> packed(size);
    compress2(packed.data(), &size, body.data(), static_cast<uLong>(body.size()), 9);
    file.insert(file.end(), packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(size));
    return file;
}

} // namespace

TEST(ContentRoad, FlashMoviesAreRecognisedSizedAndStoredWhole) {
    TempFolder dir;
    const std::string exe = "\"" + TestDir() + "Quorvel.exe\"";
    for (const bool compressed : {false, true}) {
        SCOPED_TRACE(compressed ? "CWS" : "FWS");
        const std::string movie = dir.Path(compressed ? "packed.swf" : "plain.swf");
        const std::string target = dir.Path(compressed ? "packed.scr" : "plain.scr");
        WriteFileBytes(movie, Movie550x400(compressed));
        ChildProcess creator(exe);
        ASSERT_TRUE(creator.Started());
        const HWND wizard = StartOnLogoPage(creator);
        ASSERT_NE(wizard, nullptr);
        EXPECT_NE(Child(wizard, L"Transparent Color"), nullptr);
        SetText(WidestTextBox(wizard), Wide(movie));
        EXPECT_NE(WaitChild(wizard, L"Flash Animation", 5000), nullptr);
        EXPECT_EQ(Child(wizard, L"Transparent Color"), nullptr);
        EXPECT_FALSE(IsWindowEnabled(Child(wizard, L"Scale &Image...")));
        PumpFor(GetEnvironmentVariableA("QV_SHOT_PAUSE", nullptr, 0) ? 3000 : 0);
        EXPECT_EQ(FinishAt(creator, wizard, target), 0u);

        const Parsed made = Parse(target);
        ASSERT_EQ(made.Result, ReadOk);
        EXPECT_EQ(made.Record.DynamicLogo, 1);
        EXPECT_EQ(made.Record.Settings.ContentFromFile, 1);
        EXPECT_EQ(made.Record.Settings.ContentWidth, 550);
        EXPECT_EQ(made.Record.Settings.ContentHeight, 400);
        EXPECT_EQ(made.Record.Settings.DynSize, 3);
        EXPECT_EQ(made.Record.Settings.EnabledMask, 2); // Static alone
        std::vector<uint8_t> expected = ReadFileBytes(movie);
        const std::vector<uint8_t> name = MakeContentNameBlock(movie.c_str());
        expected.insert(expected.end(), name.begin(), name.end());
        EXPECT_EQ(made.Logo, expected);
    }
}

namespace {

// The creator's palette pop-up: its visible top-level window other than the wizard.
struct PopupSearch {
    DWORD Pid;
    HWND Wizard, Found = nullptr;
};
BOOL CALLBACK FindPopup(HWND w, LPARAM lp) {
    auto* s = reinterpret_cast<PopupSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    const RECT r = ScreenRect(w);
    if (pid == s->Pid && w != s->Wizard && IsWindowVisible(w) && r.right - r.left == PaletteWidth) {
        s->Found = w;
        return FALSE;
    }
    return TRUE;
}

} // namespace

TEST(ContentRoad, PictureKeyedByPickingOverAPaletteBackground) {
    TempFolder dir;
    constexpr COLORREF Magenta = RGB(255, 0, 255), Green = RGB(0, 160, 0);
    const std::string picture = dir.Path("logo.bmp"), target = dir.Path("keyed.scr");
    // A magenta ring around a blue left and a green right half.
    WriteFileBytes(picture, MakeBitmap32(40, 30, [](int x, int y) {
                       if (x < 2 || y < 2 || x >= 38 || y >= 28)
                           return 0xFFFF00FFu;
                       return x < 20 ? 0xFF0000C8u : 0xFF00A000u;
                   }));
    ChildProcess creator("\"" + TestDir() + "Quorvel.exe\"");
    ASSERT_TRUE(creator.Started());
    const HWND wizard = StartOnLogoPage(creator);
    ASSERT_NE(wizard, nullptr);
    SetText(WidestTextBox(wizard), Wide(picture));

    // The background: a cell of the palette pop-up.
    const std::vector<HWND> fields = Children(wizard, L"", L"QuorvelColorDrop");
    ASSERT_EQ(fields.size(), 1u);
    const HWND combo = GetWindow(fields[0], GW_CHILD); // the field's list opens the pop-up
    ASSERT_NE(combo, nullptr);
    const RECT field = ScreenRect(combo);
    MouseClick(combo, (field.right - field.left) / 2, (field.bottom - field.top) / 2);
    PopupSearch popup{creator.Id(), wizard};
    for (int i = 0; i < 100 && !popup.Found; ++i) {
        EnumWindows(FindPopup, reinterpret_cast<LPARAM>(&popup));
        PumpFor(50);
    }
    ASSERT_NE(popup.Found, nullptr);
    const PaletteEntry cell = BuildPalette()[15];
    MouseClick(popup.Found, cell.X + 5, cell.Y + 5);

    // The pick: Choose, the pointer over the green half, released there.
    const HWND choose = Child(wizard, L"C&hoose...");
    ASSERT_NE(choose, nullptr);
    const RECT chooseBox = ScreenRect(choose);
    HWND swatch = nullptr;
    for (HWND w : Children(GetParent(choose), L"")) {
        const RECT r = ScreenRect(w);
        if (GetParent(w) == GetParent(choose) && r.top == chooseBox.top &&
            r.right <= chooseBox.left)
            swatch = w;
    }
    ASSERT_NE(swatch, nullptr);
    const HWND frame = Child(wizard, L"Preview:");
    ASSERT_NE(frame, nullptr);
    const HWND preview = GetWindow(frame, GW_CHILD);
    ASSERT_NE(preview, nullptr);
    RECT client{};
    GetClientRect(preview, &client);
    const PreviewRect logo = PreviewLogoRect(40, 30, client.right, client.bottom);
    POINT at{logo.Left + 30, logo.Top + 15};
    ClientToScreen(preview, &at);
    ScreenToClient(swatch, &at);
    MouseClick(choose, 5, 5);
    DWORD_PTR r = 0;
    SendMessageTimeoutW(swatch, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y), SMTO_NORMAL, 5000, &r);
    SendMessageTimeoutW(swatch, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y), SMTO_NORMAL,
                        5000, &r);
    SendMessageTimeoutW(swatch, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y), SMTO_NORMAL, 30000, &r);
    PumpFor(GetEnvironmentVariableA("QV_SHOT_PAUSE", nullptr, 0) ? 3000 : 300);

    EXPECT_EQ(FinishAt(creator, wizard, target), 0u);
    const Parsed made = Parse(target);
    ASSERT_EQ(made.Result, ReadOk);
    EXPECT_EQ(made.Record.DynamicLogo, 0);
    EXPECT_EQ(made.Record.BackgroundColor, cell.Colour);
    EXPECT_EQ(made.Record.TransparentColor, static_cast<int32_t>(Green));
    EXPECT_NE(made.Record.TransparentColor, static_cast<int32_t>(Magenta));
    // The picture's pixels as they were, in a 32-bit bitmap.
    const std::vector<uint8_t> original = ReadFileBytes(picture);
    ASSERT_EQ(made.Logo.size(), original.size());
    EXPECT_TRUE(std::equal(made.Logo.begin() + 54, made.Logo.end(), original.begin() + 54));
}
