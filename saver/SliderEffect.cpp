// The Slider effect's drawing: an off-screen picture of the logo with a grid
// over it, and a tile buffer that carries one tile pixel by pixel into the
// empty place.
#include "core/Saturate.h"
#include "core/SliderMotion.h"
#include "saver/EffectTable.h"
#include "saver/LogoImage.h"
#include "common/MemoryBitmap.h"
#include "saver/RenderEngine.h"
#include "saver/SaverState.h"
#include "saver/SaverWindowShared.h"

#include <algorithm>

namespace {

struct SliderRun {
    SliderState State;
    HDC ScreenDC = nullptr;
    MemoryBitmap Picture;
    MemoryBitmap Tile; // (TileW + 1) x (TileH + 1)
};
SliderRun Slider;

// A tile with the grid line after it; a hostile logo's tile is INT32_MAX.
int32_t TileSide(int32_t tile) {
    return SaturateToInt32(static_cast<int64_t>(tile) + 1);
}

void DrawGrid(HDC picture, const SliderState& s) {
    const SelectGuard pen(picture, GetStockObject(BLACK_PEN));
    // In 64 bits: a hostile logo gives a grid beyond the int32_t range. Lines
    // past the right and bottom edges show nothing, so the loop ends there.
    const int64_t lines = static_cast<int64_t>(std::max(s.MaxCol, s.MaxRow)) + 1;
    for (int64_t i = 0; i <= lines; ++i) {
        const int64_t x = s.OriginX + i * s.TileW;
        const int64_t y = s.OriginY + i * s.TileH;
        if (x > ScreenWidth() && y > ScreenHeight())
            break;
        MoveToEx(picture, SaturateToInt32(x), 0, nullptr);
        LineTo(picture, SaturateToInt32(x), ScreenHeight());
        MoveToEx(picture, 0, SaturateToInt32(y), nullptr);
        LineTo(picture, ScreenWidth(), SaturateToInt32(y));
    }
}

void Initialise(HDC dc) {
    Slider = SliderRun{};
    Slider.ScreenDC = dc;
    const SliderTile tile = SliderTileSize(CurrentSettings->SliderTileSize, LogoRect.Width,
                                           LogoRect.Height, InPreviewPane);
    if (!Slider.Picture.Create(dc, ScreenWidth(), ScreenHeight()))
        return;
    HDC picture = Slider.Picture.Dc();
    PatBlt(picture, 0, 0, ScreenWidth(), ScreenHeight(), BLACKNESS);
    RECT covered{};
    DrawLogo(picture, CurrentSettings->SliderDisplay, nullptr, &covered);
    Slider.Tile.Create(dc, TileSide(tile.W), TileSide(tile.H));
    Slider.State = SliderStart(tile, covered.left, covered.top, covered.right, covered.bottom);
    DrawGrid(picture, Slider.State);
}

void ShowPicture(HDC dc) {
    if (dc && Slider.Picture)
        BitBlt(dc, 0, 0, ScreenWidth(), ScreenHeight(), Slider.Picture.Dc(), 0, 0, SRCCOPY);
}

void SlideTile(SliderState& s) {
    if (WaitStop(500))
        return;
    const SliderVacated vacated = SliderBeginMove(s, SliderChooseMove(s));
    HDC picture = Slider.Picture.Dc();
    HDC tile = Slider.Tile.Dc();
    const int w = TileSide(s.TileW), h = TileSide(s.TileH);
    BitBlt(tile, 0, 0, w, h, picture, s.CurX, s.CurY, SRCCOPY);
    while (SliderNextStep(s)) {
        BitBlt(Slider.ScreenDC, s.CurX, s.CurY, w, h, tile, 0, 0, SRCCOPY);
        if (WaitStop(s.Delay))
            break;
    }
    BitBlt(picture, s.CurX, s.CurY, w, h, tile, 0, 0, SRCCOPY);
    const RECT left{vacated.Left, vacated.Top, vacated.Right, vacated.Bottom};
    FillRect(picture, &left, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

} // namespace

void DrawSlider(HDC dc, EffectOp op) {
    switch (op) {
    case OpInitialise:
        Initialise(dc);
        break;
    case OpFrame:
        ShowPicture(dc);
        if (Slider.Picture && Slider.Tile)
            SlideTile(Slider.State);
        break;
    case OpCleanUp:
        Slider = SliderRun{};
        break;
    case OpRepaint:
        ShowPicture(dc);
        break;
    default:
        break;
    }
}
