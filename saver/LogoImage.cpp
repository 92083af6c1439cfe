#include "saver/LogoImage.h"

#include "core/BitmapFile.h"
#include "core/LogoGeometry.h"
#include "core/Saturate.h"
#include "common/MemoryBitmap.h"
#include "core/SaverTail.h"
#include "saver/FileIo.h"
#include "saver/SaverHooks.h"
#include "saver/SaverState.h"
#include "saver/SaverWindowShared.h"

#include <shlwapi.h>

#include <new>

namespace {

MemoryBitmap Logo;     // what the effects draw from
MemoryBitmap Unscaled; // the loaded logo, kept while a preview-pane copy is used
// The content file of this saver window: the host window, kept across
// changes of effect, shows the first one written, so it is written once.
std::string ContentTemp;

void PublishLogo() {
    LogoDC = Logo.Dc();
    LogoBitmap = Logo.Bitmap();
}

std::string TempFolder() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(MAX_PATH, buffer);
    if (n == 0 || n > MAX_PATH)
        return ".\\";
    std::string folder(buffer, n);
    if (folder.back() != '\\')
        folder += '\\';
    return folder;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The name as a plain file name: a name from a hostile file could hold a
// path that leads out of the temporary folder.
std::string BaseName(const std::string& name) {
    const std::size_t cut = name.find_last_of("\\/:");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

BLENDFUNCTION Blend(BYTE alpha, bool perPixel) {
    return {AC_SRC_OVER, 0, alpha, static_cast<BYTE>(perPixel ? AC_SRC_ALPHA : 0)};
}

void DrawPlain(HDC dc, int x, int y, int width, int height) {
    if (DrawTransparent) {
        if (CurrentTrailer.PicHasTrans)
            AlphaBlend(dc, x, y, width, height, LogoDC, 0, 0, width, height, Blend(255, true));
        else
            TransparentBlt(dc, x, y, width, height, LogoDC, 0, 0, width, height,
                           static_cast<UINT>(CurrentTrailer.TransparentColor));
    } else {
        BitBlt(dc, x, y, width, height, LogoDC, 0, 0, SRCCOPY);
    }
}

// Opaque tiles: one drawn, then what is drawn copied onto itself
// (TileDoubling), the same pixels as a tile drawn at every place from a few
// dozen copies where a one-pixel logo has millions of tiles. The copies read
// back what was drawn, as Drip's columns do on the screen. A transparent
// tile shows what is under it, so each is drawn.
void DrawTiled(HDC dc, int tileW, int tileH) {
    if (tileW <= 0 || tileH <= 0 || ScreenWidth() <= 0 || ScreenHeight() <= 0)
        return;
    if (!DrawTransparent) {
        DrawPlain(dc, 0, 0, tileW, tileH);
        const TilePlan plan = TileDoubling(tileW, tileH, ScreenWidth(), ScreenHeight());
        for (int i = 0; i < plan.Count; ++i) {
            const TileCopy& c = plan.Copies[i];
            BitBlt(dc, c.ToX, c.ToY, c.Width, c.Height, dc, 0, 0, SRCCOPY);
        }
        return;
    }
    // In 64 bits: the step past the last tile may pass INT32_MAX.
    for (int64_t x = 0; x < ScreenWidth(); x += tileW)
        for (int64_t y = 0; y < ScreenHeight(); y += tileH)
            DrawPlain(dc, static_cast<int>(x), static_cast<int>(y), tileW, tileH);
}

void StretchLogo(HDC dc, const RECT& to, const LogoRectangle& s) {
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, to.left, to.top, to.right - to.left, to.bottom - to.top, LogoDC, 0, 0,
               s.NaturalWidth, s.NaturalHeight, SRCCOPY);
}

} // namespace

bool ContentMode() {
    return CurrentTrailer.DynamicLogo != 0;
}

std::string MakeTempName(const char* prefix, const char* name) {
    const std::string folder = TempFolder();
    char unique[MAX_PATH + 1] = {};
    if (!name || !*name) {
        if (!GetTempFileNameA(folder.c_str(), prefix, 0, unique))
            return {};
        return unique;
    }
    std::string path = folder + name;
    if (!Exists(path))
        return path;
    const std::string extension = std::string("_") + name;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (!GetTempFileNameA(folder.c_str(), prefix, 0, unique))
            return {};
        const std::string made = unique;
        if (!PathRenameExtensionA(unique, extension.c_str())) {
            DeleteFileA(made.c_str());
            return {};
        }
        DeleteFileA(made.c_str()); // only its unique part was wanted
        if (!Exists(unique))
            return unique;
    }
    return {};
}

