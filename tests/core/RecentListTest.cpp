// The recent list, the free default name and the logo page's preview rules.
#include "core/LogoFilter.h"
#include "core/LogoPreview.h"
#include "core/RecentList.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct Recent {
    std::vector<std::wstring> Names = std::vector<std::wstring>(1000);
    std::vector<std::wstring> Files = std::vector<std::wstring>(1000);
    int32_t Count = 0;
    void Add(const std::wstring& file, const std::wstring& name) {
        AddRecentSaver(Names, Files, Count, file, name);
    }
};

TEST(RecentList, MovesToTheFrontAndCapsAt998) {
    Recent r;
    r.Add(L"C:\\a.scr", L"A");
    r.Add(L"C:\\b.scr", L"B");
    r.Add(L"C:\\c.scr", L"C");
    r.Add(L"C:\\a.scr", L"A again"); // found: to the front, count kept
    EXPECT_EQ(r.Count, 3);
    EXPECT_EQ(r.Files[0], L"C:\\a.scr");
    EXPECT_EQ(r.Names[0], L"A again");
    EXPECT_EQ(r.Files[1], L"C:\\c.scr");
    EXPECT_EQ(r.Files[2], L"C:\\b.scr");
    r.Add(L"C:\\A.scr", L"upper"); // case differs: a new entry
    EXPECT_EQ(r.Count, 4);

    Recent full;
    for (int i = 0; i < 998; ++i)
        full.Add(L"f" + std::to_wstring(i), L"n" + std::to_wstring(i));
    EXPECT_EQ(full.Count, 998);
    EXPECT_EQ(full.Files[997], L"f0");
    full.Add(L"new", L"New");
    EXPECT_EQ(full.Count, 998); // 999 becomes 998: the oldest is gone
    EXPECT_EQ(full.Files[0], L"new");
    EXPECT_EQ(full.Files[997], L"f1");

    Recent bogus; // a stored count beyond the arrays
    bogus.Count = 5000;
    bogus.Add(L"x", L"X");
    EXPECT_EQ(bogus.Files[0], L"x");
    EXPECT_LE(bogus.Count, 998);
}

TEST(RecentList, DefaultNameSkipsTakenNamesOnlyInTheCountedEntries) {
    Recent r;
    EXPECT_EQ(DefaultSaverName(r.Names, r.Count), L"My Saver");
    r.Names[0] = L"My Saver";
    r.Names[1] = L"My Saver (2)";
    r.Names[2] = L"My Saver (3)";
    r.Count = 2;
    EXPECT_EQ(DefaultSaverName(r.Names, r.Count), L"My Saver (3)"); // entry 2 is not counted
    r.Names[1] = L"my saver (2)";
    EXPECT_EQ(DefaultSaverName(r.Names, r.Count), L"My Saver (2)");

    std::vector<std::wstring> all = {L"My Saver"};
    for (int n = 2; n <= 999; ++n)
        all.push_back(L"My Saver (" + std::to_wstring(n) + L")");
    EXPECT_EQ(DefaultSaverName(all, 999), L"");
    EXPECT_EQ(DefaultSaverName(all, 998), L"My Saver (999)");
}

