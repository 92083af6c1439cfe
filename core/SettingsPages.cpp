#include "core/SettingsPages.h"

#include "core/EffectInfo.h"
#include "resources/SettingsIds.h"

#include <algorithm>

namespace {

const std::vector<PageControls::ListItem> DisplayItems = {
    {"Normal size", DisplayNormal},
    {"Full screen", DisplayFull},
    {"Stretch to fit the screen", DisplayStretch},
    {"Tiled over the screen", DisplayTiled},
};

const std::vector<PageControls::ListItem> DirectionItems = {
    {"Up", 1},          {"Down", 2},     {"Left", 4}, {"Right", 8},
    {"Horizontal", 12}, {"Vertical", 3}, {"Any", 15},
};

constexpr int TileRadios[] = {IDC_TILE_SMALL, IDC_TILE_MEDIUM, IDC_TILE_LARGE, IDC_TILE_LOGO};

// Trackbars show values outside their range at the nearest end (worked out
// in 64 bits: a position computed from a hostile record may not fit 32).
void SetTrack(PageControls& page, int id, int32_t min, int32_t max, int32_t tick, int64_t pos) {
    page.SetTrackbar(id, min, max, tick, static_cast<int32_t>(std::clamp<int64_t>(pos, min, max)));
}

void FillDisplay(PageControls& page, int32_t value) {
    page.FillList(IDC_DISPLAY, DisplayItems);
    page.SelectData(IDC_DISPLAY, value);
}

int32_t ReadDisplay(const PageControls& page) {
    return page.SelectedData(IDC_DISPLAY).value_or(DisplayNormal);
}

bool IsEffectPage(int32_t pageId) {
    return pageId != PageGeneral && FindEffect(pageId) >= 0;
}

} // namespace

void FillPage(PageControls& page, int32_t pageId, const SaverSettings& s) {
    switch (pageId) {
    case PageGeneral:
        page.SetChecked(IDC_CHANGE, s.ChangeMode != 0);
        page.SetUpDown(IDC_MINUTES_SPIN, 1, 60);
        page.SetUnsigned(IDC_MINUTES, static_cast<uint32_t>(s.ChangeMinutes));
        page.SetChecked(IDC_IGNORE_KEYS, (s.IgnoreInput & 1) != 0);
        page.SetChecked(IDC_IGNORE_CLICKS, (s.IgnoreInput & 2) != 0);
        page.SetChecked(IDC_IGNORE_MOVES, (s.IgnoreInput & 4) != 0);
        break;
    case EffectStatic:
        FillDisplay(page, s.StaticDisplay);
        break;
    case EffectStandard:
        SetTrack(page, IDC_DELAY, 1, 15, 0, s.StandardDelay / 1000);
        page.SetChecked(IDC_FADE, s.StandardFade != 0);
        break;
    case EffectBounce:
        SetTrack(page, IDC_SPEED, 1, 10, 0, s.BounceSpeed);
        page.SetChecked(IDC_GRAVITY, s.BounceGravity != 0);
        page.SetChecked(IDC_BOUNCE_SIDES, s.BounceGravity != 0 && s.BounceWrap == 0);
        page.SetChecked(IDC_TRAIL, s.BounceTrail != 0);
        break;
    case EffectMany:
        SetTrack(page, IDC_DELAY, 1, 26, 5, s.ManyDelay / 100);
        break;
    case EffectDrip:
        // The slider runs from slow to fast: its position is 1000 - interval.
        SetTrack(page, IDC_SPEED, 10, 1000, 100, 1000 - int64_t{s.DripInterval});
        FillDisplay(page, s.DripDisplay);
        break;
    case EffectFalling:
        SetTrack(page, IDC_SPEED, 1, 25, 4, s.FallingSpeed);
        page.SetUpDown(IDC_COUNT_SPIN, 1, 50);
        page.SetUpDownPos(IDC_COUNT_SPIN, std::clamp(s.FallingCount, 1, 50));
        page.FillList(IDC_DIRECTION, DirectionItems);
        page.SelectData(IDC_DIRECTION, s.FallingDirection);
        page.SetChecked(IDC_FADE, s.FallingFade != 0);
        break;
    case EffectSlider: {
        FillDisplay(page, s.SliderDisplay);
        const bool known = std::find(std::begin(TileRadios), std::end(TileRadios),
                                     s.SliderTileSize) != std::end(TileRadios);
        const int32_t chosen = known ? s.SliderTileSize : IDC_TILE_MEDIUM;
        for (int id : TileRadios)
            page.SetChecked(id, id == chosen);
        break;
    }
    default:
        break;
    }
}

