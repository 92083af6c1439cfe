// The logo page's imaging: every decoder Wine has, alpha and palettes, the
// header check before decoding, broken files, rescaling and bitmap files.
#include "core/Bmp32.h"
#include "core/Premultiply.h"
#include "tests/wizard/WizardFiles.h"
#include "wizard/frame/Imaging.h"

#include <gtest/gtest.h>

#include <wincodec.h>

#include <algorithm>
#include <cstring>
#include <thread>

namespace {

Bgra At(const Picture& p, int x, int y) {
    const uint8_t* px = p.Pixels.data() + (static_cast<std::size_t>(y) * p.Width + x) * 4;
    return {px[0], px[1], px[2], px[3]};
}

void ExpectBgra(Bgra got, Bgra want) {
    EXPECT_EQ(got.B, want.B);
    EXPECT_EQ(got.G, want.G);
    EXPECT_EQ(got.R, want.R);
    EXPECT_EQ(got.A, want.A);
}

void ExpectPattern(const Picture& p, bool withAlpha, int tolerance = 0) {
    int bad = 0;
    for (int y = 0; y < p.Height; ++y)
        for (int x = 0; x < p.Width; ++x) {
            const Bgra want = PatternPixel(x, y), got = At(p, x, y);
            bad += std::abs(got.B - want.B) > tolerance || std::abs(got.G - want.G) > tolerance ||
                   std::abs(got.R - want.R) > tolerance || got.A != (withAlpha ? want.A : 255);
        }
    EXPECT_EQ(bad, 0);
}

// A JPEG of the pattern, made by the system's encoder (none is kept as a
// file: its bytes depend on the encoder).
void WriteJpeg(const std::wstring& path, int w, int h) {
    std::vector<uint8_t> bgr(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Bgra p = PatternPixel(x, y);
            uint8_t* d = bgr.data() + (y * w + x) * 3;
            d[0] = p.B, d[1] = p.G, d[2] = p.R;
        }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr,
                                              CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                              reinterpret_cast<void**>(&factory)));
    IWICStream* stream = nullptr;
    IWICBitmapEncoder* encoder = nullptr;
    IWICBitmapFrameEncode* frame = nullptr;
    ASSERT_HRESULT_SUCCEEDED(factory->CreateStream(&stream));
    ASSERT_HRESULT_SUCCEEDED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE));
    ASSERT_HRESULT_SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder));
    ASSERT_HRESULT_SUCCEEDED(encoder->Initialize(stream, WICBitmapEncoderNoCache));
    ASSERT_HRESULT_SUCCEEDED(encoder->CreateNewFrame(&frame, nullptr));
    ASSERT_HRESULT_SUCCEEDED(frame->Initialize(nullptr));
    ASSERT_HRESULT_SUCCEEDED(frame->SetSize(w, h));
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    ASSERT_HRESULT_SUCCEEDED(frame->SetPixelFormat(&format));
    ASSERT_HRESULT_SUCCEEDED(
        frame->WritePixels(h, w * 3, static_cast<UINT>(bgr.size()), bgr.data()));
    ASSERT_HRESULT_SUCCEEDED(frame->Commit());
    ASSERT_HRESULT_SUCCEEDED(encoder->Commit());
    frame->Release();
    encoder->Release();
    stream->Release();
    factory->Release();
}

