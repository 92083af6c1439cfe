// The logo as the effects see it: loading from the logo block, the preview
// pane's scaled copy, the display modes and the transparency of each draw,
// and the temporary files.
#include "tests/saver/EngineTestSupport.h"

#include "core/SaverTail.h"
#include "tests/support/AllocationLimit.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <mutex>

namespace {

constexpr uint32_t Blue = 0xFF0000FF, Red = 0xFFFF0000, Green = 0xFF00FF00, White = 0xFFFFFFFF;
constexpr COLORREF BlueRef = RGB(0, 0, 255), RedRef = RGB(255, 0, 0), GreenRef = RGB(0, 255, 0),
                   WhiteRef = RGB(255, 255, 255);

std::vector<uint8_t> Quadrants(int w, int h) {
    return MakeBitmap32(w, h, [=](int x, int y) {
        if (y >= h / 2)
            return x < w / 2 ? Green : White;
        return x < w / 2 ? Blue : Red;
    });
}

void Load(int32_t effect) {
    ASSERT_TRUE(LoadSaverLogo());
    CurrentEffect = effect;
    PrepareLogo();
}

TEST(LoadLogo, PreviewPaneShrinksA400By300LogoTo31By31) {
    // 152 x 112 pane on the 1920 x 1080 desktop.
    SaverFixture saver(Quadrants(400, 300), 152, 112);
    InPreviewPane = true;
    Load(EffectStatic);
    EXPECT_EQ(LogoRect.Width, 31);
    EXPECT_EQ(LogoRect.Height, 31);
    EXPECT_EQ(LogoRect.NaturalWidth, 31);
    EXPECT_EQ(LogoRect.NaturalHeight, 31);

    Canvas pane(152, 112, TestBackground);
    RECT covered{};
    DrawLogo(pane.Dc(), DisplayNormal, nullptr, &covered);
    EXPECT_EQ(covered.left, 60);
    EXPECT_EQ(covered.top, 40);
    EXPECT_EQ(covered.right, 91);
    EXPECT_EQ(covered.bottom, 71);
    EXPECT_EQ(pane.At(61, 41), BlueRef);
    EXPECT_EQ(pane.At(89, 41), RedRef);
    EXPECT_EQ(pane.At(61, 69), GreenRef);
    EXPECT_EQ(pane.At(89, 69), WhiteRef);
    EXPECT_EQ(pane.At(59, 50), TestBackground);
    EXPECT_EQ(pane.At(91, 50), TestBackground);
    EXPECT_EQ(pane.At(75, 39), TestBackground);
    EXPECT_EQ(pane.At(75, 71), TestBackground);
}

TEST(LoadLogo, ALogoAsLargeAsTheScreenMakesTheScreenOnePixelSmaller) {
    SaverFixture saver(Quadrants(1000, 40), 1000, 700);
    GetClientRect(saver.Window(), &ScreenRect);
    Load(EffectStatic);
    EXPECT_EQ(ScreenRect.right, 999);
    EXPECT_EQ(ScreenRect.bottom, 700);
}

TEST(DrawLogo, FullScreenFitsTheAspectAndTilingCutsTheLastColumn) {
    SaverFixture saver(Quadrants(100, 50), 1000, 1000);
    Load(EffectStatic);
    Canvas screen(1000, 1000, TestBackground);
    RECT covered{};
    DrawLogo(screen.Dc(), DisplayFull, nullptr, &covered);
    EXPECT_EQ(covered.left, 0);
    EXPECT_EQ(covered.top, 250);
    EXPECT_EQ(covered.right, 1000);
    EXPECT_EQ(covered.bottom, 750);
    EXPECT_EQ(screen.At(500, 248), TestBackground);
    EXPECT_EQ(screen.At(250, 254), BlueRef);
    EXPECT_EQ(screen.At(750, 746), WhiteRef);
    EXPECT_EQ(screen.At(500, 752), TestBackground);

    SaverFixture wide(Quadrants(300, 40), 1000, 100);
    Load(EffectStatic);
    Canvas tiles(1000, 100, TestBackground);
    DrawLogo(tiles.Dc(), DisplayTiled, nullptr, &covered);
    EXPECT_EQ(covered.right, 1000);
    EXPECT_EQ(covered.bottom, 100);
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(tiles.At(column * 300, 0), BlueRef) << column;
        EXPECT_EQ(tiles.At(column * 300, 45), BlueRef) << column; // second row
    }
    EXPECT_EQ(tiles.At(299, 0), RedRef);
    EXPECT_EQ(tiles.At(999, 0), BlueRef); // column 99 of the fourth tile
    EXPECT_EQ(tiles.At(999, 39), GreenRef);
}

