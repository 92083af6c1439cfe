// The parts of the screen a frame changes, for effects that redraw and copy
// only those. The boxes never overlap, so every pixel in them is redrawn
// exactly once (blending a pixel twice would change it); a frame whose
// boxes cover most of the screen is drawn whole instead.
#pragma once

#include <cstdint>
#include <vector>

// The pixels Left <= x < Right, Top <= y < Bottom.
struct PixelBox {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Empty() const { return Left >= Right || Top >= Bottom; }
    int64_t Area() const;
    bool operator==(const PixelBox& o) const {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
};

// The part of a w x h picture at x, y that lies on a width x height screen;
// empty when none does. Worked in 64 bits: a hostile position plus a size
// passes the int32_t range.
PixelBox BoxOnScreen(int32_t x, int32_t y, int32_t w, int32_t h, int32_t width, int32_t height);

// The pixels in both; empty when none.
PixelBox Intersection(const PixelBox& a, const PixelBox& b);

class DirtyRects {
  public:
    // A new frame on a width x height screen: nothing changed yet. The
    // storage of the boxes is kept for the next frame.
    void Start(int32_t width, int32_t height);
    // Everything changed (a first frame, a screen painted over).
    void AddWhole() { whole_ = true; }
    // A changed box, cut to the screen. One that overlaps boxes already held
    // is merged with them into the box bounding them all, again until it
    // meets none.
    void Add(const PixelBox& box);

    // True when the whole screen is to be drawn: asked for, or the boxes
    // cover more than half of it (then one copy beats many).
    bool Whole() const;
    const std::vector<PixelBox>& Boxes() const { return boxes_; }

  private:
    int32_t width_ = 0, height_ = 0;
    bool whole_ = false;
    std::vector<PixelBox> boxes_; // pairwise disjoint
};
