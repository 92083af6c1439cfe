// Kodak PhotoCD images: the base image (768 x 512), stored as pairs of
// luma rows with one row of each chroma at half the width, turned as the
// image's attributes say. Tried by the extension, then known by the
// information block's mark.
#pragma once

#include "core/OwnPicture.h"

// 768 x 512, or 512 x 768 when the image is turned a quarter; nothing
// without the mark or when the file ends before the base image's last byte.
std::optional<PictureHeader> ReadPhotoCdHeader(TailSource& file);

std::optional<StbPicture> DecodePhotoCdPicture(const OwnPictureInput& input);
