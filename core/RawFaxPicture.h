// Raw Group 3 fax pages: one-dimensional coded rows of 1728 pixels, each
// behind an end-of-line code, with no header. The platform's TIFF decoder
// reads such rows: the page goes to it inside a TIFF made here, whose
// height is the number of rows the stream codes. Tried by the extension.
#pragma once

#include "core/OwnPicture.h"

#include <vector>

constexpr uint32_t FaxWidth = 1728;

// 1728 x the rows; nothing for a stream without end-of-line codes or rows.
std::optional<PictureHeader> ReadRawFaxHeader(TailSource& file);

// A little-endian TIFF of one strip holding the page: the stream up to the
// six end-of-line codes that end it, or to the file's end (T.4 coding,
// one-dimensional, white as 0, its bit order as found). Nothing where the
// header reader finds nothing. Throws std::bad_alloc when memory runs out.
std::optional<std::vector<uint8_t>> RawFaxAsTiff(const uint8_t* data, std::size_t size);

// That TIFF as the reframed file.
std::optional<OwnPictureResult> DecodeRawFaxPicture(const OwnPictureInput& input);
