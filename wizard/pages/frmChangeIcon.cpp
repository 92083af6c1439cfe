#include "wizard/pages/frmChangeIcon.h"

#include "common/Handles.h"
#include "core/CreatorText.h"
#include "wizard/frame/Aero.h"
#include "wizard/frame/CommonDialog.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Helpers.h"

#include <commctrl.h>
#include <shlobj.h>
#include <uxtheme.h>
#include <vsstyle.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

bool (*IconFileDialog)(bool, DWORD, std::wstring&, HWND, const std::wstring&, const std::wstring&,
                       const std::wstring&, int, const std::wstring&) = ShowFileDialog;

namespace {

const ControlDecl ChangeIconControls[] = {
    {.Name = L"Label1",
     .Kind = ControlKind::Label,
     .Left = 150,
     .Top = 225,
     .Width = 3975, // the whole line: the system font is wider than the design's
     .Height = 195,
     .Caption = L"&Look for icons in this file:",
     .TabIndex = 5},
    {.Name = L"txtFilename",
     .Kind = ControlKind::TextBox,
     .Left = 150,
     .Top = 480,
     .Width = 2775,
     .Height = 285,
     .TabIndex = 6},
    {.Name = L"cmdBrowse",
     .Kind = ControlKind::CommandButton,
     .Left = 3030,
     .Top = 457,
     .Width = 1095,
     .Height = 345,
     .Caption = L"&Browse...",
     .TabIndex = 7},
    {.Name = L"Label2",
     .Kind = ControlKind::Label,
     .Left = 150,
     .Top = 960,
     .Width = 3975,
     .Height = 195,
     .Caption = L"&Select an icon from the list below:",
     .TabIndex = 0},
    {.Name = L"lstIcons",
     .Kind = ControlKind::Custom,
     .Left = 150,
     .Top = 1200,
     .Width = 3975,
     .Height = 2895,
     .TabIndex = 1,
     .Factory = MakeDrawn<APIListBox>},
    {.Name = L"cmdDefault",
     .Kind = ControlKind::CommandButton,
     .Left = 150,
     .Top = 4320,
     .Width = 1170,
     .Height = 345,
     .Caption = L"&Use Default",
     .TabIndex = 4},
    {.Name = L"cmdOK",
     .Kind = ControlKind::CommandButton,
     .Left = 1800,
     .Top = 4320,
     .Width = 1095,
     .Height = 345,
     .Caption = L"OK",
     .TabIndex = 2,
     .Flags = CtlDefault},
    {.Name = L"cmdCancel",
     .Kind = ControlKind::CommandButton,
     .Left = 3120,
     .Top = 4320,
     .Width = 1095,
     .Height = 345,
     .Caption = L"Cancel",
     .TabIndex = 3,
     .Flags = CtlCancel},
};

const FormDecl ChangeIconForm = {.Name = L"frmChangeIcon",
                                 .Caption = L"Change Icon",
                                 .ScaleWidth = 4275,
                                 .ScaleHeight = 4815,
                                 .Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                          WS_CLIPCHILDREN,
                                 .ExStyle = WS_EX_CONTROLPARENT};

std::wstring TrimSpaces(const std::wstring& text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return L"";
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

Placement PlaceOf(const Control& c) {
    return {c.Left(), c.Top(), c.Width(), c.Height()};
}

void MoveTo(Control& c, const std::optional<Placement>& p) {
    if (p)
        IgnoreErrors([&] { c.Move(p->Left, p->Top, p->Width, p->Height); });
}

} // namespace

frmChangeIcon::frmChangeIcon(Form& owner, std::wstring& iconFile, int32_t& iconIndex)
    : Form(ChangeIconForm, ChangeIconControls), lstIcons((*this)(L"lstIcons").As<APIListBox>()),
      cmdBrowse((*this)(L"cmdBrowse")), cmdCancel((*this)(L"cmdCancel")),
      cmdDefault((*this)(L"cmdDefault")), cmdOK((*this)(L"cmdOK")),
      txtFilename((*this)(L"txtFilename")), owner_(owner), iconFile_(iconFile),
      iconIndex_(iconIndex) {
    txtFilename.Change = [this] { txtFilename_Change(); };
    lstIcons.Extender()->GotFocus = [this] { lstIcons_GotFocus(); };
    lstIcons.DblClick = [this] { lstIcons_DblClick(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    cmdDefault.Click = [this] { cmdDefault_Click(); };
    cmdBrowse.Click = [this] { cmdBrowse_Click(); };
    sc.GotMessage = [this](HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                           LRESULT& ReturnValue) {
        sc_GotMessage(hWnd, message, wParam, lParam, Proceed, ReturnValue);
    };
}

void frmChangeIcon::Form_Load() {
    RunSteps(L"frmChangeIcon.Form_Load",
             {[&] {
                  for (const WPARAM which : {WPARAM{ICON_BIG}, WPARAM{ICON_SMALL}})
                      SendMessageW(hWnd(), WM_SETICON, which,
                                   SendMessageW(owner_.hWnd(), WM_GETICON, which, 0));
              },
              [&] { ApplySystemFont(*this); }, [&] { GripSize = GetSystemMetrics(SM_CXVSCROLL); },
              [&] { sc.SubClass(hWnd()); },
              [&] {
                  SendMessageW(txtFilename.hWnd(), EM_SETCUEBANNER, 0,
                               reinterpret_cast<LPARAM>(L"Using default icon"));
              },
              [&] { EnableAutoComplete(txtFilename); },
              [&] {
                  txtFilename.SetText(iconFile_);
                  // An empty text set on an empty box raises no Change.
                  if (iconFile_.empty())
                      txtFilename_Change();
              }});
}

void frmChangeIcon::txtFilename_Change() {
    RunSteps(L"frmChangeIcon.txtFilename_Change", {[&] {
                 // A typed name is loaded when the list gets the focus.
                 if (txtFilename.Text().empty())
                     lstIcons.SetIconFile(L"");
             }});
}

void frmChangeIcon::lstIcons_GotFocus() {
    RunSteps(L"frmChangeIcon.lstIcons_GotFocus", {[&] {
                 const bool existed = lstIcons.ListWnd != nullptr;
                 const std::wstring text = TrimSpaces(txtFilename.Text());
                 if (text.empty())
                     return;
                 lstIcons.SetIconFile(text);
                 // Only the first load shows the current icon selected.
                 if (!existed)
                     lstIcons.SetListIndex(iconIndex_);
             }});
}

void frmChangeIcon::lstIcons_DblClick() {
    if (lstIcons.ListIndex() >= 0)
        cmdOK_Click();
}

void frmChangeIcon::cmdOK_Click() {
    RunSteps(L"frmChangeIcon.cmdOK_Click",
             {[&] { iconIndex_ = std::max(lstIcons.ListIndex(), 0); },
              [&] {
                  // The list's file is the one whose icons are shown,
                  // even when another name was typed since.
                  iconFile_ = txtFilename.Text().empty() ? std::wstring() : lstIcons.IconFile();
              },
              [&] { Unload(); }});
}

void frmChangeIcon::cmdCancel_Click() {
    RunSteps(L"frmChangeIcon.cmdCancel_Click", {[&] { Unload(); }});
}

void frmChangeIcon::cmdDefault_Click() {
    RunSteps(L"frmChangeIcon.cmdDefault_Click", {[&] { txtFilename.SetText(L""); }});
}

void frmChangeIcon::cmdBrowse_Click() {
    Procedure run(L"frmChangeIcon.cmdBrowse_Click");
    std::wstring file, folder;
    bool chosen = false;
    if (!run([&] {
            file = ChopNull(BrowseProposal(txtFilename.Text()));
            folder = L".";
            if (!file.empty())
                return;
            std::vector<std::wstring> found;
            for (const int csidl : {CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY, CSIDL_MYPICTURES,
                                    CSIDL_COMMON_DESKTOPDIRECTORY}) {
                wchar_t path[1024] = {};
                found.emplace_back(SHGetSpecialFolderPathW(hWnd(), path, csidl, FALSE) ? path
                                                                                       : L"");
            }
            folder = FirstFolder(found);
        }))
        return;
    if (!run([&] {
            chosen =
                IconFileDialog(true, OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_LONGNAMES, file, hWnd(),
                               L"Select an Icon File", folder, IconBrowseFilter(), 0, L"");
        }) ||
        !chosen)
        return;
    run([&] {
        if (static_cast<INT_PTR>(GetFileIcon(file, -1)) < 1) {
            const std::wstring text = L"The file " + file + L" contains no icons.";
            MessageBoxW(hWnd(), text.c_str(), Caption().c_str(), MB_OK | MB_ICONEXCLAMATION);
            // The list shows again what the box covered.
            if (lstIcons.hWnd())
                RedrawWindow(lstIcons.hWnd(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            return;
        }
        txtFilename.SetText(file);
        lstIcons.SetIconFile(file);
    });
}

void frmChangeIcon::Form_Resize() {
    ChangeIconPlaces now;
    now.Filename = PlaceOf(txtFilename);
    now.Browse = PlaceOf(cmdBrowse);
    now.Icons = PlaceOf(*lstIcons.Extender());
    now.Default = PlaceOf(cmdDefault);
    now.OK = PlaceOf(cmdOK);
    now.Cancel = PlaceOf(cmdCancel);
    const ChangeIconMoves moves = LayOutChangeIcon(ScaleWidth(), ScaleHeight(), now);
    MoveTo(cmdBrowse, moves.Browse);
    MoveTo(txtFilename, moves.Filename);
    MoveTo(cmdCancel, moves.Cancel);
    MoveTo(cmdOK, moves.OK);
    MoveTo(cmdDefault, moves.Default);
    MoveTo(*lstIcons.Extender(), moves.Icons);
    IgnoreErrors([&] {
        RECT client{};
        GetClientRect(hWnd(), &client);
        GripRect = GripRectFor(client.right, client.bottom, GripSize);
        // The whole window is cleared; its painting draws the grip.
        InvalidateRect(hWnd(), nullptr, TRUE);
    });
}

void frmChangeIcon::PaintGrip(HDC dc) const {
    RECT r{GripRect.Left, GripRect.Top, GripRect.Right, GripRect.Bottom};
    if (const UniqueTheme theme(OpenThemeDataSafe(hWnd(), L"Status")); theme) {
        DrawThemeBackground(theme.get(), dc, SP_GRIPPER, 1, &r, nullptr);
        return;
    }
    DrawFrameControl(dc, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void frmChangeIcon::sc_GotMessage(HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam,
                                  bool& Proceed, LRESULT& ReturnValue) {
    if (hWnd != this->hWnd())
        return;
    if (message == WM_NCHITTEST) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(hWnd, &at);
        if (GripSizes(GripRect, at.x, at.y)) {
            ReturnValue = HTBOTTOMRIGHT;
            Proceed = false;
        }
    } else if (message == WM_PAINT) {
        // The grip is part of the window's look, so every repaint draws it.
        ReturnValue = CallOldWndProc(hWnd, message, wParam, lParam);
        Proceed = false;
        if (const WindowDC dc(hWnd); dc)
            PaintGrip(dc.get());
    }
}
