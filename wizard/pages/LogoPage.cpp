// The logo page: loading the named logo, drawing it into the preview, the
// logo text and Browse.
#include "core/CreatorText.h"
#include "core/LogoPreview.h"
#include "wizard/frame/CommonDialog.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Helpers.h"
#include "wizard/frame/MessagePump.h"
#include "wizard/pages/PageText.h"
#include "wizard/pages/frmImage.h"
#include "wizard/pages/frmScale.h"
#include "wizard/pages/frmWizard.h"

#include <shlobj.h>

#include <cmath>
#include <cstring>
#include <utility>

namespace {

ImageLoad LoadBuiltInLogo() {
    HRSRC found = FindResourceW(nullptr, L"DEFIMG", MAKEINTRESOURCEW(800));
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return {};
    return LoadPictureBytes(static_cast<const uint8_t*>(bytes), SizeofResource(nullptr, found),
                            AlphaForm::AsLogo);
}

// Runs at the end of UpdateImage, however it ends.
template <typename F> struct AtExit {
    F f;
    ~AtExit() { f(); }
};
template <typename F> AtExit(F) -> AtExit<F>;

void Stretch(HDC to, const PreviewRect& r, const Surface& from) {
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    if (r.Width == from.Width() && r.Height == from.Height())
        BitBlt(to, r.Left, r.Top, r.Width, r.Height, from.Dc(), 0, 0, SRCCOPY);
    else
        StretchBlt(to, r.Left, r.Top, r.Width, r.Height, from.Dc(), 0, 0, from.Width(),
                   from.Height(), SRCCOPY);
    GdiFlush();
}

} // namespace

void frmWizard::UpdateImage(int32_t Color, std::wstring file, bool ShowError, bool ForceReload,
                            bool KeepTrans) {
    // Once the wizard closes its logo is gone: a name dropped or set by
    // another program while the closing pumps messages loads nothing.
    if (Closing)
        return;
    ++ImageRequests;
    if (ImageBusy) {
        ImageMissed = true;
        return;
    }
    const std::wstring named = txtLogo.Text();
    LoadAndDraw(Color, std::move(file), ShowError, ForceReload, KeepTrans);
    // A name given while the load ran (dropped, or set by another program;
    // keys are held) was turned away: it is judged now, as if given after.
    if (txtLogo.Text() != named)
        txtLogo_Change();
}

