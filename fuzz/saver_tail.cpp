// Any bytes as a saver file: the tail reader and the content name lookup
// must neither crash nor read outside the data.
#include "core/SaverTail.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    ByteTailSource source(data, size);
    SaverTrailer trailer{};
    std::vector<uint8_t> logo;
    if (ReadSaverTail(source, trailer, logo, 1) == ReadOk && !logo.empty()) {
        if (auto name = FindContentName(logo.data(), logo.size()))
            (void)name->Name.size();
    }
    (void)FindContentName(data, size);
    return 0;
}
