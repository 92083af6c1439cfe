// The settings sheet and its pages in this program (which carries the
// saver's dialogs): the resources as built, the pages each sheet shows, the
// controls filled from and written back to the settings, the enable rules,
// the registry value, the About dialog, the link and the context help.
#include "DialogTemplate.h"
#include "SheetDriver.h"

#include "core/SaverTail.h"
#include "resources/SettingsIds.h"
#include "saver/ContextHelp.h"
#include "saver/LinkControl.h"
#include "saver/SaverInfo.h"
#include "saver/SaverState.h"
#include "saver/SaverWindow.h"
#include "saver/SaverWindowShared.h"
#include "saver/SettingsSheet.h"
#include "tests/support/WinTest.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

struct ExpectedControl {
    int Id;
    const char* Class;
    const char* Text; // null: not checked (filled at run time)
};

struct ExpectedDialog {
    int Id;
    const char* Title;
    short Cx, Cy;
    std::vector<ExpectedControl> Controls;
};

const std::vector<ExpectedDialog>& Dialogs() {
    static const std::vector<ExpectedDialog> dialogs = {
        {IDD_GENERAL,
         "General",
         195,
         110,
         {{1018, "Button", "&Hide these options"},
          {1021, "Button", "&Change saver-mode every:"},
          {1022, "Edit", ""},
          {1023, "msctls_updown32", ""},
          {1024, "Static", "minutes"},
          {0xFFFF, "Static", "Ignore:"},
          {1025, "Button", "&Keyboard"},
          {1026, "Button", "&Mouse clicks"},
          {1027, "Button", "M&ouse movement"}}},
        {IDD_STATIC,
         "Static",
         195,
         110,
         {{1014, "Button", "&Enabled"},
          {1018, "Button", "&Hide these options"},
          {1030, "Button", "&Preview"},
          {1053, "ComboBox", ""},
          {0xFFFF, "Static", "How should the logo be displayed?"}}},
        {IDD_STANDARD,
         "Standard",
         195,
         110,
         {{1014, "Button", "&Enabled"},
          {1018, "Button", "&Hide these options"},
          {0xFFFF, "Static", "&Delay:"},
          {1017, "msctls_trackbar32", ""},
          {0xFFFF, "Static", "Long"},
          {0xFFFF, "Static", "Short"},
          {1030, "Button", "&Preview"},
          {1039, "Button", "&Fade the logo"}}},
        {IDD_BOUNCE,
         "Bounce",
         195,
         110,
         {{1014, "Button", "&Enabled"},
          {1018, "Button", "&Hide these options"},
          {0xFFFF, "Static", "&Speed:"},
          {0xFFFF, "Static", "Slow"},
          {0xFFFF, "Static", "Fast"},
          {1012, "msctls_trackbar32", ""},
          {1015, "Button", "&Gravity"},
          {1016, "Button", "&Bounce off sides"},
          {1030, "Button", "&Preview"},
          {1045, "Button", "&Leave a trail"}}},
        {IDD_MANY,
         "Many",
         195,
         110,
         {{1014, "Button", "&Enabled"},
          {1018, "Button", "&Hide these options"},
          {0xFFFF, "Static", "&Delay:"},
          {1017, "msctls_trackbar32", ""},
          {0xFFFF, "Static", "Long"},
          {0xFFFF, "Static", "Short"},
          {1030, "Button", "&Preview"}}},
        {IDD_DRIP,
         "Drip",
         195,
         110,
         {{1014, "Button", "&Enabled"},
          {1018, "Button", "&Hide these options"},
          {0xFFFF, "Static", "&Speed:"},
          {0xFFFF, "Static", "Slow"},
          {0xFFFF, "Static", "Fast"},
          {1012, "msctls_trackbar32", ""},
          {1030, "Button", "&Preview"},
          {1053, "ComboBox", ""},
          {0xFFFF, "Static", "How should the logo be displayed?"}}},
        {IDD_FALLING,
         "Falling",
         200,
         110,
         {{1014, "Button", "&Enabled"},
          {1018, "Button", "&Hide these options"},
          {0xFFFF, "Static", "Slow"},
          {0xFFFF, "Static", "Fast"},
          {0xFFFF, "Static", "&Speed:"},
          {1012, "msctls_trackbar32", ""},
          {0xFFFF, "Static", "&Logos:"},
          {1042, "Edit", ""},
          {1043, "msctls_updown32", ""},
          {0xFFFF, "Static", "&Direction:"},
          {1044, "ComboBox", ""},
          {1039, "Button", "&Fade in Distance"},
          {1030, "Button", "&Preview"}}},
        {IDD_SLIDER,
         "Slider",
         195,
         110,
         {{1014, "Button", "&Enabled"},
          {1018, "Button", "&Hide these options"},
          {1030, "Button", "&Preview"},
          {1053, "ComboBox", ""},
          {0xFFFF, "Static", "How should the logo be displayed?"},
          {0xFFFF, "Button", "Tile Size"},
          {1050, "Button", "Small"},
          {1051, "Button", "Medium"},
          {1052, "Button", "Large"},
          {1054, "Button", "Same as the logo"}}},
        {IDD_ABOUT,
         "About",
         181,
         110,
         {{0xFFFF, "Static", "#5"},
          {1035, "Static", ""},
          {1036, "Static", ""},
          {1029, "Button", "OK"},
          {1037, "Static", ""}}},
        {IDD_CONFIGURE, "Dialog", -1, -1, {}},
    };
    return dialogs;
}

