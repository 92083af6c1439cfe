// The creator's text helpers: joining, cleaning, placeholders, bit strings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Every occurrence of `from` in `text` replaced by `to`, left to right.
std::wstring ReplaceAll(const std::wstring& text, const std::wstring& from, const std::wstring& to);

// Joins two texts (outer spaces trimmed) with a one-character separator that
// is never doubled: CatStr(L"C:\\Dir\\", L"\\File", L"\\") is C:\Dir\File.
std::wstring CatStr(const std::wstring& a, const std::wstring& b, const std::wstring& sep);

// The text up to, not including, its first NUL.
std::wstring ChopNull(const std::wstring& s);

// A text safe as a file name: letters, digits and "-_.=+[]@{})(^ " kept, every
// other character "_"; a NUL ends the work and is kept with what follows.
std::wstring FileChars(const std::wstring& s);

bool StartsWith(const std::wstring& s, const std::wstring& prefix);
bool EndsWith(const std::wstring& s, const std::wstring& suffix);

// Expands "\n", "<App>", "<Version>", "<AppVer>" and "<AppName>".
std::wstring AdjustCaption(const std::wstring& text, const std::wstring& appVersionText);

// The leading decimal number of a text (blanks skipped, optional sign,
// fraction and exponent); 0 when it has none.
double LeadingNumber(const std::wstring& text);

// Bit strings of the Flash header reader; errors as the creator raises them
// (13 for a character that is not a digit, 9 for an index outside the bytes).
double BinToNum(const std::wstring& bits);
std::wstring SplitLeft(std::wstring& s, int32_t n);
std::wstring ByteToBits(uint8_t byte);
std::wstring BytesToBits(const uint8_t* bytes, std::size_t size, int32_t count, int32_t start);
