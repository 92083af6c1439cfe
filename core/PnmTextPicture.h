// PBM, PGM and PPM in their plain (text) forms P1, P2 and P3, and the
// binary bitmap P4 (stb_image reads the binary P5 and P6).
#pragma once

#include "core/OwnPicture.h"

bool IsPnmTextPicture(const uint8_t* start, std::size_t size);
// MaxSample: P2/P3's maximum value (1 for bitmaps).
std::optional<PictureHeader> ReadPnmTextHeader(TailSource& file);
// The first image of the file. Bitmaps are black where a bit is 1; samples
// are scaled from the maximum value to 255, and a larger one is refused.
std::optional<StbPicture> DecodePnmTextPicture(const OwnPictureInput& input);
