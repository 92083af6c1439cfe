// X11 pixmaps (XPM 3): colours as #rgb, #rrggbb, #rrrgggbbb or
// #rrrrggggbbbb, X11 colour names, or None (transparent); one or more
// characters a pixel.
#pragma once

#include "core/OwnPicture.h"

bool IsXpmPicture(const uint8_t* start, std::size_t size);
std::optional<PictureHeader> ReadXpmHeader(TailSource& file);
// A colour's "c" value, else its grey or mono one. Refused: a colour of
// none of those forms, a row of another width, a pixel of no colour given,
// an array that does not end.
std::optional<StbPicture> DecodeXpmPicture(const OwnPictureInput& input);
