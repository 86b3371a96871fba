// talon7x-ctl colours against the virtual keyboard: a user colour mode is painted in its
// profile's colour file, the one store of per-key colours, and sent to the mode's colour slot.
#include <gtest/gtest.h>

#include "ctl_fixture.h"

namespace talon {
namespace {

constexpr int kLedA = 61;
constexpr int kSlotSize = 512;

class ColoursTest : public test::CtlFixture {
 protected:
  // The hex dump line of a LED's three bytes in a colour slot.
  std::string SlotColour(int slot, int led) {
    char offset[8];
    std::snprintf(offset, sizeof offset, "%04X", slot * kSlotSize + led * 3);
    const auto run = Vkb({"memory", "colours", std::to_string(slot * kSlotSize + led * 3), "3"});
    return run.out.substr(0, 4) == offset ? run.out.substr(4) : run.out;
  }
  std::filesystem::path ColourFile(int profile) {
    return user_folder / ("UserDengColor_" + std::to_string(profile) + ".userd");
  }
  std::string Line(const std::string& shown, const std::string& key) {
    const std::size_t at = shown.find("\n" + key + ": ");
    return at == std::string::npos ? "" : shown.substr(at + 1, shown.find('\n', at + 1) - at - 1);
  }
};

TEST_F(ColoursTest, PaintingChangesTheFileAndTheKeyboardsSlot) {
  const auto shown = Ctl({"colours", "0"});
  ASSERT_EQ(shown.exit_code, 0) << shown.err;
  EXPECT_EQ(shown.out.substr(0, 46), "profile: 0\nmode: 0\nname: Aurora\nselected: yes\n");

  const auto paint = Ctl({"colours", "0", "0", "A=#ff0000"});
  ASSERT_EQ(paint.exit_code, 0) << paint.err;
  EXPECT_NE(Slurp(ColourFile(0)).find("\n61=255,0,0,0\n"), std::string::npos);
  EXPECT_EQ(SlotColour(0, kLedA), "  FF 00 00\n");
  EXPECT_EQ(Line(Ctl({"colours", "0", "0"}).out, "A"), "A: #ff0000");
  // Another mode, another slot; the profile keeps the mode it has selected.
  ASSERT_EQ(Ctl({"colours", "0", "2", "a=#0000ff"}).exit_code, 0);
  EXPECT_EQ(SlotColour(2, kLedA), "  00 00 FF\n");
  EXPECT_EQ(SlotColour(0, kLedA), "  FF 00 00\n");
  EXPECT_NE(Ctl({"colours", "0", "2"}).out.find("\nselected: no\n"), std::string::npos);
}

TEST_F(ColoursTest, BaseColourKeysAndNames) {
  ASSERT_EQ(Ctl({"colours", "1", "3", "A=#102030", "Caps Lock=base", "name=Night"}).exit_code, 0);
  ASSERT_EQ(Ctl({"colours", "1", "3", "base=#010203"}).exit_code, 0);
  const std::string shown = Ctl({"colours", "1", "3"}).out;
  EXPECT_NE(shown.find("\nname: Night\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\nbase: #010203\n"), std::string::npos) << shown;
  EXPECT_EQ(Line(shown, "A"), "A: #102030");  // painted with its own colour: left alone
  EXPECT_EQ(Line(shown, "Caps Lock"), "Caps Lock: #010203 base");
  EXPECT_EQ(SlotColour(3, kLedA), "  10 20 30\n");

  // A name needs no keyboard.
  ASSERT_EQ(Ctl({"colours", "1", "3", "name=Day"}, no_keyboard).exit_code, 0);
  EXPECT_NE(Ctl({"colours", "1", "3"}).out.find("\nname: Day\n"), std::string::npos);
}

TEST_F(ColoursTest, RefusalsLeaveTheFileAsItWas) {
  ASSERT_EQ(Ctl({"colours", "0"}).exit_code, 0);  // makes the per-user folder
  const std::string before = Slurp(ColourFile(0));
  const struct {
    std::vector<std::string> args;
    int exit_code;
    std::string message;
  } cases[] = {
      {{"0", "0", "A=#ff0000", "Foo=#ff0000"}, 1, "no user colour for key 'Foo' (closest: F"},
      {{"0", "0", "G6=#ff0000"}, 1, "no user colour for key 'G6'"},
      {{"0", "0", "A=red"}, 1, "A must be #rrggbb or base"},
      {{"0", "0", "base=#12345"}, 1, "base must be #rrggbb"},
      {{"0", "0", "nothing"}, 1, "expected KEY=#rrggbb"},
      {{"3"}, 1, "profile must be 0, 1 or 2 and mode 0-3"},
      {{"0", "4"}, 1, "profile must be 0, 1 or 2 and mode 0-3"},
      {{"0", "0", "A=#ff0000"}, 2, "no keyboard found"},  // without one (below)
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"colours"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto run =
        Ctl(args, c.exit_code == 2 ? no_keyboard : std::map<std::string, std::string>{});
    EXPECT_EQ(run.exit_code, c.exit_code) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_EQ(Slurp(ColourFile(0)), before);
}

}  // namespace
}  // namespace talon
