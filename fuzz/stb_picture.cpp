// Any bytes as a Targa, Photoshop or PGM/PPM picture: the decoder must
// neither crash nor read outside the data, a picture it gives must be the
// size the header check measured (the limit holds only then), and it must
// come from the file's own bytes: the same file with more bytes after its
// end gives the same picture (one that read past the end differs, or fails).
#include "core/PictureHeader.h"
#include "core/StbPicture.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const auto picture = DecodeStbPicture(data, size);
    if (!picture)
        return 0;
    ByteTailSource source(data, size);
    const auto header = ReadPictureHeader(source);
    const Bitmap32& b = picture->Bitmap;
    if (!header || header->Width != static_cast<uint32_t>(b.Width) ||
        header->Height != static_cast<uint32_t>(b.Height) ||
        PictureTooLarge(header->Width, header->Height) ||
        b.Pixels.size() != static_cast<std::size_t>(b.Width) * b.Height * 4)
        std::abort();
    std::vector<uint8_t> longer(data, data + size);
    longer.resize(size + 256, 0xA5);
    const auto again = DecodeStbPicture(longer.data(), longer.size());
    if (!again || again->Bitmap.Pixels != b.Pixels || again->HasAlpha != picture->HasAlpha)
        std::abort();
    return 0;
}
