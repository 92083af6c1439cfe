// A settings page without a window, for the tests and the fuzz target of
// the pages: the controls with ids of each page, as the dialog resources
// have them, each keeping what it is given.
#pragma once

#include "core/EffectInfo.h"
#include "core/SettingsPages.h"
#include "resources/SettingsIds.h"

#include <map>
#include <set>
#include <string>
#include <vector>

struct FakeControl {
    bool checked = false;
    bool enabled = true;
    uint32_t number = 0;
    int32_t min = 0, max = 0, tick = 0, pos = 0;
    std::vector<PageControls::ListItem> items;
    int selected = -1;
    bool track = false; // set as a trackbar
};

// The controls with ids of each page, as the dialog resources have them.
inline std::set<int> IdsOf(int32_t page) {
    const std::set<int> effect = {IDC_ENABLED, IDC_HIDE, IDC_PREVIEW};
    auto with = [&](std::set<int> more) {
        more.insert(effect.begin(), effect.end());
        return more;
    };
    switch (page) {
    case PageGeneral:
        return {IDC_HIDE,          IDC_CHANGE,      IDC_MINUTES,       IDC_MINUTES_SPIN,
                IDC_MINUTES_LABEL, IDC_IGNORE_KEYS, IDC_IGNORE_CLICKS, IDC_IGNORE_MOVES};
    case EffectStatic:
        return with({IDC_DISPLAY});
    case EffectStandard:
        return with({IDC_DELAY, IDC_FADE});
    case EffectBounce:
        return with({IDC_SPEED, IDC_GRAVITY, IDC_BOUNCE_SIDES, IDC_TRAIL});
    case EffectMany:
        return with({IDC_DELAY});
    case EffectDrip:
        return with({IDC_SPEED, IDC_DISPLAY});
    case EffectFalling:
        return with({IDC_SPEED, IDC_COUNT, IDC_COUNT_SPIN, IDC_DIRECTION, IDC_FADE});
    case EffectSlider:
        return with({IDC_DISPLAY, IDC_TILE_SMALL, IDC_TILE_MEDIUM, IDC_TILE_LARGE, IDC_TILE_LOGO});
    default:
        return {};
    }
}

class FakePage final : public PageControls {
  public:
    explicit FakePage(int32_t page) {
        for (int id : IdsOf(page))
            c[id];
        // Labels without ids take part in EnableOthers too.
        c[-1];
    }
    bool Exists(int id) const override { return c.count(id) != 0; }
    bool Checked(int id) const override { return Exists(id) && c.at(id).checked; }
    void SetChecked(int id, bool on) override {
        if (Exists(id))
            c[id].checked = on;
    }
    void Enable(int id, bool on) override {
        if (Exists(id))
            c[id].enabled = on;
    }
    void EnableOthers(bool on) override {
        for (auto& [id, control] : c)
            if (id != IDC_ENABLED && id != IDC_HIDE)
                control.enabled = on;
    }
    void SetUnsigned(int id, uint32_t value) override {
        if (Exists(id))
            c[id].number = value;
    }
    uint32_t GetUnsigned(int id) const override { return Exists(id) ? c.at(id).number : 0; }
    void SetUpDown(int id, int32_t min, int32_t max) override {
        if (Exists(id)) {
            c[id].min = min;
            c[id].max = max;
        }
    }
    void SetUpDownPos(int id, int32_t pos) override {
        if (Exists(id))
            c[id].pos = pos;
    }
    int32_t UpDownPos(int id) const override { return Exists(id) ? c.at(id).pos : 0; }
    void SetTrackbar(int id, int32_t min, int32_t max, int32_t tick, int32_t pos) override {
        if (Exists(id))
            c[id] = FakeControl{false, c[id].enabled, 0, min, max, tick, pos, {}, -1, true};
    }
    int32_t TrackbarPos(int id) const override { return Exists(id) ? c.at(id).pos : 0; }
    void FillList(int id, const std::vector<ListItem>& items) override {
        if (Exists(id)) {
            c[id].items = items;
            c[id].selected = -1;
        }
    }
    void SelectData(int id, int32_t data) override {
        if (!Exists(id))
            return;
        FakeControl& list = c[id];
        list.selected = -1;
        for (std::size_t i = 0; i < list.items.size(); ++i)
            if (list.items[i].Data == data) {
                list.selected = static_cast<int>(i);
                break;
            }
    }
    std::optional<int32_t> SelectedData(int id) const override {
        if (!Exists(id) || c.at(id).selected < 0)
            return std::nullopt;
        return c.at(id).items[c.at(id).selected].Data;
    }
    std::string SelectedText(int id) const {
        const FakeControl& list = c.at(id);
        return list.selected < 0 ? "" : list.items[list.selected].Text;
    }

    std::map<int, FakeControl> c;
};