void frmWizard::LoadAndDraw(int32_t Color, std::wstring file, bool ShowError, bool ForceReload,
                            bool KeepTrans) {
    ImageBusy = true;
    // The load pumps messages: a Next or a name taken meanwhile would work
    // on a logo half loaded.
    const InputHold hold(hWnd());
    AtExit done{[&] {
        cmdScale.SetEnabled(!DynamicLogo);
        fraTransparent.SetVisible(!DynamicLogo);
        fraFlash.SetVisible(DynamicLogo && DynType == L"Flash");
        ImageBusy = false;
    }};
    Progress progress;
    progress.Init(ProgBar, 100, 0, 0);

    const bool saverColour = Color < 0;
    if (saverColour)
        Color = BackgroundColor;
    if (file.empty())
        file = txtLogo.Text();
    const bool remote = IsRemote(file);
    const bool builtIn = file.empty() || file == L"!";
    if (!builtIn && !remote) {
        const DWORD a = GetFileAttributesW(file.c_str());
        if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_DIRECTORY))
            return;
    }

    bool loaded = false;
    // A forced reload of the same logo only composes it again: its scale stays.
    const bool newLogo = file != LastImageFile || !ImageEverLoaded;
    // An alpha logo composed over another colour than the saver's (set since
    // by a reopen or the defaults) is composed again, keeping its key.
    const bool recompose =
        saverColour && PicHasTrans && LogoDib && !DynamicLogo && Color != ComposedOver;
    if (recompose)
        KeepTrans = true;
    if (newLogo || ForceReload || recompose) {
        loaded = true;
        DrawnScale = 0;
        DynamicLogo = false;
        DynSize = 0;
        LogoDib.reset();
        ImageEverLoaded = true;
        ImageLoad load;
        if (builtIn) {
            PicHasTrans = false;
            load = LoadBuiltInLogo();
        } else if (!remote) {
            load = LoadPictureFile(file, AlphaForm::AsLogo);
        }
        if (load.Status != ImageStatus::Ok) {
            ImageLoaded = false;
            const bool tooLarge =
                load.Status == ImageStatus::TooLarge || load.Status == ImageStatus::NoMemory;
            LastLoadError = tooLarge ? ImageStatusText(load) : L"";
            if (tooLarge && ShowError)
                ShowHelpTip(txtLogo.hWnd(), LastLoadError + L" ", L"The image could not be loaded",
                            2);
            if (!LoadDynamic(file))
                return;
            ImageLoaded = true;
            DynamicLogo = true;
            LastImageFile = file;
            if (DynType == L"Flash")
                DynSize = ChosenFlashSize();
        } else {
            LastLoadError.clear();
            ImageLoaded = true;
            Picture& picture = load.Image;
            PicHasTrans = PictureHasTrans(picture);
            ComposedOver = Color;
            if (!picBMPDrawing.Resize(picture.Width, picture.Height)) {
                if (ShowError)
                    ShowHelpTip(txtLogo.hWnd(),
                                Win32Error(ERROR_NOT_ENOUGH_MEMORY).Description() + L" ",
                                L"The image could not be loaded", 2);
                ImageLoaded = false;
                return;
            }
            // The page's full-size logo: an alpha logo over the colour beneath.
            uint8_t* out = picBMPDrawing.Bits();
            const uint8_t under[3] = {GetBValue(Color), GetGValue(Color), GetRValue(Color)};
            for (std::size_t i = 0, n = picture.Pixels.size(); i < n; i += 4) {
                const uint8_t* p = &picture.Pixels[i];
                for (int c = 0; c < 3; ++c)
                    out[i + c] =
                        PicHasTrans
                            ? static_cast<uint8_t>(p[c] + (under[c] * (255 - p[3]) + 127) / 255)
                            : p[c];
                out[i + 3] = 255;
            }
            LogoDib = std::move(picture);
            progress.Pos(20);
            LastImageFile = file;
            progress.Pos(25);

            const int W = picBMPDrawing.Width(), H = picBMPDrawing.Height();
            const int32_t candidate =
                KeepTrans ? TransparentColor
                          : CornerKey({static_cast<uint32_t>(picBMPDrawing.Pixel(0, 0)),
                                       static_cast<uint32_t>(picBMPDrawing.Pixel(W - 1, 0)),
                                       static_cast<uint32_t>(picBMPDrawing.Pixel(0, H - 1)),
                                       static_cast<uint32_t>(picBMPDrawing.Pixel(W - 1, H - 1))});
            Control& key = chkTrans;
            if (candidate != TransparentColor || key.Value() != (candidate < 0 ? 0 : 1)) {
                if (candidate < 0) {
                    if (key.Value() == 0)
                        chkTrans_Click();
                    else
                        key.SetValue(0);
                } else {
                    TransparentColorPrev = candidate;
                    picTrans.BackColor = static_cast<COLORREF>(candidate);
                    picTrans.Refresh();
                    if (key.Value() == 1)
                        chkTrans_Click();
                    else
                        key.SetValue(1);
                }
            }
            ImageLoaded = true;
        }
    } else {
        ImageLoaded = true;
    }

    progress.Pos(30);
    if ((loaded && newLogo) || DynamicLogo)
        ImageScale = 1.0;
    if (DynamicLogo)
        DrawContent(loaded, progress);
    else if (picBMPDrawing.Bits())
        DrawLogo(Color, progress, ShowError);
}

