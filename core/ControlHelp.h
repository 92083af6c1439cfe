// The creator's help-text rule for controls: a Tag that begins with "?"
// holds the control's help text (the rest of the Tag), with a "." added when
// it ends in a letter, a character whose upper and lower case differ.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The help text of a Tag, or nothing when the Tag holds none.
std::optional<std::wstring> HelpTextOfTag(std::wstring_view tag);
// A UTF-16 unit with distinct upper and lower case (Latin, Greek, Cyrillic,
// Armenian, Georgian, Latin extended, full-width Latin).
bool IsCasedLetter(wchar_t c);
