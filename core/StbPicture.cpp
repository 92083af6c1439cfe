#include "core/StbPicture.h"

#include "core/PictureBytes.h"
#include "core/PictureHeader.h"
#include "core/SaverTail.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>
#include <new>

// The three formats and JPEG (inside other formats) only, from memory, no
// side beyond the picture limit.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_JPEG
#define STBI_ONLY_TGA
#define STBI_ONLY_PSD
#define STBI_ONLY_PNM
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_FAILURE_STRINGS
#define STBI_MAX_DIMENSIONS 16384
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

static_assert(STBI_MAX_DIMENSIONS == MaxPictureSide);

namespace {

struct StbFree {
    void operator()(void* p) const { stbi_image_free(p); }
};

std::optional<PictureHeader> HeaderOf(const uint8_t* data, std::size_t size) {
    ByteTailSource source(data, size);
    auto header = ReadPictureHeader(source);
    if (!header || (header->Format != PictureFormat::Tga && header->Format != PictureFormat::Psd &&
                    header->Format != PictureFormat::Pnm))
        return std::nullopt;
    return header;
}

// Hands the file to the decoder and notes any read or skip past its end:
// the decoders take the bytes there as zeros, a picture the file does not
// hold. (A read the decoder makes for whole rows comes up short only below
// the header's minimum size, which is checked first.)
class FileReader {
  public:
    FileReader(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool PastEnd() const { return pastEnd_; }

    static int Read(void* user, char* out, int count) {
        auto& r = *static_cast<FileReader*>(user);
        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), r.Left());
        r.pastEnd_ |= n == 0;
        std::copy_n(r.data_ + r.at_, n, out);
        r.at_ += n;
        return static_cast<int>(n);
    }
    static void Skip(void* user, int count) {
        auto& r = *static_cast<FileReader*>(user);
        r.pastEnd_ |= static_cast<std::size_t>(count) > r.Left();
        r.at_ += std::min<std::size_t>(static_cast<std::size_t>(count), r.Left());
    }
    static int Eof(void* user) { return static_cast<FileReader*>(user)->Left() == 0; }

  private:
    std::size_t Left() const { return size_ - at_; }

    const uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
    bool pastEnd_ = false;
};
const stbi_io_callbacks FileCallbacks = {&FileReader::Read, &FileReader::Skip, &FileReader::Eof};

// A Photoshop section length of 2 GB or more reaches the decoder as a
// negative skip, which it takes as "to the end of what is buffered": the
// three sections must end within the file.
bool PhotoshopSectionsFit(const uint8_t* data, std::size_t size) {
    uint64_t at = 26;
    for (int section = 0; section < 3; ++section) {
        if (at + 4 > size)
            return false;
        at += 4 + uint64_t{Be32(data + at)};
    }
    return at <= size;
}

// Samples of 0..maximum (larger ones count as the maximum) to 0..255.
uint8_t Scaled(uint32_t sample, uint32_t maximum) {
    return static_cast<uint8_t>((std::min(sample, maximum) * 255 + maximum / 2) / maximum);
}

// The JPEG decoder writes a Huffman table's code lengths before counting
// them: every table (also those between the scans of a progressive file)
// must have at most 256 codes.
bool HuffmanTablesFit(const uint8_t* data, std::size_t size) {
    std::size_t at = 2;
    while (at + 4 <= size) {
        if (data[at] != 0xFF)
            return false;
        const uint8_t marker = data[at + 1];
        if (marker == 0xFF || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (marker == 0xD9)
            return true;
        const std::size_t end = at + 2 + Be16(data + at + 2);
        // The decoder reads a table's counts even where they pass the
        // segment's end, and as 0 past the file's.
        for (std::size_t table = at + 4; marker == 0xC4 && table < end && table < size;) {
            std::size_t codes = 0;
            for (std::size_t i = 1; i <= 16 && table + i < size; ++i)
                codes += data[table + i];
            if (codes > 256)
                return false;
            table += 17 + codes;
        }
        at = end;           // past the file's end: the decoder refuses it
        if (marker == 0xDA) // the coded data runs to the next marker
            while (at + 1 < size && (data[at] != 0xFF || data[at + 1] == 0 ||
                                     (data[at + 1] >= 0xD0 && data[at + 1] <= 0xD7)))
                ++at;
    }
    return true;
}

} // namespace

bool IsStbPicture(const uint8_t* data, std::size_t size) {
    return data && size > 0 && HeaderOf(data, size).has_value();
}

