// How the About page's web link looks and where it goes, from the texts the
// user's browser settings hold. COLORREF values (0x00BBGGRR).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// "r,g,b": parts are taken as 255, 0, 0 to begin with; a part is converted
// (its leading decimal number) only when a comma follows it, and the third
// part is the rest of the text. Each number keeps its low byte, as RGB()
// does.
uint32_t ParseAnchorColor(std::string_view text);

enum LinkUnderline : int32_t {
    UnderlineNever = 0,
    UnderlineHover = 1,
    UnderlineAlways = 2,
};

// "Anchor Underline": its first five characters against "no" and "hover",
// without case; anything else, or no value, underlines always.
LinkUnderline ParseUnderlineMode(std::optional<std::string_view> text);

// "Use Anchor Hover Color" is on only for "yes" in any case.
bool IsYes(std::string_view text);

// The text the link shows for a web address: empty when the address is
// empty or only blanks.
std::string LinkText(std::string_view webAddress);

// What opening the link opens: its text (at most 74 characters), with
// "http://" put in front unless it starts with "http://" or "https://" (in
// any case).
std::string LinkTarget(std::string_view text);
