// Any bytes as a 32-bit bitmap: the reader must neither crash nor read
// outside the data, and a picture it reads must write back to the same
// pixels.
#include "core/Bmp32.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const auto picture = ReadBmp32(data, size);
    if (!picture)
        return 0;
    const std::vector<uint8_t> file = WriteBmp32(*picture);
    const auto again = ReadBmp32(file.data(), file.size());
    if (!again || again->Pixels != picture->Pixels)
        std::abort();
    return 0;
}
