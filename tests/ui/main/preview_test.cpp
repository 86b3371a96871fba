// The lighting preview's tables and its animation, as frames of key tints.
#include <gtest/gtest.h>

#include <set>

#include "model/led_index.h"
#include "ui/main/preview_engine.h"

namespace talon::preview {
namespace {

constexpr KeyId kX = 0x02D, kLeftCtrl = 0x01D, kPadEnter = 0x11C, kPad0 = 0x052;
constexpr KeyId kG1 = key::kGKeyBase + 1;
constexpr Colour kGreen = RgbColour(0, 200, 40);

Settings Effect(int effect, bool colourful, std::uint8_t direction = 255) {
  return {effect, colourful, kGreen, direction};
}

const Frame& Steps(PreviewEngine& engine, const Settings& settings, int steps) {
  for (int i = 0; i < steps; ++i) engine.Step(settings);
  return engine.frame();
}

// Every key of each grid column, with the column, once (a key in two cells: its last column).
std::vector<std::pair<int, int>> KeysByColumn() {
  std::vector<int> column(kPreviewKeys, -1);
  for (int c = 0; c < kGridColumns; ++c) {
    for (int key : PreviewGrid()[static_cast<std::size_t>(c)]) {
      if (key != kNoKey) column[static_cast<std::size_t>(key)] = c;
    }
  }
  std::vector<std::pair<int, int>> keys;
  for (int key = 0; key < kPreviewKeys; ++key)
    keys.emplace_back(key, column[static_cast<std::size_t>(key)]);
  return keys;
}

std::set<int> LitKeys(const Frame& frame) {
  std::set<int> lit;
  for (int key = 0; key < kPreviewKeys; ++key) {
    if (frame[static_cast<std::size_t>(key)].on) lit.insert(key);
  }
  return lit;
}

TEST(PreviewTablesTest, WheelRampsAndKeysAreTheNamedData) {
  const auto& wheel = ColourWheel();
  const std::pair<int, Colour> named[] = {
      {0, RgbColour(255, 1, 0)},     {31, RgbColour(255, 255, 0)}, {32, RgbColour(248, 255, 0)},
      {64, RgbColour(0, 255, 1)},    {96, RgbColour(0, 248, 255)}, {128, RgbColour(1, 0, 255)},
      {160, RgbColour(255, 0, 248)}, {191, RgbColour(255, 0, 0)}};
  for (const auto& [index, colour] : named) EXPECT_EQ(wheel[index], colour) << index;

  EXPECT_EQ(Ramp96()[0], 22);
  EXPECT_EQ(Ramp96()[47], 255);
  EXPECT_EQ(Ramp96()[48], 255);
  EXPECT_EQ(Ramp96()[95], 22);
  EXPECT_EQ((std::vector<int>{Ramp128()[0], Ramp128()[1], Ramp128()[2], Ramp128()[3]}),
            (std::vector<int>{3, 3, 4, 5}));
  EXPECT_EQ(Ramp128()[63], 255);
  EXPECT_EQ(Ramp128()[64], 255);
  EXPECT_EQ(Ramp128()[127], 3);
  EXPECT_EQ(PulseRamp()[16], 255);
  EXPECT_EQ(PulseRamp()[17], 248);
  EXPECT_EQ(PulseRamp()[79], 1);
  for (int i = 80; i < 128; ++i) EXPECT_EQ(PulseRamp()[static_cast<std::size_t>(i)], 0) << i;

  // Every lit key of the picture (the key buttons, G1-G5 and Fn) is in the spiral once and in
  // the grid; nothing else is.
  std::set<int> in_grid;
  for (const auto& column : PreviewGrid()) {
    for (int key : column) {
      if (key != kNoKey) in_grid.insert(key);
    }
  }
  EXPECT_EQ(in_grid.size(), static_cast<std::size_t>(kPreviewKeys));
  std::set<KeyId> expected;
  for (std::size_t i = 0; i < kKeyButtonCount; ++i) expected.insert(KeyOfButton(i));
  for (unsigned n = 1; n <= 5; ++n) expected.insert(KeyOfGButton(n));
  expected.insert(kFnKey);
  const auto& spiral = SpiralOrder();
  EXPECT_EQ(std::set<KeyId>(spiral.begin(), spiral.end()), expected);
  EXPECT_EQ(spiral.front(), 0x045);  // Pause
  EXPECT_EQ(spiral.back(), 0x04C);   // keypad 5
}

TEST(PreviewTablesTest, StepAndDimming) {
  EXPECT_EQ(Step(true, 190, 9, 192), 7);
  EXPECT_EQ(Step(false, 3, 9, 192), 186);
  EXPECT_EQ(Dim(RgbColour(255, 100, 3), 128), RgbColour(128, 50, 1));
  EXPECT_EQ(Dim(RgbColour(255, 100, 3), 0), RgbColour(0, 0, 0));
}

TEST(PreviewEngineTest, WaveRunsTheRainbowAcrossTheColumnsBothWays) {
  struct Case {
    std::uint8_t direction;
    bool colourful;
    int steps;
    int phase;  // after the steps
  };
  const Case cases[] = {{255, true, 3, 27},
                        {0, true, 3, 165},
                        {255, true, 25, 33},
                        {255, false, 4, 28},
                        {0, false, 4, 68}};
  for (const Case& c : cases) {
    PreviewEngine engine(1);
    const Frame& frame = Steps(engine, Effect(1, c.colourful, c.direction), c.steps);
    for (const auto& [key, column] : KeysByColumn()) {
      const Colour expected =
          c.colourful
              ? ColourWheel()[static_cast<std::size_t>((c.phase + 9 * column) % 192)]
              : Dim(kGreen, Ramp96()[static_cast<std::size_t>((c.phase + 7 * column) % 96)]);
      ASSERT_EQ(frame[static_cast<std::size_t>(key)], (Tint{true, expected}))
          << "direction " << int(c.direction) << " steps " << c.steps << " key " << key;
    }
  }
  // Keypad 0 fills two cells and shows the later column.
  PreviewEngine engine(1);
  EXPECT_EQ(
      Steps(engine, Effect(1, true), 1)[static_cast<std::size_t>(PreviewIndexOf(kPad0))].colour,
      ColourWheel()[9 + 9 * 20]);
}

TEST(PreviewEngineTest, SpectrumCycleIgnoresTheStoredColour) {
  PreviewEngine engine(1);
  const Frame& frame = Steps(engine, Effect(4, false), 5);
  for (const Tint& tint : frame) EXPECT_EQ(tint, (Tint{true, ColourWheel()[10]}));
  Steps(engine, Effect(4, false, 0), 6);
  for (const Tint& tint : frame) EXPECT_EQ(tint, (Tint{true, ColourWheel()[190]}));
}

TEST(PreviewEngineTest, ReactiveEffectStandsStill) {
  for (bool colourful : {true, false}) {
    PreviewEngine engine(1);
    const Frame first = Steps(engine, Effect(6, colourful), 1);
    EXPECT_EQ(Steps(engine, Effect(6, colourful), 40), first);
    for (const auto& [key, column] : KeysByColumn()) {
      const Colour expected = !colourful     ? kGreen
                              : column == 22 ? ColourWheel()[0]
                                             : ColourWheel()[static_cast<std::size_t>(9 * column)];
      EXPECT_EQ(first[static_cast<std::size_t>(key)].colour, expected);
    }
  }
}

TEST(PreviewEngineTest, ColourWheelEffectLaysThePhasesAlongTheSpiral) {
  PreviewEngine engine(1);
  const Frame& frame = Steps(engine, Effect(11, true), 1);
  // 33, 66, 99, 132, 165, 198 - 192 = 6 ... each moved on by 3.
  EXPECT_EQ(frame[0].colour, ColourWheel()[36]);
  EXPECT_EQ(frame[4].colour, ColourWheel()[168]);
  EXPECT_EQ(frame[5].colour, ColourWheel()[9]);
}

TEST(PreviewEngineTest, EffectsWithoutAPreviewClearEveryKey) {
  for (int effect : {7, 8, 9, 17, 19, 33}) {
    PreviewEngine engine(1);
    Steps(engine, Effect(1, true), 3);
    engine.Restart();
    EXPECT_TRUE(engine.Step(Effect(effect, true)));
    EXPECT_TRUE(LitKeys(engine.frame()).empty()) << effect;
  }
  // The user colour effect leaves the painted colours alone.
  PreviewEngine engine(1);
  const Frame before = Steps(engine, Effect(1, true), 2);
  EXPECT_FALSE(engine.Step(Effect(20, true)));
  EXPECT_EQ(engine.frame(), before);
}

TEST(PreviewEngineTest, ChangingTheEffectRestartsTheRipplesFromDark) {
  PreviewEngine engine(1);
  const Settings heartbeat = Effect(13, true);
  const Settings ripples = Effect(16, true);
  EXPECT_EQ(LitKeys(Steps(engine, heartbeat, 1)), (std::set<int>{PreviewIndexOf(kX)}));
  EXPECT_GT(LitKeys(Steps(engine, heartbeat, 6)).size(), 10u);

  engine.Restart();
  EXPECT_EQ(LitKeys(Steps(engine, ripples, 1)),
            (std::set<int>{PreviewIndexOf(kG1), PreviewIndexOf(kPadEnter)}));
  Steps(engine, ripples, 5);
  engine.Restart();
  EXPECT_EQ(LitKeys(Steps(engine, heartbeat, 1)), (std::set<int>{PreviewIndexOf(kX)}));
}

TEST(PreviewEngineTest, RipplesFadeAndKeepTheirColoursInsideTheWheel) {
  RippleEngine ripples(7);
  Frame frame{};
  const int x = PreviewIndexOf(kX);
  std::vector<int> levels;
  for (int i = 0; i < 3; ++i) {
    ripples.Step(Effect(13, true), frame);
    levels.push_back(ripples.level(x));
  }
  EXPECT_EQ(levels, (std::vector<int>{255, 235, 215}));
  EXPECT_EQ(frame[static_cast<std::size_t>(x)].colour,
            Dim(ColourWheel()[static_cast<std::size_t>(ripples.colour_index(x))], 215));

  // Long runs of every reactive effect: indexes stay in the wheel and the demonstration's
  // ripple from P reaches the left Ctrl key.
  for (int effect : {10, 13, 14, 15, 16}) {
    RippleEngine engine(static_cast<std::uint32_t>(effect));
    bool left_ctrl_lit = false;
    for (int i = 0; i < 600; ++i) {
      engine.Step(Effect(effect, true), frame);
      for (int key = 0; key < kPreviewKeys; ++key) {
        ASSERT_LT(engine.colour_index(key), kWheelSize);
        ASSERT_GE(engine.level(key), 0);
      }
      left_ctrl_lit = left_ctrl_lit || engine.level(PreviewIndexOf(kLeftCtrl)) == 255;
    }
    if (effect == 14) {
      EXPECT_TRUE(left_ctrl_lit);
    }
  }
}

}  // namespace
}  // namespace talon::preview
