// JPEG Network Graphics: the colour of its JDAT chunks (a JPEG, read by
// stb_image's decoder) with the alpha of its IDAT chunks (zlib, PNG row
// filters, grey of 1 to 16 bits) or JDAA chunks (a grey JPEG). Eight-bit
// samples only.
#pragma once

#include "core/OwnPicture.h"

// The bytes start with the JNG signature.
bool IsJngPicture(const uint8_t* start, std::size_t size);

// The JHDR's size; nothing for a header of a kind the decoder does not read.
std::optional<PictureHeader> ReadJngHeader(TailSource& file);

// Nothing when a chunk runs past the end, IEND is missing, or the colour or
// alpha stream is broken, short or of another size.
std::optional<StbPicture> DecodeJngPicture(const OwnPictureInput& input);
