// Image controls: a picture without a window of its own, painted by its
// container (under the labels) and told of mouse moves through it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

class Control;

class ImageControl {
  public:
    explicit ImageControl(Control& extender) : extender_(extender) {}
    ImageControl(const ImageControl&) = delete;
    ImageControl& operator=(const ImageControl&) = delete;

    // Stretched, the picture fills the control; otherwise it shows at its
    // natural size, and the control takes that size.
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    // A copy of a BGRA picture, top row first; no pixels or an empty size
    // clear it.
    void SetPicture(const uint8_t* bgra, int width, int height);
    void SetPicture(const ImageControl& other);
    void ClearPicture() { SetPicture(nullptr, 0, 0); }
    bool HasPicture() const { return !pixels_.empty(); }
    int PictureWidth() const { return width_; }
    int PictureHeight() const { return height_; }
    const std::vector<uint8_t>& Pixels() const { return pixels_; }

    // Draws the picture in the control's place of its container's client area.
    void Paint(HDC dc) const;

  private:
    friend class Control;
    void Reset(bool stretch);
    void FitToPicture();

    Control& extender_;
    bool stretch_ = false;
    int width_ = 0, height_ = 0;
    std::vector<uint8_t> pixels_;
};
