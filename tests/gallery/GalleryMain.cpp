// ControlGallery.exe: every drawn control of the creator on one form, each
// event written to a log box, to try them by hand and drive them from tests.
// "/level N" runs the controls as on Windows level N.
#include "core/CreatorMath.h"
#include "core/EffectInfo.h"
#include "wizard/controls/APIListBox.h"
#include "wizard/controls/ColorDrop.h"
#include "wizard/controls/CommandLink.h"
#include "wizard/controls/IENavButton.h"
#include "wizard/controls/LinkControl.h"
#include "wizard/controls/SliderControl.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/Program.h"

#include <commctrl.h>
#include <ole2.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <deque>
#include <string>

namespace {

const ControlDecl GalleryControls[] = {
    {.Name = L"scrScale",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 120,
     .Width = 3600,
     .Height = 450,
     .TabIndex = 0,
     .Factory = MakeDrawn<SliderControl>},
    {.Name = L"lnkSite",
     .Kind = ControlKind::Custom,
     .Left = 3960,
     .Top = 210,
     .Width = 2175,
     .Height = 255,
     .Caption = L"Visit the web site",
     .TabIndex = 1,
     .Factory = MakeDrawn<LinkControl>},
    {.Name = L"Nav",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 720,
     .Width = 765,
     .Height = 390,
     .TabIndex = 2,
     .Factory = MakeDrawn<IENavButton>},
    {.Name = L"chkForward",
     .Kind = ControlKind::CheckBox,
     .Left = 1200,
     .Top = 780,
     .Width = 2400,
     .Height = 300,
     .Caption = L"Forward enabled",
     .TabIndex = 3},
    {.Name = L"cmdTest",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 1260,
     .Width = 6000,
     .Height = 720,
     .ToolTipText = L"Install and Test the Screensaver|Make your screensaver active, and open "
                    L"the Screensavers tab in the Display Properties Control panel applet",
     .TabIndex = 4,
     .Factory = MakeDrawn<CommandLink>},
    {.Name = L"cmdExit",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 2040,
     .Width = 6000,
     .Height = 720,
     .ToolTipText = L"Exit|",
     .TabIndex = 5,
     .Factory = MakeDrawn<CommandLink>},
    {.Name = L"cmdBrowse",
     .Kind = ControlKind::Custom,
     .Left = 6300,
     .Top = 1260,
     .Width = 360,
     .Height = 360,
     .ToolTipText = L"!OPEN",
     .TabIndex = 6,
     .Factory = MakeDrawn<CommandLink>},
    {.Name = L"lstModes",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 2880,
     .Width = 2400,
     .Height = 1200,
     .TabIndex = 7,
     .Factory = MakeDrawn<APIListBox>},
    {.Name = L"lstIcons",
     .Kind = ControlKind::Custom,
     .Left = 2700,
     .Top = 2880,
     .Width = 3960,
     .Height = 1200,
     .TabIndex = 8,
     .Factory = MakeDrawn<APIListBox>},
    {.Name = L"clrBackground",
     .Kind = ControlKind::Custom,
     .Left = 120,
     .Top = 4260,
     .Width = 2400,
     .Height = 315,
     .TabIndex = 9,
     .Factory = MakeDrawn<ColorDrop>},
    {.Name = L"txtEvents",
     .Kind = ControlKind::TextBox,
     .Left = 120,
     .Top = 4740,
     .Width = 6540,
     .Height = 4200,
     .TabIndex = 10,
     .Flags = CtlMultiLine,
     .Style = ES_READONLY | WS_VSCROLL},
};
const FormDecl GalleryDecl = {.Name = L"frmGallery",
                              .Caption = L"Control Gallery",
                              .ScaleWidth = 6780,
                              .ScaleHeight = 9060,
                              .Style = FixedDialogStyle | WS_MINIMIZEBOX,
                              .ExStyle = FixedDialogExStyle};

constexpr size_t LogLines = 20;

const wchar_t* YesNo(bool b) {
    return b ? L"True" : L"False";
}

struct frmGallery : Form {
    frmGallery()
        : Form(GalleryDecl, GalleryControls), scrScale((*this)(L"scrScale").As<SliderControl>()),
          lnkSite((*this)(L"lnkSite").As<LinkControl>()), Nav((*this)(L"Nav").As<IENavButton>()),
          cmdTest((*this)(L"cmdTest").As<CommandLink>()),
          cmdExit((*this)(L"cmdExit").As<CommandLink>()),
          cmdBrowse((*this)(L"cmdBrowse").As<CommandLink>()),
          lstModes((*this)(L"lstModes").As<APIListBox>()),
          lstIcons((*this)(L"lstIcons").As<APIListBox>()),
          clrBackground((*this)(L"clrBackground").As<ColorDrop>()) {
        scrScale.Changed = [this](bool scroll) {
            Log(L"scrScale Changed", YesNo(scroll) + (L" " + std::to_wstring(scrScale.Value())));
        };
        lnkSite.Click = [this] { Log(L"lnkSite Click"); };
        lnkSite.MouseHover = [this] { Log(L"lnkSite MouseHover"); };
        lnkSite.MouseOut = [this] { Log(L"lnkSite MouseOut"); };
        Nav.AdjustSize = [this] { FitNav(); };
        Nav.Click = [this](int index) { Log(L"Nav Click", std::to_wstring(index)); };
        (*this)(L"chkForward").Click = [this] {
            const int value = (*this)(L"chkForward").Value();
            Nav.SetEnabled(1, value == 1);
            Log(L"chkForward Click", std::to_wstring(value));
        };
        cmdTest.Click = [this] { Log(L"cmdTest Click"); };
        cmdExit.Click = [this] { Log(L"cmdExit Click"); };
        cmdBrowse.Click = [this] { Log(L"cmdBrowse Click"); };
        lstModes.Click = [this] { Log(L"lstModes Click", SelectedData(lstModes)); };
        lstModes.DblClick = [this] { Log(L"lstModes DblClick", SelectedData(lstModes)); };
        // Icon items hold their icon handles: the index says more.
        lstIcons.Click = [this] { Log(L"lstIcons Click", std::to_wstring(lstIcons.ListIndex())); };
        lstIcons.DblClick = [this] {
            Log(L"lstIcons DblClick", std::to_wstring(lstIcons.ListIndex()));
        };
        clrBackground.Changed = [this](COLORREF colour) {
            wchar_t text[16];
            swprintf(text, 16, L"0x%08X", static_cast<unsigned>(colour));
            Log(L"clrBackground Changed", text);
        };
        clrBackground.Dropped = [this](bool down) { Log(L"clrBackground Dropped", YesNo(down)); };
    }

