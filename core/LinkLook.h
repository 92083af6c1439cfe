// How the creator's hyperlink reads the user's browser settings: the colour
// texts and the underline words. Its own rules (the saver's link has others,
// in LinkStyle.h). COLORREF values (0x00BBGGRR).
#pragma once

#include <cstdint>
#include <string_view>

// "r,g,b": exactly three parts, each a number of at most three characters
// once trimmed, clamped to 0..255 and rounded half to even; anything else
// yields the fallback.
uint32_t LinkColourOf(std::wstring_view text, uint32_t fallback);

struct LinkUnderlines {
    bool Normal = true;
    bool Hover = true;
};

// "Anchor Underline", trimmed and without case: "no", "never", "0" none;
// "always", "yes", "1" both; "hover" only while hovered; any other word
// leaves `current` as it is.
LinkUnderlines LinkUnderlinesOf(std::wstring_view text, LinkUnderlines current);

// "Use Anchor Hover Color" is on only for "yes" in any case.
bool LinkHoverColourOn(std::wstring_view text);
