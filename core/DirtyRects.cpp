#include "core/DirtyRects.h"

#include <algorithm>

namespace {

int32_t Clamp(int64_t v, int32_t low, int32_t high) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, low, high));
}

bool Overlap(const PixelBox& a, const PixelBox& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

} // namespace

int64_t PixelBox::Area() const {
    return Empty() ? 0 : static_cast<int64_t>(Right - Left) * (Bottom - Top);
}

PixelBox BoxOnScreen(int32_t x, int32_t y, int32_t w, int32_t h, int32_t width, int32_t height) {
    if (w <= 0 || h <= 0 || width <= 0 || height <= 0)
        return {};
    PixelBox b{Clamp(x, 0, width), Clamp(y, 0, height), Clamp(int64_t{x} + w, 0, width),
               Clamp(int64_t{y} + h, 0, height)};
    return b.Empty() ? PixelBox{} : b;
}

PixelBox Intersection(const PixelBox& a, const PixelBox& b) {
    if (!Overlap(a, b))
        return {};
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
}

void DirtyRects::Start(int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
    whole_ = false;
    boxes_.clear();
}

void DirtyRects::Add(const PixelBox& box) {
    PixelBox b = Intersection(box, PixelBox{0, 0, width_, height_});
    if (b.Empty())
        return;
    // Each merge removes a held box, so this ends; the merged box may reach
    // boxes it missed before, hence the new pass after each.
    for (size_t i = 0; i < boxes_.size();) {
        if (!Overlap(boxes_[i], b)) {
            ++i;
            continue;
        }
        const PixelBox& o = boxes_[i];
        b = {std::min(b.Left, o.Left), std::min(b.Top, o.Top), std::max(b.Right, o.Right),
             std::max(b.Bottom, o.Bottom)};
        boxes_[i] = boxes_.back();
        boxes_.pop_back();
        i = 0;
    }
    boxes_.push_back(b);
}

bool DirtyRects::Whole() const {
    int64_t covered = 0; // the boxes never overlap
    for (const PixelBox& b : boxes_)
        covered += b.Area();
    return whole_ || 2 * covered > static_cast<int64_t>(width_) * height_;
}