std::string SaverName() {
    return "QvSettingsTest" + std::to_string(GetCurrentProcessId());
}

// Each test starts from the defaults of a saver with a name of its own and
// leaves no registry key behind.
class SheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CurrentTrailer = SaverTrailer{};
        LoadDefaultSettings();
        SetField(CurrentTrailer.SaverName, SaverName().c_str());
        CurrentTrailer.SaverId = 0x1F;
        SettingsChanged = 0;
        RegDeleteTreeA(HKEY_CURRENT_USER, SaverRegistryKey(CurrentTrailer).c_str());
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, SaverRegistryKey(CurrentTrailer).c_str());
        CurrentSettings = &CurrentTrailer.Settings;
    }

    // The registry value the sheet wrote: its type and bytes, or nothing.
    bool StoredValue(DWORD& type, std::vector<uint8_t>& bytes) {
        HKEY raw = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, SaverRegistryKey(CurrentTrailer).c_str(), 0, KEY_READ,
                          &raw) != ERROR_SUCCESS)
            return false;
        UniqueKey key(raw);
        DWORD size = 0;
        if (RegQueryValueExA(key.get(), "Settings", nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            return false;
        bytes.resize(size);
        return RegQueryValueExA(key.get(), "Settings", nullptr, &type, bytes.data(), &size) ==
               ERROR_SUCCESS;
    }

    void RunSheet(const std::function<void(HWND)>& driver, int32_t start = 0) {
        DriveModal([&] { ShowSettingsSheet(nullptr, start); }, driver);
    }
};

std::vector<std::string> Titles(HWND sheet) {
    std::vector<std::string> titles;
    for (int i = 0; i < PageCount(sheet); ++i)
        titles.push_back(PageTitle(sheet, i));
    return titles;
}

} // namespace

TEST(SettingsResources, DialogsHaveTheirSizesFontAndControls) {
    for (const ExpectedDialog& d : Dialogs()) {
        SCOPED_TRACE("dialog " + std::to_string(d.Id));
        const DialogTemplate t = ReadDialogTemplate(GetModuleHandleA(nullptr), d.Id);
        EXPECT_EQ(t.Title, d.Title);
        EXPECT_EQ(t.Font, "MS Shell Dlg");
        EXPECT_EQ(t.PointSize, 8);
        if (d.Cx > 0) {
            EXPECT_EQ(t.Cx, d.Cx);
            EXPECT_EQ(t.Cy, d.Cy);
        }
        ASSERT_EQ(t.Items.size(), d.Controls.size());
        for (std::size_t i = 0; i < d.Controls.size(); ++i) {
            const ExpectedControl& want = d.Controls[i];
            const DialogItem& got = t.Items[i];
            EXPECT_EQ(got.Id, want.Id) << i;
            EXPECT_EQ(lstrcmpiA(got.Class.c_str(), want.Class), 0) << i << " " << got.Class;
            EXPECT_EQ(got.Text, want.Text) << i;
            // Nothing reaches past the dialog's edges.
            EXPECT_LE(got.X + got.Cx, t.Cx) << i;
            if (got.Class != "ComboBox") { // a drop-down's height includes its list
                EXPECT_LE(got.Y + got.Cy, t.Cy) << i;
            }
        }
    }
}

