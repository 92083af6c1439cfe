// C64 Koala Painter pictures: a load address, then the multicolour bitmap
// (8000 bytes), the screen and colour memories (1000 each) and the
// background colour, 10,003 bytes in all. No signature: they are tried by
// their extension.
#pragma once

#include "core/OwnPicture.h"

constexpr std::size_t KoalaFileSize = 10003;

// 320 x 200 (each multicolour pixel twice as wide), the layout's size as
// the minimum.
std::optional<PictureHeader> ReadKoalaHeader(TailSource& file);

// The picture in the C64's colours (bytes after the layout are not looked
// at).
std::optional<StbPicture> DecodeKoalaPicture(const OwnPictureInput& input);
