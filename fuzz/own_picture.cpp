// Any bytes as a picture of our own decoders' formats, the first byte
// choosing the file's extension (so that the formats without a signature
// are reached too): a decoder must neither crash nor read outside the data,
// a picture it gives must be the size the header check measured, within
// the limits, and come from the file's own bytes: the same file with more
// bytes after its end gives the same picture. A PhotoCD's pixels are never
// parsed, only its information block: its input is that block, made up to
// the base image's end with grey.
#include "core/OwnPicture.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    static const std::vector<std::wstring> extensions = OwnPictureExtensions();
    const std::wstring& extension = extensions[data[0] % extensions.size()];
    std::vector<uint8_t> input(data + 1, data + size);
    if (extension == L"PCD" && input.size() < 0xC0000)
        input.resize(0xC0000, 0x80);
    const uint8_t* file = input.data();
    const std::size_t length = input.size();
    (void)IsOwnPicture(file, length, extension);
    const auto decoded = DecodeOwnPicture(file, length, extension);
    if (!decoded)
        return 0;
    ByteTailSource source(file, length);
    const auto header = ReadPictureHeader(source, extension);
    if (!header || PictureTooLarge(header->Width, header->Height) || header->MinimumSize > length)
        std::abort();
    const Bitmap32& b = decoded->Picture.Bitmap;
    if (decoded->Reframed.empty() &&
        (header->Width != static_cast<uint32_t>(b.Width) ||
         header->Height != static_cast<uint32_t>(b.Height) ||
         b.Pixels.size() != static_cast<std::size_t>(b.Width) * b.Height * 4))
        std::abort();
    std::vector<uint8_t> longer(file, file + length);
    longer.resize(length + 256, 0xA5);
    const auto again = DecodeOwnPicture(longer.data(), longer.size(), extension);
    if (!again || again->Picture.Bitmap.Pixels != b.Pixels ||
        again->Picture.HasAlpha != decoded->Picture.HasAlpha ||
        again->Reframed != decoded->Reframed)
        std::abort();
    return 0;
}
