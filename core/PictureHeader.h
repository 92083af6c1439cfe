// A picture's size read from its header, without decoding it, so that a
// huge picture is refused before a decoder allocates for it.
#pragma once

#include "core/SaverTail.h"

#include <cstdint>
#include <optional>

// What a 32-bit process can hold several copies of.
constexpr uint64_t MaxPicturePixels = 40000000;
constexpr uint32_t MaxPictureSide = 16384;

enum class PictureFormat {
    Png,
    Jpeg,
    Gif,
    Bmp,
    Tiff,
    Ico,
    Tga,
    Psd,
    Pnm,
    Dds,
    Jng,
    Mng,
    Koala,
    HaloCut,
    PhotoCd,
    RawFax
};

struct PictureHeader {
    PictureFormat Format;
    uint32_t Width, Height; // an icon: its largest image
    // Targa, Photoshop and PGM/PPM: the fewest bytes a file whose pixels are
    // all there can have (exact where the pixels are stored whole, a bound
    // from the densest packing where they are run-length coded); otherwise 0.
    uint64_t MinimumSize = 0;
    uint32_t MaxSample = 0; // PGM/PPM: the sample value of full intensity
};

// The format and size of a PNG, JPEG, GIF, BMP, TIFF, ICO, Photoshop
// (version 1) or binary PGM/PPM picture, or of a Targa (which has no
// signature: a header that the Targa decoder would accept). Nothing when the
// bytes are none of these or their header is broken or truncated (also when
// a JPEG has no frame header).
std::optional<PictureHeader> ReadPictureHeader(TailSource& file);

// Whether the first bytes look like one of those formats at all (a Targa
// has no signature).
bool HasPictureSignature(const uint8_t* data, std::size_t size);

bool PictureTooLarge(uint32_t width, uint32_t height);
