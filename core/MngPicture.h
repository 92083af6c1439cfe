// Multiple-image Network Graphics: the first image of the animation, a PNG
// or a JNG stored whole among the MNG's chunks, cut out with its own
// signature in front (a PNG is then a file the imaging component reads).
#pragma once

#include "core/OwnPicture.h"

#include <vector>

// The bytes start with the MNG signature.
bool IsMngPicture(const uint8_t* start, std::size_t size);

// The size of the first image (from its IHDR or JHDR); nothing when the
// chunks end or break before one.
std::optional<PictureHeader> ReadMngHeader(TailSource& file);

// The first image's file: its chunks from IHDR or JHDR to its IEND behind
// the PNG or JNG signature. Nothing when a chunk runs past the end before
// that IEND. Throws std::bad_alloc when memory runs out.
std::optional<std::vector<uint8_t>> CutMngFirstImage(const uint8_t* data, std::size_t size);

// A PNG as the reframed file; a JNG decoded.
std::optional<OwnPictureResult> DecodeMngPicture(const OwnPictureInput& input);
