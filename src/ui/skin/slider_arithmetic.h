#pragma once
// The bitmap slider's position arithmetic, kept apart so it can be checked number by number.
namespace talon {

// position = min + (x + 10) / width * (max - min), in floating point, truncated toward zero,
// then kept within min..max. A range or width of 0 gives min.
int SliderPositionFromX(int x, int width, int min, int max);

// pixel = (position - min) / (max - min) * width, truncated; 0 for an empty range.
int SliderPixelOfPosition(int position, int width, int min, int max);

// Mouse wheel: every full notch (a delta of 120) moves the position by one step, towards min
// when turned away from the user (positive delta) and towards max when turned towards the user.
// Partial deltas (fine-grained wheels and touchpads) add up until they make a notch.
class WheelSteps {
 public:
  // The position change for this delta.
  int Add(int delta);

 private:
  int pending_ = 0;
};

}  // namespace talon
