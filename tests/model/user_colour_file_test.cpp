// A user colour mode read from and changed in its file.
#include "model/user_colour_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "profile_files.h"

namespace talon {
namespace {

namespace fs = std::filesystem;

constexpr int kLedA = 61;
constexpr int kLedS = 62;
constexpr int kLedD = 63;
constexpr Colour kRed = RgbColour(255, 0, 0);
constexpr Colour kBlue = RgbColour(0, 0, 255);
constexpr Colour kGreen = RgbColour(0, 255, 0);

std::string Slurp(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class UserColourFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(file) << "; kept\n[PRESENTMODE]\nmode=2\n[MODENAME]\n1=Loud\n"
                           "[Mode1]\ntool=1\njcolor=0,0,255\ncolor=0,255,0\n"
                           "61=0,0,255,1\n62=9,9,9,0\n63=oops\n";
  }
  fs::path file = test::CaseFolder() / "UserDengColor_0.userd";
};

TEST_F(UserColourFileTest, ReadsAModeWithItsDefaults) {
  EXPECT_EQ(SelectedUserMode(file), 2);
  const UserColourMode loud = ReadUserColourMode(file, 1);
  EXPECT_EQ(loud.name, "Loud");
  EXPECT_EQ(loud.tool, 1);
  EXPECT_EQ(loud.base, kBlue);
  EXPECT_EQ(loud.paint, kGreen);
  EXPECT_EQ(loud.keys[kLedA], (UserColourEntry{kBlue, true}));
  EXPECT_EQ(loud.keys[kLedS], (UserColourEntry{RgbColour(9, 9, 9), false}));
  EXPECT_EQ(loud.keys[kLedD], (UserColourEntry{kRed, true}));  // malformed reads as missing
  EXPECT_EQ(loud.keys[kFnLed], (UserColourEntry{kRed, true}));
  EXPECT_EQ(loud.keys[1], UserColourEntry{});  // no key there: not read

  const UserColourMode unnamed = ReadUserColourMode(file, 3);
  EXPECT_EQ(unnamed.name, "0");
  EXPECT_EQ(unnamed.base, 0u);
  EXPECT_EQ(SelectedUserMode(file.parent_path() / "missing.userd"), 0);
}

TEST_F(UserColourFileTest, PaintingWritesOnlyThePaintedKeys) {
  const std::pair<int, UserColourEntry> painted[] = {
      {kLedS, {kRed, false}}, {kLedD, {kBlue, true}}, {1, {kRed, false}}};
  ASSERT_TRUE(PaintUserColourKeys(file, 1, painted));
  const UserColourMode loud = ReadUserColourMode(file, 1);
  EXPECT_EQ(loud.keys[kLedS], (UserColourEntry{kRed, false}));
  EXPECT_EQ(loud.keys[kLedD], (UserColourEntry{kBlue, true}));
  EXPECT_EQ(loud.keys[kLedA], (UserColourEntry{kBlue, true}));
  const std::string text = Slurp(file);
  EXPECT_NE(text.find("; kept\n"), std::string::npos);
  EXPECT_NE(text.find("62=255,0,0,0\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("1=255,0,0,0"), std::string::npos) << text;  // LED 1 has no key
  EXPECT_EQ(ReadUserColourMode(file, 0).keys[kLedS], (UserColourEntry{kRed, true}));
}

TEST_F(UserColourFileTest, ABaseColourChangeRecoloursTheKeysPaintedWithIt) {
  ASSERT_TRUE(ChangeUserColourBase(file, 1, kGreen));
  const UserColourMode loud = ReadUserColourMode(file, 1);
  EXPECT_EQ(loud.base, kGreen);
  EXPECT_EQ(loud.keys[kLedA], (UserColourEntry{kGreen, true}));
  EXPECT_EQ(loud.keys[kLedD], (UserColourEntry{kGreen, true}));  // a missing entry has the flag
  EXPECT_EQ(loud.keys[kLedS], (UserColourEntry{RgbColour(9, 9, 9), false}));
  EXPECT_EQ(loud.tool, 1);
  EXPECT_EQ(loud.paint, kGreen);

  const std::string before = Slurp(file);
  ASSERT_TRUE(ChangeUserColourBase(file, 1, kGreen));
  EXPECT_EQ(Slurp(file), before);  // the same colour again writes nothing
}

TEST_F(UserColourFileTest, RenamingKeepsWhatTheFileCannotHoldOut) {
  ASSERT_TRUE(RenameUserColourMode(file, 1, "Quiet"));
  EXPECT_EQ(ReadUserColourMode(file, 1).name, "Quiet");
  EXPECT_FALSE(RenameUserColourMode(file, 1, "two\nlines"));
  EXPECT_EQ(ReadUserColourMode(file, 1).name, "Quiet");

  // A file that exists but cannot be read is never replaced by one holding only the change.
  const fs::path folder = file.parent_path() / "a-folder.userd";
  fs::create_directories(folder);
  EXPECT_FALSE(RenameUserColourMode(folder, 0, "x"));
  EXPECT_FALSE(ChangeUserColourBase(folder, 0, kGreen));
  const std::pair<int, UserColourEntry> painted{kLedA, {kRed, false}};
  EXPECT_FALSE(PaintUserColourKeys(folder, 0, {&painted, 1}));
  EXPECT_TRUE(fs::is_directory(folder));
}

}  // namespace
}  // namespace talon
