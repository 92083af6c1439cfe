// IFF pictures: planar ILBM (1 to 8 planes with a colour map, extra-half-
// bright, a mask plane, or 24 planes of red, green and blue) and the chunky
// PBM form, stored whole or ByteRun1 coded.
#pragma once

#include "core/OwnPicture.h"

bool IsIlbmPicture(const uint8_t* start, std::size_t size);
std::optional<PictureHeader> ReadIlbmHeader(TailSource& file);
// Without a colour map the planes give grey levels; an index past the end
// of the map is refused, as are hold-and-modify pictures.
std::optional<StbPicture> DecodeIlbmPicture(const OwnPictureInput& input);
