// Any bytes as the record a settings sheet shows: every page fills its
// controls from it, applies its enable rules and writes it back. Nothing may
// overflow, a trackbar is never given a position outside its range (a real
// one would show another value), and what a page writes must show and write
// back unchanged (a page that shows one value and stores another loses the
// user's choice). The first byte sets the "&Enabled" boxes and whether pages
// follow them.
#include "tests/core/FakePage.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

SaverSettings ShowAndWrite(int32_t pageId, const SaverSettings& s, uint8_t options) {
    FakePage page(pageId);
    page.SetChecked(IDC_ENABLED, (options & 1) != 0);
    FillPage(page, pageId, s);
    for (const auto& [id, control] : page.c)
        if (control.track && (control.pos < control.min || control.pos > control.max))
            std::abort();
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
