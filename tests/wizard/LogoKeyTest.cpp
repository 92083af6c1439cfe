// The logo page's colour key and content logos in this process: the key box
// and swatch as the screen shows them, a pick under the mouse capture, the
// flash, a new background, and Flash movies, web pages and addresses with the
// content host there or missing.
#include "core/ContentLogo.h"
#include "core/CreatorMath.h"
#include "core/TransparentSwatch.h"
#include "tests/support/CreatorDriver.h"
#include "tests/support/SaverFiles.h"
#include "tests/wizard/WizardFiles.h"
#include "wizard/frame/ContentHost.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/Settings.h"
#include "wizard/pages/frmWizard.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <utility>

namespace {

// Pixels of the swatch (its client area) unlike `want(x, y, width, height)`.
template <typename F> int SwatchWrong(HWND swatch, F want) {
    RECT r{};
    GetClientRect(swatch, &r);
    int wrong = ShownPixel(swatch, 0, 0) != want(0, 0, r.right, r.bottom);
    for (int y = 0; y < r.bottom; y += 3)
        for (int x = 1; x < r.right; x += 2)
            wrong += ShownPixel(swatch, x, y, false) != want(x, y, r.right, r.bottom);
    return wrong;
}

std::vector<uint8_t> Bytes(const Surface& s) {
    GdiFlush();
    return {s.Bits(), s.Bits() + static_cast<std::size_t>(s.Width()) * s.Height() * 4};
}

constexpr COLORREF Magenta = RGB(255, 0, 255), Blue = RGB(0, 0, 200), Green = RGB(0, 160, 0);

// 40 x 30: a magenta ring two pixels wide around a blue left and green right half.
std::wstring KeyedPicture(const TempFolder& dir) {
    WriteFileBytes(dir.Path("keyed.bmp"), MakeBitmap32(40, 30, [](int x, int y) {
                       const bool ring = x < 2 || y < 2 || x >= 38 || y >= 28;
                       return ring ? 0xFFFF00FFu : x < 20 ? 0xFF0000C8u : 0xFF00A000u;
                   }));
    return Wide(dir.Path("keyed.bmp"));
}

// A Flash movie's head: its frame rectangle of n-bit twips fields, 64 bytes in all.
std::vector<uint8_t> Movie(unsigned n, uint32_t xmax, uint32_t ymax) {
    std::vector<uint8_t> b = {'F', 'W', 'S', 6, 64, 0, 0, 0};
    b.resize(64, 0);
    unsigned at = 64; // bits from byte 8 on, most significant first
    for (const auto& [value, count] : {std::pair{n, 5u}, {0u, n}, {xmax, n}, {0u, n}, {ymax, n}})
        for (unsigned i = count; i-- > 0; ++at)
            if ((value >> i) & 1)
                b[at / 8] |= static_cast<uint8_t>(0x80 >> at % 8);
    return b;
}

// The content host, seen by a class of that name of our own.
std::wstring hostText;
std::vector<uint8_t> hostBlock;
int hostsMade = 0;
LRESULT CALLBACK StandInHost(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        hostText = cs->lpszName;
        const auto* block = static_cast<const uint8_t*>(cs->lpCreateParams);
        hostBlock.assign(block, block + 3);
        ++hostsMade;
    }
    return DefWindowProcW(w, message, wParam, lParam);
}
bool hostAvailable = false;
bool ForcedHost(const std::wstring&) {
    return hostAvailable;
}
HWND HostIn(HWND preview) {
    return FindWindowExW(preview, nullptr, L"AtlAxWin", nullptr);
}