void WritePage(const PageControls& page, int32_t pageId, SaverSettings& s) {
    if (IsEffectPage(pageId)) {
        if (page.Checked(IDC_ENABLED))
            s.EnabledMask |= pageId;
        else
            s.EnabledMask &= ~pageId;
    }
    switch (pageId) {
    case PageGeneral:
        s.ChangeMode = page.Checked(IDC_CHANGE);
        s.ChangeMinutes = static_cast<int32_t>(page.GetUnsigned(IDC_MINUTES));
        s.IgnoreInput = (page.Checked(IDC_IGNORE_KEYS) ? 1 : 0) |
                        (page.Checked(IDC_IGNORE_CLICKS) ? 2 : 0) |
                        (page.Checked(IDC_IGNORE_MOVES) ? 4 : 0);
        break;
    case EffectStatic:
        s.StaticDisplay = ReadDisplay(page);
        break;
    case EffectStandard:
        s.StandardDelay = page.TrackbarPos(IDC_DELAY) * 1000;
        s.StandardFade = page.Checked(IDC_FADE);
        break;
    case EffectBounce: {
        const bool gravity = page.Checked(IDC_GRAVITY);
        s.BounceSpeed = page.TrackbarPos(IDC_SPEED);
        s.BounceGravity = gravity;
        s.BounceWrap = gravity && page.Checked(IDC_BOUNCE_SIDES) ? 0 : 1;
        s.BounceTrail = page.Checked(IDC_TRAIL);
        break;
    }
    case EffectMany:
        s.ManyDelay = page.TrackbarPos(IDC_DELAY) * 100;
        break;
    case EffectDrip:
        s.DripInterval = 1000 - page.TrackbarPos(IDC_SPEED);
        s.DripDisplay = ReadDisplay(page);
        break;
    case EffectFalling:
        s.FallingSpeed = page.TrackbarPos(IDC_SPEED);
        s.FallingCount = page.UpDownPos(IDC_COUNT_SPIN);
        if (const auto direction = page.SelectedData(IDC_DIRECTION))
            s.FallingDirection = *direction;
        s.FallingFade = page.Checked(IDC_FADE);
        break;
    case EffectSlider:
        s.SliderDisplay = ReadDisplay(page);
        for (int id : TileRadios)
            if (page.Checked(id)) {
                s.SliderTileSize = id;
                break;
            }
        break;
    default:
        break;
    }
}

void UpdatePage(PageControls& page, int32_t pageId, bool followEnabledBox) {
    if (followEnabledBox && page.Exists(IDC_ENABLED)) {
        const bool on = page.Checked(IDC_ENABLED);
        page.EnableOthers(on);
        if (!on)
            return;
    }
    switch (pageId) {
    case PageGeneral: {
        const bool change = page.Checked(IDC_CHANGE);
        for (int id : {IDC_MINUTES, IDC_MINUTES_SPIN, IDC_MINUTES_LABEL})
            page.Enable(id, change);
        // The saver must leave the user some way to end it.
        if (page.Checked(IDC_IGNORE_KEYS) && page.Checked(IDC_IGNORE_CLICKS) &&
            page.Checked(IDC_IGNORE_MOVES))
            page.SetChecked(IDC_IGNORE_KEYS, false);
        break;
    }
    case EffectBounce:
        page.Enable(IDC_BOUNCE_SIDES, page.Checked(IDC_GRAVITY));
        break;
    case EffectSlider: {
        const bool tiled = page.SelectedData(IDC_DISPLAY) == DisplayTiled;
        page.Enable(IDC_TILE_LOGO, tiled);
        if (!tiled && page.Checked(IDC_TILE_LOGO)) {
            page.SetChecked(IDC_TILE_LOGO, false);
            page.SetChecked(IDC_TILE_MEDIUM, true);
        }
        break;
    }
    default:
        break;
    }
}

namespace {
// General unless hidden, then (without content) every effect page not
// hidden, in table order; the page of `startMask` becomes the start page.
void AddShownPages(SheetLayout& sheet, const SaverSettings& s, bool contentMode,
                   int32_t startMask) {
    if (!(s.HiddenMask & PageGeneral))
        sheet.Pages.push_back({PageGeneral, IDD_GENERAL, "General"});
    if (!contentMode)
        for (int i = 0; EffectInfoTable[i].Name; ++i) {
            const EffectInfo& e = EffectInfoTable[i];
            if (s.HiddenMask & e.Mask)
                continue;
            if (e.Mask == startMask)
                sheet.StartPage = static_cast<int>(sheet.Pages.size());
            sheet.Pages.push_back({e.Mask, e.PageDialog, e.Name});
        }
}
} // namespace

SheetLayout ScreensaverSheet(const SaverSettings& s, bool contentMode, int32_t startMask) {
    SheetLayout sheet;
    AddShownPages(sheet, s, contentMode, startMask);
    sheet.Pages.push_back({PageAbout, IDD_ABOUT, "About"});
    return sheet;
}

SheetLayout LibrarySheet(const SaverSettings& s, bool contentMode, int32_t page) {
    SheetLayout sheet;
    const int asked = page == PageGeneral ? -1 : FindEffect(page);
    if (asked >= 0 && (s.HiddenMask & page)) {
        const EffectInfo& e = EffectInfoTable[asked];
        sheet.Pages.push_back({e.Mask, e.PageDialog, e.Name});
        return sheet;
    }
    AddShownPages(sheet, s, contentMode, page);
    return sheet;
}
