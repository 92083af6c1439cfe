// DirectDraw surfaces, read by our own decoder on every system (the
// platform's imaging component has a codec only on some): the first mip
// level of an uncompressed texture of 16, 24 or 32 bits (any channel masks,
// also luminance) or of a DXT1, DXT3 or DXT5 one.
#pragma once

#include "core/OwnPicture.h"

// The bytes start with the surface signature.
bool IsDdsPicture(const uint8_t* start, std::size_t size);

// Its size, and the header's 128 bytes plus the first level's data as the
// minimum size; nothing for a header of a kind the decoder does not read
// (DX10 extension, other compressions, masks wider than the pixels).
std::optional<PictureHeader> ReadDdsHeader(TailSource& file);

// DXT1 has alpha where a block holds transparent black, the others where
// they have an alpha channel (not 0 everywhere).
std::optional<StbPicture> DecodeDdsPicture(const OwnPictureInput& input);
