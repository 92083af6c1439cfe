#include "wizard/frame/Fonts.h"

#include "wizard/frame/Errors.h"
#include "wizard/frame/Twips.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

bool FontDesc::operator<(const FontDesc& o) const {
    return std::tie(Name, Size, Weight, Bold, Italic, Underline, Strikethrough, Charset) <
           std::tie(o.Name, o.Size, o.Weight, o.Bold, o.Italic, o.Underline, o.Strikethrough,
                    o.Charset);
}

namespace {

std::map<FontDesc, std::weak_ptr<std::remove_pointer_t<HFONT>>>& Cache() {
    static std::map<FontDesc, std::weak_ptr<std::remove_pointer_t<HFONT>>> cache;
    return cache;
}

} // namespace

SharedFont FontFor(const FontDesc& font) {
    auto& cache = Cache();
    std::erase_if(cache, [](const auto& entry) { return entry.second.expired(); });
    if (auto found = cache.find(font); found != cache.end())
        if (SharedFont alive = found->second.lock())
            return alive;
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(font.Size * ScreenDpiY() / 72.0));
    lf.lfWeight = font.Bold ? std::max(font.Weight, int{FW_BOLD}) : font.Weight;
    lf.lfItalic = font.Italic;
    lf.lfUnderline = font.Underline;
    lf.lfStrikeOut = font.Strikethrough;
    lf.lfCharSet = font.Charset;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, font.Name.c_str(), LF_FACESIZE);
    const HFONT made = CreateFontIndirectW(&lf);
    if (!made)
        RaiseLastError();
    SharedFont shared(made, [](HFONT f) { DeleteObject(f); });
    cache[font] = shared;
    return shared;
}

size_t CachedFontCount() {
    auto& cache = Cache();
    std::erase_if(cache, [](const auto& entry) { return entry.second.expired(); });
    return cache.size();
}
