// The lighting block, the effect write rule and every panel write, checked on what the virtual
// keyboard received and holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "device/result_codes.h"
#include "keyboard_session.h"
#include "model/lighting.h"
#include "platform/ini_file.h"

namespace talon {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct SelectionCase {
  int effect;
  bool colourful;
  std::vector<LightingField> fields;
};

TEST(LightingEffects, ChoosingAnEffectWritesWhatTheRuleSays) {
  const std::vector<SelectionCase> cases{
      {1, true, {{0, {1}}, {4, {1}}}},
      {2, false, {{0, {2}}, {4, {0}}}},
      {3, true, {{0, {3}}, {4, {1}}}},
      {4, true, {{0, {4}}}},
      {5, false, {{0, {5}}, {4, {0}}}},
      {6, true, {{0, {6}}}},
      {7, true, {{0, {7}}, {4, {1}}}},
      {8, true, {{0, {8}}, {4, {1}}}},
      {9, true, {{0, {9}}, {4, {1}}}},
      {10, true, {{0, {10}}}},
      {11, true, {{0, {11}}}},
      {12, true, {{0, {12}}}},
      {13, true, {{0, {13}}, {4, {1}}}},
      {14, true, {{0, {14}}, {4, {1}}}},
      {15, false, {{0, {15}}, {4, {0}}}},
      {16, true, {{0, {16}}}},
      {17, true, {{0, {17}}}},
      {18, true, {{0, {18}}}},
      {19, true, {}},
      {20, true, {{0, {20}}}},
      {0, true, {}},
      {21, true, {}},
      {99, false, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EffectSelectionFields(c.effect, c.colourful), c.fields) << "effect " << c.effect;
  }
}

TEST(LightingEffects, ParametersOfEachEffect) {
  using namespace effect_parameter;
  EXPECT_EQ(EffectParameters(1), kBrightness | kSpeed | kDirection | kColour);
  EXPECT_EQ(EffectParameters(6), kBrightness | kReactiveColour);
  EXPECT_EQ(EffectParameters(12), kBrightness | kSpeed | kDirectionUpDown);
  EXPECT_EQ(EffectParameters(17), kBrightness | kFourColours);
  EXPECT_EQ(EffectParameters(18), kBrightness | kDirectionSpread);
  EXPECT_EQ(EffectParameters(19), 0u);
  EXPECT_EQ(EffectParameters(20), kBrightness | kUserModes);
  EXPECT_EQ(EffectParameters(33), 0u);
  EXPECT_TRUE(IsKnownEffect(19));
  EXPECT_FALSE(IsKnownEffect(33));
}

TEST(LightingBlock, DecodesThePanelState) {
  LightingBlock block{};
  block[0] = 7;
  block[1] = 4;
  block[2] = 2;
  block[3] = 255;
  block[4] = 2;  // any non-zero value is colourful
  block[5] = 0x00;
  block[6] = 0xFF;
  block[7] = 0x80;
  block[15] = 7;  // shown as the last report rate
  block[17] = 9;  // not a choice: shown as red
  block[18] = 1;
  block[19] = 4;  // not a trigger value
  block[23] = 2;
  block[28] = 255;
  const LightingState s = DecodeLightingBlock(block);
  EXPECT_EQ(s.effect, 7);
  EXPECT_EQ(s.brightness, 4);
  EXPECT_EQ(s.speed, 2);
  EXPECT_EQ(s.direction, 255);
  EXPECT_TRUE(s.colourful);
  EXPECT_EQ(s.colour, 0x0080FF00u);  // 0x00BBGGRR
  EXPECT_EQ(s.report_rate, 3);
  EXPECT_EQ(s.effect17_colour, 0);
  EXPECT_EQ(s.second_colourful, true);
  EXPECT_FALSE(s.trigger.has_value());
  EXPECT_EQ(s.user_mode, 2);
  EXPECT_TRUE(s.second_colour_flag);

  block[0] = 5;
  block[4] = 255;
  const LightingState other = DecodeLightingBlock(block);
  EXPECT_TRUE(other.colourful);
  EXPECT_FALSE(other.second_colourful.has_value());  // only effect 7 has one
}

TEST(LightingBlock, DefaultBlockBytes) {
  Bytes expected{1, 5, 3, 0, 255, 255, 255, 255};
  expected.resize(35, 0);
  const auto block = DefaultLightingBlock();
  EXPECT_EQ(Bytes(block.begin(), block.end()), expected);
}

class RecordingLightingPort : public LightingPort {
 public:
  void EffectListCleared() override { ++cleared; }
  void ReloadUserColourModes(int profile) override { reloaded.push_back(profile); }
  int cleared = 0;
  std::vector<int> reloaded;
};

class LightingModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(s.start_result, StartResult::kStarted);
    settings = std::filesystem::path(std::getenv("TALON7X_TEST_ROOT")) / "wskb.ini";
    std::filesystem::remove(settings);
  }
  Bytes Block(int profile) {
    return s.vkb.ReadMemory(KBSIM_AREA_SETTINGS, static_cast<std::uint32_t>(profile * 42), 42);
  }
  // The frames after the last ClearLog, as (command, offset, payload of its length).
  struct Write {
    std::uint8_t command;
    std::uint16_t offset;
    Bytes payload;
    friend bool operator==(const Write&, const Write&) = default;
  };
  std::vector<Write> Writes() {
    std::vector<Write> writes;
    for (const auto& f : s.vkb.Frames()) {
      const std::uint16_t offset = static_cast<std::uint16_t>(f[5] | (f[6] << 8));
      const bool carries = f[3] == 6 || f[3] == 17;
      writes.push_back(
          {f[3], offset, carries ? Bytes(f.begin() + 8, f.begin() + 8 + f[4]) : Bytes{}});
    }
    return writes;
  }

  test::KeyboardSession s;
  RecordingLightingPort port;
  std::filesystem::path settings;
  LightingModel lighting{s.commands, port, settings};
};

