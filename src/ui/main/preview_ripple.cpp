#include "ui/main/preview_ripple.h"

#include <algorithm>

namespace talon::preview {
namespace {

constexpr std::uint8_t kAllRows = (1u << kGridRows) - 1;
constexpr int kLit = 255;

// Where the waves of effects 13, 14 and 16 start, as (row, column).
constexpr int kHeartbeatRow = 4, kHeartbeatColumn = 3;  // near the lower left
constexpr int kPRow = 2, kPColumn = 11;                 // the P key
constexpr int kLeftCtrlRow = 5, kLeftCtrlColumn = 1;
constexpr int kCornerARow = 1, kCornerAColumn = 0;   // G1: the grid's own corners hold no key
constexpr int kCornerBRow = 4, kCornerBColumn = 22;  // keypad Enter

constexpr int kSparklesPerStep = 3;
constexpr int kRainColumnsApart = 3;
constexpr int kRainNextStart = 16;
constexpr int kDemoSweepSteps = 20;
constexpr int kDemoTypingSteps = 30;

// A fixed scrambled order of the keys for effect 10: 37 and 110 share no factor, so stepping by
// 37 visits every key once per round.
constexpr std::size_t kSparkleStride = 37;

std::uint8_t Spread(std::uint8_t rows) {
  return static_cast<std::uint8_t>((rows | (rows << 1) | (rows >> 1)) & kAllRows);
}

int KeyAt(int row, int column) {
  return PreviewGrid()[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
}

}  // namespace

RippleEngine::RippleEngine(std::uint32_t seed) : random_(seed) {}

void RippleEngine::Reset() {
  for (Map& map : maps_) map.fill(0);
  level_.fill(0);
  colour_index_.fill(0);
  sparkle_next_ = 0;
  rain_column_ = 0;
  demo_phase_ = 0;
  demo_steps_ = 0;
}

bool RippleEngine::has_waves() const {
  for (const Map& map : maps_) {
    if (std::any_of(map.begin(), map.end(), [](std::uint8_t rows) { return rows != 0; })) {
      return true;
    }
  }
  return false;
}

void RippleEngine::Step(const Settings& settings, Frame& frame) {
  Decay(settings.effect);
  switch (settings.effect) {
    case 10:
      Sparkle();
      break;
    case 13:
      Move(true);
      if (!has_waves()) StartWave(kHeartbeatRow, kHeartbeatColumn);
      LightCells();
      break;
    case 14:
      Move(true);
      Demonstration();
      LightCells();
      break;
    case 15:
      Move(false);
      Rain();
      LightCells();
      break;
    case 16:
      Move(true);
      if (!has_waves()) {
        StartWave(kCornerARow, kCornerAColumn);
        StartWave(kCornerBRow, kCornerBColumn);
      }
      LightCells();
      break;
    default:
      break;
  }
  const auto& wheel = ColourWheel();
  for (std::size_t key = 0; key < frame.size(); ++key) {
    const Colour base =
        settings.colourful ? wheel[static_cast<std::size_t>(colour_index_[key])] : settings.colour;
    frame[key] = {level_[key] > 0, Dim(base, level_[key])};
  }
}

// Every map moves one cell in its direction. A spreading wave also widens across its direction,
// so the four maps together draw a growing ring.
void RippleEngine::Move(bool spread) {
  const auto widen = [spread](std::uint8_t rows) { return spread ? Spread(rows) : rows; };
  Map left{}, right{}, up{}, down{};
  for (int c = 0; c < kGridColumns; ++c) {
    const auto at = [](const Map& map, int column) -> std::uint8_t {
      return column >= 0 && column < kGridColumns ? map[static_cast<std::size_t>(column)] : 0;
    };
    const auto i = static_cast<std::size_t>(c);
    left[i] = widen(at(maps_[kLeft], c + 1));
    right[i] = widen(at(maps_[kRight], c - 1));
    const std::uint8_t upward =
        spread ? (at(maps_[kUp], c - 1) | at(maps_[kUp], c) | at(maps_[kUp], c + 1))
               : at(maps_[kUp], c);
    const std::uint8_t downward =
        spread ? (at(maps_[kDown], c - 1) | at(maps_[kDown], c) | at(maps_[kDown], c + 1))
               : at(maps_[kDown], c);
    up[i] = static_cast<std::uint8_t>(upward >> 1);
    down[i] = static_cast<std::uint8_t>((downward << 1) & kAllRows);
  }
  maps_ = {left, right, up, down};
}

void RippleEngine::StartWave(int row, int column) {
  for (Map& map : maps_)
    map[static_cast<std::size_t>(column)] |= static_cast<std::uint8_t>(1u << row);
}

bool RippleEngine::Covered(int row, int column) const {
  for (const Map& map : maps_) {
    if ((map[static_cast<std::size_t>(column)] & (1u << row)) != 0) return true;
  }
  return false;
}

void RippleEngine::LightCells() {
  for (int c = 0; c < kGridColumns; ++c) {
    std::uint8_t rows = 0;
    for (const Map& map : maps_) rows |= map[static_cast<std::size_t>(c)];
    for (int r = 0; r < kGridRows; ++r) {
      if ((rows & (1u << r)) != 0) LightKey(KeyAt(r, c));
    }
  }
}

void RippleEngine::LightColumn(int column) {
  for (int r = 0; r < kGridRows; ++r) LightKey(KeyAt(r, column));
}

void RippleEngine::LightKey(int key) {
  if (key == kNoKey) return;
  level_[static_cast<std::size_t>(key)] = kLit;
  colour_index_[static_cast<std::size_t>(key)] = static_cast<int>(random_() % kWheelSize);
}

void RippleEngine::Decay(int effect) {
  const bool fast = effect == 14;
  for (int& level : level_) {
    if (level >= 128) {
      level -= fast ? 30 : 20;
    } else if (level >= 64) {
      level -= fast ? 20 : 16;
    } else if (level >= 32) {
      level -= 10;
    } else if (level >= 17) {
      level -= 5;
    } else if (level >= 1) {
      level -= 1;
    }
    level = std::max(level, 0);
  }
}

void RippleEngine::Sparkle() {
  for (int i = 0; i < kSparklesPerStep; ++i) {
    LightKey(static_cast<int>(sparkle_next_));
    sparkle_next_ = (sparkle_next_ + kSparkleStride) % kPreviewKeys;
  }
}

// Three drops a step at the top of columns three apart; they fall down the rows.
void RippleEngine::Rain() {
  for (int i = 0; i < 3; ++i) {
    const int column = (rain_column_ + kRainColumnsApart * i) % kGridColumns;
    maps_[kDown][static_cast<std::size_t>(column)] |= 1u;
  }
  rain_column_ = (rain_column_ + kRainNextStart) % kGridColumns;
}

// A sweep across the columns, some typing, a press of P whose ripple runs until it reaches the
// left Ctrl key, and a pause until that key is dark again.
void RippleEngine::Demonstration() {
  switch (demo_phase_) {
    case 0:
      LightColumn(demo_steps_);
      if (++demo_steps_ == kDemoSweepSteps) {
        demo_phase_ = 1;
        demo_steps_ = 0;
      }
      break;
    case 1:
      for (int i = 0; i < 2; ++i) LightKey(static_cast<int>(random_() % kPreviewKeys));
      if (++demo_steps_ == kDemoTypingSteps) {
        demo_phase_ = 2;
        demo_steps_ = 0;
      }
      break;
    case 2:
      StartWave(kPRow, kPColumn);
      demo_phase_ = 3;
      break;
    case 3:
      if (Covered(kLeftCtrlRow, kLeftCtrlColumn)) demo_phase_ = 4;  // lit by this step
      break;
    default:
      if (level(KeyAt(kLeftCtrlRow, kLeftCtrlColumn)) == 0) demo_phase_ = 0;
      break;
  }
}

}  // namespace talon::preview
