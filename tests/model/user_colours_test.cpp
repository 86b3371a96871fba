// User colour modes over their files, with the keyboard's colour slots and a port that records
// what the widgets are asked to show.
#include "model/user_colours.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "keyboard_session.h"
#include "platform/ini_file.h"

namespace talon {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class NoLightingPort : public LightingPort {
 public:
  void EffectListCleared() override {}
  void ReloadUserColourModes(int) override {}
};

class RecordingUserColourPort : public UserColourPort {
 public:
  void SetModeNames(const std::array<std::string, kUserModes>& n) override { names = n; }
  void SetModeName(int mode, const std::string& name) override {
    names[static_cast<std::size_t>(mode)] = name;
  }
  void ShowMode(int mode, Colour, Colour, int tool) override {
    shown_mode = mode;
    shown_tool = tool;
  }
  void TintKey(int led, Colour colour) override { tints[led] = colour; }
  void ShowKeyColours(int profile) override { shown_profile = profile; }

  std::array<std::string, kUserModes> names;
  std::map<int, Colour> tints;
  int shown_mode = -1;
  int shown_tool = -1;
  int shown_profile = -1;
};

constexpr int kLedA = 61;
constexpr int kLedS = 62;
constexpr Colour kRed = RgbColour(255, 0, 0);
constexpr Colour kBlue = RgbColour(0, 0, 255);
constexpr Colour kGreen = RgbColour(0, 255, 0);

class UserColoursTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(s.start_result, StartResult::kStarted);
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(default_file) << "[PRESENTMODE]\nmode=0\n[MODENAME]\n0=Calm\n1=Loud\n"
                                   "[Mode0]\ntool=0\njcolor=0,0,255\ncolor=0,255,0\n61=0,0,255,1\n";
    ASSERT_EQ(lighting.ReadLightingBlocks(false), 0);
    lighting.SelectEffect(kUserColourEffect);
  }
  Bytes Slot(int mode, int led) {
    return s.vkb.ReadMemory(KBSIM_AREA_COLOURS, static_cast<std::uint32_t>(mode * 512 + led * 3),
                            3);
  }

  test::KeyboardSession s;
  NoLightingPort lighting_port;
  RecordingUserColourPort port;
  fs::path folder = fs::path(std::getenv("TALON7X_TEST_ROOT")) / "user";
  fs::path default_file = fs::path(std::getenv("TALON7X_TEST_ROOT")) / "UserDengColor_3.userd";
  LightingModel lighting{s.commands, lighting_port, folder / "wskb.ini"};
  UserColourModes modes{lighting, port, folder, default_file};
};

TEST_F(UserColoursTest, AModeNeverEditedIsRedAndFollowsTheBaseColour) {
  modes.FillUserModeNames(0);
  EXPECT_EQ(port.names, (std::array<std::string, 4>{"0", "0", "0", "0"}));
  for (int led : UserColourModes::Leds()) {
    EXPECT_EQ(lighting.key_colours().Get(0, led), kRed) << led;
    EXPECT_TRUE(modes.base_flag(0, led)) << led;
  }
  EXPECT_EQ(Slot(0, kLedA), (Bytes{255, 0, 0}));
  modes.SetBaseColour(kBlue);
  EXPECT_EQ(lighting.key_colours().Get(0, kLedS), kBlue);
  EXPECT_EQ(port.tints.size(), UserColourModes::Leds().size());
  EXPECT_EQ(Slot(0, kFnLed), (Bytes{0, 0, 255}));
  EXPECT_EQ(ReadIniString(modes.FileOf(0), "Mode0", "62", ""), "0,0,255,1");
}

