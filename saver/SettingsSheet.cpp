#include "saver/SettingsSheet.h"

#include "resources/SettingsIds.h"
#include "core/LinkStyle.h"
#include "saver/ContextHelp.h"
#include "saver/DialogPageControls.h"
#include "common/Handles.h"
#include "saver/LinkControl.h"
#include "saver/SaverInfo.h"
#include "saver/SaverState.h"
#include "saver/SaverWindow.h"
#include "saver/SaverWindowShared.h"

#include <commctrl.h>

#include <string>

int SettingsChanged = 0;

namespace {

const SheetVariant ScreensaverVariant{};
// The variant of the sheet that runs; the screensaver's outside a sheet (its
// stand-alone About dialog).
const SheetVariant* Variant = &ScreensaverVariant;

// The bold font of the About page's saver name.
UniqueFont NameFont;

int32_t PageId(HWND page) {
    return static_cast<int32_t>(GetWindowLongPtrA(page, GWLP_USERDATA));
}

std::string Field(const char (&field)[TextFieldSize]) {
    return std::string(field, FieldLength(field));
}

void WriteBack(HWND page, int32_t pageId) {
    DialogPageControls controls(page);
    WritePage(controls, pageId, *CurrentSettings);
    if (Variant->OnWriteBack)
        Variant->OnWriteBack(page, pageId);
    UpdatePageControls(page, pageId);
    SettingsChanged = 1;
}

void FillAbout(HWND page) {
    HWND name = GetDlgItem(page, IDC_ABOUT_NAME);
    if (name) {
        LOGFONTA font{};
        auto current = reinterpret_cast<HFONT>(SendMessageA(page, WM_GETFONT, 0, 0));
        if (current && GetObjectA(current, sizeof font, &font)) {
            font.lfWeight = FW_BOLD;
            UniqueFont bold(CreateFontIndirectA(&font));
            if (bold) {
                SendMessageA(name, WM_SETFONT, reinterpret_cast<WPARAM>(bold.get()), FALSE);
                NameFont = std::move(bold);
            }
        }
        SetWindowTextA(name, Field(CurrentTrailer.SaverName).c_str());
    }
    SetDlgItemTextA(page, IDC_ABOUT_TEXT, Field(CurrentTrailer.AboutText).c_str());
    SetDlgItemTextA(page, IDC_LINK, LinkText(Field(CurrentTrailer.WebAddress)).c_str());
}

void Preview(HWND page, int32_t pageId) {
    // One Preview at a time: a second one would take the scratch copy for
    // the settings to restore, and the sheet's changes would be lost.
    if (SavedSettings)
        return;
    ScratchSettings = *CurrentSettings;
    SavedSettings = CurrentSettings;
    CurrentSettings = &ScratchSettings;
    WriteBack(page, pageId);
    ScratchSettings.EnabledMask = pageId;
    if (Variant->OnPreview)
        Variant->OnPreview(pageId);
    if (!OpenPreviewWindow(page)) {
        // No window will close and hand the settings back: do it now.
        CurrentSettings = SavedSettings;
        SavedSettings = nullptr;
    }
}

INT_PTR InitPage(HWND page, LPARAM lParam) {
    int32_t pageId = PAGE_ABOUT;
    if (lParam) {
        pageId = static_cast<int32_t>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
        if (pageId == IDD_GENERAL)
            pageId = PageGeneral;
    } else {
        if (!Variant->StandaloneAbout) {
            EndDialog(page, 0);
            return 0;
        }
        SetWindowTextA(page, ("About " + Field(CurrentTrailer.SaverName)).c_str());
    }
    SetWindowLongPtrA(page, GWLP_USERDATA, pageId);
    if (lParam && pageId == PAGE_ABOUT)
        ShowWindow(GetDlgItem(page, IDC_ABOUT_OK), SW_HIDE);

    CheckDlgButton(page, IDC_ENABLED,
                   (CurrentSettings->EnabledMask & pageId) ? BST_CHECKED : BST_UNCHECKED);
    if (HWND hide = GetDlgItem(page, IDC_HIDE))
        ShowWindow(hide, SW_HIDE);
    if (Variant->HideEnabledBox)
        if (HWND enabled = GetDlgItem(page, IDC_ENABLED))
            ShowWindow(enabled, SW_HIDE);
    if (pageId == PAGE_ABOUT)
        FillAbout(page);
    if (HWND link = GetDlgItem(page, IDC_LINK))
        SetUpLink(link);

    DialogPageControls controls(page);
    FillPage(controls, pageId, *CurrentSettings);
    UpdatePageControls(page, pageId);
    return 0;
}

void OnCommand(HWND page, WPARAM wParam) {
    const int32_t pageId = PageId(page);
    const int control = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (code == CBN_SELCHANGE)
        UpdatePageControls(page, pageId);
    if (code != BN_CLICKED)
        return;
    switch (control) {
    case IDCANCEL:
    case IDC_ABOUT_OK:
        EndDialog(page, 0);
        break;
    case IDC_ENABLED:
        if (IsDlgButtonChecked(page, IDC_ENABLED) == BST_CHECKED)
            CheckDlgButton(page, IDC_HIDE, BST_UNCHECKED);
        UpdatePageControls(page, pageId);
        break;
    case IDC_HIDE:
        if (IsDlgButtonChecked(page, IDC_HIDE) == BST_CHECKED)
            CheckDlgButton(page, IDC_ENABLED, BST_UNCHECKED);
        UpdatePageControls(page, pageId);
        break;
    case IDC_PREVIEW:
        Preview(page, pageId);
        break;
    default:
        UpdatePageControls(page, pageId);
        break;
    }
}

} // namespace

