// The screensaver's description: string 1 of the program, "!desc!" and 54
// blanks in UTF-16, which Windows shows in its list of screensavers. The
// writer finds it by a byte search near the end of the program and
// overwrites its first 50 units with the saver's name.
#pragma once

#include "core/SaverRecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The part of the program searched: its last 5000 bytes.
constexpr std::size_t DescriptionWindow = 5000;
// The units overwritten; the last 10 of the 60 stay blanks.
constexpr std::size_t DescriptionUnits = 50;
// Bytes of the name that are decoded (UTF-8) into those units.
constexpr std::size_t DescriptionSourceBytes = 60;

using DescriptionText = std::array<char16_t, DescriptionUnits>;

// The name's bytes (up to its NUL, at most the field) followed by blanks, 60
// bytes: what is decoded into the description.
std::string DescriptionSource(const char (&saverName)[TextFieldSize]);

// The first 50 units of a decoding of DescriptionSource into a zero-filled
// buffer: units past the decoded text are NUL.
DescriptionText MakeDescriptionText(const std::u16string& decoded);

// Offset of the first "!desc!" (low bytes of its UTF-16 units compared) at
// which all 100 bytes of the patch fit inside the data, or nothing.
std::optional<std::size_t> FindDescription(const uint8_t* data, std::size_t size);

// Writes the 50 units (little-endian) at the first "!desc!"; false, with the
// data unchanged, when there is none.
bool PatchDescription(uint8_t* data, std::size_t size, const DescriptionText& text);
