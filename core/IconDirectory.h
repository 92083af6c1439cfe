// Icon directories: the layout of an .ico file (6-byte header, 16-byte
// entries with file offsets) and of an icon-group resource (6-byte header,
// 14-byte entries with image resource ids). Both come from files the user
// picks, so every count, offset and size is checked against the bytes held.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

constexpr std::size_t IconHeaderSize = 6;
constexpr std::size_t IconFileEntrySize = 16;
constexpr std::size_t IconGroupEntrySize = 14;
// Width, height, colour count, reserved, planes, bits per pixel, byte size:
// the part an icon-file entry and an icon-group entry share.
constexpr std::size_t IconEntryCommonSize = 12;

struct IconFileEntry {
    std::array<uint8_t, IconEntryCommonSize> Common;
    uint32_t Size;   // bytes of the image
    uint32_t Offset; // where the image starts in the file
};

struct IconFile {
    std::array<uint8_t, 4> Header; // reserved and type, copied as they are
    std::vector<IconFileEntry> Entries;
};

// Parses the bytes of an .ico file. Nothing when the file is shorter than its
// header and entries, has no entries, or has an entry whose image is empty or
// reaches past the end of the file.
std::optional<IconFile> ParseIconFile(const uint8_t* data, std::size_t size);

// The icon-group directory for an icon file whose images are written as icon
// resources 1..n in entry order: 6 + 14 * n bytes.
std::vector<uint8_t> MakeIconGroup(const IconFile& icon);

// An icon-group resource of a program or library, with its images renumbered.
struct RenumberedGroup {
    std::vector<uint8_t> Directory;  // 6 + 14 * n bytes, image ids 1..n
    std::vector<uint16_t> SourceIds; // the ids the entries had, in order
};

// Copies an icon-group resource and gives its entries the ids 1..n. Nothing
// when it holds no entries or is shorter than its count says.
std::optional<RenumberedGroup> RenumberIconGroup(const uint8_t* data, std::size_t size);
