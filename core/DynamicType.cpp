#include "core/DynamicType.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <string>

namespace {

// The largest RECT: 5 + 4 * 31 bits.
constexpr std::size_t RectMaxBytes = (5 + 4 * 31 + 7) / 8;
// Where the RECT starts in an uncompressed movie; in a compressed one the
// data after these bytes is deflated.
constexpr std::size_t FlashHeaderSize = 8;

class BitReader {
  public:
    BitReader(const uint8_t* data, std::size_t size) : data_(data), bits_(size * 8) {}
    bool Has(std::size_t count) const { return count <= bits_ - pos_; }
    uint32_t Take(unsigned count) {
        uint32_t value = 0;
        for (unsigned i = 0; i < count; ++i, ++pos_)
            value = (value << 1) | ((data_[pos_ / 8] >> (7 - pos_ % 8)) & 1u);
        return value;
    }

  private:
    const uint8_t* data_;
    std::size_t bits_;
    std::size_t pos_ = 0;
};

// Twips to pixels, halves to even.
int32_t TwipsToPixels(uint32_t twips) {
    uint32_t whole = twips / 20, rest = twips % 20;
    if (rest > 10 || (rest == 10 && (whole & 1u)))
        ++whole;
    return static_cast<int32_t>(whole);
}

std::size_t ReadFully(ByteStream& file, uint8_t* buffer, std::size_t count) {
    std::size_t got = 0;
    while (got < count) {
        std::size_t n = file.Read(buffer + got, count - got);
        if (n == 0)
            break;
        got += n;
    }
    return got;
}

// Inflates the data after a compressed movie's header into `out`, stopping as
// soon as `out` is full. `already` holds the compressed bytes read with the
// head. Returns the number of bytes inflated, or -1 when the data is not a
// whole zlib stream up to that point.
long InflatePrefix(const uint8_t* already, std::size_t alreadySize, ByteStream& file, uint8_t* out,
                   std::size_t outSize) {
    struct Inflater { // ends the stream even when a read throws
        z_stream z{};
        bool ok = inflateInit(&z) == Z_OK;
        ~Inflater() {
            if (ok)
                inflateEnd(&z);
        }
    } inflater;
    if (!inflater.ok)
        return -1;
    z_stream& z = inflater.z;
    std::array<uint8_t, 4096> chunk{};
    z.next_in = const_cast<Bytef*>(already);
    z.avail_in = static_cast<uInt>(alreadySize);
    z.next_out = out;
    z.avail_out = static_cast<uInt>(outSize);
    bool fileEnded = false;
    for (;;) {
        if (z.avail_in == 0 && !fileEnded) {
            std::size_t n = file.Read(chunk.data(), chunk.size());
            fileEnded = n == 0;
            z.next_in = chunk.data();
            z.avail_in = static_cast<uInt>(n);
        }
        int rc = inflate(&z, Z_NO_FLUSH);
        if (z.avail_out == 0 || rc == Z_STREAM_END)
            return static_cast<long>(outSize - z.avail_out);
        if (rc == Z_BUF_ERROR && !fileEnded)
            continue; // wants more input
        if (rc != Z_OK)
            return -1; // corrupt, or the file ended inside the stream
    }
}

bool Contains(const std::string& text, std::string_view what) {
    return text.find(what) != std::string::npos;
}

} // namespace

std::string_view DynamicKindText(DynamicKind kind) {
    switch (kind) {
    case DynamicKind::Flash:
        return "Flash";
    case DynamicKind::Html:
        return "HTML";
    default:
        return "";
    }
}

DynamicKind SniffDynamicKind(const uint8_t* head, std::size_t size) {
    std::string text(DynamicHeadSize, ' ');
    std::copy_n(head, std::min(size, DynamicHeadSize), text.begin());
    if (text.compare(0, 3, "FWS") == 0 || text.compare(0, 3, "CWS") == 0)
        return DynamicKind::Flash;
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (std::string_view tag : {"<html", "<body", "<head", "<title", "<!doctype html"})
        if (Contains(lower, tag))
            return DynamicKind::Html;
    if (Contains(text, "</") && Contains(text, ">"))
        return DynamicKind::Html;
    return DynamicKind::None;
}

bool ReadFrameRect(const uint8_t* rect, std::size_t size, int32_t& width, int32_t& height) {
    BitReader bits(rect, size);
    if (!bits.Has(5))
        return false;
    unsigned n = bits.Take(5);
    if (!bits.Has(4 * std::size_t{n}))
        return false;
    bits.Take(n); // Xmin
    width = TwipsToPixels(bits.Take(n));
    bits.Take(n); // Ymin
    height = TwipsToPixels(bits.Take(n));
    return true;
}

DynamicContent DetectDynamicContent(ByteStream& file) {
    std::array<uint8_t, DynamicHeadSize> head{};
    std::size_t headSize = ReadFully(file, head.data(), head.size());
    DynamicContent result;
    result.Kind = SniffDynamicKind(head.data(), headSize);
    if (result.Kind != DynamicKind::Flash)
        return result;

    // The signature alone may be all there is.
    std::size_t after = headSize > FlashHeaderSize ? headSize - FlashHeaderSize : 0;
    const uint8_t* data = head.data() + FlashHeaderSize;
    bool ok;
    if (head[0] == 'F') {
        ok = ReadFrameRect(data, after, result.Width, result.Height);
    } else {
        std::array<uint8_t, RectMaxBytes> rect{};
        long got = InflatePrefix(data, after, file, rect.data(), rect.size());
        if (got < 0) {
            result.Frame = FrameStatus::BadStream;
            return result;
        }
        ok = ReadFrameRect(rect.data(), static_cast<std::size_t>(got), result.Width, result.Height);
    }
    if (!ok) {
        result.Frame = FrameStatus::Truncated;
        result.Width = result.Height = 0;
    }
    return result;
}