TEST_F(LightingModelTest, ReadDecodesTheCurrentProfileAndTakesTheLightingSwitch) {
  Bytes block(42, 0);
  block[0] = 12;
  block[1] = 2;
  block[15] = 7;
  block[23] = 1;
  ASSERT_TRUE(s.vkb.WriteMemory(KBSIM_AREA_SETTINGS, 84, block));
  WriteIniString(settings, "KEYCOLOR", "DengCheck", "1");
  LightingModel model(s.commands, port, settings);
  model.set_current_profile(2);
  ASSERT_EQ(model.ReadLightingBlocks(false), 0);
  EXPECT_EQ(port.cleared, 1);
  EXPECT_EQ(model.state().effect, 12);
  EXPECT_EQ(model.state().report_rate, 3);
  EXPECT_EQ(model.colour_slot(), 1);
  EXPECT_TRUE(model.lighting_mode());
  EXPECT_TRUE(model.OffersEffect(20));
  EXPECT_TRUE(port.reloaded.empty());

  WriteIniString(settings, "KEYCOLOR", "DengCheck", "0");
  model.ReadLightingBlocks(false);
  EXPECT_TRUE(model.lighting_mode());  // a later read only ever turns it on
  model.ReadLightingBlocks(true);
  EXPECT_FALSE(model.lighting_mode());
  EXPECT_EQ(port.reloaded, std::vector<int>{2});
}

TEST_F(LightingModelTest, FailedInformationReadChangesNothing) {
  ASSERT_EQ(lighting.ReadLightingBlocks(false), 0);
  const LightingState before = lighting.state();
  s.vkb.Unplug();
  EXPECT_EQ(lighting.ReadLightingBlocks(false), -1);
  EXPECT_EQ(lighting.state().effect, before.effect);
  EXPECT_FALSE(lighting.OffersEffect(1));  // the effect list is emptied all the same
}

TEST_F(LightingModelTest, KeyboardWithoutEffectsOffersNone) {
  ASSERT_TRUE(s.vkb.WriteMemory(KBSIM_AREA_DEVICE_INFO, 12, Bytes(32, 0)));
  ASSERT_EQ(lighting.ReadLightingBlocks(true), 0);
  for (int e = 1; e <= 20; ++e) EXPECT_FALSE(lighting.OffersEffect(e));
  EXPECT_TRUE(port.reloaded.empty());
}

TEST_F(LightingModelTest, EachChangeIsOneBracketedWrite) {
  ASSERT_EQ(lighting.ReadLightingBlocks(false), 0);
  lighting.set_current_profile(1);
  lighting.SetColourful(true);
  s.vkb.ClearLog();
  lighting.SelectEffect(5);
  EXPECT_EQ(Writes(), (std::vector<Write>{{1, 0, {}}, {6, 42, {5}}, {6, 46, {1}}, {2, 0, {}}}));
  EXPECT_EQ(Block(1)[0], 5);

  s.vkb.ClearLog();
  lighting.SelectEffect(19);
  EXPECT_TRUE(s.vkb.Frames().empty());
  EXPECT_EQ(lighting.state().effect, 19);
}