std::optional<StbPicture> DecodeStbPicture(const uint8_t* data, std::size_t size) {
    if (!data || size == 0 || size > INT_MAX)
        return std::nullopt;
    const auto header = HeaderOf(data, size);
    // The minimum size also holds what the decoder allocates to what the
    // file can hold.
    if (!header || PictureTooLarge(header->Width, header->Height) || header->MinimumSize > size ||
        (header->Format == PictureFormat::Psd && !PhotoshopSectionsFit(data, size)))
        return std::nullopt;
    // The decoders' own channel counts; their conversions are not used (the
    // PGM/PPM one mistakes 16-bit samples for bytes).
    int width = 0, height = 0, channels = 0;
    const bool wide = header->Format == PictureFormat::Pnm && header->MaxSample > 255;
    FileReader reader(data, size);
    const std::unique_ptr<void, StbFree> decoded(
        wide ? static_cast<void*>(stbi_load_16_from_callbacks(&FileCallbacks, &reader, &width,
                                                              &height, &channels, 0))
             : static_cast<void*>(stbi_load_from_callbacks(&FileCallbacks, &reader, &width, &height,
                                                           &channels, 0)));
    if (!decoded || reader.PastEnd() || width <= 0 || height <= 0 || channels < 1 || channels > 4)
        return std::nullopt;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    StbPicture out;
    try {
        out.Bitmap.Pixels.resize(count * 4);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    out.Bitmap.Width = width;
    out.Bitmap.Height = height;
    const uint32_t maximum = header->Format == PictureFormat::Pnm ? header->MaxSample : 255;
    const auto* bytes = static_cast<const uint8_t*>(decoded.get());
    const auto* words = static_cast<const uint16_t*>(decoded.get());
    const auto sample = [&](std::size_t i) -> uint8_t {
        if (!wide)
            return maximum == 255 ? bytes[i] : Scaled(bytes[i], maximum);
        const uint16_t big = static_cast<uint16_t>(words[i] >> 8 | words[i] << 8); // as stored
        return Scaled(big, maximum);
    };
    const bool colour = channels >= 3;
    // A Targa stored right to left (the decoder turns only upside-down ones).
    const bool mirrored = header->Format == PictureFormat::Tga && (data[17] & 0x10) != 0;
    const auto w = static_cast<std::size_t>(width);
    uint8_t* p = out.Bitmap.Pixels.data();
    for (std::size_t i = 0; i < count; ++i, p += 4) {
        const std::size_t from = mirrored ? i - i % w + (w - 1 - i % w) : i;
        const std::size_t at = from * static_cast<std::size_t>(channels);
        p[2] = sample(at);
        p[1] = colour ? sample(at + 1) : p[2];
        p[0] = colour ? sample(at + 2) : p[2];
        p[3] = channels == 2 || channels == 4 ? sample(at + channels - 1) : 255;
    }
    // A Photoshop composite always comes with a fourth channel: the file's
    // own count says whether it is alpha.
    const bool alphaChannel = header->Format == PictureFormat::Psd ? Be16(data + 12) >= 4
                                                                   : channels == 2 || channels == 4;
    SettleAlpha(out, alphaChannel);
    return out;
}

std::optional<std::vector<uint8_t>> DecodeStbJpeg(const uint8_t* data, std::size_t size,
                                                  int channels, uint32_t width, uint32_t height) {
    if (!data || size == 0 || size > INT_MAX || PictureTooLarge(width, height))
        return std::nullopt;
    ByteTailSource source(data, size);
    const auto header = ReadPictureHeader(source);
    if (!header || header->Format != PictureFormat::Jpeg || header->Width != width ||
        header->Height != height || !HuffmanTablesFit(data, size))
        return std::nullopt;
    // The decoder takes a cut scan for grey: a read past the end refuses it.
    int w = 0, h = 0, stored = 0;
    FileReader reader(data, size);
    const std::unique_ptr<stbi_uc, StbFree> decoded(
        stbi_load_from_callbacks(&FileCallbacks, &reader, &w, &h, &stored, channels));
    if (!decoded || reader.PastEnd() || static_cast<uint32_t>(w) != width ||
        static_cast<uint32_t>(h) != height)
        return std::nullopt;
    try {
        return std::vector<uint8_t>(decoded.get(),
                                    decoded.get() + std::size_t{width} * height * channels);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

void SettleAlpha(StbPicture& picture, bool alphaChannel) {
    std::vector<uint8_t>& pixels = picture.Bitmap.Pixels;
    bool anyAlpha = false;
    for (std::size_t i = 3; i < pixels.size() && !anyAlpha; i += 4)
        anyAlpha = pixels[i] != 0;
    picture.HasAlpha = alphaChannel && anyAlpha;
    picture.Bitmap.AlphaWasZero = alphaChannel && !anyAlpha;
    if (!picture.HasAlpha)
        for (std::size_t i = 3; i < pixels.size(); i += 4)
            pixels[i] = 255;
}
