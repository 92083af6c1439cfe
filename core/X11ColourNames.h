// The colours of the X11 colour names that pixmaps use.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// 0xRRGGBB for a name of the X11 colour database ("Navy", "light grey",
// "gray50"), case and blanks aside; nothing for any other.
std::optional<uint32_t> X11Colour(std::string_view name);