class LogoKey : public ::testing::Test {
  protected:
    void SetUp() override {
        CreatorSettingsKey = L"Software\\QuorvelTest\\" + std::to_wstring(GetCurrentProcessId());
        CreatorSettings = SettingsRecord{};
        CreatorVersion = 40515;
        AppVersionText = L"4.5.15";
        AppTitle = L"Quorvel Screensaver Creator";
        ContentHostAvailable = ForcedHost;
        static const ATOM host = [] {
            WNDCLASSW wc{};
            wc.style = CS_GLOBALCLASS;
            wc.lpfnWndProc = StandInHost;
            wc.lpszClassName = L"AtlAxWin";
            return RegisterClassW(&wc);
        }();
        ASSERT_NE(host, 0);
    }
    void TearDown() override {
        if (w && w->Loaded())
            w->Unload();
        w.reset();
        ContentHostAvailable = PlatformContentHostAvailable;
        RegDeleteTreeW(HKEY_CURRENT_USER, CreatorSettingsKey.c_str());
    }
    // The wizard on its logo page, showing `logo`.
    frmWizard& OpenWith(const std::wstring& logo) {
        w = std::make_unique<frmWizard>();
        w->Show();
        SetForegroundWindow(w->hWnd());
        w->NextStep(1);
        Logo(logo);
        return *w;
    }
    void Logo(const std::wstring& text) {
        (*w)(L"txtLogo").SetText(text);
        PumpFor(50);
    }
    void Size(int item) { // a choice in the Flash sizing list
        const HWND size = (*w)(L"cmbSize").hWnd();
        SendMessageW(size, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        SendMessageW(GetParent(size), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(size), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(size));
    }
    HWND Preview() const { return (*w)(L"picPreview").hWnd(); }
    HWND Swatch() const { return (*w)(L"picTrans").hWnd(); }
    COLORREF Offered() const { return (*w)(L"picTrans").BackColor; }
    // The preview's point over pixel (x, y) of a logo drawn at its size.
    POINT Over(int x, int y) const { return {w->LogoLeft + x, w->LogoTop + y}; }
    // A mouse message to the swatch at a point of the preview (or of `from`).
    void ToSwatch(UINT message, POINT p, HWND from = nullptr) const {
        ClientToScreen(from ? from : Preview(), &p);
        ScreenToClient(Swatch(), &p);
        SendMessageW(Swatch(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                     MAKELPARAM(p.x, p.y));
    }
    void Choose() const {
        const HWND choose = (*w)(L"cmdTrans").hWnd();
        SendMessageW(choose, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(choose, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    std::unique_ptr<frmWizard> w;
};

} // namespace

TEST_F(LogoKey, KeyBoxAndPickOnScreen) {
    TempFolder dir;
    frmWizard& f = OpenWith(KeyedPicture(dir));
    ASSERT_EQ(f.LogoWidth, 40);
    const POINT ring = Over(0, 0), blue = Over(10, 15), green = Over(30, 15);
    // The ring's colour is proposed and keyed: the black background shows.
    EXPECT_EQ(f.TransparentColor, static_cast<int32_t>(Magenta));
    EXPECT_EQ(ShownPixel(Preview(), ring.x, ring.y), RGB(0, 0, 0));
    EXPECT_EQ(ShownPixel(Preview(), blue.x, blue.y), Blue);
    const auto solid = [](COLORREF c) { return [c](int, int, int, int) { return c; }; };
    EXPECT_EQ(SwatchWrong(Swatch(), solid(Magenta)), 0);

    // Off: the key goes, the swatch keeps the colour paled and hatched.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const auto pale = static_cast<COLORREF>(DisabledSwatchColour(Magenta, face));
    const auto hatched = [&](int x, int y, int width, int height) {
        return x < width - 1 && y < height - 1 && (x + y) % 2 ? pale : face;
    };
    f(L"chkTrans").SetValue(0);
    EXPECT_EQ(f.TransparentColor, -1);
    EXPECT_FALSE(IsWindowEnabled(f(L"cmdTrans").hWnd()) || IsWindowEnabled(Swatch()));
    EXPECT_FALSE(GetWindowLongPtrW(Swatch(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(ShownPixel(Preview(), ring.x, ring.y), Magenta);
    EXPECT_EQ(SwatchWrong(Swatch(), hatched), 0);
    f(L"chkTrans").SetValue(1); // on again: the previous key
    EXPECT_EQ(f.TransparentColor, static_cast<int32_t>(Magenta));
    EXPECT_TRUE(GetWindowLongPtrW(Swatch(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(SwatchWrong(Swatch(), solid(Magenta)), 0);

    // The keyboard's press of Choose starts nothing; its mouse release a pick.
    SendMessageW(f(L"cmdTrans").hWnd(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(f(L"cmdTrans").hWnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_NE(GetCapture(), Swatch());
    Choose();
    ASSERT_EQ(GetCapture(), Swatch());
    EXPECT_EQ(LastHelpBalloon().Text, L"Click on a color on the image to make it transparent.");
    ToSwatch(WM_MOUSEMOVE, blue);
    EXPECT_EQ(Offered(), Blue);
    EXPECT_EQ(SwatchWrong(Swatch(), solid(Blue)), 0);
    ToSwatch(WM_MOUSEMOVE, {2, 2}); // the preview outside the logo: black
    EXPECT_EQ(Offered(), RGB(0, 0, 0));
    ToSwatch(WM_MOUSEMOVE, green);
    ToSwatch(WM_MOUSEMOVE, {5, 5}, f(L"txtLogo").hWnd()); // another window: no change
    EXPECT_EQ(Offered(), Green);
    EXPECT_EQ(f.TransparentColor, static_cast<int32_t>(Magenta));
    ToSwatch(WM_LBUTTONDOWN, green);
    ToSwatch(WM_LBUTTONUP, green);
    EXPECT_EQ(f.TransparentColor, static_cast<int32_t>(Green));
    EXPECT_NE(GetCapture(), Swatch());
    EXPECT_EQ(ShownPixel(Preview(), green.x, green.y), RGB(0, 0, 0)); // keyed now
    EXPECT_EQ(ShownPixel(Preview(), ring.x, ring.y), Magenta);

    // A pick that loses the capture puts the swatch back at the key.
    Choose();
    ToSwatch(WM_MOUSEMOVE, blue);
    ReleaseCapture();
    EXPECT_EQ(Offered(), Green);
    ToSwatch(WM_MOUSEMOVE, blue); // no capture: no change
    EXPECT_EQ(Offered(), Green);
    Choose(); // released outside the logo: black is the key
    ToSwatch(WM_MOUSEMOVE, {2, 2});
    ToSwatch(WM_LBUTTONUP, {2, 2});
    EXPECT_EQ(f.TransparentColor, 0);
}

namespace {

std::set<COLORREF> seenDuringFlash;
POINT watched{};
int nestedClicks = 0;
frmWizard* flashing = nullptr;

// What a keyed pixel shows while the flash runs; clicks meanwhile start no
// second flash.
COLORREF changeDuringFlash = CLR_INVALID; // a background the user picks meanwhile

void CALLBACK WatchFlash(HWND, UINT, UINT_PTR, DWORD) {
    seenDuringFlash.insert(
        static_cast<COLORREF>(flashing->picPreviewDrawing.Pixel(watched.x, watched.y)));
    if (changeDuringFlash != CLR_INVALID)
        flashing->clrBackground.Changed(std::exchange(changeDuringFlash, CLR_INVALID));
    if (nestedClicks++ < 3) {
        SendMessageW((*flashing)(L"picTrans").hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW((*flashing)(L"picTrans").hWnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }
}

// The same once a redraw has drawn the preview: as its progress reaches the end.
LRESULT CALLBACK ChangeOnceDrawn(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == PBM_SETPOS && sent->wParam == 100 &&
        changeDuringFlash != CLR_INVALID)
        flashing->clrBackground.Changed(std::exchange(changeDuringFlash, CLR_INVALID));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A change made at a tick once the flash shows its inverse view.
std::function<void()> duringFlash;
void CALLBACK ChangeWhileInverse(HWND, UINT, UINT_PTR id, DWORD) {
    if (flashing->ProgBar.CtlWnd || flashing->picPreviewDrawing.Pixel(watched.x, watched.y) !=
                                        InverseColour(flashing->BackgroundColor))
        return;
    KillTimer(nullptr, id);
    std::exchange(duringFlash, {})();
}

} // namespace

TEST_F(LogoKey, FlashEndsAsItBeganAndABackgroundRecomposes) {
    TempFolder dir;
    frmWizard& f = OpenWith(KeyedPicture(dir));
    const COLORREF moss = RGB(40, 90, 10);
    f.clrBackground.Changed(moss);
    ASSERT_EQ(f.TransparentColor, static_cast<int32_t>(Magenta));
    const std::vector<uint8_t> preview = Bytes(f.picPreviewDrawing), tmp = Bytes(f.picTmpDrawing);
    watched = Over(1, 1);
    ASSERT_EQ(f.picPreviewDrawing.Pixel(watched.x, watched.y), static_cast<int32_t>(moss));
    flashing = &f;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, WatchFlash);
    const DWORD start = GetTickCount();
    ToSwatch(WM_LBUTTONDOWN, {3, 3}, Swatch());
    ToSwatch(WM_LBUTTONUP, {3, 3}, Swatch());
    const DWORD took = GetTickCount() - start;
    KillTimer(nullptr, timer);
    EXPECT_GE(took, 280u); // three waits of 100 ms, and no second flash
    EXPECT_LT(took, 1000u);
    EXPECT_GT(nestedClicks, 0);
    EXPECT_TRUE(seenDuringFlash.count(static_cast<COLORREF>(InverseColour(moss))));
    EXPECT_EQ(Bytes(f.picPreviewDrawing), preview);
    EXPECT_EQ(Bytes(f.picTmpDrawing), tmp); // the actual-size copy too

    // A background picked during the flash is what the flash ends on.
    const COLORREF plum = RGB(120, 30, 90);
    changeDuringFlash = plum;
    const UINT_PTR change = SetTimer(nullptr, 0, 20, WatchFlash);
    ToSwatch(WM_LBUTTONDOWN, {3, 3}, Swatch());
    ToSwatch(WM_LBUTTONUP, {3, 3}, Swatch());
    KillTimer(nullptr, change);
    ASSERT_EQ(changeDuringFlash, CLR_INVALID);
    EXPECT_EQ(f.picPreviewDrawing.Pixel(0, 0), static_cast<int32_t>(plum));
    EXPECT_EQ(f.picPreviewDrawing.Pixel(watched.x, watched.y), static_cast<int32_t>(plum));
    EXPECT_EQ(f.picTmpDrawing.Pixel(1, 1), static_cast<int32_t>(plum));
    // One picked while the release's own redraw runs, before the flash: it
    // was turned away there, and the flash must not drop it.
    const COLORREF rust = RGB(150, 60, 20);
    changeDuringFlash = rust;
    ToSwatch(WM_LBUTTONDOWN, {3, 3}, Swatch());
    const HHOOK drawn =
        SetWindowsHookExW(WH_CALLWNDPROC, ChangeOnceDrawn, nullptr, GetCurrentThreadId());
    ToSwatch(WM_LBUTTONUP, {3, 3}, Swatch());
    UnhookWindowsHookEx(drawn);
    ASSERT_EQ(changeDuringFlash, CLR_INVALID);
    EXPECT_EQ(f.picPreviewDrawing.Pixel(watched.x, watched.y), static_cast<int32_t>(rust));
    EXPECT_EQ(f.picTmpDrawing.Pixel(1, 1), static_cast<int32_t>(rust));
    f.clrBackground.Changed(plum);

    // A logo named, then the key turned off, while the flash shows its
    // inverse view: it ends on them.
    const auto flashWhile = [&](std::function<void()> change) {
        duringFlash = std::move(change);
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, ChangeWhileInverse);
        ToSwatch(WM_LBUTTONDOWN, {3, 3}, Swatch());
        ToSwatch(WM_LBUTTONUP, {3, 3}, Swatch());
        EXPECT_FALSE(duringFlash);
        KillTimer(nullptr, timer);
    };
    const COLORREF cyan = RGB(0, 255, 255), red = RGB(200, 0, 0);
    WriteFileBytes(dir.Path("cyan.bmp"), MakeBitmap32(40, 30, [](int x, int y) {
                       return x < 2 || y < 2 || x >= 38 || y >= 28 ? 0xFF00FFFFu : 0xFFC80000u;
                   }));
    flashWhile([&] { f(L"txtLogo").SetText(Wide(dir.Path("cyan.bmp"))); });
    EXPECT_EQ(f.TransparentColor, static_cast<int32_t>(cyan));
    EXPECT_EQ(f.picPreviewDrawing.Pixel(watched.x, watched.y), static_cast<int32_t>(plum));
    EXPECT_EQ(ShownPixel(Preview(), Over(20, 15).x, Over(20, 15).y), red);
    flashWhile([&] { f(L"chkTrans").SetValue(0); });
    EXPECT_EQ(f.TransparentColor, -1);
    EXPECT_EQ(f.picPreviewDrawing.Pixel(watched.x, watched.y), static_cast<int32_t>(cyan));
    EXPECT_EQ(f.picTmpDrawing.Pixel(1, 1), static_cast<int32_t>(cyan));

    // The built-in logo is composed over the background again; the key stays.
    Logo(L"");
    ASSERT_TRUE(f.PicHasTrans);
    f(L"chkTrans").SetValue(1);
    const int32_t key = f.TransparentColor;
    EXPECT_EQ(key, static_cast<int32_t>(plum)); // its clear corner
    const std::vector<uint8_t> before = Bytes(f.picBMPDrawing);
    const COLORREF sky = RGB(0, 128, 255);
    f.clrBackground.Changed(sky);
    EXPECT_EQ(f.TransparentColor, key);
    EXPECT_EQ(f(L"chkTrans").Value(), 1);
    EXPECT_EQ(f.picBMPDrawing.Pixel(0, 0), static_cast<int32_t>(sky));
    EXPECT_EQ(f.picPreviewDrawing.Pixel(0, 0), static_cast<int32_t>(sky));
    const std::vector<uint8_t> after = Bytes(f.picBMPDrawing);
    int changed = 0;
    for (std::size_t i = 0; i < after.size(); i += 4)
        changed += std::memcmp(&after[i], &before[i], 3) != 0;
    EXPECT_GT(changed, 10000);
}

TEST_F(LogoKey, ContentLogosInTheHostOrNotedWithoutOne) {
    TempFolder dir;
    const std::string movie = dir.Path("movie.swf");
    WriteFileBytes(movie, Movie(15, 11000, 8000));
    hostAvailable = true;
    frmWizard& f = OpenWith(Wide(movie));
    ASSERT_TRUE(f.ImageLoaded && f.DynamicLogo);
    EXPECT_EQ(f.DynType, L"Flash");
    EXPECT_EQ(f.picBMPDrawing.Width() * 1000 + f.picBMPDrawing.Height(), 550400);
    EXPECT_EQ(f.picBMPDrawing.Bits(), nullptr);
    EXPECT_TRUE(f(L"fraFlash").Visible() && !f(L"fraTransparent").Visible());
    EXPECT_FALSE(f(L"cmdScale").Enabled());
    EXPECT_EQ(f.DynSize, 3); // "Stretch to screen": the whole preview
    RECT client{};
    GetClientRect(Preview(), &client);
    EXPECT_EQ(f.LogoWidth * 1000 + f.LogoHeight, client.right * 1000 + client.bottom);
    const HWND first = HostIn(Preview());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, f.DynamicWnd.get());
    EXPECT_EQ(hostText, Wide(movie));
    EXPECT_EQ(hostBlock, (std::vector<uint8_t>{1, 0, 0}));
    EXPECT_EQ(GetWindowLongW(first, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | WS_POPUP),
              WS_CHILD | WS_VISIBLE);

    Size(0); // "Normal": a new host, the movie in proportion to the screen
    EXPECT_EQ(f.DynSize, 1);
    EXPECT_FALSE(IsWindow(first));
    const HWND host = HostIn(Preview());
    RECT r{};
    GetWindowRect(host, &r);
    MapWindowPoints(nullptr, Preview(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.right - r.left,
              RoundHalfEven(client.right * 550.0 / GetSystemMetrics(SM_CXSCREEN)));
    EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.bottom - r.top}),
              std::vector<LONG>({f.LogoLeft, f.LogoTop, f.LogoHeight}));
    const int made = hostsMade;
    f.UpdateImage(-1, L"", true, false, false); // a redraw leaves the host be
    EXPECT_EQ(hostsMade, made);
    EXPECT_EQ(HostIn(Preview()), host);

    hostAvailable = false; // no player: a grey frame and the note instead
    f.cmdUpdate.Click();
    EXPECT_EQ(HostIn(Preview()), nullptr);
    EXPECT_EQ(ShownPixel(Preview(), f.LogoLeft, f.LogoTop), RGB(128, 128, 128));
    int lit = 0;
    for (int y = f.LogoTop + 2; y < f.LogoTop + f.LogoHeight - 2; ++y)
        lit += f.picPreviewDrawing.Pixel(f.LogoLeft + f.LogoWidth / 2, y) != 0;
    EXPECT_GT(lit, 3); // the text's white over black
    hostAvailable = true;
    Logo(L""); // a picture again: the host goes, the key's frame is back
    EXPECT_EQ(HostIn(Preview()), nullptr);
    EXPECT_TRUE(!f(L"fraFlash").Visible() && f(L"fraTransparent").Visible());

    // A header's size is data: a huge one keeps its numbers, nothing that large is drawn.
    WriteFileBytes(dir.Path("huge.swf"), Movie(31, 0x7FFFFFFF, 0x7FFFFFFF));
    Logo(Wide(dir.Path("huge.swf")));
    EXPECT_EQ(f.picBMPDrawing.Width(), 107374182);
    for (int item : {2, 0, 1}) // ending on "Fullscreen"
        Size(item);
    EXPECT_TRUE(f.ImageLoaded);
}

TEST_F(LogoKey, WebPagesAndAddresses) {
    TempFolder dir;
    hostAvailable = true;
    const std::string page = dir.Path("page.htm");
    WriteFileBytes(page, {'<', 'H', 'T', 'M', 'L', '>', '<', '/', 'p', '>'});
    frmWizard& f = OpenWith(Wide(page));
    ASSERT_TRUE(f.DynamicLogo);
    EXPECT_EQ(f.DynType, L"HTML");
    EXPECT_EQ(f.DynSize, 0); // its size stays the user's choice
    RECT client{};
    GetClientRect(Preview(), &client);
    EXPECT_EQ(f.picBMPDrawing.Width() * 1000 + f.picBMPDrawing.Height(),
              client.right * 1000 + client.bottom);
    EXPECT_FALSE(f(L"fraFlash").Visible() || f(L"fraTransparent").Visible());
    // A missing path ending like a domain is a missing file.
    Logo(Wide(dir.Path("logos\\logo.com")));
    f.cmdUpdate.Click();
    f.NextStep(1);
    EXPECT_EQ(f.CurrentStep, PageLogo);
    EXPECT_EQ(LastHelpBalloon().Text, L"This file cannot be found.");

    // An address, loaded by Update: one wrapper page, rewritten each time.
    const auto bytes = [](const std::wstring& path) {
        const std::vector<uint8_t> b = ReadFileBytes(std::string(path.begin(), path.end()));
        return std::string(b.begin(), b.end());
    };
    Logo(L"www.example.com");
    EXPECT_FALSE(f.ImageLoaded); // not while typing
    f.cmdUpdate.Click();
    ASSERT_TRUE(f.DynamicLogo && f.DynRemote);
    const std::wstring wrapper = f.DynRemoteTemp;
    EXPECT_EQ(f.DynSize, 3);
    EXPECT_EQ(hostText, wrapper);
    EXPECT_EQ(wrapper.substr(wrapper.rfind(L'\\') + 1, 3), L"yls");
    EXPECT_EQ(bytes(wrapper), WrapperPage("http://www.example.com"));
    Logo(L"http://x.org/?q='\"");
    f.cmdUpdate.Click();
    EXPECT_EQ(f.DynRemoteTemp, wrapper);
    EXPECT_NE(bytes(wrapper).find("src='http://x.org/?q=&#39;&quot;'"), std::string::npos);
    f.NextStep(1); // an address passes the page's check
    EXPECT_EQ(f.CurrentStep, PageAnimations);
    f.NextStep(-1);
    // A missing file typed after it is reported, not passed as the address.
    Logo(Wide(dir.Path("gone.png")));
    f.NextStep(1);
    EXPECT_EQ(f.CurrentStep, PageLogo);
    EXPECT_EQ(LastHelpBalloon().Text, L"This file cannot be found.");

    // Going back needs no logo: not a missing file, nor an address whose
    // page cannot be written.
    f.NextStep(-1);
    EXPECT_EQ(f.CurrentStep, PageWelcome);
    f.NextStep(1);
    f.DynRemoteTemp = Wide(dir.Path("gone\\page.htm"));
    Logo(L"www.example.org");
    f.NextStep(1);
    EXPECT_EQ(f.CurrentStep, PageLogo);
    EXPECT_EQ(LastHelpBalloon().Text, L"This web address could not be loaded.");
    f.NextStep(-1);
    EXPECT_EQ(f.CurrentStep, PageWelcome);
    f.DynRemoteTemp = wrapper; // deleted on unload
}