uint32_t WriteLogoTemp(std::string& path) {
    std::size_t count = LogoBlock.size();
    if (path.empty()) {
        std::string name;
        if (ContentMode()) {
            if (auto block = FindContentName(LogoBlock.data(), LogoBlock.size())) {
                name = BaseName(block->Name);
                count = block->ContentSize;
            }
        }
        path = MakeTempName("qvr", name.empty() ? nullptr : name.c_str());
        if (path.empty())
            return 0;
    }
    if (!WriteWholeFile(path, LogoBlock.data(), count, FILE_ATTRIBUTE_TEMPORARY))
        return 0;
    return static_cast<uint32_t>(count);
}

void ReleaseLogo() {
    Logo.reset();
    Unscaled.reset();
    PublishLogo();
    LogoRect.X = LogoRect.Y = LogoRect.Width = LogoRect.Height = 0;
}

void LoadLogoBitmap(const std::string& path) {
    UniqueBitmap bitmap(
        path.empty() ? nullptr
                     : static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                       LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    BITMAP info{};
    if (bitmap && GetObjectA(bitmap.get(), sizeof info, &info) &&
        Logo.Adopt(DisplayDC, bitmap.release())) {
        LogoRect.Width = LogoRect.NaturalWidth = info.bmWidth;
        LogoRect.Height = LogoRect.NaturalHeight = info.bmHeight;
    } else {
        // A file the bitmap loader rejects: nothing visible is drawn.
        LogoRect.Width = LogoRect.NaturalWidth = 0;
        LogoRect.Height = LogoRect.NaturalHeight = 0;
    }
    PublishLogo();
}

bool LoadLogo() {
    return Hooks.LoadLogo ? Hooks.LoadLogo() : LoadSaverLogo();
}

bool LoadSaverLogo() {
    ReleaseLogo();
    if (LogoBlock.empty()) {
        // On the render thread: the box has no owner and must not hide
        // behind the topmost saver window; the window thread ends the
        // program.
        MessageBoxA(nullptr, "Unable to load logo", "Quorvel Screensaver",
                    MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND);
        PostMessageA(SaverWindow, WM_SAVERFAILED, 0, 0);
        return false;
    }
    const bool content = ContentMode();
    std::string path;
    LogoRect.X = LogoRect.Y = 0;
    if (!content) {
        // Headers that announce more than the block holds would make the
        // loader read past it: such a logo is left 0 x 0.
        if (ReadBitmapLayout(LogoBlock.data(), LogoBlock.size()))
            WriteLogoTemp(path);
        LoadLogoBitmap(path);
        if (!path.empty())
            DeleteFileA(path.c_str());
    } else {
        if (CurrentSettings->ContentFromFile) {
            if (ContentTemp.empty() || !Exists(ContentTemp)) {
                ContentTemp.clear();
                WriteLogoTemp(ContentTemp);
            }
            ContentText = ContentTemp;
        } else {
            const auto* text = reinterpret_cast<const char*>(LogoBlock.data());
            std::size_t length = 0;
            while (length < LogoBlock.size() && text[length])
                ++length;
            try {
                ContentText.assign(text, length);
            } catch (const std::bad_alloc&) {
                ContentText.clear(); // an address too long to copy shows nothing
            }
        }
        LogoRect.Width = LogoRect.NaturalWidth = CurrentSettings->ContentWidth;
        LogoRect.Height = LogoRect.NaturalHeight = CurrentSettings->ContentHeight;
    }
    PublishLogo();
    FinishLogoLoad(!content);
    return true;
}

void RemoveContentTemp() {
    if (!ContentTemp.empty())
        DeleteFileA(ContentTemp.c_str());
    ContentTemp.clear();
}

void FinishLogoLoad(bool bitmapLogo) {
    RECT pane{};
    GetClientRect(SaverWindow, &pane);
    ClientRect = ScreenRect;
    ScreenRect.right = ReducedScreenSide(LogoRect.Width, ScreenRect.right);
    ScreenRect.bottom = ReducedScreenSide(LogoRect.Height, ScreenRect.bottom);

    if (InPreviewPane && bitmapLogo) {
        RECT desktop{};
        GetClientRect(GetDesktopWindow(), &desktop);
        const LogoSize size =
            PreviewLogoSize({LogoRect.Width, LogoRect.Height}, {pane.right, pane.bottom},
                            {desktop.right, desktop.bottom});
        MemoryBitmap scaled;
        if (scaled.Create(DisplayDC, size.Width, size.Height)) {
            SetStretchBltMode(scaled.Dc(), HALFTONE);
            SetStretchBltMode(Logo.Dc(), HALFTONE);
            PatBlt(scaled.Dc(), 0, 0, size.Width, size.Height, BLACKNESS);
            AlphaBlend(scaled.Dc(), 0, 0, size.Width, size.Height, Logo.Dc(), 0, 0,
                       LogoRect.NaturalWidth, LogoRect.NaturalHeight, Blend(255, true));
        }
        Unscaled = std::move(Logo);
        Logo = std::move(scaled);
        PublishLogo();
        LogoRect.Width = LogoRect.NaturalWidth = size.Width;
        LogoRect.Height = LogoRect.NaturalHeight = size.Height;
    }
    CurrentSettings->Transparent =
        (CurrentTrailer.TransparentColor >= 0 || CurrentTrailer.PicHasTrans != 0) ? 1 : 0;
}

void PrepareLogo() {
    DrawTransparent = 0;
    if (CurrentSettings->Transparent) {
        if (CurrentEffect == EffectMany ||
            (CurrentEffect == EffectBounce && CurrentSettings->BounceTrail && LowColour) ||
            (CurrentEffect == EffectFalling && LowColour)) {
            DrawTransparent = 1;
        } else if (!ContentMode() && LogoDC) {
            const int w = LogoRect.Width, h = LogoRect.Height;
            MemoryBitmap work;
            if (work.Create(DisplayDC, w, h)) {
                RECT all{0, 0, w, h};
                FillRect(work.Dc(), &all, BackgroundBrush);
                if (CurrentTrailer.PicHasTrans)
                    AlphaBlend(work.Dc(), 0, 0, w, h, LogoDC, 0, 0, w, h, Blend(255, true));
                else
                    TransparentBlt(work.Dc(), 0, 0, w, h, LogoDC, 0, 0, w, h,
                                   static_cast<UINT>(CurrentTrailer.TransparentColor));
                BitBlt(LogoDC, 0, 0, w, h, work.Dc(), 0, 0, SRCCOPY);
            }
        }
    }
    LogoRect.Width = LogoRect.NaturalWidth;
    LogoRect.Height = LogoRect.NaturalHeight;
}

RECT FitToAspect(const RECT& size) {
    const LogoBox box = FitToAspect(size.right, size.bottom, ScreenWidth(), ScreenHeight());
    return {box.Left, box.Top, box.Right, box.Bottom};
}

void DrawLogo(HDC dc, int mode, const LogoRectangle* source, RECT* covered) {
    if (ContentMode())
        return;
    const LogoRectangle& s = source ? *source : LogoRect;
    RECT r{};
    switch (mode) {
    case DisplayNormal: {
        const LogoBox box = CentreBox(s.Width, s.Height, ScreenWidth(), ScreenHeight());
        DrawPlain(dc, box.Left, box.Top, s.Width, s.Height);
        r = {box.Left, box.Top, box.Right, box.Bottom};
        break;
    }
    case DisplayFull:
        r = FitToAspect(RECT{0, 0, s.Width, s.Height});
        StretchLogo(dc, r, s);
        break;
    case DisplayStretch:
        r = ScreenRect;
        StretchLogo(dc, r, s);
        break;
    case DisplayTiled:
        DrawTiled(dc, s.NaturalWidth, s.NaturalHeight);
        r = ScreenRect;
        break;
    default:
        DrawPlain(dc, s.X, s.Y, s.Width, s.Height);
        // Bounce may put a hostile logo at the int32_t end.
        r = {s.X, s.Y, SaturateToInt32(static_cast<int64_t>(s.X) + s.Width),
             SaturateToInt32(static_cast<int64_t>(s.Y) + s.Height)};
        break;
    }
    if (covered)
        *covered = r;
}

void DrawLogoPlain(HDC dc) {
    if (!ContentMode())
        DrawLogo(dc, DisplayPlain);
}
