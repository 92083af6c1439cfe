#include "core/PnmTextPicture.h"

#include "core/PictureBytes.h"

#include <algorithm>
#include <vector>

namespace {

// Blanks and "#" comments between numbers, as the formats allow them.
class TextCursor {
  public:
    TextCursor(const uint8_t* data, std::size_t size, std::size_t at = 0)
        : data_(data), size_(size), at_(at) {}
    std::size_t At() const { return at_; }
    void SkipBlanks() {
        while (at_ < size_) {
            if (data_[at_] == '#')
                while (at_ < size_ && data_[at_] != '\n' && data_[at_] != '\r')
                    ++at_;
            else if (IsBlank(data_[at_]))
                ++at_;
            else
                return;
        }
    }
    // A number of up to 65535 after blanks; `digits` 1 takes one digit only
    // (plain bitmaps may leave out the blanks).
    std::optional<uint32_t> Number(int digits = 5) {
        SkipBlanks();
        uint32_t value = 0;
        int got = 0;
        while (got < digits && at_ < size_ && data_[at_] >= '0' && data_[at_] <= '9') {
            value = value * 10 + (data_[at_++] - '0');
            if (value > 65535)
                return std::nullopt;
            ++got;
        }
        return got > 0 ? std::optional<uint32_t>(value) : std::nullopt;
    }
    static bool IsBlank(uint8_t c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    }

  private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t at_;
};

struct TextHeader {
    PictureHeader Header;
    std::size_t PixelsAt;
};

// Any of P1 to P6 (the caller checks which): the numbers, then one blank
// that ends the header.
std::optional<TextHeader> Parse(const uint8_t* data, std::size_t size) {
    if (size < 3)
        return std::nullopt;
    const char kind = static_cast<char>(data[1]);
    const bool bitmap = kind == '1' || kind == '4';
    TextCursor text(data, size, 2);
    const auto width = text.Number(), height = text.Number();
    const auto maximum = bitmap ? std::optional<uint32_t>(1) : text.Number();
    // The binary pixels start right after the blank.
    if (!width || !height || !maximum || *width == 0 || *height == 0 || *maximum == 0 ||
        text.At() >= size || !TextCursor::IsBlank(data[text.At()]))
        return std::nullopt;
    const std::size_t at = text.At() + 1;
    const uint64_t samples = uint64_t{*width} * *height * (kind == '3' || kind == '6' ? 3 : 1);
    const bool binary = kind == '5' || kind == '6';
    const uint64_t least = kind == '4'   ? (uint64_t{*width} + 7) / 8 * *height
                           : binary      ? samples * (*maximum > 255 ? 2 : 1)
                           : kind == '1' ? samples
                                         : 2 * samples - 1; // digits and blanks
    return TextHeader{{binary ? PictureFormat::Pnm : PictureFormat::PnmText, *width, *height,
                       at + least, *maximum},
                      at};
}

// The header of a file whose kind `isKind` accepts.
std::optional<PictureHeader> ReadHeader(TailSource& file,
                                        bool (*isKind)(const uint8_t*, std::size_t)) {
    const std::vector<uint8_t> start = ReadTextHeader(file);
    const auto parsed =
        isKind(start.data(), start.size()) ? Parse(start.data(), start.size()) : std::nullopt;
    return parsed ? std::optional<PictureHeader>(parsed->Header) : std::nullopt;
}

bool IsPnmBinaryPicture(const uint8_t* start, std::size_t size) {
    return size >= 3 && start[0] == 'P' && (start[1] == '5' || start[1] == '6');
}

uint8_t Scaled(uint32_t sample, uint32_t maximum) {
    return static_cast<uint8_t>((sample * 255 + maximum / 2) / maximum);
}

} // namespace

bool IsPnmTextPicture(const uint8_t* start, std::size_t size) {
    return size >= 3 && start[0] == 'P' && start[1] >= '1' && start[1] <= '4' &&
           (TextCursor::IsBlank(start[2]) || start[2] == '#');
}

std::optional<PictureHeader> ReadPnmTextHeader(TailSource& file) {
    return ReadHeader(file, &IsPnmTextPicture);
}

std::optional<PictureHeader> ReadPnmBinaryHeader(TailSource& file) {
    return ReadHeader(file, &IsPnmBinaryPicture);
}

std::optional<StbPicture> DecodePnmTextPicture(const OwnPictureInput& input) {
    if (!IsPnmTextPicture(input.Data, input.Size))
        return std::nullopt;
    const auto parsed = Parse(input.Data, std::min(input.Size, TextHeaderLimit));
    auto out = NewOwnPicture(input.Header);
    if (!parsed || !out)
        return std::nullopt;
    const char kind = static_cast<char>(input.Data[1]);
    const uint32_t width = input.Header.Width, maximum = input.Header.MaxSample;
    const std::size_t count = std::size_t{width} * input.Header.Height;
    uint8_t* p = out->Bitmap.Pixels.data();
    if (kind == '4') {
        const uint8_t* row = input.Data + parsed->PixelsAt;
        const std::size_t stride = (width + 7) / 8;
        for (std::size_t i = 0; i < count; ++i, p += 4) {
            const std::size_t x = i % width;
            if (x == 0 && i > 0)
                row += stride;
            p[0] = p[1] = p[2] = PackedAt(row, x, 1) ? 0 : 255;
        }
        return out;
    }
    TextCursor text(input.Data, input.Size, parsed->PixelsAt);
    for (std::size_t i = 0; i < count; ++i, p += 4) {
        if (kind == '1') {
            const auto bit = text.Number(1);
            if (!bit || *bit > 1)
                return std::nullopt;
            p[0] = p[1] = p[2] = *bit ? 0 : 255;
            continue;
        }
        for (int c = 0; c < (kind == '3' ? 3 : 1); ++c) {
            const auto sample = text.Number();
            if (!sample || *sample > maximum)
                return std::nullopt;
            p[2 - c] = Scaled(*sample, maximum);
        }
        if (kind == '2')
            p[0] = p[1] = p[2];
    }
    return out;
}
