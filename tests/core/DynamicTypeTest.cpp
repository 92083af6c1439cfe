#include "core/DynamicType.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Hands out a byte array in pieces of at most `piece` bytes and counts what
// was asked for.
class MemoryStream final : public ByteStream {
  public:
    explicit MemoryStream(const Bytes& data, std::size_t piece = SIZE_MAX)
        : data_(data), piece_(piece) {}
    std::size_t Read(uint8_t* buffer, std::size_t count) override {
        std::size_t n = std::min({count, piece_, data_.size() - pos_});
        std::copy_n(data_.data() + pos_, n, buffer);
        pos_ += n;
        return n;
    }
    std::size_t Consumed() const { return pos_; }

  private:
    const Bytes& data_;
    std::size_t piece_;
    std::size_t pos_ = 0;
};

// A bit-packed RECT: N, Xmin, Xmax, Ymin, Ymax, most significant bit first.
Bytes Rect(unsigned n, uint32_t xmin, uint32_t xmax, uint32_t ymin, uint32_t ymax) {
    std::vector<bool> bits;
    auto put = [&](uint32_t value, unsigned count) {
        for (unsigned i = count; i-- > 0;)
            bits.push_back((value >> i) & 1u);
    };
    put(n, 5);
    for (uint32_t v : {xmin, xmax, ymin, ymax})
        put(v, n);
    Bytes out((bits.size() + 7) / 8);
    for (std::size_t i = 0; i < bits.size(); ++i)
        if (bits[i])
            out[i / 8] |= static_cast<uint8_t>(0x80u >> (i % 8));
    return out;
}

Bytes Header(const char* signature, uint32_t length) {
    Bytes out(signature, signature + 3);
    out.push_back(10); // version
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(length >> (8 * i)));
    return out;
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The rest of a movie after its RECT: frame rate, frame count, end tag.
const Bytes MovieRest = {0x00, 0x18, 0x01, 0x00, 0x00, 0x00};

Bytes Zlib(const Bytes& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    Bytes out(size);
    EXPECT_EQ(compress(out.data(), &size, data.data(), static_cast<uLong>(data.size())), Z_OK);
    out.resize(size);
    return out;
}

Bytes Fws(const Bytes& rect) {
    return Concat(Concat(Header("FWS", 0), rect), MovieRest);
}
Bytes Cws(const Bytes& rect, uint32_t length = 100) {
    return Concat(Header("CWS", length), Zlib(Concat(rect, MovieRest)));
}

DynamicContent Detect(const Bytes& file, std::size_t piece = SIZE_MAX) {
    MemoryStream stream(file, piece);
    return DynamicContent(DetectDynamicContent(stream));
}

Bytes Text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

DynamicKind Kind(const std::string& s) {
    return Detect(Text(s)).Kind;
}

} // namespace

TEST(DynamicType, KindTexts) {
    EXPECT_EQ(DynamicKindText(DynamicKind::Flash), "Flash");
    EXPECT_EQ(DynamicKindText(DynamicKind::Html), "HTML");
    EXPECT_EQ(DynamicKindText(DynamicKind::None), "");
}

TEST(DynamicType, UncompressedMovieFrameSize) {
    DynamicContent c = Detect(Fws(Rect(15, 0, 11000, 0, 8000)));
    EXPECT_EQ(c.Kind, DynamicKind::Flash);
    EXPECT_EQ(c.Frame, FrameStatus::Ok);
    EXPECT_EQ(c.Width, 550);
    EXPECT_EQ(c.Height, 400);
}

TEST(DynamicType, TwipsRoundHalfToEven) {
    struct Case {
        uint32_t twips;
        int32_t pixels;
    } cases[] = {{10, 0}, {30, 2}, {50, 2}, {70, 4}, {11, 1}, {9, 0}, {29, 1}, {31, 2}, {0, 0}};
    for (const Case& k : cases) {
        DynamicContent c = Detect(Fws(Rect(12, 0, k.twips, 0, k.twips)));
        EXPECT_EQ(c.Width, k.pixels) << k.twips;
        EXPECT_EQ(c.Height, k.pixels) << k.twips;
    }
}

TEST(DynamicType, MinimaAreSkippedNotSubtracted) {
    DynamicContent c = Detect(Fws(Rect(16, 2000, 4000, 1000, 3000)));
    EXPECT_EQ(c.Width, 200);
    EXPECT_EQ(c.Height, 150);
}

TEST(DynamicType, WidestFieldsReadUnsigned) {
    // 31-bit fields with the top bit set would be negative when signed.
    DynamicContent c = Detect(Fws(Rect(31, 0, 0x7FFFFFFFu, 0, 0x40000000u)));
    EXPECT_EQ(c.Frame, FrameStatus::Ok);
    EXPECT_EQ(c.Width, 107374182); // 2147483647 / 20 = 107374182.35
    EXPECT_EQ(c.Height, 53687091); // 1073741824 / 20 = 53687091.2
    DynamicContent zero = Detect(Fws(Rect(0, 0, 0, 0, 0)));
    EXPECT_EQ(zero.Frame, FrameStatus::Ok);
    EXPECT_EQ(zero.Width, 0);
}

