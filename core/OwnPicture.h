// Pictures in the formats that neither the platform's imaging component nor
// stb_image reads, decoded by our own small readers (one file each in core/)
// behind one table. Formats with a signature are recognised by their bytes;
// the ones without are tried only by the file's extension, after every
// format that has a signature.
#pragma once

#include "core/PictureHeader.h"
#include "core/StbPicture.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a decoder makes of a file: its pixels, or (Reframed not empty) the
// same picture as a whole file of a format the imaging component reads,
// to be loaded as such.
struct OwnPictureResult {
    StbPicture Picture;
    std::vector<uint8_t> Reframed;
};

// Reads the file of the picture's own name with another extension (upper
// case, no dot: "PAL"); nothing when there is none. Core reads no files.
using SideFileReader =
    std::function<std::optional<std::vector<uint8_t>>(std::wstring_view extension)>;

// What a decoder is handed: the whole file and its header, already checked
// (within the picture limits, and the file at least its MinimumSize).
struct OwnPictureInput {
    const uint8_t* Data;
    std::size_t Size;
    const PictureHeader& Header;
    const SideFileReader& Side;
};

// The bytes have one of the signatures, or have none that any reader knows
// and the extension (upper case, no dot; empty when unknown) names one of
// the formats that have none. Cheap: no decoding.
bool IsOwnPicture(const uint8_t* data, std::size_t size, std::wstring_view extension);

// Nothing when IsOwnPicture is false, the header is broken or over the
// limits, the file ends before its pixels or holds what its header forbids,
// or memory runs out: never a black or half picture.
std::optional<OwnPictureResult> DecodeOwnPicture(const uint8_t* data, std::size_t size,
                                                 std::wstring_view extension,
                                                 const SideFileReader& side = {});

// ReadPictureHeader's part: the signatures, and the header of the format
// that the signature (or, without one, the extension) names.
bool HasOwnPictureSignature(const uint8_t* data, std::size_t size);
std::optional<PictureHeader> ReadOwnPictureHeader(TailSource& file, std::wstring_view extension);

// Every extension the table claims, upper case without the dot.
std::vector<std::wstring> OwnPictureExtensions();

// For the decoders: an opaque black picture of the header's size; nothing
// when memory runs out.
std::optional<StbPicture> NewOwnPicture(const PictureHeader& header);

// For the formats written as text: the stretch of a file that their
// headers may take, the file's first bytes (empty when it cannot be read).
constexpr std::size_t TextHeaderLimit = 1 << 16;
std::vector<uint8_t> ReadTextHeader(TailSource& file);
