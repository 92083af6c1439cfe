// Dr. Halo cut-outs: a width and height, then each row as a byte count and
// run-length packets of 8-bit colour indices. The colours come from the
// palette file beside it; without one the indices are grey levels. No
// signature: they are tried by their extension.
#pragma once

#include "core/OwnPicture.h"

#include <vector>

// Its size, and the fewest bytes its rows can take (every row in runs of
// the longest packet); nothing for an empty size.
std::optional<PictureHeader> ReadHaloCutHeader(TailSource& file);

// The colours (0xRRGGBB) of a Dr. Halo palette file: a 40-byte header
// ("AH", type 'P', the highest index and each primary's maximum), then
// 16-bit red, green and blue values in 512-byte blocks that no colour
// straddles. Nothing when it is not one or ends before its last colour.
std::optional<std::vector<uint32_t>> ReadHaloPalette(const std::vector<uint8_t>& file);

// In the colours of the palette file of the same name beside it (.PAL),
// when there is one that reads; else grey. Nothing when the file ends
// before its last row, a row's packets run past the row (in pixels or past
// its byte count) or end before it is full, or an index lies beyond the
// palette.
std::optional<StbPicture> DecodeHaloCutPicture(const OwnPictureInput& input);