// A copy per tile of a one-pixel logo took longer than a stop waits for a
// frame; the tiles' pixels stay those of a copy per tile.
TEST(DrawLogo, TinyTilesCoverALargeScreenWithinTheStopTimeOut) {
    const auto colour = [](int x, int y) {
        return 0xFF000000u | (x * 0x50 + 0x10) << 16 | y * 0xC0;
    };
    for (const auto& size : {std::pair<int, int>{1, 1}, {3, 2}}) {
        const int w = size.first, h = size.second;
        SaverFixture saver(MakeBitmap32(w, h, colour), 1920, 1080);
        Load(EffectStatic);
        Canvas screen(1920, 1080, TestBackground);
        const DWORD start = GetTickCount();
        DrawLogo(screen.Dc(), DisplayTiled);
        EXPECT_LT(GetTickCount() - start, StopTimeout);
        for (int y = 0; y < 1080; y += 7)
            for (int x = 0; x < 1920; x += 7) {
                const uint32_t c = colour(x % w, y % h);
                ASSERT_EQ(screen.At(x, y), RGB(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF))
                    << x << ", " << y;
            }
    }
}

TEST(DrawLogo, StretchCoversTheScreenAndPlainDrawsAtTheLogoRectangle) {
    SaverFixture saver(Quadrants(100, 50), 400, 400);
    Load(EffectStatic);
    Canvas screen(400, 400, TestBackground);
    DrawLogo(screen.Dc(), DisplayStretch);
    EXPECT_EQ(screen.At(2, 2), BlueRef);
    EXPECT_EQ(screen.At(397, 397), WhiteRef);

    Canvas plain(400, 400, TestBackground);
    LogoRect.X = -50;
    LogoRect.Y = 380;
    DrawLogoPlain(plain.Dc());
    EXPECT_EQ(plain.At(0, 380), RedRef); // the left half hangs off the edge
    EXPECT_EQ(plain.At(49, 399), RedRef);
    EXPECT_EQ(plain.At(50, 390), TestBackground);
    EXPECT_EQ(plain.At(0, 379), TestBackground);
}

// Opaque blue square in a fully transparent frame, premultiplied.
std::vector<uint8_t> Framed() {
    return MakeBitmap32(20, 20, [](int x, int y) {
        return (x >= 5 && x < 15 && y >= 5 && y < 15) ? Blue : 0x00000000u;
    });
}

TEST(PrepareLogo, OpaqueEffectsGetTheLogoComposedOntoTheBackgroundOnce) {
    SaverFixture saver(Framed(), 300, 300);
    CurrentTrailer.PicHasTrans = 1;
    Load(EffectStandard);
    EXPECT_EQ(DrawTransparent, 0);
    EXPECT_EQ(CurrentSettings->Transparent, 1);
    Canvas screen(300, 300, RGB(255, 255, 0));
    LogoRect.X = LogoRect.Y = 100;
    DrawLogoPlain(screen.Dc());
    EXPECT_EQ(screen.At(101, 101), TestBackground); // the frame shows the background colour
    EXPECT_EQ(screen.At(110, 110), BlueRef);
    EXPECT_EQ(screen.At(99, 99), RGB(255, 255, 0));
}

TEST(PrepareLogo, ManyAlwaysDrawsWithTheLogosTransparency) {
    SaverFixture saver(Framed(), 300, 300);
    CurrentTrailer.PicHasTrans = 1;
    Load(EffectMany);
    EXPECT_EQ(DrawTransparent, 1);
    Canvas screen(300, 300, RGB(255, 255, 0));
    LogoRect.X = LogoRect.Y = 100;
    DrawLogoPlain(screen.Dc());
    EXPECT_EQ(screen.At(101, 101), RGB(255, 255, 0)); // alpha 0 leaves what was there
    EXPECT_EQ(screen.At(110, 110), BlueRef);

    // With a colour key instead of alpha: red is the see-through colour
    // (stored with alpha 0: Wine's TransparentBlt compares the alpha byte).
    SaverFixture keyed(
        MakeBitmap32(20, 20, [](int x, int) { return x < 10 ? Red & 0xFFFFFFu : Green; }), 300,
        300);
    CurrentTrailer.PicHasTrans = 0;
    CurrentTrailer.TransparentColor = static_cast<int32_t>(RGB(255, 0, 0));
    Load(EffectMany);
    Canvas keyedScreen(300, 300, RGB(255, 255, 0));
    LogoRect.X = LogoRect.Y = 0;
    DrawLogoPlain(keyedScreen.Dc());
    EXPECT_EQ(keyedScreen.At(5, 5), RGB(255, 255, 0));
    EXPECT_EQ(keyedScreen.At(15, 5), GreenRef);
}