    void Form_Load() override {
        scrScale.SetValue(100);
        (*this)(L"lstModes").Move(120, 2880, 2400, PixelsToTwipsY(80));
        lstModes.Init();
        for (int i = 0; i < EffectCount; ++i) {
            const EffectInfo& e = EffectInfoTable[i];
            std::wstring name;
            for (const char* c = e.Name; *c; ++c)
                name += static_cast<wchar_t>(*c);
            lstModes.AddItem(name, e.Mask);
        }
        lstIcons.SetIconFile(ProgramFile());
        clrBackground.Init();
        clrBackground.SetColor(RGB(255, 0, 0));
        FitNav();
        events_.clear(); // what loading raised is no user's doing
        ShowLog();
    }

    SliderControl& scrScale;
    LinkControl& lnkSite;
    IENavButton& Nav;
    CommandLink& cmdTest;
    CommandLink& cmdExit;
    CommandLink& cmdBrowse;
    APIListBox& lstModes;
    APIListBox& lstIcons;
    ColorDrop& clrBackground;

  private:
    static std::wstring ProgramFile() {
        std::wstring path(MAX_PATH, L'\0');
        path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
        return path;
    }
    static std::wstring SelectedData(const APIListBox& list) {
        const int index = list.ListIndex();
        return index < 0 ? L"-1" : std::to_wstring(list.ItemData(index));
    }
    void FitNav() {
        Control& nav = (*this)(L"Nav");
        nav.Move(nav.Left(), nav.Top(), PixelsToTwipsX(2 * Nav.ImgSize + 1),
                 PixelsToTwipsY(Nav.ImgSize + 1));
    }
    void Log(const std::wstring& what, const std::wstring& arguments = L"") {
        events_.push_back(arguments.empty() ? what : what + L" " + arguments);
        while (events_.size() > LogLines)
            events_.pop_front();
        ShowLog();
    }
    void ShowLog() {
        if (!Loaded())
            return;
        std::wstring text;
        for (const std::wstring& line : events_)
            text += line + L"\r\n";
        Control& box = (*this)(L"txtEvents");
        box.SetText(text);
        if (box.hWnd()) {
            SendMessageW(box.hWnd(), EM_SETSEL, text.size(), text.size());
            SendMessageW(box.hWnd(), EM_SCROLLCARET, 0, 0);
        }
    }
    std::deque<std::wstring> events_;
};

// The Windows level as the creator reads it, unless "/level N" names one.
int32_t LevelFor(PCWSTR commandLine) {
    if (const wchar_t* p = wcsstr(commandLine, L"/level "))
        return static_cast<int32_t>(wcstol(p + 7, nullptr, 10));
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    GetVersionExW(&info);
#pragma GCC diagnostic pop
    return OsLevelOf(info.dwMajorVersion, info.dwMinorVersion);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    const HRESULT ole = OleInitialize(nullptr);
    OsLevel = LevelFor(commandLine);
    INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
    InitCommonControlsEx(&icc);
    AppTitle = L"Quorvel Screensaver Creator";
    {
        frmGallery gallery;
        gallery.Show();
        RunMessageLoop();
    }
    if (SUCCEEDED(ole))
        OleUninitialize();
    return 0;
}
