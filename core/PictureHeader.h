// A picture's size read from its header, without decoding it, so that a
// huge picture is refused before a decoder allocates for it.
#pragma once

#include "core/SaverTail.h"

#include <cstdint>
#include <optional>

// What a 32-bit process can hold several copies of.
constexpr uint64_t MaxPicturePixels = 40000000;
constexpr uint32_t MaxPictureSide = 16384;

enum class PictureFormat { Png, Jpeg, Gif, Bmp, Tiff, Ico };

struct PictureHeader {
    PictureFormat Format;
    uint32_t Width, Height; // an icon: its largest image
};

// The format and size of a PNG, JPEG, GIF, BMP, TIFF or ICO picture.
// Nothing when the bytes are none of these or their header is broken or
// truncated (also when a JPEG has no frame header).
std::optional<PictureHeader> ReadPictureHeader(TailSource& file);

// Whether the first bytes look like one of those formats at all.
bool HasPictureSignature(const uint8_t* data, std::size_t size);

bool PictureTooLarge(uint32_t width, uint32_t height);
