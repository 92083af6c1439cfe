// Zsoft Paintbrush pictures: 1, 2 or 4 bits a pixel (one plane, or one bit
// in up to four planes) with the header's 16 colours, 8 bits with the 256
// colours after the pixels, 24 bits in three planes of 8; plain or
// run-length coded.
#pragma once

#include "core/OwnPicture.h"

bool IsPcxPicture(const uint8_t* start, std::size_t size);
std::optional<PictureHeader> ReadPcxHeader(TailSource& file);
// A run may go on into the next row; one past the last row is cut there.
// An 8-bit picture without its palette is grey when its header says grey,
// otherwise refused.
std::optional<StbPicture> DecodePcxPicture(const OwnPictureInput& input);
