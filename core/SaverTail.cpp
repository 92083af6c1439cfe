#include "core/SaverTail.h"

#include <cstring>
#include <new>

bool ByteTailSource::ReadAt(uint64_t offset, void* buffer, std::size_t count) {
    if (offset > size_ || count > size_ - offset)
        return false;
    std::memcpy(buffer, data_ + offset, count);
    return true;
}

ReadResult ReadSaverTail(TailSource& file, SaverTrailer& trailer, std::vector<uint8_t>& logo,
                         uint32_t seed) {
    logo.clear();
    const uint64_t size = file.Size();
    if (size < TrailerSize || !file.ReadAt(size - TrailerSize, &trailer, TrailerSize)) {
        LoadDefaultSettings(trailer, seed);
        return ReadNotSaver;
    }
    trailer.LogoData = 0;

    if (std::memcmp(trailer.Marker, TrailerMarker, sizeof TrailerMarker) != 0) {
        LoadDefaultSettings(trailer, seed);
        return ReadNotSaver;
    }

    const auto version = static_cast<int8_t>(trailer.Version);
    if (version > static_cast<int8_t>(TrailerVersion))
        return ReadNewer;
    if (version < static_cast<int8_t>(TrailerVersion))
        return ReadOlder;

    if (trailer.LogoSize <= 0) {
        trailer.LogoSize = 0;
        LoadDefaultSettings(trailer, seed);
        return ReadOk;
    }

    const auto logoSize = static_cast<uint64_t>(trailer.LogoSize);
    if (logoSize > size - TrailerSize)
        return ReadNotSaver;
    try {
        logo.resize(static_cast<std::size_t>(logoSize));
    } catch (const std::bad_alloc&) {
        // A size that fits the file but not memory: as broken as any tail.
        return ReadNotSaver;
    }
    if (!file.ReadAt(size - TrailerSize - logoSize, logo.data(), logo.size())) {
        logo.clear();
        return ReadNotSaver;
    }
    NormaliseSettings(trailer.Settings);
    return ReadOk;
}

std::optional<ContentNameBlock> FindContentName(const uint8_t* block, std::size_t size) {
    if (!block || size < 5)
        return std::nullopt;
    int32_t length;
    std::memcpy(&length, block + size - 4, 4);
    if (length < 1 || static_cast<uint64_t>(length) > size - 4)
        return std::nullopt;
    const std::size_t nameStart = size - 4 - static_cast<std::size_t>(length);
    if (block[size - 5] != 0)
        return std::nullopt;
    const char* name = reinterpret_cast<const char*>(block + nameStart);
    return ContentNameBlock{std::string(name, strnlen(name, static_cast<std::size_t>(length))),
                            nameStart};
}

std::string SaverRegistryKey(const SaverTrailer& trailer) {
    std::string key = "Software\\Quorvel\\Savers\\";
    key.append(trailer.SaverName, FieldLength(trailer.SaverName));
    key += '.';
    // The id in lower-case hexadecimal without leading zeros, as "%x" gives;
    // formatted here so the screensaver carries no printf.
    const auto id = static_cast<uint32_t>(trailer.SaverId);
    int shift = 28;
    while (shift > 0 && (id >> shift) == 0)
        shift -= 4;
    for (; shift >= 0; shift -= 4)
        key += "0123456789abcdef"[(id >> shift) & 15];
    key += '\\';
    return key;
}

std::vector<uint8_t> MakeContentNameBlock(const char* contentPath) {
    std::string name = contentPath ? contentPath : "";
    const std::size_t slash = name.rfind('\\');
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    while (!name.empty() && name.front() == '\\')
        name.erase(0, 1);
    std::vector<uint8_t> block(name.begin(), name.end());
    block.push_back(0);
    const auto length = static_cast<int32_t>(name.size() + 1);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&length);
    block.insert(block.end(), bytes, bytes + 4);
    return block;
}

std::vector<uint8_t> BuildSaverTail(SaverTrailer trailer, const std::vector<uint8_t>& logo,
                                    const char* contentPath) {
    std::vector<uint8_t> out(logo);
    if (contentPath) {
        const std::vector<uint8_t> block = MakeContentNameBlock(contentPath);
        out.insert(out.end(), block.begin(), block.end());
    }
    trailer.LogoSize = static_cast<int32_t>(out.size());
    trailer.LogoData = 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(&trailer);
    out.insert(out.end(), bytes, bytes + TrailerSize);
    return out;
}
