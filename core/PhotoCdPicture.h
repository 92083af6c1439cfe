// Kodak PhotoCD images: the base image (768 x 512), stored as pairs of
// luma rows with one row of each chroma at half the width, turned as the
// image's attributes say. Tried by the extension, then known by the
// information block's mark.
#pragma once

#include "core/PictureHeader.h"
#include "core/StbPicture.h"

// 768 x 512, or 512 x 768 when the image is turned a quarter; the file must
// reach the base image's end.
std::optional<PictureHeader> ReadPhotoCdHeader(TailSource& file);

// Nothing without the mark or when the file ends before the base image's
// last byte.
std::optional<StbPicture> DecodePhotoCdPicture(const uint8_t* data, std::size_t size);