TEST_F(LightingModelTest, SpeedIsTheMirrorOfTheSliderAndWrittenOnlyOnChange) {
  ASSERT_EQ(lighting.ReadLightingBlocks(false), 0);  // factory speed 3
  s.vkb.ClearLog();
  lighting.SetSpeedPosition(2);  // speed 3 already
  lighting.SetBrightness(lighting.state().brightness);
  EXPECT_TRUE(s.vkb.Frames().empty());
  lighting.SetSpeedPosition(0);
  lighting.SetSpeedPosition(5);
  lighting.SetSpeedPosition(5);
  EXPECT_EQ(Writes(),
            (std::vector<Write>{
                {1, 0, {}}, {6, 2, {5}}, {2, 0, {}}, {1, 0, {}}, {6, 2, {0}}, {2, 0, {}}}));
}

TEST_F(LightingModelTest, ColourTurnsColourfulOff) {
  ASSERT_EQ(lighting.ReadLightingBlocks(false), 0);
  lighting.SetColour(RgbColour(0x00, 0xFF, 0x80));
  const Bytes block = Block(0);
  EXPECT_EQ(block[4], 0);
  EXPECT_EQ(Bytes(block.begin() + 5, block.begin() + 8), (Bytes{0x00, 0xFF, 0x80}));
  EXPECT_FALSE(lighting.state().colourful);
}

TEST_F(LightingModelTest, OtherParametersWriteTheirBytes) {
  ASSERT_EQ(lighting.ReadLightingBlocks(false), 0);
  lighting.SetDirection(kDirectionLeft);
  lighting.SetReportRate(2);
  lighting.SetEffect17Colour(3);
  lighting.SetUserMode(1);
  lighting.SetBrightness(1);
  const Bytes block = Block(0);
  EXPECT_EQ(block[3], 255);
  EXPECT_EQ(block[15], 2);
  EXPECT_EQ(block[17], 3);
  EXPECT_EQ(block[23], 1);
  EXPECT_EQ(block[1], 1);
  EXPECT_EQ(lighting.colour_slot(), 1);
}

TEST_F(LightingModelTest, DefaultBlockLeavesTheLastSevenBytes) {
  Bytes block(42, 0x33);
  ASSERT_TRUE(s.vkb.WriteMemory(KBSIM_AREA_SETTINGS, 42, block));
  lighting.set_current_profile(1);
  s.vkb.ClearLog();
  lighting.WriteDefaultBlock();
  Bytes expected{1, 5, 3, 0, 255, 255, 255, 255};
  expected.resize(35, 0);
  expected.resize(42, 0x33);
  EXPECT_EQ(Block(1), expected);
  EXPECT_EQ(s.vkb.Frames().size(), 3u);  // one exchange: bracket and one write
}

TEST_F(LightingModelTest, ProfileColoursGoAsEightPacketsOf54Bytes) {
  KeyColourTable table;
  for (int led = 0; led < kLedSlots; ++led) {
    table.Set(1, led,
              RgbColour(static_cast<std::uint8_t>(led), 7, static_cast<std::uint8_t>(255 - led)));
  }
  ASSERT_TRUE(s.vkb.WriteMemory(KBSIM_AREA_COLOURS, 2 * 512, Bytes(512, 0xEE)));
  s.vkb.ClearLog();
  WriteKeyColours(s.commands, 2, table.Profile(1));
  const auto writes = Writes();
  ASSERT_EQ(writes.size(), 10u);
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(writes[i + 1].command, 17);
    EXPECT_EQ(writes[i + 1].payload.size(), 54u);
    EXPECT_EQ(writes[i + 1].offset, 2 * 512 + i * 54);
  }
  const Bytes slot = s.vkb.ReadMemory(KBSIM_AREA_COLOURS, 2 * 512, 512);
  const auto expected = table.Profile(1);
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), slot.begin()));
  EXPECT_EQ(Bytes(slot.begin() + 420, slot.begin() + 432), Bytes(12, 0));  // LEDs 140-143
  EXPECT_EQ(slot[432], 0xEE);

  s.vkb.ClearLog();
  EXPECT_EQ(WriteKeyColourOne(s.commands, 0, kRightWinLed, 0xFFFFFF), 0);  // no place for it
  EXPECT_TRUE(s.vkb.Frames().empty());
}

}  // namespace
}  // namespace talon
