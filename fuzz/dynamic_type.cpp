// Any bytes as a logo file: the content test and the frame size reader must
// neither crash nor read outside the data, whatever length a Flash header
// claims. The first byte picks how many bytes each read hands out, so that
// reads split anywhere.
#include "core/DynamicType.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

class FuzzStream final : public ByteStream {
  public:
    FuzzStream(const uint8_t* data, std::size_t size, std::size_t piece)
        : data_(data), size_(size), piece_(piece) {}
    std::size_t Read(uint8_t* buffer, std::size_t count) override {
        std::size_t n = std::min({count, piece_, size_ - pos_});
        std::copy_n(data_ + pos_, n, buffer);
        pos_ += n;
        return n;
    }

  private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t piece_;
    std::size_t pos_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    std::size_t piece = data[0] == 0 ? SIZE_MAX : data[0];
    FuzzStream stream(data + 1, size - 1, piece);
    DynamicContent content = DetectDynamicContent(stream);
    if (content.Width < 0 || content.Height < 0)
        __builtin_trap();
    int32_t w = 0, h = 0;
    (void)ReadFrameRect(data + 1, size - 1, w, h);
    return 0;
}
