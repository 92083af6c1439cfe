// Targa, Photoshop and binary PGM/PPM pictures, which the platform's imaging
// component does not read everywhere, decoded with stb_image to 32 bits
// after the header check of PictureHeader.h.
#pragma once

#include "core/Bmp32.h"

#include <cstddef>
#include <cstdint>
#include <optional>

struct StbPicture {
    Bitmap32 Bitmap; // BGRA, top row first, straight alpha
    // The file has an alpha channel that is not 0 everywhere (such a
    // channel, as old tools leave it, reads as opaque).
    bool HasAlpha = false;
};

// The header is one of these formats (the decoder is the one to ask).
bool IsStbPicture(const uint8_t* data, std::size_t size);

// Nothing when the bytes are none of these formats or are broken, the
// picture is over the limits, the file ends before the pixels its header
// promises, or memory runs out. Photoshop files give their composite image
// (RGB, 8 or 16 bits a channel); PGM/PPM samples are scaled from their
// maximum value to 255.
std::optional<StbPicture> DecodeStbPicture(const uint8_t* data, std::size_t size);

// The samples of a JPEG (baseline or progressive) that must be width x
// height, `channels` (1: grey, 3: RGB) a pixel, top row first; nothing when
// it is broken or of another size, checked before decoding.
std::optional<std::vector<uint8_t>> DecodeStbJpeg(const uint8_t* data, std::size_t size,
                                                  int channels, uint32_t width, uint32_t height);

// After the pixels are filled: a picture with an alpha channel has alpha,
// unless the channel is 0 everywhere, which old tools leave and which then
// reads as opaque.
void SettleAlpha(StbPicture& picture, bool alphaChannel);