TEST(Imaging, DecodesEveryFormatWineReads) {
    TempFolder dir;
    struct Case {
        const wchar_t* Resource;
        const char* Name;
        int Width, Height;
        bool HasAlpha;
    } cases[] = {{L"PIC_ALPHA_PNG", "alpha.png", 40, 30, true},
                 {L"PIC_OPAQUE_PNG", "opaque.png", 40, 30, false},
                 {L"PIC_ALPHA32_BMP", "alpha32.bmp", 40, 30, true},
                 {L"PIC_RGB24_BMP", "rgb24.bmp", 40, 30, false},
                 {L"PIC_RGB_TIF", "rgb.tif", 40, 30, false},
                 {L"PIC_ICON_ICO", "icon.ico", 32, 32, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const ImageLoad load =
            LoadPictureFile(ResourceFile(dir, c.Resource, c.Name), AlphaForm::Straight);
        ASSERT_EQ(load.Status, ImageStatus::Ok);
        EXPECT_EQ(load.Image.Width, c.Width);
        EXPECT_EQ(load.Image.Height, c.Height);
        EXPECT_EQ(load.Image.HasAlpha, c.HasAlpha);
        EXPECT_EQ(PictureHasTrans(load.Image), c.HasAlpha);
        ExpectPattern(load.Image, c.HasAlpha);

        // Premultiplied: the same pixels through the saver's rounding.
        const ImageLoad pre = LoadPictureFile(Wide(dir.Path(c.Name)), AlphaForm::Premultiplied);
        ASSERT_EQ(pre.Status, ImageStatus::Ok);
        std::vector<uint8_t> want = load.Image.Pixels;
        PremultiplyPixels(want.data(), want.size() / 4);
        EXPECT_EQ(pre.Image.Pixels, want);
        EXPECT_TRUE(pre.Image.Premultiplied);
    }

    const std::wstring jpeg = Wide(dir.Path("photo.jpg"));
    WriteJpeg(jpeg, 40, 30);
    const ImageLoad photo = LoadPictureFile(jpeg, AlphaForm::Straight);
    ASSERT_EQ(photo.Status, ImageStatus::Ok);
    EXPECT_FALSE(photo.Image.HasAlpha);
    ExpectPattern(photo.Image, false, 40); // lossy, but the same picture
}

// Files our own decoders hand on to the imaging component as another
// format's file: a fax page inside a TIFF, an animation's first PNG.
TEST(Imaging, FaxPageAndAnimationLoadThroughTheirReframedFiles) {
    TempFolder dir;
    const ImageLoad page =
        LoadPictureFile(ResourceFile(dir, L"PIC_PAGE_G3", "page.g3"), AlphaForm::Straight);
    ASSERT_EQ(page.Status, ImageStatus::Ok);
    ASSERT_EQ(page.Image.Width, 1728);
    ASSERT_EQ(page.Image.Height, 9);
    // Row y is black from 100y for 50 + y pixels, row 7 white, row 8 black.
    int wrong = 0;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 1728; ++x) {
            const bool black = y == 8 || (y < 7 && x >= 100 * y && x < 100 * y + 50 + y);
            const Bgra p = At(page.Image, x, y);
            wrong += p.R != (black ? 0 : 255) || p.G != p.R || p.B != p.R || p.A != 255;
        }
    EXPECT_EQ(wrong, 0);

    const ImageLoad first =
        LoadPictureFile(ResourceFile(dir, L"PIC_HALVES_MNG", "halves.mng"), AlphaForm::Straight);
    ASSERT_EQ(first.Status, ImageStatus::Ok);
    ASSERT_EQ(first.Image.Width, 33);
    ASSERT_EQ(first.Image.Height, 17);
    EXPECT_TRUE(first.Image.HasAlpha);
    ExpectBgra(At(first.Image, 2, 3), {30, 30, 200, 255});
    ExpectBgra(At(first.Image, 30, 12), {200, 30, 30, 30 * 7 & 255});
}