TEST(LogoFilter, OffersOnlyClaimedPatternsAndKeepsTrailingSemicolons) {
    const std::set<std::wstring> wine = {L"BMP",  L"PNG", L"GIF",  L"ICO", L"JPG",
                                         L"JPEG", L"TIF", L"TIFF", L"DDS"};
    const std::wstring filter =
        LogoBrowseFilter([&](const std::wstring& e) { return wine.count(e) > 0; });
    EXPECT_EQ(filter,
              L"All Supported files|*.BMP;*.DDS;*.GIF;*.ICO;*.JPG;*.JPEG;*.PNG;*.TIF;*.TIFF;*.SWF;"
              L"*.HTML;*.HTM;|All Images|*.BMP;*.DDS;*.GIF;*.ICO;*.JPG;*.JPEG;*.PNG;*.TIF;*.TIFF;"
              L"|Dynamic Content|*.SWF;*.HTML;*.HTM;"
              L"|Windows or OS/2 Bitmap (*.bmp)|*.BMP|DirectX Surface (*.dds)|*.DDS"
              L"|Graphics Interchange Format (*.gif)|*.GIF|Icon (*.ico)|*.ICO"
              L"|JPEG - JFIF Compliant (*.jpg,*.jpeg)|*.JPG;*.JPEG"
              L"|Portable Network Graphics (*.png)|*.PNG"
              L"|Tagged Image File Format (*.tif,*.tiff)|*.TIF;*.TIFF"
              L"|Flash Animations (*.swf)|*.SWF|Web Pages (*.html;*.htm)|*.HTML;*.HTM"
              L"|All Files (*.*)|*.*");

    // Everything claimed: the whole table of 24 entries.
    const std::wstring images =
        L"*.BMP;*.CUT;*.DDS;*.G3;*.GIF;*.ICO;*.IFF;*.LBM;*.JNG;*.JPG;*.JIF;*.JPEG;*.JPE;*.KOA;"
        L"*.MNG;*.PBM;*.PGM;*.PPM;*.PCD;*.PCX;*.PNG;*.PSD;*.RAS;*.TGA;*.TARGA;*.TIF;*.TIFF;*.WAP;"
        L"*.WBMP;*.WBM;*.XBM;*.XPM;";
    EXPECT_EQ(LogoBrowseFilter([](const std::wstring&) { return true; }),
              L"All Supported files|" + images + L"*.SWF;*.HTML;*.HTM;|All Images|" + images +
                  L"|Dynamic Content|*.SWF;*.HTML;*.HTM;"
                  L"|Windows or OS/2 Bitmap (*.bmp)|*.BMP|Dr. Halo (*.cut)|*.CUT"
                  L"|DirectX Surface (*.dds)|*.DDS|Raw fax (*.g3)|*.G3"
                  L"|Graphics Interchange Format (*.gif)|*.GIF|Icon (*.ico)|*.ICO"
                  L"|IFF Interleaved Bitmap (*.iff,*.lbm)|*.IFF;*.LBM"
                  L"|JPEG Network Graphics (*.jng)|*.JNG"
                  L"|JPEG - JFIF Compliant (*.jpg,*.jif,*.jpeg,*.jpe)|*.JPG;*.JIF;*.JPEG;*.JPE"
                  L"|C64 Koala Graphics (*.koa)|*.KOA|Multiple Network Graphics (*.mng)|*.MNG"
                  L"|Portable Network Media (*.pbm,*.pgm,*.ppm)|*.PBM;*.PGM;*.PPM"
                  L"|Kodak PhotoCD (*.pcd)|*.PCD|Zsoft Paintbrush (*.pcx)|*.PCX"
                  L"|Portable Network Graphics (*.png)|*.PNG|Adobe Photoshop (*.psd)|*.PSD"
                  L"|Sun Raster Image (*.ras)|*.RAS|Truevision Targa (*.tga,*.targa)|*.TGA;*.TARGA"
                  L"|Tagged Image File Format (*.tif,*.tiff)|*.TIF;*.TIFF"
                  L"|Wireless Bitmap (*.wap,*.wbmp,*.wbm)|*.WAP;*.WBMP;*.WBM"
                  L"|X11 Bitmap Format (*.xbm)|*.XBM|X11 Pixmap Format (*.xpm)|*.XPM"
                  L"|Flash Animations (*.swf)|*.SWF|Web Pages (*.html;*.htm)|*.HTML;*.HTM"
                  L"|All Files (*.*)|*.*");
    // Nothing claimed: no picture entry at all.
    EXPECT_EQ(LogoBrowseFilter(nullptr),
              L"All Supported files|*.SWF;*.HTML;*.HTM;|All Images||Dynamic Content|*.SWF;*.HTML;"
              L"*.HTM;|Flash Animations (*.swf)|*.SWF|Web Pages (*.html;*.htm)|*.HTML;*.HTM"
              L"|All Files (*.*)|*.*");
}

void ExpectRect(PreviewRect r, int32_t left, int32_t top, int32_t width, int32_t height) {
    EXPECT_EQ(r.Left, left);
    EXPECT_EQ(r.Top, top);
    EXPECT_EQ(r.Width, width);
    EXPECT_EQ(r.Height, height);
}

TEST(LogoPreview, FitsCentresAndNeverEnlarges) {
    ExpectRect(PreviewLogoRect(640, 480, 200, 150), 0, 0, 200, 150);
    ExpectRect(PreviewLogoRect(100, 400, 200, 150), 81, 0, 38, 150); // 37.5 to 38
    ExpectRect(PreviewLogoRect(50, 50, 200, 150), 75, 50, 50, 50);
    // Wide, but full width is still too tall: full height instead.
    ExpectRect(PreviewLogoRect(300, 290, 200, 150), 22, 0, 155, 150); // 155.17, 22.5 to 22
    // Tall, but full height is still too wide: full width instead.
    ExpectRect(PreviewLogoRect(300, 300, 100, 150), 0, 25, 100, 100);
    ExpectRect(PreviewLogoRect(1, 3, 200, 150), 100, 74, 1, 3); // 99.5 to 100, 73.5 to 74

    EXPECT_EQ(ScaleLogo(200, 200, 1.0).Width, 200);
    EXPECT_EQ(ScaleLogo(5, 7, 0.5).Width, 2);  // 2.5 to 2
    EXPECT_EQ(ScaleLogo(5, 7, 0.5).Height, 4); // 3.5 to 4
    EXPECT_TRUE(IsLargeLogo(1025, 10, 1024, 768));
    EXPECT_FALSE(IsLargeLogo(1024, 768, 1024, 768));
    EXPECT_TRUE(IsLargeLogo(10, 769, 1024, 768));
}

TEST(LogoPreview, CornerKeyTakesTheMostAgreedCornerEarlierOnTies) {
    EXPECT_EQ(CornerKey({1, 2, 3, 4}), -1);
    EXPECT_EQ(CornerKey({1, 5, 5, 4}), 5); // top-right and bottom-left
    EXPECT_EQ(CornerKey({7, 7, 9, 9}), 7); // a tie: the earlier pair
    EXPECT_EQ(CornerKey({9, 7, 7, 9}), 9);
    EXPECT_EQ(CornerKey({3, 8, 8, 8}), 8); // three beat one
    EXPECT_EQ(CornerKey({0, 0, 0, 0}), 0); // black is a key
    EXPECT_EQ(CornerKey({0xFFFFFF, 1, 2, 0xFFFFFF}), 0xFFFFFF);
}

} // namespace
