// A picture's size read from its header, without decoding it, so that a
// huge picture is refused before a decoder allocates for it.
#pragma once

#include "core/PictureLimits.h"
#include "core/SaverTail.h"

#include <cstdint>
#include <optional>
#include <string_view>

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
    // Read by our own decoders (OwnPicture.h).
    PnmText,
    Pcx,
    SunRaster,
    Wbmp,
    Xbm,
    Xpm,
    Ilbm,
    Dds,
    Jng,
    Mng,
    Koala,
    HaloCut,
    PhotoCd,
    RawFax,
};

struct PictureHeader {
    PictureFormat Format;
    uint32_t Width, Height; // an icon: its largest image
    // Targa, Photoshop, PGM/PPM and our own decoders' formats: the fewest
    // bytes a file whose pixels are all there can have (exact where the
    // pixels are stored whole, a bound from the densest packing where they
    // are run-length coded or written as text); otherwise 0.
    uint64_t MinimumSize = 0;
    uint32_t MaxSample = 0; // PGM/PPM: the sample value of full intensity
};

// The format and size of a PNG, JPEG, GIF, BMP, TIFF, ICO, Photoshop
// (version 1) or binary PGM/PPM picture, of one that our own decoders read
// (those without a signature when the extension, upper case without the
// dot, names them), or of a Targa (which has no signature: a header that the
// Targa decoder would accept). Nothing when the bytes are none of these or
// their header is broken or truncated (also when a JPEG has no frame header).
std::optional<PictureHeader> ReadPictureHeader(TailSource& file, std::wstring_view extension = {});

// Whether the first bytes look like one of those formats at all (a Targa
// and some of ours have no signature).
bool HasPictureSignature(const uint8_t* data, std::size_t size);
