// Wireless Bitmaps of type 0: black and white, 1 bit a pixel, white where
// set. The format has no signature: its header is taken strictly, and only
// files named as such are tried.
#pragma once

#include "core/OwnPicture.h"

std::optional<PictureHeader> ReadWbmpHeader(TailSource& file);
std::optional<StbPicture> DecodeWbmpPicture(const OwnPictureInput& input);
