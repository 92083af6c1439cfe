// Any bytes as a Targa, Photoshop or PGM/PPM picture: the decoder must
// neither crash nor read outside the data, and a picture it gives must be
// the size the header check measured (the limit holds only then).
#include "core/PictureHeader.h"
#include "core/StbPicture.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

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
    return 0;
}
