// Any bytes as the record a settings sheet shows: every page fills its
// controls from it, applies its enable rules and writes it back. Nothing may
// overflow, and what a page writes must show and write back unchanged (a
// page that shows one value and stores another loses the user's choice).
// The first byte sets the "&Enabled" boxes and whether pages follow them.
#include "core/EffectInfo.h"
#include "core/SettingsPages.h"
#include "resources/SettingsIds.h"

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

// A page that has every control, each keeping what it is given.
class Page final : public PageControls {
  public:
    explicit Page(bool enabled) { controls_[IDC_ENABLED].Checked = enabled; }
    bool Exists(int) const override { return true; }
    bool Checked(int id) const override { return Get(id).Checked; }
    void SetChecked(int id, bool on) override { controls_[id].Checked = on; }
    void Enable(int id, bool on) override { controls_[id].Enabled = on; }
    void EnableOthers(bool on) override {
        for (auto& [id, control] : controls_)
            control.Enabled = on;
    }
    void SetUnsigned(int id, uint32_t value) override { controls_[id].Number = value; }
    uint32_t GetUnsigned(int id) const override { return Get(id).Number; }
    void SetUpDown(int id, int32_t min, int32_t max) override {
        controls_[id].Min = min;
        controls_[id].Max = max;
    }
    void SetUpDownPos(int id, int32_t pos) override { controls_[id].Pos = pos; }
    int32_t UpDownPos(int id) const override { return Get(id).Pos; }
    void SetTrackbar(int id, int32_t min, int32_t max, int32_t, int32_t pos) override {
        if (pos < min || pos > max)
            std::abort(); // a real trackbar would show another value
        SetUpDown(id, min, max);
        controls_[id].Pos = pos;
    }
    int32_t TrackbarPos(int id) const override { return Get(id).Pos; }
    void FillList(int id, const std::vector<ListItem>& items) override {
        controls_[id].Items = items;
        controls_[id].Selected = -1;
    }
    void SelectData(int id, int32_t data) override {
        Control& list = controls_[id];
        list.Selected = -1;
        for (std::size_t i = 0; i < list.Items.size() && list.Selected < 0; ++i)
            if (list.Items[i].Data == data)
                list.Selected = static_cast<int>(i);
    }
    std::optional<int32_t> SelectedData(int id) const override {
        const Control& list = Get(id);
        if (list.Selected < 0)
            return std::nullopt;
        return list.Items[static_cast<std::size_t>(list.Selected)].Data;
    }

  private:
    struct Control {
        bool Checked = false, Enabled = true;
        uint32_t Number = 0;
        int32_t Min = 0, Max = 0, Pos = 0;
        std::vector<ListItem> Items;
        int Selected = -1;
    };
    const Control& Get(int id) const {
        static const Control none;
        const auto found = controls_.find(id);
        return found == controls_.end() ? none : found->second;
    }
    std::map<int, Control> controls_;
};

SaverSettings ShowAndWrite(int32_t pageId, const SaverSettings& s, uint8_t options) {
    Page page((options & 1) != 0);
    FillPage(page, pageId, s);
    UpdatePage(page, pageId, (options & 2) != 0);
    SaverSettings written = s;
    WritePage(page, pageId, written);
    return written;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const uint8_t options = data[0];
    SaverSettings s{};
    std::memcpy(&s, data + 1, std::min(size - 1, sizeof s));
    std::vector<int32_t> pages = {PageGeneral, PageAbout};
    for (int row = 0; row < EffectCount; ++row)
        pages.push_back(EffectInfoTable[row].Mask);
    for (int32_t pageId : pages) {
        const SaverSettings once = ShowAndWrite(pageId, s, options);
        const SaverSettings twice = ShowAndWrite(pageId, once, options);
        if (std::memcmp(&once, &twice, sizeof once) != 0)
            std::abort();
    }
    return 0;
}