TEST(SettingsResources, ControlKindsAreTheOnesTheCodeDrives) {
    const HINSTANCE self = GetModuleHandleA(nullptr);
    const auto style = [&](int dialog, int id) {
        const DialogTemplate t = ReadDialogTemplate(self, dialog);
        const DialogItem* item = t.Find(id);
        return item ? item->Style : 0;
    };
    EXPECT_EQ(style(IDD_GENERAL, 1022) & ES_NUMBER, static_cast<DWORD>(ES_NUMBER));
    EXPECT_EQ(style(IDD_FALLING, 1042) & ES_NUMBER, static_cast<DWORD>(ES_NUMBER));
    for (int dialog : {IDD_STATIC, IDD_DRIP, IDD_SLIDER})
        EXPECT_EQ(style(dialog, 1053) & 3, static_cast<DWORD>(CBS_DROPDOWNLIST)) << dialog;
    EXPECT_EQ(style(IDD_FALLING, 1044) & 3, static_cast<DWORD>(CBS_DROPDOWNLIST));
    for (int id : {1050, 1051, 1052, 1054})
        EXPECT_EQ(style(IDD_SLIDER, id) & 0xF, static_cast<DWORD>(BS_AUTORADIOBUTTON)) << id;
    EXPECT_EQ(style(IDD_GENERAL, 1021) & 0xF, static_cast<DWORD>(BS_AUTOCHECKBOX));
    // About runs on its own too, so it is a popup with a caption.
    EXPECT_EQ(style(IDD_ABOUT, 1029) & 0xF, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    const DialogTemplate about = ReadDialogTemplate(self, IDD_ABOUT);
    EXPECT_TRUE(about.Style & WS_POPUP);
    EXPECT_EQ(about.Style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
}

TEST_F(SheetTest, DefaultsShowGeneralStandardAndAboutUnderTheSaverName) {
    std::vector<std::string> titles;
    std::string caption;
    bool hideShown = true, okShown = true;
    RunSheet([&](HWND sheet) {
        titles = Titles(sheet);
        caption = TextOf(sheet);
        hideShown = IsWindowVisible(GetDlgItem(CurrentPage(sheet), IDC_HIDE));
        okShown = IsWindowVisible(GetDlgItem(SelectPage(sheet, 2), IDC_ABOUT_OK));
        PressCancel(sheet);
    });
    EXPECT_EQ(titles, (std::vector<std::string>{"General", "Standard", "About"}));
    EXPECT_EQ(caption, SaverName());
    EXPECT_FALSE(hideShown);
    EXPECT_FALSE(okShown); // the sheet has its own
}

TEST_F(SheetTest, PagesFollowHiddenMaskAndContentMode) {
    struct Case {
        int32_t hidden;
        int32_t dynamic;
        std::vector<std::string> titles;
    } cases[] = {
        {0xFF, 0, {"About"}},
        {0,
         0,
         {"General", "Static", "Standard", "Bounce", "Many", "Drip", "Falling", "Slider", "About"}},
        {0, 1, {"General", "About"}},
        {PageGeneral | EffectStandard,
         0,
         {"Static", "Bounce", "Many", "Drip", "Falling", "Slider", "About"}},
    };
    SetField(CurrentTrailer.SaverName, "");
    for (const Case& c : cases) {
        CurrentSettings->HiddenMask = c.hidden;
        CurrentTrailer.DynamicLogo = c.dynamic;
        std::vector<std::string> titles;
        std::string caption;
        RunSheet([&](HWND sheet) {
            titles = Titles(sheet);
            caption = TextOf(sheet);
            PressCancel(sheet);
        });
        EXPECT_EQ(titles, c.titles) << c.hidden << " " << c.dynamic;
        EXPECT_EQ(caption, "Settings");
    }
    EXPECT_EQ(SettingsChanged, 0);
}

TEST_F(SheetTest, PagesShowTheSettings) {
    SaverSettings& s = *CurrentSettings;
    s.HiddenMask = 0;
    s.EnabledMask = EffectBounce | EffectFalling;
    s.ChangeMinutes = 17;
    s.IgnoreInput = 2;
    s.DripInterval = 310;
    s.FallingCount = 23;
    s.FallingDirection = 12;
    s.StaticDisplay = 3;
    std::map<std::string, std::string> seen;
    RunSheet([&](HWND sheet) {
        HWND general = SelectPage(sheet, 0);
        seen["minutes"] = TextOf(GetDlgItem(general, IDC_MINUTES));
        seen["clicks"] = std::to_string(IsDlgButtonChecked(general, IDC_IGNORE_CLICKS));
        HWND page = SelectPage(sheet, 1); // Static
        seen["static enabled"] = std::to_string(IsDlgButtonChecked(page, IDC_ENABLED));
        seen["static display"] = TextOf(GetDlgItem(page, IDC_DISPLAY));
        page = SelectPage(sheet, 3); // Bounce
        seen["bounce enabled"] = std::to_string(IsDlgButtonChecked(page, IDC_ENABLED));
        page = SelectPage(sheet, 5); // Drip
        seen["drip"] = std::to_string(SendDlgItemMessageA(page, IDC_SPEED, TBM_GETPOS, 0, 0));
        seen["drip max"] =
            std::to_string(SendDlgItemMessageA(page, IDC_SPEED, TBM_GETRANGEMAX, 0, 0));
        page = SelectPage(sheet, 6); // Falling
        seen["count"] = TextOf(GetDlgItem(page, IDC_COUNT));
        seen["direction"] = TextOf(GetDlgItem(page, IDC_DIRECTION));
        seen["directions"] =
            std::to_string(SendDlgItemMessageA(page, IDC_DIRECTION, CB_GETCOUNT, 0, 0));
        PressCancel(sheet);
    });
    EXPECT_EQ(seen["minutes"], "17");
    EXPECT_EQ(seen["clicks"], "1");
    EXPECT_EQ(seen["static enabled"], "0");
    EXPECT_EQ(seen["static display"], "Stretch to fit the screen");
    EXPECT_EQ(seen["bounce enabled"], "1");
    EXPECT_EQ(seen["drip"], "690");
    EXPECT_EQ(seen["drip max"], "1000");
    EXPECT_EQ(seen["count"], "23");
    EXPECT_EQ(seen["direction"], "Horizontal");
    EXPECT_EQ(seen["directions"], "7");
}

TEST_F(SheetTest, OkWritesTheShownPagesBackAndStoresExactly144Bytes) {
    CurrentSettings->HiddenMask = 0;
    const SaverSettings before = *CurrentSettings;
    RunSheet([&](HWND sheet) {
        HWND general = SelectPage(sheet, 0);
        SetDlgItemTextA(general, IDC_MINUTES, "99"); // typed: kept as typed
        Click(general, IDC_IGNORE_KEYS);
        HWND bounce = SelectPage(sheet, 3);
        Click(bounce, IDC_ENABLED);
        SendDlgItemMessageA(bounce, IDC_SPEED, TBM_SETPOS, TRUE, 7);
        Click(bounce, IDC_GRAVITY);
        Click(bounce, IDC_BOUNCE_SIDES);
        HWND many = SelectPage(sheet, 4);
        SendDlgItemMessageA(many, IDC_DELAY, TBM_SETPOS, TRUE, 12);
        PressOk(sheet);
    });
    const SaverSettings& s = *CurrentSettings;
    EXPECT_EQ(SettingsChanged, 1);
    EXPECT_EQ(s.ChangeMinutes, 99);
    EXPECT_EQ(s.IgnoreInput, 1);
    EXPECT_EQ(s.EnabledMask, EffectStandard | EffectBounce);
    EXPECT_EQ(s.BounceSpeed, 7);
    EXPECT_EQ(s.BounceGravity, 21); // normalised: speed * 3
    EXPECT_EQ(s.BounceWrap, 0);
    EXPECT_EQ(s.ManyDelay, 1200);
    // Pages never shown wrote nothing.
    EXPECT_EQ(s.FallingCount, before.FallingCount);
    EXPECT_EQ(s.SliderTileSize, before.SliderTileSize);

    DWORD type = 0;
    std::vector<uint8_t> stored;
    ASSERT_TRUE(StoredValue(type, stored));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(stored.size(), 144u);
    EXPECT_EQ(std::memcmp(stored.data(), &s, 144), 0);
}

TEST_F(SheetTest, CancelWritesNothing) {
    const SaverSettings before = *CurrentSettings;
    RunSheet([&](HWND sheet) {
        HWND general = SelectPage(sheet, 0);
        Click(general, IDC_CHANGE);
        SetDlgItemTextA(general, IDC_MINUTES, "42");
        HWND standard = SelectPage(sheet, 1);
        Click(standard, IDC_FADE);
        PressCancel(sheet);
    });
    EXPECT_EQ(SettingsChanged, 0);
    EXPECT_EQ(std::memcmp(CurrentSettings, &before, sizeof before), 0);
    DWORD type = 0;
    std::vector<uint8_t> stored;
    EXPECT_FALSE(StoredValue(type, stored));
}

TEST_F(SheetTest, EnableRulesOnThePages) {
    CurrentSettings->HiddenMask = 0;
    CurrentSettings->EnabledMask = EffectBounce | EffectSlider;
    CurrentSettings->SliderDisplay = DisplayTiled;
    CurrentSettings->SliderTileSize = IDC_TILE_LOGO;
    CurrentSettings->ChangeMode = 0;
    std::map<std::string, bool> seen;
    RunSheet([&](HWND sheet) {
        HWND general = SelectPage(sheet, 0);
        seen["minutes off"] = IsWindowEnabled(GetDlgItem(general, IDC_MINUTES));
        Click(general, IDC_CHANGE);
        seen["minutes on"] = IsWindowEnabled(GetDlgItem(general, IDC_MINUTES));
        Click(general, IDC_IGNORE_CLICKS);
        Click(general, IDC_IGNORE_MOVES);
        Click(general, IDC_IGNORE_KEYS); // the third: keys give way
        seen["keys"] = IsDlgButtonChecked(general, IDC_IGNORE_KEYS) == BST_CHECKED;

        HWND bounce = SelectPage(sheet, 3);
        seen["sides without gravity"] = IsWindowEnabled(GetDlgItem(bounce, IDC_BOUNCE_SIDES));
        Click(bounce, IDC_GRAVITY);
        seen["sides with gravity"] = IsWindowEnabled(GetDlgItem(bounce, IDC_BOUNCE_SIDES));
        Click(bounce, IDC_ENABLED); // off: everything else greys out
        seen["preview"] = IsWindowEnabled(GetDlgItem(bounce, IDC_PREVIEW));
        seen["speed"] = IsWindowEnabled(GetDlgItem(bounce, IDC_SPEED));
        seen["enabled box"] = IsWindowEnabled(GetDlgItem(bounce, IDC_ENABLED));

        HWND slider = SelectPage(sheet, 7);
        seen["logo size tiled"] = IsWindowEnabled(GetDlgItem(slider, IDC_TILE_LOGO));
        HWND list = GetDlgItem(slider, IDC_DISPLAY);
        SendMessageA(list, CB_SETCURSEL, 1, 0); // "Full screen", as the user picks it
        SendMessageA(slider, WM_COMMAND, MAKEWPARAM(IDC_DISPLAY, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        seen["logo size full"] = IsWindowEnabled(GetDlgItem(slider, IDC_TILE_LOGO));
        seen["medium"] = IsDlgButtonChecked(slider, IDC_TILE_MEDIUM) == BST_CHECKED;
        PressOk(sheet);
    });
    EXPECT_FALSE(seen["minutes off"]);
    EXPECT_TRUE(seen["minutes on"]);
    EXPECT_FALSE(seen["keys"]);
    EXPECT_FALSE(seen["sides without gravity"]);
    EXPECT_TRUE(seen["sides with gravity"]);
    EXPECT_FALSE(seen["preview"]);
    EXPECT_FALSE(seen["speed"]);
    EXPECT_TRUE(seen["enabled box"]);
    EXPECT_TRUE(seen["logo size tiled"]);
    EXPECT_FALSE(seen["logo size full"]);
    EXPECT_TRUE(seen["medium"]);
    EXPECT_EQ(CurrentSettings->IgnoreInput, 6);
    EXPECT_EQ(CurrentSettings->EnabledMask, EffectSlider);
    EXPECT_EQ(CurrentSettings->SliderTileSize, IDC_TILE_MEDIUM);
    EXPECT_EQ(CurrentSettings->SliderDisplay, DisplayFull);
}

namespace {
struct Popup {
    int count = 0;
    std::string text;
    POINT at{};
};
Popup LastPopup;
void RecordPopup(HWND, const char* text, POINT at) {
    ++LastPopup.count;
    LastPopup.text = text;
    LastPopup.at = at;
}

// Asks for help on a control of `page` as F1 does: the system sends the page
// WM_HELP. (Wine's trackbar does not turn a posted F1 into WM_HELP, so the
// message is sent here directly.)
void AskHelp(HWND page, int id) {
    HWND control = GetDlgItem(page, id);
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = id;
    info.hItemHandle = control;
    SendMessageA(page, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}
} // namespace

TEST_F(SheetTest, HelpOnTheManyDelayTrackbarAsksForItsText) {
    CurrentSettings->HiddenMask = 0;
    CurrentSettings->EnabledMask = EffectMany;
    ShowHelpPopup = RecordPopup;
    LastPopup = {};
    RECT bar{};
    Popup many, standard, label;
    RunSheet(
        [&](HWND sheet) {
            HWND page = SelectPage(sheet, 4);
            GetWindowRect(GetDlgItem(page, IDC_DELAY), &bar);
            AskHelp(page, IDC_DELAY);
            many = LastPopup;
            AskHelp(SelectPage(sheet, 2), IDC_DELAY);
            standard = LastPopup;
            // A label has no id and no help.
            HWND labelWindow = FindWindowExA(page, nullptr, "Static", "Long");
            HELPINFO info{sizeof info, HELPINFO_WINDOW, 0xFFFF, labelWindow, 0, {0, 0}};
            SendMessageA(page, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
            label = LastPopup;
            PressCancel(sheet);
        },
        EffectMany);
    EXPECT_EQ(many.count, 1);
    EXPECT_EQ(many.text, "This how fast the logos will appear");
    EXPECT_EQ(many.at.x, (bar.left + bar.right) / 2);
    EXPECT_EQ(many.at.y, bar.bottom + 10);
    EXPECT_EQ(standard.text,
              "This sets how long the logo is to be shown for, before changing position.");
    EXPECT_EQ(label.count, 2);
}

TEST_F(SheetTest, AboutAloneHasItsCaptionTextsAndAWorkingOk) {
    SetField(CurrentTrailer.AboutText, "Made for the harbour office.");
    SetField(CurrentTrailer.WebAddress, "www.example.com");
    static std::string opened;
    opened.clear();
    OpenLinkTarget = [](HWND, const std::string& t) { opened = t; };
    std::map<std::string, std::string> seen;
    DriveModal(
        [] {
            DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), nullptr,
                            SettingsPageProc, 0);
        },
        [&](HWND about) {
            seen["caption"] = TextOf(about);
            seen["name"] = TextOf(GetDlgItem(about, IDC_ABOUT_NAME));
            seen["text"] = TextOf(GetDlgItem(about, IDC_ABOUT_TEXT));
            seen["link"] = TextOf(GetDlgItem(about, IDC_LINK));
            seen["ok shown"] = std::to_string(IsWindowVisible(GetDlgItem(about, IDC_ABOUT_OK)));
            LOGFONTA font{};
            GetObjectA(reinterpret_cast<HFONT>(
                           SendDlgItemMessageA(about, IDC_ABOUT_NAME, WM_GETFONT, 0, 0)),
                       sizeof font, &font);
            seen["bold"] = std::to_string(font.lfWeight >= FW_BOLD);
            SendDlgItemMessageA(about, IDC_LINK, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
            Click(about, IDC_ABOUT_OK);
        });
    EXPECT_EQ(seen["caption"], "About " + SaverName());
    EXPECT_EQ(seen["name"], SaverName());
    EXPECT_EQ(seen["text"], "Made for the harbour office.");
    EXPECT_EQ(seen["link"], "www.example.com");
    EXPECT_EQ(seen["ok shown"], "1");
    EXPECT_EQ(seen["bold"], "1");
    EXPECT_EQ(opened, "http://www.example.com");
}

namespace {
// Browser settings for one test, removed afterwards.
class BrowserSettings {
  public:
    BrowserSettings() {
        RegDeleteTreeA(HKEY_CURRENT_USER, Settings);
        RegDeleteKeyValueA(HKEY_CURRENT_USER, Main, "Anchor Underline");
    }
    ~BrowserSettings() {
        RegDeleteTreeA(HKEY_CURRENT_USER, Settings);
        RegDeleteKeyValueA(HKEY_CURRENT_USER, Main, "Anchor Underline");
    }
    void Put(const char* key, const char* name, const char* text) {
        RegSetKeyValueA(HKEY_CURRENT_USER, key, name, REG_SZ, text,
                        static_cast<DWORD>(strlen(text) + 1));
    }
    static constexpr const char* Settings = "Software\\Microsoft\\Internet Explorer\\Settings";
    static constexpr const char* Main = "Software\\Microsoft\\Internet Explorer\\Main";
};

bool Underlined(HWND link) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(link, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfUnderline != 0;
}
} // namespace

TEST_F(SheetTest, LinkTakesTheBrowsersColoursAndUnderline) {
    SetField(CurrentTrailer.WebAddress, "HTTP://example.com/");
    CurrentSettings->HiddenMask = 0xFF;
    BrowserSettings browser;
    browser.Put(BrowserSettings::Settings, "Anchor Color", "0,128,0");
    browser.Put(BrowserSettings::Settings, "Use Anchor Hover Color", "Yes");
    browser.Put(BrowserSettings::Settings, "Anchor Color Hover", "1,2,3");
    browser.Put(BrowserSettings::Main, "Anchor Underline", "hover");
    UnderlineMode = -1;
    static std::string opened;
    opened.clear();
    OpenLinkTarget = [](HWND, const std::string& t) { opened = t; };
    std::map<std::string, int> seen;
    RunSheet([&](HWND sheet) {
        HWND about = CurrentPage(sheet);
        HWND link = GetDlgItem(about, IDC_LINK);
        seen["notify"] = (GetWindowLongA(link, GWL_STYLE) & SS_NOTIFY) != 0;
        seen["plain"] = Underlined(link);
        SetLinkFont(link, true);
        seen["hover"] = Underlined(link);
        seen["hover flag"] = LinkHover;
        SetLinkFont(link, false);
        seen["hover flag after"] = LinkHover;
        SendMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
        PressCancel(sheet);
    });
    EXPECT_EQ(LinkColor, static_cast<COLORREF>(0x008000));
    EXPECT_EQ(LinkHoverColor, static_cast<COLORREF>(0x030201));
    EXPECT_EQ(seen["notify"], 1);
    EXPECT_EQ(seen["plain"], 0);
    EXPECT_EQ(seen["hover"], 1);
    EXPECT_EQ(seen["hover flag"], 1);
    EXPECT_EQ(seen["hover flag after"], 0);
    EXPECT_EQ(opened, "HTTP://example.com/");

    // Any other answer than "yes" makes the hover colour the link colour;
    // "no" never underlines.
    browser.Put(BrowserSettings::Settings, "Use Anchor Hover Color", "no");
    browser.Put(BrowserSettings::Main, "Anchor Underline", "no");
    UnderlineMode = -1;
    RunSheet([&](HWND sheet) {
        HWND link = GetDlgItem(CurrentPage(sheet), IDC_LINK);
        SetLinkFont(link, true);
        seen["never"] = Underlined(link);
        PressCancel(sheet);
    });
    EXPECT_EQ(LinkHoverColor, static_cast<COLORREF>(0x008000));
    EXPECT_EQ(seen["never"], 0);
    UnderlineMode = -1;
}

namespace {

// A small 32-bit bitmap file, the kind of logo the creator writes.
std::vector<uint8_t> BitmapFile(int width, int height) {
    const uint32_t pixels = static_cast<uint32_t>(width * height * 4);
    std::vector<uint8_t> file(54 + pixels);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfSize = static_cast<DWORD>(file.size());
    fh.bfOffBits = 54;
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = width;
    ih.biHeight = height;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    ih.biSizeImage = pixels;
    std::memcpy(file.data(), &fh, sizeof fh);
    std::memcpy(file.data() + 14, &ih, sizeof ih);
    for (uint32_t i = 0; i < pixels; i += 4) {
        file[54 + i] = 0x40;
        file[54 + i + 1] = 0x80;
        file[54 + i + 2] = 0xC0;
        file[54 + i + 3] = 0xFF;
    }
    return file;
}

HWND FindPreview() {
    return FindWindowA("WindowsScreenSaverClassPreview", nullptr);
}

} // namespace

TEST_F(SheetTest, PreviewShowsThePagesEffectAloneAndHandsTheSettingsBack) {
    LogoBlock = BitmapFile(64, 48);
    CurrentTrailer.LogoSize = static_cast<int32_t>(LogoBlock.size());
    CurrentSettings->HiddenMask = 0;
    CurrentSettings->EnabledMask = EffectStandard | EffectMany;
    const SaverSettings before = *CurrentSettings;
    std::map<std::string, int64_t> seen;
    RunSheet([&](HWND sheet) {
        HWND bounce = SelectPage(sheet, 3);
        Click(bounce, IDC_ENABLED);
        Click(bounce, IDC_GRAVITY);
        SendDlgItemMessageA(bounce, IDC_SPEED, TBM_SETPOS, TRUE, 4);
        Click(bounce, IDC_PREVIEW);
        HWND preview = FindPreview();
        seen["preview"] = preview != nullptr;
        if (!preview)
            return;
        RECT r{};
        GetWindowRect(preview, &r);
        seen["left"] = r.left;
        seen["width"] = r.right - r.left;
        seen["height"] = r.bottom - r.top;
        seen["topmost"] = (GetWindowLongA(preview, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        seen["owner"] = GetWindow(preview, GW_OWNER) == sheet; // the page's top level
        seen["scratch"] = CurrentSettings == &ScratchSettings;
        seen["mask"] = ScratchSettings.EnabledMask;
        seen["gravity"] = ScratchSettings.BounceGravity;
        // A second Preview while this one runs changes nothing.
        SendMessageA(bounce, WM_COMMAND, MAKEWPARAM(IDC_PREVIEW, BN_CLICKED), 0);
        seen["second"] = SavedSettings == &CurrentTrailer.Settings;
        PumpFor(700); // past the input guard
        seen["effect"] = CurrentEffect;
        SendMessageA(preview, WM_KEYDOWN, 'A', 0);
        PumpFor(100);
        seen["closed"] = !IsWindow(preview);
        seen["restored"] = CurrentSettings == &CurrentTrailer.Settings && !SavedSettings;
        PressCancel(sheet);
    });
    LogoBlock.clear();
    ASSERT_EQ(seen["preview"], 1);
    EXPECT_EQ(seen["left"], GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(seen["width"], GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(seen["height"], GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_EQ(seen["topmost"], 1);
    EXPECT_EQ(seen["owner"], 1);
    EXPECT_EQ(seen["scratch"], 1);
    EXPECT_EQ(seen["mask"], EffectBounce);
    EXPECT_EQ(seen["gravity"], 12);
    EXPECT_EQ(seen["second"], 1);
    EXPECT_EQ(seen["effect"], EffectBounce);
    EXPECT_EQ(seen["closed"], 1);
    EXPECT_EQ(seen["restored"], 1);

    // Cancelled: the sheet's settings are as before, but the Preview wrote
    // back once, so they are stored all the same.
    EXPECT_EQ(std::memcmp(CurrentSettings, &before, sizeof before), 0);
    EXPECT_EQ(SettingsChanged, 1);
    DWORD type = 0;
    std::vector<uint8_t> stored;
    ASSERT_TRUE(StoredValue(type, stored));
    ASSERT_EQ(stored.size(), 144u);
    EXPECT_EQ(std::memcmp(stored.data(), &before, 144), 0);
}

namespace {

// A copy of the built screensaver with a logo and this record.
std::string MakeSaver(const TempFolder& dir, const SaverTrailer& t) {
    std::vector<uint8_t> file = ReadFileBytes(TestDir() + "SaverTemplate.scr");
    const std::vector<uint8_t> tail = BuildSaverTail(t, BitmapFile(32, 32));
    file.insert(file.end(), tail.begin(), tail.end());
    const std::string path = dir.Path("Settings.scr");
    WriteFileBytes(path, file);
    return path;
}

} // namespace

TEST_F(SheetTest, ConfigureCommandStoresTheSheetsSettingsInTheRegistry) {
    TempFolder dir;
    SaverTrailer t = CurrentTrailer;
    t.Settings.HiddenMask = 0xFA & ~EffectFalling;
    const std::string path = MakeSaver(dir, t);

    ChildProcess saver("\"" + path + "\" /c");
    ASSERT_TRUE(saver.Started());
    HWND sheet = WaitForWindow(saver.Id(), "#32770", SaverName().c_str(), 20000);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(PageCount(sheet), 4); // General, Standard, Falling, About
    HWND falling = SelectPage(sheet, 2);
    ASSERT_NE(falling, nullptr);
    ASSERT_NE(GetDlgItem(falling, IDC_DIRECTION), nullptr); // the Falling page
    SendMessageA(GetDlgItem(falling, IDC_COUNT_SPIN), UDM_SETPOS32, 0, 44);
    SendMessageA(GetDlgItem(falling, IDC_FADE), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(falling, IDC_ENABLED), BM_CLICK, 0, 0);
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    EXPECT_EQ(saver.Wait(20000), 0u);

    DWORD type = 0;
    std::vector<uint8_t> stored;
    ASSERT_TRUE(StoredValue(type, stored));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(stored.size(), 144u);
    SaverSettings s{};
    std::memcpy(&s, stored.data(), sizeof s);
    EXPECT_EQ(s.FallingCount, 44);
    EXPECT_EQ(s.FallingFade, 1);
    EXPECT_EQ(s.EnabledMask, EffectStandard | EffectFalling);
    EXPECT_EQ(s.HiddenMask, t.Settings.HiddenMask);

    // The next configure command starts from what was stored.
    ChildProcess again("\"" + path + "\" /c");
    sheet = WaitForWindow(again.Id(), "#32770", SaverName().c_str(), 20000);
    ASSERT_NE(sheet, nullptr);
    falling = SelectPage(sheet, 2);
    EXPECT_EQ(TextOf(GetDlgItem(falling, IDC_COUNT)), "44");
    SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    EXPECT_EQ(again.Wait(20000), 0u);
}

TEST_F(SheetTest, ConfigureCommandOfASaverWithoutChangesShowsAboutAlone) {
    TempFolder dir;
    SaverTrailer t = CurrentTrailer;
    t.Settings.AllowConfig = 0;
    SetField(t.AboutText, "No options here.");
    const std::string path = MakeSaver(dir, t);

    ChildProcess saver("\"" + path + "\" /c");
    ASSERT_TRUE(saver.Started());
    const std::string caption = "About " + SaverName();
    HWND about = WaitForWindow(saver.Id(), "#32770", caption.c_str(), 20000);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(about, IDC_ABOUT_TEXT)), "No options here.");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(about, IDC_ABOUT_OK)));
    SendMessageA(GetDlgItem(about, IDC_ABOUT_OK), BM_CLICK, 0, 0);
    EXPECT_EQ(saver.Wait(20000), 0u);
    DWORD type = 0;
    std::vector<uint8_t> stored;
    EXPECT_FALSE(StoredValue(type, stored));
}

TEST(ConfigureCommand, DamagedSaverIsReportedAndEnds) {
    ChildProcess saver("\"" + TestDir() + "SaverTemplate.scr\" /c");
    ASSERT_TRUE(saver.Started());
    HWND box = WaitForWindow(saver.Id(), "#32770", "Screensaver", 20000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "This Screensaver is corrupt!");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    // The quit request ends the configure command; no sheet stays open.
    EXPECT_NE(saver.Wait(20000), static_cast<DWORD>(STILL_ACTIVE));
}
