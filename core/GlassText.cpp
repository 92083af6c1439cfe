#include "core/GlassText.h"

#include "core/CreatorMath.h"
#include "core/CreatorText.h"

std::wstring PadGlassText(const std::wstring& text) {
    return L" " + ReplaceAll(text, L"\r\n", L"\r\n ") + L" ";
}

uint32_t GlassTextFormat(bool hasLabel, bool wordWrap, const std::wstring& text,
                         uint32_t extraFlags) {
    const bool lineBreak = text.find(L"\r\n") != std::wstring::npos;
    const uint32_t singleLine = 0x20;
    return (((hasLabel && wordWrap) || lineBreak) ? 0 : singleLine) | extraFlags;
}

GlassRect GlassTextRect(GlassRect r) {
    r.left -= 10, r.top -= 10, r.right += 10, r.bottom += 10;
    r.left += 7, r.top += 7, r.right += 7, r.bottom += 7;
    r.right = RoundHalfEven(r.right * 1.5);
    return r;
}
