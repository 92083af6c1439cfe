// The Slider effect's drawing: an off-screen picture of the logo with a grid
// over it, and a tile buffer that carries one tile pixel by pixel into the
// empty place.
#include "core/SliderMotion.h"
#include "saver/EffectTable.h"
#include "saver/LogoImage.h"
#include "common/MemoryBitmap.h"
#include "saver/RenderEngine.h"
#include "saver/SaverState.h"
#include "saver/SaverWindow.h"

#include <algorithm>

namespace {

struct SliderRun {
    SliderState State;
    HDC ScreenDC = nullptr;
    MemoryBitmap Picture;
    MemoryBitmap Tile; // (TileW + 1) x (TileH + 1)
};
SliderRun Slider;

void DrawGrid(HDC picture, const SliderState& s) {
    const SelectGuard pen(picture, GetStockObject(BLACK_PEN));
    const int32_t lines = std::max(s.MaxCol, s.MaxRow) + 1;
    for (int32_t i = 0; i <= lines; ++i) {
        const int32_t x = s.OriginX + i * s.TileW;
        MoveToEx(picture, x, 0, nullptr);
        LineTo(picture, x, ScreenHeight());
        const int32_t y = s.OriginY + i * s.TileH;
        MoveToEx(picture, 0, y, nullptr);
        LineTo(picture, ScreenWidth(), y);
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
    Slider.Tile.Create(dc, tile.W + 1, tile.H + 1);
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
    const int w = s.TileW + 1, h = s.TileH + 1;
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
