// Any bytes as an icon file, an icon-group resource or the end of a program:
// the parsers and the description search must neither crash nor read or
// write outside the data.
#include "core/IconDirectory.h"
#include "core/SaverDescription.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (auto icon = ParseIconFile(data, size)) {
        const std::vector<uint8_t> group = MakeIconGroup(*icon);
        uint32_t sum = group.size();
        for (const IconFileEntry& e : icon->Entries)
            sum += data[e.Offset] + data[e.Offset + e.Size - 1];
        (void)sum;
    }
    if (auto group = RenumberIconGroup(data, size))
        (void)group->SourceIds.size();

    std::vector<uint8_t> copy(data, data + size);
    PatchDescription(copy.data(), copy.size(), MakeDescriptionText(u"fuzz"));
    return 0;
}