TEST(DynamicType, CompressedMovieFrameSize) {
    for (std::size_t piece : {std::size_t{1}, std::size_t{7}, SIZE_MAX}) {
        DynamicContent c = Detect(Cws(Rect(15, 0, 11000, 0, 8000)), piece);
        EXPECT_EQ(c.Kind, DynamicKind::Flash);
        EXPECT_EQ(c.Frame, FrameStatus::Ok);
        EXPECT_EQ(c.Width, 550);
        EXPECT_EQ(c.Height, 400);
    }
}

TEST(DynamicType, CompressedLengthIsNotTrusted) {
    // The header's length is neither allocated nor needed: a tiny movie
    // that claims 4 GB, or 0 bytes, still gives its size.
    for (uint32_t length : {0u, 1u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        DynamicContent c = Detect(Cws(Rect(15, 0, 6400, 0, 4800), length));
        EXPECT_EQ(c.Frame, FrameStatus::Ok) << length;
        EXPECT_EQ(c.Width, 320);
        EXPECT_EQ(c.Height, 240);
    }
}

TEST(DynamicType, CompressedMovieReadOnlyAsFarAsTheRect) {
    // A large movie that hardly compresses: the rest of it is never read.
    Bytes noise(1 << 20);
    uint32_t state = 1;
    for (uint8_t& b : noise) {
        state = state * 1103515245u + 12345u;
        b = static_cast<uint8_t>(state >> 23);
    }
    Bytes body = Concat(Rect(15, 0, 11000, 0, 8000), noise);
    Bytes file = Concat(Header("CWS", static_cast<uint32_t>(body.size() + 8)), Zlib(body));
    ASSERT_GT(file.size(), 1000000u);
    MemoryStream stream(file);
    DynamicContent c = DetectDynamicContent(stream);
    EXPECT_EQ(c.Width, 550);
    EXPECT_EQ(c.Height, 400);
    EXPECT_LE(stream.Consumed(), 200u + 4096u);
}

TEST(DynamicType, CompressedRectBeyondTheHead) {
    // A zlib stream that starts with 100 empty stored blocks, so that the
    // RECT comes far past the first 200 bytes of the file.
    Bytes stream = {0x78, 0x01};
    for (int i = 0; i < 100; ++i)
        stream.insert(stream.end(), {0x00, 0x00, 0x00, 0xFF, 0xFF});
    Bytes body = Concat(Rect(15, 0, 2000, 0, 1000), MovieRest);
    auto len = static_cast<uint16_t>(body.size());
    stream.insert(stream.end(), {0x01, static_cast<uint8_t>(len), static_cast<uint8_t>(len >> 8),
                                 static_cast<uint8_t>(~len), static_cast<uint8_t>(~len >> 8)});
    stream = Concat(stream, body);
    uLong sum = adler32(adler32(0, nullptr, 0), body.data(), static_cast<uInt>(body.size()));
    for (int shift = 24; shift >= 0; shift -= 8)
        stream.push_back(static_cast<uint8_t>(sum >> shift));
    for (std::size_t piece : {std::size_t{13}, SIZE_MAX}) {
        DynamicContent c = Detect(Concat(Header("CWS", 50), stream), piece);
        EXPECT_EQ(c.Frame, FrameStatus::Ok);
        EXPECT_EQ(c.Width, 100);
        EXPECT_EQ(c.Height, 50);
    }
    // The same stream cut inside its empty blocks does not inflate.
    Bytes cut(stream.begin(), stream.begin() + 300);
    EXPECT_EQ(Detect(Concat(Header("CWS", 50), cut)).Frame, FrameStatus::BadStream);
}

TEST(DynamicType, BrokenCompressedDataGivesZeroSize) {
    Bytes garbage = Concat(Header("CWS", 100), Text("this is not a zlib stream at all"));
    DynamicContent c = Detect(garbage);
    EXPECT_EQ(c.Kind, DynamicKind::Flash);
    EXPECT_EQ(c.Frame, FrameStatus::BadStream);
    EXPECT_EQ(c.Width, 0);
    EXPECT_EQ(c.Height, 0);

    // The file ends inside the compressed stream, before the RECT is whole.
    Bytes whole = Cws(Rect(15, 0, 11000, 0, 8000));
    for (std::size_t keep : {std::size_t{3}, std::size_t{8}, std::size_t{9}, std::size_t{11}}) {
        Bytes cut(whole.begin(), whole.begin() + keep);
        EXPECT_EQ(Detect(cut).Frame, FrameStatus::BadStream) << keep;
    }
}

TEST(DynamicType, ShortMovieDataIsTruncated) {
    // A stream that ends properly after one byte of a 61-bit RECT.
    Bytes oneByte = Concat(Header("CWS", 9), Zlib(Bytes{0x78}));
    DynamicContent c = Detect(oneByte);
    EXPECT_EQ(c.Frame, FrameStatus::Truncated);
    EXPECT_EQ(c.Width, 0);
    EXPECT_EQ(c.Height, 0);

    // An uncompressed file that stops inside its RECT, or after "FWS".
    Bytes rect = Rect(15, 0, 11000, 0, 8000);
    Bytes cut = Concat(Header("FWS", 0), Bytes(rect.begin(), rect.begin() + 5));
    EXPECT_EQ(Detect(cut).Frame, FrameStatus::Truncated);
    EXPECT_EQ(Detect(Text("FWS")).Kind, DynamicKind::Flash);
    EXPECT_EQ(Detect(Text("FWS")).Frame, FrameStatus::Truncated);
    // The same RECT whole is enough, with nothing after it.
    EXPECT_EQ(Detect(Concat(Header("FWS", 0), rect)).Frame, FrameStatus::Ok);
}

TEST(DynamicType, FlashSignatureIsCaseSensitive) {
    EXPECT_EQ(Kind("fws rest"), DynamicKind::None);
    EXPECT_EQ(Kind("Cws rest"), DynamicKind::None);
    EXPECT_EQ(Kind("ZWS rest"), DynamicKind::None);
    EXPECT_EQ(Kind(" FWS"), DynamicKind::None);
}

TEST(DynamicType, HtmlByTags) {
    EXPECT_EQ(Kind("<html><p>x"), DynamicKind::Html);
    EXPECT_EQ(Kind("<HTML>"), DynamicKind::Html);
    EXPECT_EQ(Kind("text <BoDy bgcolor=red>"), DynamicKind::Html);
    EXPECT_EQ(Kind("<head>"), DynamicKind::Html);
    EXPECT_EQ(Kind("<Title>x"), DynamicKind::Html);
    // A closing tag of any kind with no listed tag.
    EXPECT_EQ(Kind("Some text.</p>"), DynamicKind::Html);
    // Only an opening bold tag: not a page.
    EXPECT_EQ(Kind("<b>bold"), DynamicKind::None);
    EXPECT_EQ(Kind("a </ without its end"), DynamicKind::None);
    EXPECT_EQ(Kind("plain text"), DynamicKind::None);
    EXPECT_EQ(Kind(""), DynamicKind::None);
    // A document type line by itself counts when it declares HTML.
    EXPECT_EQ(Kind("<!DOCTYPE html>\r\n"), DynamicKind::Html);
    EXPECT_EQ(Kind("<!DOCTYPE svg>\r\n"), DynamicKind::None);
}

TEST(DynamicType, HtmlOnlyInTheFirst200Bytes) {
    EXPECT_EQ(Kind(std::string(195, 'x') + "<html>"), DynamicKind::Html);
    EXPECT_EQ(Kind(std::string(196, 'x') + "<html>"), DynamicKind::None);
    // Bytes of any value, NULs included, before the tag.
    std::string binary(100, '\0');
    binary[7] = '\xFF';
    EXPECT_EQ(Kind(binary + "<title>"), DynamicKind::Html);
}

TEST(DynamicType, ReadFrameRectNeedsTheWholeRect) {
    Bytes rect = Rect(15, 0, 11000, 0, 8000); // 65 bits: 9 bytes
    ASSERT_EQ(rect.size(), 9u);
    int32_t w = -1, h = -1;
    EXPECT_FALSE(ReadFrameRect(rect.data(), 8, w, h));
    EXPECT_FALSE(ReadFrameRect(rect.data(), 0, w, h));
    EXPECT_EQ(w, -1);
    EXPECT_TRUE(ReadFrameRect(rect.data(), 9, w, h));
    EXPECT_EQ(w, 550);
    EXPECT_EQ(h, 400);
}

TEST(DynamicType, FailingReadReachesTheCaller) {
    // A compressed movie whose RECT lies past the head, read from a file
    // that fails after its first 200 bytes: the failure goes to the caller
    // (and the inflater is released, which the leak checker watches).
    class FailingStream final : public ByteStream {
      public:
        std::size_t Read(uint8_t* buffer, std::size_t count) override {
            if (served_)
                throw std::runtime_error("read failed");
            served_ = true;
            Bytes head = {'C', 'W', 'S', 10, 0, 0, 0, 0, 0x78, 0x01};
            while (head.size() < 200)
                head.insert(head.end(), {0x00, 0x00, 0x00, 0xFF, 0xFF});
            std::size_t n = std::min(count, head.size());
            std::copy_n(head.data(), n, buffer);
            return n;
        }

      private:
        bool served_ = false;
    } stream;
    EXPECT_THROW(DetectDynamicContent(stream), std::runtime_error);
}
