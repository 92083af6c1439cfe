// The creator's one crossing to 8-bit text: the saver library and the
// installer compiler read the system code page, and a character that page
// cannot hold must never turn into "?" on the way.
#pragma once

#include <optional>
#include <string>

// `text` in the system code page; nothing when the page cannot hold all of
// it (no character replaced, none fitted to a look-alike).
std::optional<std::string> ToCodePage(const std::wstring& text);
bool CodePageHolds(const std::wstring& text);

// Text of the system code page as wide text; a NUL-ended one may be null.
std::wstring FromCodePage(const std::string& text);
std::wstring FromCodePage(const char* text);

// A path for an 8-bit call: its long form when the code page holds it, else
// its short form. Raises a CreatorError naming it when neither can be had
// (the short form needs the file or folder to exist).
std::string CodePagePath(const std::wstring& path);
