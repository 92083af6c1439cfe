// Sun Raster pictures: 1, 8, 24 and 32 bits a pixel, stored whole or
// run-length coded (0x80 escapes), blue first or red first, with or
// without a colour map.
#pragma once

#include "core/OwnPicture.h"

bool IsSunRasterPicture(const uint8_t* start, std::size_t size);
std::optional<PictureHeader> ReadSunRasterHeader(TailSource& file);
// Without a colour map, a 1-bit picture is black where a bit is 1 and an
// 8-bit one grey. An index past the end of the colour map is refused.
std::optional<StbPicture> DecodeSunRasterPicture(const OwnPictureInput& input);
