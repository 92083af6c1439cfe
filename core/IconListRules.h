// The icon list box's rules without windows: wheel notches and where an
// item's picture goes.
#pragma once

// Turns wheel deltas into whole notches of 120, carrying what is left over
// to the next turn in the same direction, so small deltas add up and never
// scroll the wrong way.
class WheelNotches {
  public:
    // Whole notches of this turn: > 0 up (or left), < 0 down (or right).
    int Take(int delta);
    int Carry() const { return carry_; }

  private:
    int carry_ = 0;
};

// The offset that centres a picture of `picture` pixels in `extent` pixels,
// rounded half to even.
int CentredOffset(int extent, int picture);
