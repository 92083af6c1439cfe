#include "core/CommandLinkRules.h"

#include "core/CreatorMath.h"

LinkCaption ParseLinkCaption(const std::wstring& caption) {
    LinkCaption result;
    if (!caption.empty() && caption[0] == L'!') {
        result.Picture = true;
        result.PictureName = caption.substr(1);
        result.HasTexts = true; // both texts empty
        return result;
    }
    const size_t bar = caption.find(L'|');
    if (bar == std::wstring::npos)
        return result;
    result.HasTexts = true;
    result.Title = caption.substr(0, bar);
    const size_t next = caption.find(L'|', bar + 1);
    result.Desc =
        caption.substr(bar + 1, next == std::wstring::npos ? std::wstring::npos : next - bar - 1);
    return result;
}

int32_t DrawnLinkState(int32_t state, bool enabled, bool alwaysHot) {
    if (!enabled)
        return LinkDisabled;
    return state == LinkNormal && alwaysHot ? LinkHot : state;
}

int32_t LinkAnimationMs(int32_t newState) {
    if (newState == LinkNormal)
        return 500;
    return newState == LinkPressed ? 50 : 100;
}

int32_t LinkPicturePlace(int32_t extent, bool pressed) {
    return RoundHalfEven((extent - 16) / 2.0) - (pressed ? 0 : 1);
}

bool InsideLink(int32_t x, int32_t y, int32_t width, int32_t height) {
    return x >= 0 && y >= 0 && x <= width && y <= height;
}
