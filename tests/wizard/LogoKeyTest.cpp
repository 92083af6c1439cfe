// The logo page's colour key and content logos in this process: the key box
// and its swatch on screen, a pick under the mouse capture, the flash of the
// keyed pixels, a new background, and Flash movies, web pages and web
// addresses with the content host present or missing.
#include "core/ContentLogo.h"
#include "core/CreatorMath.h"
#include "core/TransparentSwatch.h"
#include "tests/support/SaverFiles.h"
#include "tests/wizard/WizardFiles.h"
#include "wizard/frame/ContentHost.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/Main.h"
#include "wizard/frame/Settings.h"
#include "wizard/pages/frmWizard.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <set>

namespace {

// What the screen shows of a window's client area.
struct Shot {
    int W = 0, H = 0;
    std::vector<uint32_t> Bgra;
    COLORREF At(int x, int y) const {
        const uint32_t p = Bgra[static_cast<std::size_t>(y) * W + x];
        return RGB((p >> 16) & 255, (p >> 8) & 255, p & 255);
    }
};

Shot Capture(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    PumpFor(50);
    Shot s;
    RECT r{};
    GetClientRect(window, &r);
    s.W = r.right;
    s.H = r.bottom;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, s.W, s.H);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, s.W, s.H, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = s.W;
    info.bmiHeader.biHeight = -s.H;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    s.Bgra.resize(static_cast<std::size_t>(s.W) * s.H);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(s.H), s.Bgra.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return s;
}

std::vector<uint8_t> Bytes(const Surface& s) {
    GdiFlush();
    return std::vector<uint8_t>(s.Bits(),
                                s.Bits() + static_cast<std::size_t>(s.Width()) * s.Height() * 4);
}

constexpr COLORREF Magenta = RGB(255, 0, 255), Blue = RGB(0, 0, 200), Green = RGB(0, 160, 0);

// 40 x 30: a magenta ring two pixels wide around a blue left half and a
// green right half.
std::string KeyedPicture(const TempFolder& dir) {
    const std::string path = dir.Path("keyed.bmp");
    WriteFileBytes(path, MakeBitmap32(40, 30, [](int x, int y) {
                       const auto argb = [](COLORREF c) {
                           return 0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 |
                                  GetBValue(c);
                       };
                       if (x < 2 || y < 2 || x >= 38 || y >= 28)
                           return argb(Magenta);
                       return argb(x < 20 ? Blue : Green);
                   }));
    return path;
}

// A Flash movie's first bytes: signature, version, length, then the frame
// rectangle of n-bit fields (twips), frame rate and count.
std::vector<uint8_t> Movie(unsigned n, uint32_t xmax, uint32_t ymax, std::size_t total = 64) {
    std::vector<uint8_t> b = {'F', 'W', 'S', 6, 0, 0, 0, 0};
    std::vector<bool> bits;
    const auto put = [&](uint32_t v, unsigned count) {
        for (unsigned i = count; i-- > 0;)
            bits.push_back((v >> i) & 1);
    };
    put(n, 5);
    put(0, n);
    put(xmax, n);
    put(0, n);
    put(ymax, n);
    for (std::size_t i = 0; i < bits.size(); i += 8) {
        uint8_t byte = 0;
        for (std::size_t j = 0; j < 8; ++j)
            byte = static_cast<uint8_t>(byte << 1 | (i + j < bits.size() && bits[i + j]));
        b.push_back(byte);
    }
    b.insert(b.end(), {0, 12, 1, 0});
    b.resize(std::max(total, b.size()), 0);
    const uint32_t length = static_cast<uint32_t>(b.size());
    std::memcpy(&b[4], &length, 4);
    return b;
}

// The content host as the preview makes it, seen by a class of our own of
// that name: its text, style and creation block.
struct HostSeen {
    std::wstring Text;
    DWORD Style = 0;
    std::vector<uint8_t> Block;
};
HostSeen lastHost;
int hostsMade = 0;

LRESULT CALLBACK StandInHostProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        lastHost.Text = cs->lpszName ? cs->lpszName : L"";
        lastHost.Style = static_cast<DWORD>(cs->style);
        const auto* block = static_cast<const uint8_t*>(cs->lpCreateParams);
        lastHost.Block = block ? std::vector<uint8_t>(block, block + 3) : std::vector<uint8_t>{};
        ++hostsMade;
    }
    return DefWindowProcW(w, message, wParam, lParam);
}

