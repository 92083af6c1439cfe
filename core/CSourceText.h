// Reading the C source that X11 bitmaps and pixmaps are written as: words,
// numbers, strings and punctuation between blanks and comments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

class CSourceText {
  public:
    CSourceText(const uint8_t* data, std::size_t size, std::size_t at = 0)
        : data_(data), size_(size), at_(at) {}
    std::size_t At() const { return at_; }
    bool AtEnd() { return SkipSpace(), at_ >= size_; }

    // Blanks, /* */ and // comments; false when a comment does not end.
    bool SkipSpace();
    // The next character, when it is `c`.
    bool Take(char c);
    // A name (letters, digits, '_').
    std::string_view Word();
    // A decimal or 0x hexadecimal number up to `limit`.
    std::optional<uint32_t> Number(uint32_t limit);
    // A string literal's contents (no escapes but \" and \\ kept as they are).
    std::optional<std::string_view> String();
    // Moves on to just after the next `c` outside comments; false when
    // there is none.
    bool SkipPast(char c);
    // Moves on to the start of the next line; false at the end.
    bool SkipLine();

  private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t at_;
};