TEST_F(UserColoursTest, PaintToolDecidesWhetherABaseChangeReachesTheKey) {
  modes.LoadUserMode(0);
  modes.SetPaintColour(kGreen);
  modes.SetTool(0);
  modes.PaintLed(kLedA);
  EXPECT_FALSE(modes.base_flag(0, kLedA));
  EXPECT_EQ(Slot(0, kLedA), (Bytes{0, 255, 0}));
  EXPECT_EQ(ReadIniString(modes.FileOf(0), "Mode0", "61", ""), "0,255,0,0");

  modes.SetTool(1);
  EXPECT_EQ(port.shown_tool, 1);
  modes.PaintLed(kLedS);  // with the base colour: stays with it
  EXPECT_TRUE(modes.base_flag(0, kLedS));

  modes.SetBaseColour(kBlue);
  EXPECT_EQ(lighting.key_colours().Get(0, kLedA), kGreen);
  EXPECT_EQ(lighting.key_colours().Get(0, kLedS), kBlue);
  EXPECT_EQ(ReadIniString(modes.FileOf(0), "Mode0", "jcolor", ""), "0,0,255");
  EXPECT_EQ(ReadIniString(modes.FileOf(0), "Mode0", "tool", ""), "1");

  // The file keeps it all: a fresh load gives the same picture.
  UserColourModes again(lighting, port, folder, default_file);
  again.LoadUserMode(0);
  EXPECT_EQ(again.tool(), 1);
  EXPECT_FALSE(again.base_flag(0, kLedA));
  EXPECT_EQ(lighting.key_colours().Get(0, kLedA), kGreen);
}

TEST_F(UserColoursTest, PaintingNeedsTheUserColourEffectAndAColourSlot) {
  modes.LoadUserMode(0);
  const std::vector<int> no_slot{kRightWinLed, kNoLed, -1, 17};
  s.vkb.ClearLog();
  for (int led : no_slot) modes.PaintLed(led);
  lighting.SelectEffect(5);
  s.vkb.ClearLog();
  modes.PaintLed(kLedA);
  EXPECT_TRUE(s.vkb.Frames().empty());
  EXPECT_TRUE(port.tints.empty());
  EXPECT_EQ(ReadIniString(modes.FileOf(0), "Mode0", "61", "missing"), "missing");
}

TEST_F(UserColoursTest, SelectingAModeWritesTheBlockTheFileAndTheSlot) {
  lighting.set_lighting_mode(true);
  WriteIniString(modes.FileOf(0), "Mode2", "61", "1,2,3,0");
  modes.SelectUserMode(2);
  EXPECT_EQ(s.vkb.ReadMemory(KBSIM_AREA_SETTINGS, 23, 1), Bytes{2});
  EXPECT_EQ(ReadIniString(modes.FileOf(0), "PRESENTMODE", "mode", ""), "2");
  EXPECT_EQ(Slot(2, kLedA), (Bytes{1, 2, 3}));
  EXPECT_EQ(port.shown_mode, 2);
  EXPECT_EQ(port.shown_profile, 0);
}

TEST_F(UserColoursTest, RenameWritesAtOnceAndMalformedEntriesReadAsMissing) {
  WriteIniString(modes.FileOf(0), "Mode0", "61", "12,oops");
  WriteIniString(modes.FileOf(0), "Mode0", "62", "300,-4,7,9");
  modes.FillUserModeNames(0);
  EXPECT_EQ(lighting.key_colours().Get(0, kLedA), kRed);
  EXPECT_EQ(lighting.key_colours().Get(0, kLedS), RgbColour(255, 0, 7));
  EXPECT_TRUE(modes.base_flag(0, kLedS));

  modes.RenameUserMode("Night");
  EXPECT_EQ(port.names[0], "Night");
  EXPECT_EQ(ReadIniString(modes.FileOf(0), "MODENAME", "0", ""), "Night");
}

TEST_F(UserColoursTest, RestoringTheDefaultFileReloadsNamesAndColours) {
  modes.RenameUserMode("Mine");
  ASSERT_TRUE(modes.RestoreDefaultFile());
  EXPECT_EQ(port.names[0], "Calm");
  EXPECT_EQ(port.names[1], "Loud");
  EXPECT_EQ(lighting.key_colours().Get(0, kLedA), kBlue);
  EXPECT_EQ(modes.paint_colour(), kGreen);
  modes.RecomputeBaseFlags();
  EXPECT_TRUE(modes.base_flag(0, kLedA));
  EXPECT_FALSE(modes.base_flag(0, kLedS));  // red, not the blue base colour
}

}  // namespace
}  // namespace talon
