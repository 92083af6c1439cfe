// X11 bitmaps: the C source with "#define <name>_width", "_height" and the
// array of bits, in bytes (X11) or 16-bit words (X10), leftmost pixel in
// the lowest bit, black where set.
#pragma once

#include "core/OwnPicture.h"

bool IsXbmPicture(const uint8_t* start, std::size_t size);
std::optional<PictureHeader> ReadXbmHeader(TailSource& file);
// The array holds exactly the rows the sizes give, then "}".
std::optional<StbPicture> DecodeXbmPicture(const OwnPictureInput& input);
