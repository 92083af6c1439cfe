// PBM, PGM and PPM in their plain (text) forms P1, P2 and P3, and the
// binary bitmap P4; of the binary P5 and P6, which stb_image decodes, the
// header.
#pragma once

#include "core/OwnPicture.h"

bool IsPnmTextPicture(const uint8_t* start, std::size_t size);
// MaxSample: P2/P3's maximum value (1 for bitmaps).
std::optional<PictureHeader> ReadPnmTextHeader(TailSource& file);
// Format Pnm; MaxSample: the maximum value (above 255, two bytes a sample).
// Numbers beyond 65535 are refused before the decoder could overflow on
// them.
std::optional<PictureHeader> ReadPnmBinaryHeader(TailSource& file);
// The first image of the file. Bitmaps are black where a bit is 1; samples
// are scaled from the maximum value to 255, and a larger one is refused.
std::optional<StbPicture> DecodePnmTextPicture(const OwnPictureInput& input);
