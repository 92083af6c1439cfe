#include "wizard/controls/LinkControl.h"

#include "tests/controls/ControlTestSupport.h"
#include "wizard/frame/Registry.h"
#include "wizard/frame/ToolTip.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

const ControlDecl LinkControls[] = {
    {.Name = L"lnkSite",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 120,
     .Width = 2000,
     .Height = 300,
     .Caption = L"Visit the web site",
     .ToolTipText = L"Opens the site",
     .Factory = MakeDrawn<LinkControl>},
    {.Name = L"lnkPlain",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 600,
     .Width = 2000,
     .Height = 300,
     .Caption = L"No tip here",
     .Factory = MakeDrawn<LinkControl>},
    {.Name = L"cmdOther",
     .Kind = ControlKind::CommandButton,
     .Left = 120,
     .Top = 1000,
     .Width = 1200,
     .Height = 375,
     .Caption = L"Other",
     .ToolTipText = L"A button"},
};
const FormDecl LinkForm = {.Name = L"frmLink",
                           .Caption = L"Links",
                           .ScaleWidth = 4800,
                           .ScaleHeight = 1500,
                           .Style = WS_POPUP | WS_CLIPCHILDREN};

struct frmLink : Form {
    frmLink() : Form(LinkForm, LinkControls), lnkSite((*this)(L"lnkSite").As<LinkControl>()) {
        lnkSite.Click = [this] { events += "Click "; };
        lnkSite.MouseHover = [this] { events += "MouseHover "; };
        lnkSite.MouseOut = [this] { events += "MouseOut "; };
    }
    LinkControl& lnkSite;
    std::string events;
};

const wchar_t MainKey[] = L"Software\\Microsoft\\Internet Explorer\\Main";
const wchar_t SettingsKey[] = L"Software\\Microsoft\\Internet Explorer\\Settings";

// Browser settings for one test; the values it set are put back as they
// were (or removed) at its end.
class BrowserSettings {
  public:
    BrowserSettings() = default;
    BrowserSettings(const BrowserSettings&) = delete;
    BrowserSettings& operator=(const BrowserSettings&) = delete;
    ~BrowserSettings() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(HKEY_CURRENT_USER, it->Path, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
                continue;
            if (it->Existed)
                RegSetStr(key, it->Name, it->Value);
            else
                RegDeleteValueW(key, it->Name);
            RegCloseKey(key);
        }
    }
    void Set(const wchar_t* path, const wchar_t* name, const wchar_t* value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const std::wstring before = RegGetStr(key, name, L"\x01");
        saved_.push_back({path, name, before != L"\x01", before});
        RegSetStr(key, name, value);
        RegCloseKey(key);
    }

  private:
    struct Saved {
        const wchar_t* Path;
        const wchar_t* Name;
        bool Existed;
        std::wstring Value;
    };
    std::vector<Saved> saved_;
};

std::wstring opened;
HWND openedOwner = nullptr;
void RecordOpen(HWND owner, const std::wstring& url) {
    opened = url;
    openedOwner = owner;
}

} // namespace

TEST(Link, BrowserColoursAndUnderlinesShowInItsPixelsAtEveryLevel) {
    BrowserSettings browser;
    browser.Set(MainKey, L"Anchor Underline", L"  HoVeR ");
    browser.Set(SettingsKey, L"Anchor Color", L"128,0,128");
    browser.Set(SettingsKey, L"Anchor Color Hover", L"0,128,0");
    for (const Setting& s : Settings()) {
        SCOPED_TRACE(s.Name());
        AtSetting at(s);
        frmLink f;
        f.BackColor = s.Glass ? RGB(0, 0, 0) : RGB(255, 255, 255);
        ShowInactive(f);
        const HWND host = f(L"lnkSite").hWnd();
        EXPECT_EQ(ClassOf(host), L"QuorvelLinkControl");
        EXPECT_EQ(f.lnkSite.LinkColour(), RGB(128, 0, 128));
        // Without "Use Anchor Hover Color" = yes the hover colour stays blue.
        EXPECT_EQ(f.lnkSite.HoverColour(), RGB(0, 0, 255));
        // Glass without glowing text (no theme data here) prints plainly.
        f.lnkSite.SetGlass(s.Glass);
        const Pixels normal = Capture(host);
        const int purple = normal.Count(RGB(128, 0, 128));
        EXPECT_GT(purple, 20);
        EXPECT_EQ(normal.Count(RGB(0, 0, 255)), 0);
        EXPECT_EQ(AsColour(normal.At(normal.Width - 1, 0)), f.BackColor);

        SendMessageW(host, WM_MOUSEMOVE, 0, At(3, 3));
        ASSERT_TRUE(f.lnkSite.Hovering());
        const Pixels hover = Capture(host);
        EXPECT_EQ(hover.Count(RGB(128, 0, 128)), 0);
        // "hover": underlined only now, a line of pixels more.
        EXPECT_GT(hover.Count(RGB(0, 0, 255)), purple + 20);
        SendMessageW(host, WM_MOUSEMOVE, 0, At(-5, 3));
        EXPECT_EQ(Capture(host), normal);
        f.Unload();
    }
    // "Use Anchor Hover Color" yes: the hover colour is read; "no": no underline.
    browser.Set(SettingsKey, L"Use Anchor Hover Color", L"Yes");
    browser.Set(MainKey, L"Anchor Underline", L"no");
    frmLink f;
    ShowInactive(f);
    EXPECT_EQ(f.lnkSite.HoverColour(), RGB(0, 128, 0));
    const HWND host = f(L"lnkSite").hWnd();
    const int normal = Capture(host).Count(RGB(128, 0, 128));
    SendMessageW(host, WM_MOUSEMOVE, 0, At(3, 3));
    const int hover = Capture(host).Count(RGB(0, 128, 0));
    EXPECT_EQ(hover, normal);
    f.Unload();
}

