// Any bytes as a whole screensaver file, read as the saver reads it: the
// tail and record, the logo's bitmap check, the normaliser, and then every
// calculation the effects and the logo placement make from the record's
// values, on a full screen and on a preview pane. Nothing may overflow, divide by zero or read
// outside the data, whatever the record holds.
#include "core/BitmapFile.h"
#include "core/BounceMotion.h"
#include "core/DripMotion.h"
#include "core/EffectChoice.h"
#include "core/EffectInfo.h"
#include "core/FallingMotion.h"
#include "core/LogoGeometry.h"
#include "core/Random.h"
#include "core/SaverTail.h"
#include "core/SliderMotion.h"
#include "core/StandardMotion.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct Screen {
    int32_t Width, Height;
};
constexpr Screen Screens[] = {{1920, 1080}, {152, 112}};

void Place(const SaverSettings& s, Screen screen) {
    const int32_t w = s.ContentWidth, h = s.ContentHeight;
    const int32_t sw = ReducedScreenSide(w, screen.Width);
    const int32_t sh = ReducedScreenSide(h, screen.Height);
    (void)FitToAspect(w, h, sw, sh);
    (void)CentreBox(w, h, sw, sh);
    (void)TileCount(w, sw);
    (void)TileCount(h, sh);
    (void)TileDoubling(w, h, sw, sh);
    (void)PreviewLogoSize({w, h}, {152, 112}, {1920, 1080});
    for (int32_t dyn : {s.DynSize, 0, 1, 2, 3})
        (void)ContentPlacement(dyn, 0, 0, w, h, w, h, sw, sh);
}

void Animate(const SaverSettings& s, Screen screen) {
    const int32_t w = s.ContentWidth, h = s.ContentHeight;
    const BounceSettings bounce{s.BounceSpeed, s.BounceGravity, s.BounceWrap};
    const BounceArea area{w, h, screen.Width, screen.Height};
    BounceState b = BounceStart(bounce, area);
    for (int i = 0; i < 4; ++i) {
        BounceStep(b, bounce, area);
        (void)BounceUnion(b.PosX, b.PosY, b.PrevX, b.PrevY, area);
        b.PrevX = b.PosX;
        b.PrevY = b.PosY;
    }

    const FallingArea falling{w, h, screen.Width, screen.Height};
    const FallingVelocity v =
        FallingVelocityOf(FallingPickDirection(s.FallingDirection), s.FallingSpeed);
    const int used = FallingUsed(s.FallingCount);
    for (int i = 0; i < used && i < 3; ++i) {
        FallingLogo logo;
        FallingRenew(logo, i == 0, s.FallingScaled != 0, v, falling);
        FallingMove(logo, v);
        (void)FallingKeep(logo, falling);
        (void)FallingAlpha(logo.Depth, s.FallingFade != 0);
    }

    for (int i = 0; i < 2; ++i) {
        (void)StandardPosition(screen.Width, screen.Height, w, h);
        (void)ManyPosition(screen.Width, screen.Height, w, h);
    }

    DripState drip;
    DripStart(drip, screen.Width);
    const LogoBox centred = CentreBox(w, h, screen.Width, screen.Height);
    drip.Rect = {centred.Left, centred.Top, centred.Right, centred.Bottom};
    for (int i = 0; i < 3; ++i)
        (void)DripBurst(drip);

    const bool preview = screen.Width < 1920;
    const SliderTile tile = SliderTileSize(s.SliderTileSize, w, h, preview);
    const LogoBox box = FitToAspect(w, h, screen.Width, screen.Height);
    SliderState slider = SliderStart(tile, box.Left, box.Top, box.Right, box.Bottom);
    for (int i = 0; i < 3; ++i) {
        const SliderMove move = SliderChooseMove(slider);
        if (move == SliderNone)
            break;
        SliderBeginMove(slider, move);
        for (int step = 0; step < 4 && SliderNextStep(slider); ++step) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    // Each input alone decides what runs, so any finding replays from its file.
    SeedRand(1);
    ByteTailSource source(data, size);
    SaverTrailer trailer{};
    std::vector<uint8_t> logo;
    const ReadResult result = ReadSaverTail(source, trailer, logo, 1);
    if (result == ReadOlder || result == ReadNewer)
        return 0; // the saver refuses these records
    if (!logo.empty()) {
        (void)FindContentName(logo.data(), logo.size());
        // The saver's check before a bitmap logo reaches the platform's
        // loader: what it passes must lie within the block.
        const auto layout = ReadBitmapLayout(logo.data(), logo.size());
        if (layout && layout->PixelOffset + layout->PixelBytes > logo.size())
            std::abort();
    }
    // The registry's settings are normalised like the file's.
    SaverSettings& s = trailer.Settings;
    NormaliseSettings(s);
    for (int row = 0; row < EffectCount; ++row)
        (void)FrameInterval(s, EffectInfoTable[row].Mask, false);
    (void)FrameInterval(s, -1, true);
    (void)PickEffectRow(s.EnabledMask, -1);
    for (Screen screen : Screens) {
        Place(s, screen);
        Animate(s, screen);
    }
    return 0;
}
