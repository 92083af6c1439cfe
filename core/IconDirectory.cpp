#include "core/IconDirectory.h"

#include <cstring>

namespace {

uint16_t Read16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void Put16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

} // namespace

std::optional<IconFile> ParseIconFile(const uint8_t* data, std::size_t size) {
    if (!data || size < IconHeaderSize)
        return std::nullopt;
    const std::size_t count = Read16(data + 4);
    if (count == 0 || count > (size - IconHeaderSize) / IconFileEntrySize)
        return std::nullopt;

    IconFile icon;
    std::memcpy(icon.Header.data(), data, icon.Header.size());
    icon.Entries.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        const uint8_t* e = data + IconHeaderSize + k * IconFileEntrySize;
        IconFileEntry entry;
        std::memcpy(entry.Common.data(), e, IconEntryCommonSize);
        entry.Size = Read32(e + 8);
        entry.Offset = Read32(e + 12);
        if (entry.Size == 0 || entry.Offset > size || entry.Size > size - entry.Offset)
            return std::nullopt;
        icon.Entries.push_back(entry);
    }
    return icon;
}

std::vector<uint8_t> MakeIconGroup(const IconFile& icon) {
    const std::size_t count = icon.Entries.size();
    std::vector<uint8_t> group(IconHeaderSize + IconGroupEntrySize * count);
    std::memcpy(group.data(), icon.Header.data(), icon.Header.size());
    Put16(group.data() + 4, static_cast<uint16_t>(count));
    for (std::size_t k = 0; k < count; ++k) {
        uint8_t* e = group.data() + IconHeaderSize + k * IconGroupEntrySize;
        std::memcpy(e, icon.Entries[k].Common.data(), IconEntryCommonSize);
        Put16(e + IconEntryCommonSize, static_cast<uint16_t>(k + 1));
    }
    return group;
}

std::optional<RenumberedGroup> RenumberIconGroup(const uint8_t* data, std::size_t size) {
    if (!data || size < IconHeaderSize)
        return std::nullopt;
    const std::size_t count = Read16(data + 4);
    if (count == 0 || count > (size - IconHeaderSize) / IconGroupEntrySize)
        return std::nullopt;

    RenumberedGroup out;
    out.Directory.assign(data, data + IconHeaderSize + IconGroupEntrySize * count);
    out.SourceIds.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        uint8_t* id =
            out.Directory.data() + IconHeaderSize + k * IconGroupEntrySize + IconEntryCommonSize;
        out.SourceIds.push_back(Read16(id));
        Put16(id, static_cast<uint16_t>(k + 1));
    }
    return out;
}
