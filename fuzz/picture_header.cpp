// Any bytes as a picture header: the size reader must neither crash nor
// read outside the data, and what it accepts must be a real size.
#include "core/PictureHeader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    ByteTailSource source(data, size);
    if (auto header = ReadPictureHeader(source))
        (void)PictureTooLarge(header->Width, header->Height);
    (void)HasPictureSignature(data, size);
    return 0;
}
