#include "core/JngPicture.h"

#include "core/PictureBytes.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr uint8_t Signature[8] = {0x8B, 'J', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t HeaderEnd = 8 + 8 + 16 + 4;

struct Jhdr {
    uint32_t Width, Height;
    uint8_t AlphaDepth; // 0: none
    bool AlphaJpeg;
};

std::optional<Jhdr> Parse(const uint8_t* h) {
    if (std::memcmp(h, Signature, 8) != 0 || Be32(h + 8) != 16 || std::memcmp(h + 12, "JHDR", 4))
        return std::nullopt;
    const uint8_t* d = h + 16;
    const Jhdr j{Be32(d), Be32(d + 4), d[12], d[13] == 8};
    const uint8_t type = d[8];
    const bool alpha = type == 12 || type == 14;
    if (j.Width == 0 || j.Height == 0 || (type != 8 && type != 10 && !alpha) || d[9] != 8 ||
        d[10] != 8 || (d[11] != 0 && d[11] != 8))
        return std::nullopt;
    if (!alpha)
        return j.AlphaDepth == 0 ? std::optional(j) : std::nullopt;
    const bool depthOk = j.AlphaJpeg
                             ? j.AlphaDepth == 8
                             : d[13] == 0 && d[14] == 0 && d[15] == 0 &&
                                   (j.AlphaDepth == 1 || j.AlphaDepth == 2 || j.AlphaDepth == 4 ||
                                    j.AlphaDepth == 8 || j.AlphaDepth == 16);
    return depthOk ? std::optional(j) : std::nullopt;
}

// The whole stream inflated into exactly `out.size()` bytes.
bool Inflate(const std::vector<uint8_t>& in, std::vector<uint8_t>& out) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return false;
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    int result;
    do
        result = inflate(&z, Z_NO_FLUSH);
    while (result == Z_OK && z.avail_out > 0);
    inflateEnd(&z);
    return (result == Z_OK || result == Z_STREAM_END) && z.avail_out == 0;
}

int Paeth(int a, int b, int c) {
    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// PNG's row filters undone in place; rows of `stride` bytes after their
// filter byte, `step` bytes a whole pixel.
bool Unfilter(std::vector<uint8_t>& rows, std::size_t stride, std::size_t step, uint32_t height) {
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* row = &rows[y * (stride + 1)];
        const uint8_t* above = y ? row - stride - 1 : nullptr;
        const uint8_t filter = row[0];
        if (filter > 4)
            return false;
        for (std::size_t i = 1; i <= stride; ++i) {
            const int a = i > step ? row[i - step] : 0, b = above ? above[i] : 0,
                      c = above && i > step ? above[i - step] : 0;
            const int predicted = filter == 1   ? a
                                  : filter == 2 ? b
                                  : filter == 3 ? (a + b) / 2
                                  : filter == 4 ? Paeth(a, b, c)
                                                : 0;
            row[i] = static_cast<uint8_t>(row[i] + predicted);
        }
    }
    return true;
}

std::optional<std::vector<uint8_t>> ZlibAlpha(const std::vector<uint8_t>& stream, const Jhdr& j) {
    const std::size_t stride = (std::size_t{j.Width} * j.AlphaDepth + 7) / 8;
    std::vector<uint8_t> rows((stride + 1) * j.Height);
    if (!Inflate(stream, rows) || !Unfilter(rows, stride, (j.AlphaDepth + 7) / 8, j.Height))
        return std::nullopt;
    std::vector<uint8_t> alpha(std::size_t{j.Width} * j.Height);
    const uint32_t top = (1u << (j.AlphaDepth == 16 ? 8 : j.AlphaDepth)) - 1;
    for (uint32_t y = 0; y < j.Height; ++y) {
        const uint8_t* row = &rows[y * (stride + 1) + 1];
        for (uint32_t x = 0; x < j.Width; ++x) {
            uint32_t sample;
            if (j.AlphaDepth >= 8)
                sample = row[x * (j.AlphaDepth / 8)]; // 16 bits: the high byte
            else {
                const uint32_t bit = x * j.AlphaDepth;
                sample = row[bit / 8] >> (8 - j.AlphaDepth - bit % 8) & top;
            }
            alpha[std::size_t{y} * j.Width + x] = static_cast<uint8_t>(sample * 255 / top);
        }
    }
    return alpha;
}

} // namespace

bool IsJngPicture(const uint8_t* start, std::size_t size) {
    return size >= 8 && std::memcmp(start, Signature, 8) == 0;
}

std::optional<PictureHeader> ReadJngHeader(TailSource& file) {
    uint8_t h[HeaderEnd];
    if (!file.ReadAt(0, h, sizeof h))
        return std::nullopt;
    const auto j = Parse(h);
    if (!j)
        return std::nullopt;
    return PictureHeader{PictureFormat::Jng, j->Width, j->Height};
}

std::optional<StbPicture> DecodeJngPicture(const OwnPictureInput& input) {
    const uint8_t* data = input.Data;
    const std::size_t size = input.Size;
    const auto j = Parse(data); // the header check saw its bytes
    if (!j)
        return std::nullopt;
    std::vector<uint8_t> colour, zlibAlpha, jpegAlpha;
    bool ended = false;
    for (std::size_t at = HeaderEnd; !ended;) {
        if (size - at < 12)
            return std::nullopt;
        const uint32_t length = Be32(data + at);
        if (length > size - at - 12)
            return std::nullopt;
        const uint8_t* type = data + at + 4;
        const uint8_t* body = data + at + 8;
        std::vector<uint8_t>* into = std::memcmp(type, "JDAT", 4) == 0   ? &colour
                                     : std::memcmp(type, "IDAT", 4) == 0 ? &zlibAlpha
                                     : std::memcmp(type, "JDAA", 4) == 0 ? &jpegAlpha
                                                                         : nullptr;
        if (into)
            into->insert(into->end(), body, body + length);
        ended = std::memcmp(type, "IEND", 4) == 0;
        at += 12 + std::size_t{length};
    }
    const auto rgb = DecodeStbJpeg(colour.data(), colour.size(), 3, j->Width, j->Height);
    if (!rgb)
        return std::nullopt;
    std::optional<std::vector<uint8_t>> alpha;
    if (j->AlphaDepth) {
        alpha = j->AlphaJpeg
                    ? DecodeStbJpeg(jpegAlpha.data(), jpegAlpha.size(), 1, j->Width, j->Height)
                    : ZlibAlpha(zlibAlpha, *j);
        if (!alpha)
            return std::nullopt;
    }
    auto out = NewOwnPicture(input.Header);
    if (!out)
        return std::nullopt;
    for (std::size_t i = 0; i < std::size_t{j->Width} * j->Height; ++i) {
        uint8_t* p = &out->Bitmap.Pixels[i * 4];
        p[0] = (*rgb)[i * 3 + 2];
        p[1] = (*rgb)[i * 3 + 1];
        p[2] = (*rgb)[i * 3];
        p[3] = alpha ? (*alpha)[i] : 255;
    }
    SettleAlpha(*out, j->AlphaDepth != 0);
    return out;
}