TEST(PrepareLogo, NoTransparencyWhenNeitherAlphaNorAColourKey) {
    SaverFixture saver(Framed(), 300, 300);
    Load(EffectMany);
    EXPECT_EQ(CurrentSettings->Transparent, 0);
    EXPECT_EQ(DrawTransparent, 0);
}

TEST(TempFiles, TheBitmapTempFileIsGoneRightAfterLoading) {
    SaverFixture saver(Quadrants(40, 30), 300, 300);
    const int before = CountTempFiles("qvr*");
    Load(EffectStatic);
    EXPECT_EQ(LogoRect.NaturalWidth, 40);
    EXPECT_EQ(CountTempFiles("qvr*"), before);
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(TempFiles, ContentKeepsItsNameOrGetsAUniquePrefixOnceAWindow) {
    const std::string movie = "FWS-not-really-a-movie";
    std::vector<uint8_t> block(movie.begin(), movie.end());
    const std::string name = "qvtest-" + std::to_string(GetCurrentProcessId()) + ".swf";
    const std::vector<uint8_t> nameBlock = MakeContentNameBlock(("C:\\logos\\" + name).c_str());
    block.insert(block.end(), nameBlock.begin(), nameBlock.end());

    SaverFixture saver(block, 300, 300);
    CurrentTrailer.DynamicLogo = 1;
    CurrentSettings->ContentFromFile = 1;
    CurrentSettings->ContentWidth = 320;
    CurrentSettings->ContentHeight = 200;
    Load(EffectStatic);
    char folder[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string first = ContentText;
    EXPECT_EQ(first, std::string(folder) + name);
    EXPECT_EQ(ReadText(first), movie); // without the name block
    EXPECT_EQ(LogoRect.NaturalWidth, 320);
    EXPECT_EQ(LogoRect.NaturalHeight, 200);
    // A change of effect shows the same file; the window's end removes it.
    Load(EffectStatic);
    EXPECT_EQ(ContentText, first);
    RemoveContentTemp();
    EXPECT_EQ(GetFileAttributesA(first.c_str()), INVALID_FILE_ATTRIBUTES);

    // The name is taken: qvr, a unique part, "_" and the name.
    WriteFileBytes(first, {1});
    Load(EffectStatic);
    const std::string second = ContentText;
    const std::string base = second.substr(second.find_last_of('\\') + 1);
    EXPECT_EQ(base.rfind("qvr", 0), 0u) << base;
    EXPECT_EQ(base.substr(base.size() - name.size() - 1), "_" + name);
    EXPECT_EQ(ReadText(second), movie);
    DeleteFileA(first.c_str());
}

TEST(TempFiles, AContentNameCannotLeadOutOfTheTemporaryFolder) {
    const std::string name = "qvevil-" + std::to_string(GetCurrentProcessId()) + ".swf";
    std::vector<uint8_t> block{'x'};
    const std::string hostile = "../../" + name;
    block.insert(block.end(), hostile.begin(), hostile.end());
    block.push_back(0);
    const int32_t length = static_cast<int32_t>(hostile.size() + 1);
    for (int i = 0; i < 4; ++i)
        block.push_back(static_cast<uint8_t>(length >> (8 * i)));

    SaverFixture saver(block, 300, 300);
    CurrentTrailer.DynamicLogo = 1;
    CurrentSettings->ContentFromFile = 1;
    Load(EffectStatic);
    char folder[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, folder);
    EXPECT_EQ(ContentText, std::string(folder) + name);
    EXPECT_EQ(ReadText(ContentText), "x");
}

TEST(TempFiles, AContentAddressThatCannotBeCopiedIsDropped) {
    SaverFixture saver(std::vector<uint8_t>(2 << 20, 'x'), 300, 300); // no NUL
    CurrentTrailer.DynamicLogo = 1;
    {
        AllocationLimit limit(1 << 20);
        Load(EffectStatic);
        EXPECT_TRUE(ContentText.empty());
    }
    Load(EffectStatic);
    EXPECT_EQ(ContentText.size(), 2u << 20);
    AllocationLimit limit(1 << 20);
    PublishContentHost(); // the copy for the window thread
    std::lock_guard<CriticalSection> hold(Shared.ContentLock);
    EXPECT_FALSE(Shared.ContentHost);
}

TEST(FitToAspect, UsesTheScreenRectangle) {
    ScreenRect = {0, 0, 1000, 1000};
    const RECT r = FitToAspect(RECT{0, 0, 100, 50});
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 250);
    EXPECT_EQ(r.right, 1000);
    EXPECT_EQ(r.bottom, 750);
}

} // namespace