void UpdatePageControls(HWND page, int32_t pageId) {
    DialogPageControls controls(page);
    UpdatePage(controls, pageId, !Variant->HideEnabledBox);
}

INT_PTR CALLBACK SettingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return InitPage(page, lParam);
    case WM_COMMAND:
        OnCommand(page, wParam);
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->code == static_cast<UINT>(PSN_APPLY)) {
            WriteBack(page, PageId(page));
        } else if (header->code == static_cast<UINT>(NM_SETFOCUS)) {
            static bool inside = false; // focus moves may notify again
            if (!inside) {
                inside = true;
                SendMessageA(page, WM_SETFOCUS, 0, 0);
                inside = false;
            }
        }
        return 0;
    }
    case WM_USER:
        WriteBack(page, PageId(page));
        return 0;
    case WM_USER + 1:
        UpdatePageControls(page, PageId(page));
        return 1;
    case WM_USER + 10:
        LinkHover = wParam != 0;
        return 0;
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_DESTROY && SavedSettings) {
            // The Preview window closed: back to the sheet's settings.
            CurrentSettings = SavedSettings;
            SavedSettings = nullptr;
            ShowSaverCursor(false);
        }
        return 0;
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_LINK) {
            // The colours the page gives its other labels (on a themed page
            // the tab's own background), then the link's text colour.
            HWND label = GetDlgItem(page, IDC_ABOUT_TEXT);
            const LRESULT brush =
                label ? SendMessageA(page, message, wParam, reinterpret_cast<LPARAM>(label))
                      : DefWindowProcA(page, message, wParam, lParam);
            SetTextColor(reinterpret_cast<HDC>(wParam), LinkHover ? LinkHoverColor : LinkColor);
            return static_cast<INT_PTR>(brush);
        }
        return 0;
    case WM_HELP:
        ShowContextHelp(page, reinterpret_cast<const HELPINFO*>(lParam), PageId(page));
        return TRUE;
    case WM_CLOSE:
        EndDialog(page, 0);
        return 0;
    case WM_DESTROY:
        if (PageId(page) == PAGE_ABOUT)
            NameFont.reset();
        return 0;
    default:
        return 0;
    }
}

void RunSettingsSheet(HWND owner, const SheetLayout& sheet, const SheetVariant& variant) {
    if (sheet.Pages.empty())
        return;
    const HINSTANCE instance = ThisModule();
    std::vector<PROPSHEETPAGEA> pages;
    for (const SheetPage& p : sheet.Pages) {
        PROPSHEETPAGEA page{};
        page.dwSize = sizeof page;
        page.dwFlags = PSP_USETITLE;
        page.hInstance = instance;
        page.pszTemplate = MAKEINTRESOURCEA(p.Dialog);
        page.pfnDlgProc = SettingsPageProc;
        page.pszTitle = p.Title;
        page.lParam = p.Id;
        pages.push_back(page);
    }
    const std::string name = Field(CurrentTrailer.SaverName);
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USEICONID | PSH_NOAPPLYNOW;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.pszIcon = MAKEINTRESOURCEA(IDI_SAVER);
    header.pszCaption = name.empty() ? "Settings" : name.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = static_cast<UINT>(sheet.StartPage);
    header.ppsp = pages.data();

    const SheetVariant* previous = Variant;
    Variant = &variant;
    PropertySheetA(&header);
    Variant = previous;
}

int ShowSettingsSheet(HWND owner, int32_t startMask) {
    RunSettingsSheet(owner,
                     ScreensaverSheet(*CurrentSettings, CurrentTrailer.DynamicLogo != 0, startMask),
                     ScreensaverVariant);
    if (SettingsChanged) {
        NormaliseSettings(*CurrentSettings);
        SaveRegistrySettings();
    }
    return 0;
}