TEST(Link, SizesToItsCaptionWithTheGlassOrPlainMargin) {
    for (const Setting& s : Settings()) {
        SCOPED_TRACE(s.Name());
        AtSetting at(s);
        frmLink f;
        ShowInactive(f);
        Control& link = f(L"lnkSite");
        WindowDC dc(link.hWnd());
        SelectGuard font(dc.get(), FontFor(link.Font()).get());
        SIZE text{};
        GetTextExtentPoint32W(dc.get(), L"Visit the web site", 18, &text);
        EXPECT_DOUBLE_EQ(link.Width(), PixelsToTwipsX(text.cx) + 3);
        EXPECT_DOUBLE_EQ(link.Height(), PixelsToTwipsY(text.cy) + 3);
        f.lnkSite.SetGlass(true);
        EXPECT_DOUBLE_EQ(link.Width(), PixelsToTwipsX(text.cx) + 100);
        EXPECT_DOUBLE_EQ(link.Height(), PixelsToTwipsY(text.cy) + 100);
        f.lnkSite.SetGlass(false);
        f.lnkSite.SetCaption(L"Visit");
        EXPECT_LT(link.Width(), PixelsToTwipsX(text.cx));
        f.lnkSite.SetFontSize(20);
        EXPECT_GT(link.Height(), PixelsToTwipsY(text.cy) + 3);
        f.Unload();
    }
}

TEST(Link, HoverOutAndClickOnceEachAndAReleaseLetsTheMouseGo) {
    opened.clear();
    OpenCreatorLink = RecordOpen;
    frmLink f;
    ShowInactive(f);
    const HWND host = f(L"lnkSite").hWnd();
    RECT client{};
    GetClientRect(host, &client);

    // In and out: MouseHover then MouseOut, once each.
    SendMessageW(host, WM_MOUSEMOVE, 0, At(2, 2));
    EXPECT_EQ(GetCapture(), host);
    SendMessageW(host, WM_MOUSEMOVE, 0, At(4, 3));
    SendMessageW(host, WM_MOUSEMOVE, 0, At(client.right + 3, 2));
    EXPECT_EQ(f.events, "MouseHover MouseOut ");
    EXPECT_NE(GetCapture(), host);

    // An empty URL: Click, nothing opened. The hover stays through the
    // click: no second MouseHover on the next move.
    f.events.clear();
    SendMessageW(host, WM_MOUSEMOVE, 0, At(2, 2));
    SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
    SendMessageW(host, WM_LBUTTONUP, 0, At(2, 2));
    SendMessageW(host, WM_MOUSEMOVE, 0, At(3, 2));
    EXPECT_EQ(f.events, "MouseHover Click ");
    EXPECT_TRUE(opened.empty());

    // With a URL it opens after Click, owned by the form.
    f.lnkSite.SetURL(L"https://example.org/");
    f.events.clear();
    SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
    SendMessageW(host, WM_LBUTTONUP, 0, At(2, 2));
    EXPECT_EQ(f.events, "Click ");
    EXPECT_EQ(opened, L"https://example.org/");
    EXPECT_EQ(openedOwner, f.hWnd());

    // Pressed on the link, released off it: out, the mouse let go, no Click,
    // and a later click elsewhere reaches no link.
    opened.clear();
    f.events.clear();
    SendMessageW(host, WM_LBUTTONDOWN, MK_LBUTTON, At(2, 2));
    SendMessageW(host, WM_LBUTTONUP, 0, At(client.right + 40, 2));
    EXPECT_EQ(f.events, "MouseOut ");
    EXPECT_NE(GetCapture(), host);
    EXPECT_TRUE(opened.empty());

    // The hand cursor.
    EXPECT_EQ(SendMessageW(host, WM_SETCURSOR, reinterpret_cast<WPARAM>(host),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    f.Unload();
}

TEST(Link, ItsOwnTooltipHasTheOneToolAndTheFormsWrapperSkipsIt) {
    frmLink f;
    ShowInactive(f);
    Control& site = f(L"lnkSite");
    Control& plain = f(L"lnkPlain");
    // No tab stop on a link.
    EXPECT_FALSE(GetWindowLongPtrW(site.hWnd(), GWL_STYLE) & WS_TABSTOP);
    // The text moved to the link's own tooltip: the record has none now.
    EXPECT_TRUE(site.ToolTipText().empty());
    // Tooltip windows with a tool on a window: the link's own has one.
    auto toolsOn = [](HWND window) {
        int tools = 0;
        for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w;
             w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr)) {
            const int count = static_cast<int>(SendMessageW(w, TTM_GETTOOLCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                TTTOOLINFOW tool{};
                tool.cbSize = sizeof tool;
                if (SendMessageW(w, TTM_ENUMTOOLSW, static_cast<WPARAM>(i),
                                 reinterpret_cast<LPARAM>(&tool)) &&
                    tool.hwnd == window)
                    ++tools;
            }
        }
        return tools;
    };
    EXPECT_EQ(toolsOn(site.hWnd()), 1);
    EXPECT_EQ(toolsOn(plain.hWnd()), 0);
    ToolTipClass formTips;
    formTips.Init(&f, nullptr, 0, 0);
    EXPECT_EQ(formTips.SendMessage(TTM_GETTOOLCOUNT, 0, 0), 1); // the button only
    f.Unload();
}