void frmWizard::DrawLogo(int32_t colour, Progress& progress, bool showError) {
    const int W = picBMPDrawing.Width(), H = picBMPDrawing.Height();
    const ScaledSize s = ScaleLogo(W, H, ImageScale);
    RECT box{};
    GetClientRect(picPreview.hWnd(), &box);
    const int pW = box.right, pH = box.bottom;
    DynamicWnd.reset();
    if (!picSaveDrawing.Resize(s.Width, s.Height) || !picTmpDrawing.Resize(s.Width, s.Height)) {
        // Too large to draw (a 32-bit process runs out of room for DIBs):
        // the scale last drawn stays, or without one the logo cannot be used.
        const double drawn = std::exchange(DrawnScale, 0.0);
        const bool back = drawn > 0 && drawn != ImageScale;
        if (showError)
            ShowHelpTip(txtLogo.hWnd(),
                        back ? L"The image could not be scaled" : L"The image could not be loaded",
                        Win32Error(ERROR_NOT_ENOUGH_MEMORY).Description() +
                            (back ? L" The scale stays at " +
                                        std::to_wstring(std::lround(drawn * 100)) + L"%."
                                  : L""),
                        2);
        if (back) {
            ImageScale = drawn;
            DrawLogo(colour, progress, false);
        } else {
            ImageLoaded = false;
            LogoWidth = LogoHeight = 0;
        }
        return;
    }
    DrawnScale = ImageScale;
    if (picPreviewDrawing.Width() != pW || picPreviewDrawing.Height() != pH)
        picPreviewDrawing.Resize(pW, pH);
    picPreviewDrawing.Fill(static_cast<COLORREF>(BackgroundColor));
    picTmpDrawing.Fill(0xFFFFFF);
    progress.Pos(40);
    GdiFlush();
    if (s.Width == W && s.Height == H) {
        std::memcpy(picSaveDrawing.Bits(), picBMPDrawing.Bits(),
                    static_cast<std::size_t>(W) * H * 4);
    } else {
        SetStretchBltMode(picSaveDrawing.Dc(), HALFTONE);
        SetBrushOrgEx(picSaveDrawing.Dc(), 0, 0, nullptr);
        StretchBlt(picSaveDrawing.Dc(), 0, 0, s.Width, s.Height, picBMPDrawing.Dc(), 0, 0, W, H,
                   SRCCOPY);
        GdiFlush();
    }
    progress.Pos(50);
    const PreviewRect r = PreviewLogoRect(s.Width, s.Height, pW, pH);
    LogoLeft = r.Left, LogoTop = r.Top, LogoWidth = r.Width, LogoHeight = r.Height;
    progress.Pos(60);

    const std::size_t bytes = static_cast<std::size_t>(s.Width) * s.Height * 4;
    if (TransparentColor < 0) {
        std::memcpy(picTmpDrawing.Bits(), picSaveDrawing.Bits(), bytes);
        Stretch(picPreviewDrawing.Dc(), r, picSaveDrawing);
    } else {
        progress.Pos(70);
        // The key's pixels show the colour beneath, the rest the logo.
        const uint8_t key[3] = {GetBValue(TransparentColor), GetGValue(TransparentColor),
                                GetRValue(TransparentColor)};
        const uint8_t under[3] = {GetBValue(colour), GetGValue(colour), GetRValue(colour)};
        progress.Pos(80);
        const uint8_t* in = picSaveDrawing.Bits();
        uint8_t* out = picTmpDrawing.Bits();
        for (std::size_t i = 0; i < bytes; i += 4) {
            const bool keyed = in[i] == key[0] && in[i + 1] == key[1] && in[i + 2] == key[2];
            for (int c = 0; c < 3; ++c)
                out[i + c] = keyed ? under[c] : in[i + c];
            out[i + 3] = 255;
        }
        progress.Pos(90);
        Stretch(picPreviewDrawing.Dc(), r, picTmpDrawing);
    }
    progress.Pos(100);
    picPreviewDrawing.Refresh();
    DoEvents();
    if (IsLargeLogo(s.Width, s.Height, GetSystemMetrics(SM_CXSCREEN),
                    GetSystemMetrics(SM_CYSCREEN))) {
        Control& scale = cmdScale;
        ShowControlHelp(&scale, this, true, scale.hWnd(), hWnd(),
                        L"This image is quite large, and may not work very well with some "
                        L"animations. Consider adjusting the size of it.",
                        L"Large image", 1, 5, 0);
    }
}

void frmWizard::txtLogo_Change() {
    const std::wstring text = txtLogo.Text();
    if (StartsWith(text, L"\\\\")) {
        ImageLoaded = false;
        return;
    }
    const DWORD a = text.empty() ? 0 : GetFileAttributesW(text.c_str());
    // A folder is no logo either: the last picture must not pass for it.
    if (!text.empty() && (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_DIRECTORY))) {
        ImageLoaded = false;
        return;
    }
    UpdateImage(-1, text, false, false, false);
}

void frmWizard::cmdUpdate_Click() {
    UpdateImage(-1, txtLogo.Text(), true, true, false);
}

void frmWizard::cmdBrowse_Click() {
    std::wstring name, folder = L".";
    Procedure run(L"frmWizard.cmdBrowse_Click");
    run([&] {
        name = TrimBlanks(txtLogo.Text());
        if (IsRemote(name) || (StartsWith(name, L"(") && EndsWith(name, L")")))
            name.clear();
        if (name.empty())
            for (const int csidl : {39, 5, 16, 25}) {
                std::wstring buffer(1024, L'\0');
                if (SHGetSpecialFolderPathW(hWnd(), buffer.data(), csidl, FALSE)) {
                    folder = ChopNull(buffer);
                    break;
                }
            }
    });
    bool chosen = false;
    run([&] {
        chosen = ShowFileDialog(true, 0x280800, name, hWnd(), L"Open Image File", folder,
                                LogoFilterForDecoders(), 0, L"");
    });
    if (chosen) {
        run([&] { txtLogo.SetText(name); });
        run([&] { UpdateImage(-1, L"", true, false, false); });
    }
}

void frmWizard::cmdScale_Click() {
    RunSteps(L"frmWizard.cmdScale_Click", {[&] {
                                               frmScale& scale = ScaleDialog();
                                               scale.Caller = this;
                                               scale.Show(false, this);
                                           },
                                           [&] {
                                               // Only a dialog that shows enables it again.
                                               if (ScaleDialog().Visible())
                                                   EnableWindow(hWnd(), FALSE);
                                           }});
}

void frmWizard::picPreview_Click() {
    RunSteps(L"frmWizard.picPreview_Click", {[&] {
                 if (!DynamicLogo && picTmpDrawing.Bits())
                     ImagePopup().SetImage(picTmp, picTmpDrawing, 1.0);
             }});
}