void RegisterStandInHost() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.style = CS_GLOBALCLASS;
        wc.lpfnWndProc = StandInHostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"AtlAxWin";
        return RegisterClassW(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
}

bool hostAvailable = false;
bool ForcedHost(const std::wstring&) {
    return hostAvailable;
}

BOOL CALLBACK CollectHosts(HWND w, LPARAM lp) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    if (std::wstring(name) == L"AtlAxWin")
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
}
std::vector<HWND> HostsIn(HWND preview) {
    std::vector<HWND> found;
    EnumChildWindows(preview, CollectHosts, reinterpret_cast<LPARAM>(&found));
    return found;
}

class LogoKey : public ::testing::Test {
  protected:
    void SetUp() override {
        CreatorSettingsKey = L"Software\\QuorvelTest\\" + std::to_wstring(GetCurrentProcessId());
        RegDeleteTreeW(HKEY_CURRENT_USER, CreatorSettingsKey.c_str());
        CreatorSettings = SettingsRecord{};
        CreatorVersion = 40515;
        AppVersionText = L"4.5.15";
        AppTitle = L"Quorvel Screensaver Creator";
        ContentHostAvailable = ForcedHost;
        hostAvailable = false;
    }
    void TearDown() override {
        if (wizard && wizard->Loaded())
            wizard->Unload();
        wizard.reset();
        ContentHostAvailable = PlatformContentHostAvailable;
        RegDeleteTreeW(HKEY_CURRENT_USER, CreatorSettingsKey.c_str());
    }
    // The wizard on its logo page, showing `logo` ("" the built-in one).
    frmWizard& OpenWith(const std::wstring& logo) {
        wizard = std::make_unique<frmWizard>();
        wizard->Show();
        SetForegroundWindow(wizard->hWnd());
        PumpFor(200);
        wizard->NextStep(1);
        (*wizard)(L"txtLogo").SetText(logo);
        PumpFor(100);
        return *wizard;
    }
    HWND Preview() const { return (*wizard)(L"picPreview").hWnd(); }
    HWND Swatch() const { return (*wizard)(L"picTrans").hWnd(); }
    // A point of the preview's client area in the swatch's.
    POINT InSwatch(int x, int y) const {
        POINT p{x, y};
        ClientToScreen(Preview(), &p);
        ScreenToClient(Swatch(), &p);
        return p;
    }
    void MoveTo(POINT p) const { SendMessageW(Swatch(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y)); }
    void PressChoose() const {
        const HWND choose = (*wizard)(L"cmdTrans").hWnd();
        SendMessageW(choose, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(choose, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
    // The preview's point over logo pixel (x, y) of a logo drawn at its size.
    POINT OverLogo(int x, int y) const { return {wizard->LogoLeft + x, wizard->LogoTop + y}; }
    std::unique_ptr<frmWizard> wizard;
};

// The disabled swatch: its colour paled toward the button face in a
// checkerboard with the panel's colour, which also edges it right and below.
void ExpectHatched(const Shot& s, COLORREF colour) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const auto pale = static_cast<COLORREF>(
        DisabledSwatchColour(static_cast<int32_t>(colour), static_cast<int32_t>(face)));
    int wrong = 0;
    for (int y = 0; y < s.H; ++y)
        for (int x = 0; x < s.W; ++x) {
            const bool edge = x == s.W - 1 || y == s.H - 1;
            const COLORREF want = !edge && (x + y) % 2 == 1 ? pale : face;
            wrong += s.At(x, y) != want;
        }
    EXPECT_EQ(wrong, 0) << std::hex << s.At(0, 0) << " " << s.At(1, 0) << " want " << pale;
}

void ExpectSolid(const Shot& s, COLORREF colour) {
    int wrong = 0;
    for (int y = 0; y < s.H; ++y)
        for (int x = 0; x < s.W; ++x)
            wrong += s.At(x, y) != colour;
    EXPECT_EQ(wrong, 0) << std::hex << s.At(0, 0);
}

// Screenshots are taken from outside while the test pauses.
void Pause() {
    PumpFor(GetEnvironmentVariableA("QV_SHOT_PAUSE", nullptr, 0) ? 3000 : 0);
}

bool HasClientEdge(HWND w) {
    return (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
}

} // namespace

TEST_F(LogoKey, KeyBoxUntickedAndTickedAgainOnScreen) {
    TempFolder dir;
    frmWizard& w = OpenWith(Wide(KeyedPicture(dir)));
    ASSERT_TRUE(w.ImageLoaded);
    ASSERT_EQ(w.LogoWidth, 40);
    // The ring's colour is proposed and keyed: the preview's black shows there.
    EXPECT_EQ(w(L"chkTrans").Value(), 1);
    EXPECT_EQ(w.TransparentColor, static_cast<int32_t>(Magenta));
    Shot p = Capture(Preview());
    const POINT ring = OverLogo(0, 0), blue = OverLogo(10, 15);
    EXPECT_EQ(p.At(ring.x, ring.y), RGB(0, 0, 0));
    EXPECT_EQ(p.At(blue.x, blue.y), Blue);
    ExpectSolid(Capture(Swatch()), Magenta);
    EXPECT_TRUE(HasClientEdge(Swatch()));

    w(L"chkTrans").SetValue(0);
    PumpFor(50);
    EXPECT_EQ(w.TransparentColor, -1);
    EXPECT_EQ(w.TransparentColorPrev, static_cast<int32_t>(Magenta));
    EXPECT_FALSE(IsWindowEnabled(w(L"cmdTrans").hWnd()));
    EXPECT_FALSE(IsWindowEnabled(Swatch()));
    EXPECT_FALSE(HasClientEdge(Swatch()));
    EXPECT_EQ(Capture(Preview()).At(ring.x, ring.y), Magenta); // the key is gone
    ExpectHatched(Capture(Swatch()), Magenta);
    ExpectHatched(Capture(Swatch()), Magenta); // and it stays through a repaint
    Pause();

    w(L"chkTrans").SetValue(1);
    PumpFor(50);
    EXPECT_EQ(w.TransparentColor, static_cast<int32_t>(Magenta)); // the previous key
    EXPECT_TRUE(IsWindowEnabled(Swatch()));
    EXPECT_TRUE(HasClientEdge(Swatch()));
    ExpectSolid(Capture(Swatch()), Magenta);
    EXPECT_EQ(Capture(Preview()).At(ring.x, ring.y), RGB(0, 0, 0));

    // Nothing remembered: ticking takes the logo's top-left pixel.
    w(L"chkTrans").SetValue(0);
    w.TransparentColorPrev = -1;
    w.TransparentColor = -1;
    w(L"chkTrans").SetValue(1);
    EXPECT_EQ(w.TransparentColor, static_cast<int32_t>(Magenta));
}

TEST_F(LogoKey, PickFollowsThePreviewUnderTheCaptureAndKeysOnRelease) {
    TempFolder dir;
    frmWizard& w = OpenWith(Wide(KeyedPicture(dir)));
    ASSERT_EQ(w.LogoWidth, 40);
    const HWND choose = w(L"cmdTrans").hWnd();

    // The keyboard's press of Choose starts nothing.
    SendMessageW(choose, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(choose, WM_KEYUP, VK_SPACE, 0);
    EXPECT_NE(GetCapture(), Swatch());

    PressChoose();
    ASSERT_EQ(GetCapture(), Swatch());
    EXPECT_EQ(LastHelpBalloon().Text, L"Click on a color on the image to make it transparent.");
    EXPECT_EQ(LastHelpBalloon().Edit, w(L"txtTip").hWnd());
    EXPECT_EQ(LastHelpBalloon().Icon, 1);
    Pause();

    const POINT blue = OverLogo(10, 15), green = OverLogo(30, 15);
    MoveTo(InSwatch(blue.x, blue.y));
    EXPECT_EQ(w(L"picTrans").BackColor, Blue);
    ExpectSolid(Capture(Swatch()), Blue);
    MoveTo(InSwatch(2, 2)); // the preview, outside the logo: black
    EXPECT_EQ(w(L"picTrans").BackColor, RGB(0, 0, 0));
    MoveTo(InSwatch(green.x, green.y));
    EXPECT_EQ(w(L"picTrans").BackColor, Green);
    RECT logoBox{};
    GetWindowRect(w(L"txtLogo").hWnd(), &logoBox);
    POINT other{logoBox.left + 5, logoBox.top + 5}; // another window: no change
    ScreenToClient(Swatch(), &other);
    MoveTo(other);
    EXPECT_EQ(w(L"picTrans").BackColor, Green);
    EXPECT_EQ(w.TransparentColor, static_cast<int32_t>(Magenta)); // nothing set yet

    const POINT up = InSwatch(green.x, green.y);
    SendMessageW(Swatch(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(up.x, up.y));
    SendMessageW(Swatch(), WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    PumpFor(50);
    EXPECT_EQ(w.TransparentColor, static_cast<int32_t>(Green));
    EXPECT_NE(GetCapture(), Swatch());
    const Shot p = Capture(Preview());
    const POINT ring = OverLogo(0, 0);
    EXPECT_EQ(p.At(green.x, green.y), RGB(0, 0, 0)); // keyed now
    EXPECT_EQ(p.At(ring.x, ring.y), Magenta);        // no longer

    // A pick whose capture is taken away puts the swatch back at the key.
    PressChoose();
    ASSERT_EQ(GetCapture(), Swatch());
    MoveTo(InSwatch(blue.x, blue.y));
    EXPECT_EQ(w(L"picTrans").BackColor, Blue);
    ReleaseCapture();
    PumpFor(20);
    EXPECT_EQ(w(L"picTrans").BackColor, Green);
    EXPECT_EQ(w.TransparentColor, static_cast<int32_t>(Green));
    // Moves without the capture change nothing.
    MoveTo(InSwatch(blue.x, blue.y));
    EXPECT_EQ(w(L"picTrans").BackColor, Green);

    // Released over the preview outside the logo: black is the key.
    PressChoose();
    MoveTo(InSwatch(2, 2));
    SendMessageW(Swatch(), WM_LBUTTONUP, 0, MAKELPARAM(InSwatch(2, 2).x, InSwatch(2, 2).y));
    EXPECT_EQ(w.TransparentColor, 0);
}

namespace {

// What a keyed pixel of the preview shows while the swatch's flash runs.
std::set<COLORREF> seenDuringFlash;
POINT watched{};
int nestedClicks = 0;
frmWizard* flashing = nullptr;

void CALLBACK WatchFlash(HWND, UINT, UINT_PTR, DWORD) {
    seenDuringFlash.insert(static_cast<COLORREF>(flashing->picPreview.Pixel(watched.x, watched.y)));
    // Clicks on the swatch meanwhile start no second flash.
    if (nestedClicks++ < 3) {
        const HWND swatch = (*flashing)(L"picTrans").hWnd();
        SendMessageW(swatch, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(swatch, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }
}

} // namespace

TEST_F(LogoKey, SwatchClickFlashesTheKeyedPixelsAndLeavesAllAsBefore) {
    TempFolder dir;
    frmWizard& w = OpenWith(Wide(KeyedPicture(dir)));
    w.clrBackground.Changed(RGB(40, 90, 10));
    ASSERT_EQ(w.TransparentColor, static_cast<int32_t>(Magenta));
    const std::vector<uint8_t> preview = Bytes(w.picPreview), tmp = Bytes(w.picTmp);
    watched = OverLogo(1, 1);
    ASSERT_EQ(w.picPreview.Pixel(watched.x, watched.y), RGB(40, 90, 10));

    seenDuringFlash.clear();
    nestedClicks = 0;
    flashing = &w;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, WatchFlash);
    const DWORD start = GetTickCount();
    SendMessageW(Swatch(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(Swatch(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    const DWORD took = GetTickCount() - start;
    KillTimer(nullptr, timer);

    EXPECT_GE(took, 280u); // three waits of about 100 ms
    EXPECT_LT(took, 1000u);
    EXPECT_GT(nestedClicks, 0);
    EXPECT_TRUE(seenDuringFlash.count(static_cast<COLORREF>(InverseColour(RGB(40, 90, 10)))));
    EXPECT_EQ(Bytes(w.picPreview), preview);
    EXPECT_EQ(Bytes(w.picTmp), tmp);
    EXPECT_EQ(w.TransparentColor, static_cast<int32_t>(Magenta));
}

TEST_F(LogoKey, NewBackgroundRecomposesTheBuiltInLogoAndKeepsTheKey) {
    frmWizard& w = OpenWith(L"");
    ASSERT_TRUE(w.PicHasTrans);
    ASSERT_EQ(w.picBMP.Width(), 200);
    w(L"chkTrans").SetValue(1); // the key: the top-left pixel, the logo's clear corner over black
    const int32_t key = w.TransparentColor;
    EXPECT_EQ(key, 0);
    const std::vector<uint8_t> overBlack = Bytes(w.picBMP);

    const COLORREF sky = RGB(0, 128, 255);
    w.clrBackground.Changed(sky);
    EXPECT_EQ(w.TransparentColor, key);
    EXPECT_EQ(w(L"chkTrans").Value(), 1);
    EXPECT_EQ(static_cast<COLORREF>(w.picBMP.Pixel(0, 0)), sky); // recomposed
    EXPECT_EQ(static_cast<COLORREF>(w.picPreview.Pixel(0, 0)), sky);
    // Every pixel that changed moved toward the new colour by its transparency.
    const std::vector<uint8_t> overSky = Bytes(w.picBMP);
    const std::vector<uint8_t> defimg = ResourceBytes(L"DEFIMG");
    ASSERT_EQ(defimg.size(), 54u + 200u * 200 * 4);
    int wrong = 0, changed = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            const uint8_t* src = &defimg[54 + (static_cast<std::size_t>(199 - y) * 200 + x) * 4];
            const std::size_t i = (static_cast<std::size_t>(y) * 200 + x) * 4;
            const uint8_t under[3] = {GetBValue(sky), GetGValue(sky), GetRValue(sky)};
            for (int c = 0; c < 3; ++c) {
                const int want =
                    (src[c] * src[3] + 127) / 255 + (under[c] * (255 - src[3]) + 127) / 255;
                wrong += std::abs(overSky[i + c] - want) > 1;
            }
            changed += std::memcmp(&overSky[i], &overBlack[i], 3) != 0;
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(changed, 10000);
}

TEST_F(LogoKey, FlashMovieInTheHostAndTheNoteWithoutOne) {
    RegisterStandInHost();
    TempFolder dir;
    const std::string movie = dir.Path("movie.swf");
    WriteFileBytes(movie, Movie(15, 11000, 8000));
    hostAvailable = true;
    hostsMade = 0;
    frmWizard& w = OpenWith(Wide(movie));
    ASSERT_TRUE(w.ImageLoaded);
    EXPECT_TRUE(w.DynamicLogo);
    EXPECT_FALSE(w.DynRemote);
    EXPECT_EQ(w.DynType, L"Flash");
    EXPECT_EQ(w.DynFile, Wide(movie));
    EXPECT_EQ(w.picBMP.Width(), 550);
    EXPECT_EQ(w.picBMP.Height(), 400);
    EXPECT_EQ(w.picBMP.Bits(), nullptr);
    EXPECT_EQ(w.ImageScale, 1.0);
    EXPECT_TRUE(w(L"fraFlash").Visible());
    EXPECT_FALSE(w(L"fraTransparent").Visible());
    EXPECT_FALSE(w(L"cmdScale").Enabled());
    EXPECT_EQ(w.DynSize, 3); // "Stretch to screen"
    RECT client{};
    GetClientRect(Preview(), &client);
    EXPECT_EQ(std::vector<int32_t>({w.LogoLeft, w.LogoTop, w.LogoWidth, w.LogoHeight}),
              std::vector<int32_t>({0, 0, client.right, client.bottom}));
    std::vector<HWND> hosts = HostsIn(Preview());
    ASSERT_EQ(hosts.size(), 1u);
    EXPECT_EQ(hosts[0], w.DynamicWnd.get());
    EXPECT_EQ(lastHost.Text, Wide(movie));
    EXPECT_EQ(lastHost.Style & (WS_CHILD | WS_VISIBLE | WS_POPUP), WS_CHILD | WS_VISIBLE);
    EXPECT_EQ(lastHost.Block, (std::vector<uint8_t>{1, 0, 0}));
    EXPECT_EQ(GetParent(hosts[0]), Preview());

    // "Normal": a new host at the movie's size in proportion to the screen.
    const HWND first = hosts[0];
    const HWND size = w(L"cmbSize").hWnd();
    SendMessageW(size, CB_SETCURSEL, 0, 0);
    SendMessageW(GetParent(size), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(size), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(size));
    PumpFor(50);
    EXPECT_EQ(w.DynSize, 1);
    EXPECT_FALSE(IsWindow(first));
    hosts = HostsIn(Preview());
    ASSERT_EQ(hosts.size(), 1u);
    const int expectW =
        RoundHalfEven(static_cast<double>(client.right) / GetSystemMetrics(SM_CXSCREEN) * 550);
    EXPECT_EQ(w.LogoWidth, expectW);
    RECT host{};
    GetWindowRect(hosts[0], &host);
    MapWindowPoints(nullptr, Preview(), reinterpret_cast<POINT*>(&host), 2);
    EXPECT_EQ(
        std::vector<LONG>({host.left, host.top, host.right - host.left, host.bottom - host.top}),
        std::vector<LONG>({w.LogoLeft, w.LogoTop, w.LogoWidth, w.LogoHeight}));
    // A redraw keeps the host where it is.
    const int made = hostsMade;
    w.UpdateImage(-1, L"", true, false, false);
    EXPECT_EQ(hostsMade, made);
    EXPECT_EQ(HostsIn(Preview()), hosts);

    // No player here: no host, a grey frame and the note's text instead.
    hostAvailable = false;
    w.Link(L"cmdUpdate").Click();
    PumpFor(50);
    EXPECT_TRUE(HostsIn(Preview()).empty());
    EXPECT_FALSE(w.DynamicWnd);
    const Shot p = Capture(Preview());
    EXPECT_EQ(p.At(w.LogoLeft, w.LogoTop), RGB(128, 128, 128));
    EXPECT_EQ(p.At(w.LogoLeft + w.LogoWidth - 1, w.LogoTop + w.LogoHeight - 1), RGB(128, 128, 128));
    int lit = 0;
    for (int y = w.LogoTop + 1; y < w.LogoTop + w.LogoHeight - 1; ++y)
        for (int x = w.LogoLeft + 1; x < w.LogoLeft + w.LogoWidth - 1; ++x)
            lit += p.At(x, y) != RGB(0, 0, 0);
    EXPECT_GT(lit, 30); // white text on the black background
    EXPECT_EQ(p.At(1, 1), RGB(0, 0, 0));
    Pause();

    // Back to a picture: the host goes, the key frame returns.
    hostAvailable = true;
    w.Link(L"cmdUpdate").Click();
    ASSERT_EQ(HostsIn(Preview()).size(), 1u);
    w(L"txtLogo").SetText(L"");
    EXPECT_TRUE(HostsIn(Preview()).empty());
    EXPECT_FALSE(w.DynamicLogo);
    EXPECT_TRUE(w(L"fraTransparent").Visible());
    EXPECT_FALSE(w(L"fraFlash").Visible());
    EXPECT_TRUE(w(L"cmdScale").Enabled());
}

TEST_F(LogoKey, WebPagesAddressesAndNamesThatAreNeither) {
    RegisterStandInHost();
    TempFolder dir;
    hostAvailable = true;
    const std::string page = dir.Path("page.htm");
    WriteFileBytes(page,
                   {'<', 'H', 'T', 'M', 'L', '>', 'h', 'i', '<', '/', 'h', 't', 'm', 'l', '>'});
    frmWizard& w = OpenWith(Wide(page));
    ASSERT_TRUE(w.DynamicLogo);
    EXPECT_EQ(w.DynType, L"HTML");
    EXPECT_EQ(w.DynSize, 0); // its size is the user's choice
    RECT client{};
    GetClientRect(Preview(), &client);
    EXPECT_EQ(w.picBMP.Width(), client.right); // as large as the preview
    EXPECT_EQ(w.picBMP.Height(), client.bottom);
    EXPECT_FALSE(w(L"fraFlash").Visible());
    EXPECT_FALSE(w(L"fraTransparent").Visible());
    EXPECT_EQ(lastHost.Text, Wide(page));

    // A missing path that ends like a domain is a missing file.
    w(L"txtLogo").SetText(Wide(dir.Path("logos\\logo.com")));
    w.Link(L"cmdUpdate").Click();
    EXPECT_FALSE(w.ImageLoaded);
    w.NextStep(1);
    EXPECT_EQ(w.CurrentStep, 1);
    EXPECT_EQ(LastHelpBalloon().Text, L"This file cannot be found.");

    // A web address, loaded by Update: the wrapper page, made once, rewritten.
    w(L"txtLogo").SetText(L"www.example.com");
    EXPECT_FALSE(w.ImageLoaded); // not while typing
    w.Link(L"cmdUpdate").Click();
    ASSERT_TRUE(w.DynamicLogo);
    EXPECT_TRUE(w.DynRemote);
    EXPECT_EQ(w.DynSize, 3);
    const std::wstring wrapper = w.DynRemoteTemp;
    EXPECT_EQ(w.DynFile, wrapper);
    EXPECT_EQ(lastHost.Text, wrapper);
    EXPECT_EQ(wrapper.substr(wrapper.find_last_of(L'\\') + 1, 3), L"yls");
    const auto text = [](const std::wstring& path) {
        const std::vector<uint8_t> b = ReadFileBytes(std::string(path.begin(), path.end()));
        return std::string(b.begin(), b.end());
    };
    EXPECT_EQ(text(wrapper), WrapperPage("http://www.example.com"));
    w(L"txtLogo").SetText(L"http://x.org/a?b=1&q='\"");
    w.Link(L"cmdUpdate").Click();
    EXPECT_EQ(w.DynRemoteTemp, wrapper);
    EXPECT_EQ(text(wrapper), WrapperPage("http://x.org/a?b=1&q='\""));
    EXPECT_NE(text(wrapper).find("q=&#39;&quot;'"), std::string::npos);
    w.NextStep(1); // an address passes the page's check
    EXPECT_EQ(w.CurrentStep, 2);
    w.NextStep(-1);
    // A missing file typed after it is reported, not passed as the address.
    w(L"txtLogo").SetText(Wide(dir.Path("gone.png")));
    w.NextStep(1);
    EXPECT_EQ(w.CurrentStep, 1);
    EXPECT_EQ(LastHelpBalloon().Text, L"This file cannot be found.");

    // Headers are data: a movie cut inside its frame size is not recognised,
    // a huge one keeps its numbers and draws nothing that large, one of no
    // height is placed without a division by zero.
    std::vector<uint8_t> cut = Movie(15, 11000, 8000);
    cut.resize(10);
    WriteFileBytes(dir.Path("cut.swf"), cut);
    w(L"txtLogo").SetText(Wide(dir.Path("cut.swf")));
    EXPECT_FALSE(w.ImageLoaded);
    w.NextStep(1);
    EXPECT_EQ(LastHelpBalloon().Text, L"This file was not recognised, or is not supported.");

    WriteFileBytes(dir.Path("huge.swf"), Movie(31, 0x7FFFFFFF, 0x7FFFFFFF));
    w(L"txtLogo").SetText(Wide(dir.Path("huge.swf")));
    ASSERT_TRUE(w.ImageLoaded);
    EXPECT_EQ(w.picBMP.Width(), 107374182);
    EXPECT_EQ(w.picBMP.Bits(), nullptr);
    const HWND size = w(L"cmbSize").hWnd();
    for (int item : {2, 0, 1}) { // ending on "Fullscreen"
        SendMessageW(size, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        SendMessageW(GetParent(size), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(size), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(size));
        EXPECT_TRUE(w.ImageLoaded) << item;
    }
    WriteFileBytes(dir.Path("flat.swf"), Movie(15, 11000, 0));
    w(L"txtLogo").SetText(Wide(dir.Path("flat.swf")));
    ASSERT_TRUE(w.ImageLoaded);
    EXPECT_EQ(w.picBMP.Width(), 550);
    EXPECT_EQ(w.picBMP.Height(), 0);
    EXPECT_EQ(w.LogoHeight, 0);
}
