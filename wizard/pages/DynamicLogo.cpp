// Flash movies, web pages and web addresses as the logo: recognising them,
// the page that wraps an address, and their host window in the preview.
#include "core/ContentLogo.h"
#include "wizard/frame/ContentHost.h"
#include "wizard/frame/DynamicContent.h"
#include "wizard/frame/FileBytes.h"
#include "wizard/frame/Helpers.h"
#include "wizard/pages/PageText.h"
#include "wizard/pages/frmWizard.h"

#include "core/CreatorText.h"

#include <optional>

void frmWizard::WireDynamic() {
    Control& size = cmbSize;
    size.Click = [this] { cmbSize_Change(); };
    size.Change = [this] { cmbSize_Change(); };
}

bool frmWizard::IsRemote(const std::wstring& file) const {
    return IsWebAddress(file, FileExists(file));
}

bool frmWizard::LoadDynamic(const std::wstring& file) {
    DynRemote = IsRemote(file);
    RECT size{};
    if (DynRemote) {
        DynType = L"HTML";
    } else {
        // A file that cannot be read, or a movie cut inside its frame size,
        // is simply not recognised.
        try {
            DynType = GetDynamicType(file, size);
        } catch (...) {
            DynType.clear();
        }
    }
    if (DynType.empty())
        return false;

    int width = size.right, height = size.bottom;
    if (width == 0 && height == 0) {
        RECT box{};
        GetClientRect(picPreview.hWnd(), &box);
        width = box.right;
        height = box.bottom;
    }
    // Only the numbers: a header may claim a size far too large to draw.
    picBMPDrawing.Empty(width, height);

    if (DynRemote) {
        if (DynRemoteTemp.empty()) {
            std::wstring folder(1024, L'\0'), name(MAX_PATH + 1, L'\0');
            folder.resize(GetTempPathW(1024, folder.data()));
            if (folder.empty() || !GetTempFileNameW(folder.c_str(), L"yls", 0, name.data()))
                return false;
            DynRemoteTemp = ChopNull(name);
        }
        // The page is 8-bit text: an address it cannot hold would load another.
        const std::optional<std::string> address = ToCodePage(WithHttp(file));
        if (!address)
            return false;
        const std::string page = WrapperPage(*address);
        if (!WriteFileBytes(DynRemoteTemp, std::vector<uint8_t>(page.begin(), page.end())))
            return false;
        DynFile = DynRemoteTemp;
        DynSize = 3;
    } else {
        DynFile = file;
    }
    return true;
}

int32_t frmWizard::ChosenFlashSize() const {
    const HWND size = cmbSize.hWnd();
    const LRESULT chosen = SendMessageW(size, CB_GETCURSEL, 0, 0);
    return chosen < 0 ? DynSize
                      : static_cast<int32_t>(
                            SendMessageW(size, CB_GETITEMDATA, static_cast<WPARAM>(chosen), 0));
}

void frmWizard::cmbSize_Change() {
    if (SendMessageW(cmbSize.hWnd(), CB_GETCURSEL, 0, 0) < 0)
        return;
    DynSize = ChosenFlashSize();
    // A new load: the host window is made again in its new rectangle.
    UpdateImage(-1, L"", true, true, false);
}

void frmWizard::DrawContent(bool loaded, Progress& progress) {
    const HWND preview = picPreview.hWnd();
    RECT box{};
    GetClientRect(preview, &box);
    const int pW = box.right, pH = box.bottom;
    picSaveDrawing.Resize(0, 0); // content has no picture to scale or key
    if (picPreviewDrawing.Width() != pW || picPreviewDrawing.Height() != pH)
        picPreviewDrawing.Resize(pW, pH);
    picPreviewDrawing.Fill(static_cast<COLORREF>(BackgroundColor));
    progress.Pos(50);
    const PreviewRect r =
        ContentRect(DynSize, picBMPDrawing.Width(), picBMPDrawing.Height(), pW, pH,
                    GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    LogoLeft = r.Left, LogoTop = r.Top, LogoWidth = r.Width, LogoHeight = r.Height;
    progress.Pos(60);

    const RECT logo{r.Left, r.Top, r.Left + r.Width, r.Top + r.Height};
    if (loaded)
        DynamicWnd.reset();
    if (!ContentHostAvailable(DynType)) {
        // A host with no player would offer to download the movie instead.
        DynamicWnd.reset();
        GdiFlush();
        DrawContentNote(picPreviewDrawing.Dc(), logo, DynType,
                        static_cast<COLORREF>(BackgroundColor), picPreview.FontHandle());
        GdiFlush();
    } else if (!IsWindow(DynamicWnd.get())) {
        DynamicWnd.release(); // gone with its parent
        DynamicWnd = CreateContentHost(preview, DynFile, logo);
    }
    progress.Pos(100);
    picPreviewDrawing.Refresh();
    DoEvents();
}