// Pictures of the formats our own decoders read, as another program wrote
// them: a pattern of nine colours (black transparent in the pixmap) and a
// black-and-white one, both of odd widths.
TEST(Imaging, ReadsThePictureFormatsOfOurOwnDecoders) {
    TempFolder dir;
    const struct Case {
        const wchar_t* Resource;
        const char* Name;
        bool Pattern, HasAlpha;
    } cases[] = {{L"PIC_NP_PCX", "p.pcx", true, false},  {L"PIC_NP_RAS", "p.ras", true, false},
                 {L"PIC_NP_XPM", "p.xpm", true, true},   {L"PIC_NP_IFF", "p.lbm", true, false},
                 {L"PIC_NP_PPM", "p.ppm", true, false},  {L"PIC_NP_WBMP", "b.wbmp", false, false},
                 {L"PIC_NP_XBM", "b.xbm", false, false}, {L"PIC_NP_PBM", "b.pbm", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const ImageLoad load =
            LoadPictureFile(ResourceFile(dir, c.Resource, c.Name), AlphaForm::Straight);
        ASSERT_EQ(load.Status, ImageStatus::Ok);
        EXPECT_EQ(load.Image.HasAlpha, c.HasAlpha);
        const Picture& p = load.Image;
        if (c.Pattern) {
            EXPECT_EQ(p.Width, 7);
            EXPECT_EQ(p.Height, 5);
            ExpectBgra(At(p, 0, 0), {0, 0, 255, 255});
            ExpectBgra(At(p, 5, 0), {86, 52, 18, 255});
            ExpectBgra(At(p, 6, 4), {255, 255, 255, 255});
            EXPECT_EQ(At(p, 4, 0).A, c.HasAlpha ? 0 : 255); // black
        } else {
            EXPECT_EQ(p.Width, 11);
            EXPECT_EQ(p.Height, 3);
            ExpectBgra(At(p, 0, 0), {0, 0, 0, 255});
            ExpectBgra(At(p, 1, 0), {255, 255, 255, 255});
            ExpectBgra(At(p, 10, 2), {255, 255, 255, 255});
            ExpectBgra(At(p, 10, 0), {0, 0, 0, 255});
        }
    }
    // A format without a signature is tried by its name alone.
    const std::wstring wbmp = ResourceFile(dir, L"PIC_NP_WBMP", "b.bmp");
    EXPECT_EQ(LoadPictureFile(wbmp, AlphaForm::Straight).Status, ImageStatus::NotRecognised);
}

TEST(Imaging, ReleasedBeforeComEndsAndLeavesTheApartmentAsFound) {
    TempFolder dir;
    const std::wstring png = ResourceFile(dir, L"PIC_OPAQUE_PNG", "opaque.png");
    ReleaseImaging(); // whatever this thread made before
    bool loaded = false;
    HRESULT again = E_FAIL;
    std::thread worker([&] {
        if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
            return;
        loaded = LoadPictureFile(png, AlphaForm::Straight).Status == ImageStatus::Ok;
        ReleaseImaging();
        CoUninitialize();
        again = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // S_OK: COM had ended
        CoUninitialize();
    });
    worker.join();
    EXPECT_TRUE(loaded);
    EXPECT_EQ(again, S_OK);
}

TEST(Imaging, TransparentPaletteEntryIsLeftToTheColourKey) {
    TempFolder dir;
    const ImageLoad gif =
        LoadPictureFile(ResourceFile(dir, L"PIC_KEYED_GIF", "keyed.gif"), AlphaForm::Straight);
    ASSERT_EQ(gif.Status, ImageStatus::Ok);
    EXPECT_EQ(gif.Image.Width, 20);
    EXPECT_EQ(gif.Image.Height, 10);
    EXPECT_LE(gif.Image.FileBitsPerPixel, 8u);
    EXPECT_TRUE(gif.Image.PaletteTransparency);
    EXPECT_FALSE(PictureHasTrans(gif.Image));
    const Bgra red = At(gif.Image, 2, 4), clear = At(gif.Image, 17, 4);
    EXPECT_EQ(red.R, 255);
    EXPECT_EQ(red.A, 255);
    EXPECT_EQ(clear.A, 0);
}

TEST(Imaging, BuiltInLogoKeepsItsAlphaAndZeroAlphaBitmapsAreOpaque) {
    const std::vector<uint8_t> defimg = ResourceBytes(L"DEFIMG");
    ASSERT_EQ(defimg.size(), 160054u);
    const ImageLoad logo = LoadPictureBytes(defimg.data(), defimg.size(), AlphaForm::Straight);
    ASSERT_EQ(logo.Status, ImageStatus::Ok);
    EXPECT_EQ(logo.Image.Width, 200);
    EXPECT_TRUE(PictureHasTrans(logo.Image));
    EXPECT_EQ(logo.Image.Pixels, ReadBmp32(defimg.data(), defimg.size())->Pixels);
    // Written back unchanged, the file is the resource byte for byte.
    TempFolder dir;
    ASSERT_TRUE(WritePictureBmp(Wide(dir.Path("back.bmp")), logo.Image));
    EXPECT_EQ(ReadFileBytes(dir.Path("back.bmp")), defimg);

    Bitmap32 old{2, 2, std::vector<uint8_t>(16, 0x40), false};
    for (int i = 3; i < 16; i += 4)
        old.Pixels[i] = 0;
    const std::vector<uint8_t> file = WriteBmp32(old);
    const ImageLoad opaque = LoadPictureBytes(file.data(), file.size(), AlphaForm::Premultiplied);
    ASSERT_EQ(opaque.Status, ImageStatus::Ok);
    EXPECT_FALSE(PictureHasTrans(opaque.Image));
    EXPECT_EQ(At(opaque.Image, 1, 1).A, 255);
    EXPECT_EQ(At(opaque.Image, 1, 1).R, 0x40); // not darkened to black
}

std::vector<uint8_t> PngHeader(uint32_t w, uint32_t h) {
    std::vector<uint8_t> b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                              0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    for (uint32_t v : {w, h})
        for (int i = 3; i >= 0; --i)
            b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    b.insert(b.end(), {8, 6, 0, 0, 0, 0, 0, 0, 0});
    return b;
}

TEST(Imaging, HugeHeadersAreRefusedBeforeDecoding) {
    TempFolder dir;
    struct Case {
        std::vector<uint8_t> Bytes;
        const char* Text;
    } cases[] = {
        {PngHeader(20000, 20000), "The image is too large (20000 \xC3\x97 20000 pixels)."},
        {PngHeader(7000, 6000), "The image is too large (7000 \xC3\x97 6000 pixels)."},
        {PngHeader(16385, 1), "The image is too large (16385 \xC3\x97 1 pixels)."},
    };
    for (Case& c : cases) {
        WriteFileBytes(dir.Path("huge.png"), c.Bytes);
        const ImageLoad load = LoadPictureFile(Wide(dir.Path("huge.png")), AlphaForm::Straight);
        EXPECT_EQ(load.Status, ImageStatus::TooLarge);
        EXPECT_TRUE(load.Image.Pixels.empty());
        wchar_t want[100] = {};
        MultiByteToWideChar(CP_UTF8, 0, c.Text, -1, want, 100);
        EXPECT_EQ(ImageStatusText(load), want);
        const ImageLoad memory =
            LoadPictureBytes(c.Bytes.data(), c.Bytes.size(), AlphaForm::Straight);
        EXPECT_EQ(memory.Status, ImageStatus::TooLarge);
    }
    // A 32-bit bitmap claiming a gigabyte of pixels in a few bytes.
    std::vector<uint8_t> bmp = WriteBmp32(Bitmap32{2, 2, std::vector<uint8_t>(16, 1), false});
    bmp[18] = 0, bmp[19] = 0x40, bmp[22] = 0, bmp[23] = 0x40; // 16384 x 16384
    WriteFileBytes(dir.Path("huge.bmp"), bmp);
    EXPECT_EQ(LoadPictureFile(Wide(dir.Path("huge.bmp")), AlphaForm::Straight).Status,
              ImageStatus::TooLarge);
    // A format that only its name tells: 20000 x 3.
    WriteFileBytes(dir.Path("huge.wbmp"), {0, 0, 0x81, 0x9C, 0x20, 3});
    const ImageLoad wbmp = LoadPictureFile(Wide(dir.Path("huge.wbmp")), AlphaForm::Straight);
    EXPECT_EQ(wbmp.Status, ImageStatus::TooLarge);
    EXPECT_EQ(wbmp.Width, 20000u);
}

TEST(Imaging, MissingBrokenAndTruncatedFilesLoadNothing) {
    TempFolder dir;
    EXPECT_EQ(LoadPictureFile(Wide(dir.Path("none.png")), AlphaForm::Straight).Status,
              ImageStatus::NotFound);
    const std::string folder = dir.Path("");
    EXPECT_EQ(
        LoadPictureFile(Wide(folder.substr(0, folder.size() - 1)), AlphaForm::Straight).Status,
        ImageStatus::NotFound);
    EXPECT_EQ(ImageStatusText(LoadPictureFile(L"", AlphaForm::Straight)),
              L"This file cannot be found.");

    const wchar_t* resources[] = {L"PIC_ALPHA_PNG", L"PIC_ALPHA32_BMP", L"PIC_RGB24_BMP",
                                  L"PIC_RGB_TIF",   L"PIC_KEYED_GIF",   L"PIC_ICON_ICO"};
    int loaded = 0;
    for (const wchar_t* resource : resources) {
        const std::vector<uint8_t> whole = ResourceBytes(resource);
        for (std::size_t cut :
             {std::size_t{0}, std::size_t{5}, std::size_t{40}, whole.size() / 2}) {
            WriteFileBytes(dir.Path("cut.bin"), {whole.begin(), whole.begin() + cut});
            const ImageLoad load = LoadPictureFile(Wide(dir.Path("cut.bin")), AlphaForm::Straight);
            // A decoder may make do with a partial picture, but never more.
            if (load.Status == ImageStatus::Ok) {
                ++loaded;
                EXPECT_EQ(load.Image.Pixels.size(),
                          static_cast<std::size_t>(load.Image.Width) * load.Image.Height * 4);
            } else {
                EXPECT_EQ(ImageStatusText(load),
                          L"This file was not recognised, or is not supported.");
                EXPECT_TRUE(load.Image.Pixels.empty());
            }
        }
    }
    EXPECT_LE(loaded, 3);
    WriteFileBytes(dir.Path("text.png"), {'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(LoadPictureFile(Wide(dir.Path("text.png")), AlphaForm::Straight).Status,
              ImageStatus::NotRecognised);
}

TEST(Imaging, BrowseOffersWhatTheDecodersClaim) {
    const std::vector<std::wstring> claimed = DecoderExtensions();
    for (const wchar_t* ext : {L"BMP", L"PNG", L"JPG", L"JPEG", L"GIF", L"TIF", L"TIFF", L"ICO"})
        EXPECT_NE(std::find(claimed.begin(), claimed.end(), ext), claimed.end()) << ext;
    const std::wstring filter = LogoFilterForDecoders();
    for (const wchar_t* entry :
         {L"|Windows or OS/2 Bitmap (*.bmp)|*.BMP", L"|Portable Network Graphics (*.png)|*.PNG",
          L"|Graphics Interchange Format (*.gif)|*.GIF", L"|Icon (*.ico)|*.ICO",
          L"|Flash Animations (*.swf)|*.SWF", L"|Web Pages (*.html;*.htm)|*.HTML;*.HTM",
          // Read by our own decoder wherever the platform's reads them or not.
          L"|Portable Network Media (*.pbm,*.pgm,*.ppm)|*.PBM;*.PGM;*.PPM",
          L"|Adobe Photoshop (*.psd)|*.PSD", L"|Truevision Targa (*.tga,*.targa)|*.TGA;*.TARGA",
          L"|Dr. Halo (*.cut)|*.CUT", L"|DirectX Surface (*.dds)|*.DDS", L"|Raw fax (*.g3)|*.G3",
          L"|JPEG Network Graphics (*.jng)|*.JNG", L"|C64 Koala Graphics (*.koa)|*.KOA",
          L"|Multiple Network Graphics (*.mng)|*.MNG", L"|Kodak PhotoCD (*.pcd)|*.PCD"})
        EXPECT_NE(filter.find(entry), std::wstring::npos) << entry;
    EXPECT_NE(filter.find(L"*.JPG;"), std::wstring::npos);
    EXPECT_NE(filter.find(L"*.TIF;"), std::wstring::npos);
    // Every pattern of the picture entries is one a decoder claims.
    const std::wstring images = filter.substr(filter.find(L"|All Images|") + 12);
    std::size_t at = 0;
    const std::size_t end = images.find(L'|');
    while ((at = images.find(L"*.", at)) < end) {
        const std::size_t stop = images.find(L';', at);
        const std::wstring ext = images.substr(at + 2, stop - at - 2);
        EXPECT_NE(std::find(claimed.begin(), claimed.end(), ext), claimed.end()) << ext;
        at = stop;
    }
}

TEST(Imaging, ResizeCopiesAtScaleOneAndKeepsColoursWithinAlpha) {
    TempFolder dir;
    const ImageLoad logo =
        LoadPictureFile(ResourceFile(dir, L"PIC_ALPHA_PNG", "a.png"), AlphaForm::Premultiplied);
    ASSERT_EQ(logo.Status, ImageStatus::Ok);
    Picture same;
    ASSERT_TRUE(ResizePicture(logo.Image, 40, 30, same));
    EXPECT_EQ(same.Pixels, logo.Image.Pixels); // no blur at 1:1

    Picture half, big;
    ASSERT_TRUE(ResizePicture(logo.Image, 20, 15, half));
    ASSERT_TRUE(ResizePicture(logo.Image, 97, 61, big));
    EXPECT_EQ(half.Pixels.size(), 20u * 15 * 4);
    for (const Picture* p : {&half, &big}) {
        int above = 0;
        for (std::size_t i = 0; i < p->Pixels.size(); i += 4)
            for (int c = 0; c < 3; ++c)
                above += p->Pixels[i + c] > p->Pixels[i + 3];
        EXPECT_EQ(above, 0);
    }
    // A flat colour stays that colour at any size.
    Picture flat{8, 8, {}, true, true};
    for (int i = 0; i < 64; ++i)
        flat.Pixels.insert(flat.Pixels.end(), {60, 90, 120, 200});
    Picture flatHalf;
    ASSERT_TRUE(ResizePicture(flat, 3, 5, flatHalf));
    for (std::size_t i = 0; i < flatHalf.Pixels.size(); i += 4) {
        EXPECT_NEAR(flatHalf.Pixels[i], 60, 1);
        EXPECT_NEAR(flatHalf.Pixels[i + 3], 200, 1);
    }
    Picture none;
    EXPECT_FALSE(ResizePicture(logo.Image, 0, 10, none));
    EXPECT_FALSE(ResizePicture(logo.Image, 16385, 1, none));
    EXPECT_FALSE(WritePictureBmp(Wide(dir.Path("")), logo.Image)); // a folder
}

} // namespace
