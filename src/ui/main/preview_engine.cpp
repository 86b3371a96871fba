#include "ui/main/preview_engine.h"

namespace talon::preview {
namespace {

constexpr std::uint8_t kForward = 255;
constexpr int kWheelSpacing = 33;  // effect 11: the phase between one key and the next
constexpr int kWheelStep = 3;
constexpr int kShockwaveStep = 2;
constexpr int kShockwaveRingSpacing = 21;

Tint Lit(Colour colour) {
  return {true, colour};
}

const Colour& WheelAt(int index) {
  return ColourWheel()[static_cast<std::size_t>(index % kWheelSize)];
}

}  // namespace

bool PreviewEngine::Step(const Settings& s) {
  if (!started_) {
    ripples_.Reset();
    wheel_laid_out_ = false;
    started_ = true;
  }
  switch (s.effect) {
    case 1:
      Wave(s);
      break;
    case 2:
      Stream(s);
      break;
    case 3:
      Sweep(s);
      break;
    case 4:
      Cycle(s);
      break;
    case 5:
      Breath(s);
      break;
    case 6:
      Still(s);
      break;
    case 11:
      Wheel();
      break;
    case 12:
      Waterfall(s);
      break;
    case 18:
      Shockwave(s);
      break;
    case 10:
    case 13:
    case 14:
    case 15:
    case 16:
      ripples_.Step(s, frame_);
      break;
    case kMaxEffect:
      return false;
    default:  // 7, 8, 9, 17 and numbers without a preview: dark
      PaintAll({});
      break;
  }
  return true;
}

template <class F>
void PreviewEngine::PaintColumns(F tint) {
  const Grid& grid = PreviewGrid();
  for (int c = 0; c < kGridColumns; ++c) {
    const Tint t = tint(c);
    for (int key : grid[static_cast<std::size_t>(c)]) {
      if (key != kNoKey) frame_[static_cast<std::size_t>(key)] = t;
    }
  }
}

template <class F>
void PreviewEngine::PaintRows(F tint) {
  const Grid& grid = PreviewGrid();
  for (int c = 0; c < kGridColumns; ++c) {
    for (int r = 0; r < kGridRows; ++r) {
      const int key = grid[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)];
      if (key != kNoKey) frame_[static_cast<std::size_t>(key)] = tint(r);
    }
  }
}

void PreviewEngine::PaintAll(Tint tint) {
  frame_.fill(tint);
}

void PreviewEngine::Wave(const Settings& s) {
  int& phase = Phase(1);
  const bool forward = s.direction == kForward;
  if (s.colourful) {
    phase = preview::Step(forward, phase, 9, kWheelSize);
    PaintColumns([&](int c) { return Lit(WheelAt(phase + 9 * c)); });
  } else {
    phase = preview::Step(forward, phase, 7, 96);
    PaintColumns([&](int c) { return Lit(Dim(s.colour, Ramp96()[(phase + 7 * c) % 96])); });
  }
}

void PreviewEngine::Stream(const Settings& s) {
  int& phase = Phase(2);
  const bool forward = s.direction == kForward;
  if (s.colourful) {
    phase = preview::Step(forward, phase, 4, kWheelSize);
    PaintColumns([&](int c) { return Lit(WheelAt(phase + 5 * c)); });
  } else {
    phase = (phase + 4) % 128;
    PaintColumns([&](int c) {
      const int at = preview::Step(forward, phase, 5 * (c + 1), 128);
      return Lit(Dim(s.colour, PulseRamp()[static_cast<std::size_t>(at)]));
    });
  }
}

void PreviewEngine::Sweep(const Settings& s) {
  int& phase = Phase(3);
  const bool forward = s.direction == kForward;
  if (s.colourful) {
    phase = preview::Step(forward, phase, 4, kWheelSize);
    for (int n = 0; n < kPreviewKeys; ++n)
      frame_[static_cast<std::size_t>(n)] = Lit(WheelAt(phase + 5 * n));
  } else {
    phase = preview::Step(forward, phase, 4, 96);
    for (int n = 0; n < kPreviewKeys; ++n) {
      frame_[static_cast<std::size_t>(n)] =
          Lit(Dim(s.colour, Ramp96()[static_cast<std::size_t>((phase + 5 * n) % 96)]));
    }
  }
}

// The whole keyboard turns through the wheel, whatever colour is stored.
void PreviewEngine::Cycle(const Settings& s) {
  int& phase = Phase(4);
  phase = preview::Step(s.direction == kForward, phase, 2, kWheelSize);
  PaintAll(Lit(WheelAt(phase)));
}

void PreviewEngine::Breath(const Settings& s) {
  int& phase = Phase(5);
  phase = (phase + 2) % 128;
  const int level = Ramp128()[static_cast<std::size_t>(phase)];
  PaintColumns([&](int c) {
    const Colour base = s.colourful ? WheelAt(7 * c) : s.colour;
    return Lit(Dim(base, level));
  });
}

void PreviewEngine::Still(const Settings& s) {
  if (s.colourful) {
    PaintColumns([](int c) { return Lit(WheelAt(9 * c < kWheelSize ? 9 * c : 0)); });
  } else {
    PaintAll(Lit(s.colour));
  }
}

void PreviewEngine::Wheel() {
  if (!wheel_laid_out_) {
    int phase = kWheelSpacing;
    for (int& p : wheel_phases_) {
      p = phase;
      phase += kWheelSpacing;
      if (phase > kWheelSize) phase -= kWheelSize;
    }
    wheel_laid_out_ = true;
  }
  for (std::size_t n = 0; n < wheel_phases_.size(); ++n) {
    int& p = wheel_phases_[n];
    p += kWheelStep;
    if (p >= kWheelSize) p = 0;
    frame_[n] = Lit(WheelAt(p));
  }
}

void PreviewEngine::Waterfall(const Settings& s) {
  int& phase = Phase(12);
  phase = preview::Step(s.direction == kForward, phase, 3, kWheelSize);
  PaintRows([&](int r) { return Lit(WheelAt(phase + 32 * r)); });
}

void PreviewEngine::Shockwave(const Settings& s) {
  int& phase = Phase(18);
  if (s.direction == kForward) {
    phase += kShockwaveStep;
    if (phase >= kWheelSize) phase = 0;
  } else {
    phase -= kShockwaveStep;
    if (phase < 0) phase = kWheelSize;
  }
  const auto& rings = ShockwaveRings();
  for (std::size_t n = 0; n < rings.size(); ++n) {
    frame_[n] = Lit(WheelAt(phase + kShockwaveRingSpacing * (rings[n] + 1)));
  }
}

}  // namespace talon::preview
