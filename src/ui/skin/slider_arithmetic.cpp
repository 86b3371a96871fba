#include "ui/skin/slider_arithmetic.h"

#include <algorithm>

namespace talon {

namespace {
constexpr int kWheelNotch = 120;
}  // namespace

int SliderPositionFromX(int x, int width, int min, int max) {
  if (width <= 0 || max <= min) return min;
  const double position = min + (x + 10.0) / width * (max - min);
  return std::clamp(static_cast<int>(position), min, max);
}

int SliderPixelOfPosition(int position, int width, int min, int max) {
  if (max <= min) return 0;
  return static_cast<int>(static_cast<double>(position - min) / (max - min) * width);
}

int WheelSteps::Add(int delta) {
  pending_ += delta;
  const int notches = pending_ / kWheelNotch;  // truncated: a part notch stays pending
  pending_ -= notches * kWheelNotch;
  return -notches;
}

}  // namespace talon
