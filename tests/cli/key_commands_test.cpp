// talon7x-ctl keys and key against the virtual keyboard: what a key is given reaches the
// keyboard's key map, and refused arguments send nothing.
#include <gtest/gtest.h>

#include "ctl_fixture.h"
#include "model/default_key_map.h"

namespace talon {
namespace {

// The key map position whose factory entry is the key, as the keyboard's default map ties them.
std::string PositionOf(KeyId key) {
  const KeyBank bank = DefaultKeyMap::CompiledIn();
  for (std::size_t i = 0; i < kKeyBankEntries; ++i) {
    if (EntryToKey(EntryAt(bank, i)) == key) return std::to_string(i);
  }
  ADD_FAILURE() << "no position for " << key;
  return "0";
}

class KeyCommandsTest : public test::CtlFixture {};

TEST_F(KeyCommandsTest, AMediaFunctionReachesTheKeyPosition) {
  EXPECT_EQ(Ctl({"keys"}).out, "no reassigned keys\n");
  const auto assign = Ctl({"key", "0", "F5", "media:Mute"});
  ASSERT_EQ(assign.exit_code, 0) << assign.err;
  EXPECT_EQ(assign.err, "");
  EXPECT_EQ(Ctl({"keys", "0"}).out, "profile 0: F5 -> media Mute\n");
  const auto position = Vkb({"key", PositionOf(0x03F)});
  EXPECT_NE(position.out.find("consumer 0xE2"), std::string::npos) << position.out;
}

TEST_F(KeyCommandsTest, EveryKindOfActionAsTheKeyboardGivesItBack) {
  const struct {
    std::vector<std::string> args;
    std::string shown;  // by `keys`; empty: back to default
  } cases[] = {
      {{"F5", "key:CapsLock"}, "F5 -> key Caps Lock"},
      {{"f 5", "KEY:caps lock"}, "F5 -> key Caps Lock"},
      {{"CAPS", "key:LSHIFT"}, "Caps Lock -> key Shift"},
      {{"Right Shift", "key:A"}, "Right Shift -> key A"},
      {{"A", "mouse:wheel-down"}, "A -> mouse Roll Down"},
      {{"A", "mouse:middle"}, "A -> mouse Middle Button"},
      {{"Esc", "disabled"}, "Esc -> disabled"},
      {{"Tab", "stop-macro"}, "Tab -> stop macro"},
      {{"F1", "function:0"}, "F1 -> function Lighting on/off"},
      {{"F1", "function:next profile"}, "F1 -> function Next profile"},
      {{"G2", "media:17"}, "G2 -> media Mail"},
      {{"Num 1", "media:play / pause"}, "Num 1 -> media Play/Pause"},
      {{"A", "key:A"}, ""},  // a key given itself keeps its default
      {{"G2", "default"}, ""},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"key"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto run = Ctl(args);
    ASSERT_EQ(run.exit_code, 0) << c.args[1] << ": " << run.err;
    const std::string keys = Ctl({"keys"}).out;
    if (c.shown.empty()) {
      EXPECT_EQ(keys.find(c.args[0] + " ->"), std::string::npos) << keys;
    } else {
      EXPECT_NE(keys.find("profile 0: " + c.shown + "\n"), std::string::npos) << keys;
    }
  }
}

TEST_F(KeyCommandsTest, UnknownNamesAreRefusedWithTheClosestAndNothingSent) {
  ASSERT_EQ(Ctl({"key", "F5", "key:CapsLock"}).exit_code, 0);
  const std::string before = Ctl({"keys"}).out;
  const struct {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"F5", "key:CapsLok"}, "unknown key 'CapsLok' (closest: Caps Lock"},
      {{"F55", "default"}, "unknown key 'F55' (closest: F5"},
      {{"F5", "medai:Mute"}, "unknown action 'medai:Mute' (closest: media:"},
      {{"F5", "media:Muet"}, "unknown media function 'Muet' (closest: Mute"},
      {{"F5", "media:18"}, "unknown media function '18'"},
      {{"F5", "mouse:wheel"}, "unknown mouse action 'wheel' (closest: wheel-up"},
      {{"F5", "function:11"}, "unknown function '11'"},
      {{"F5", "key:Mute"}, "unknown key 'Mute'"},
      {{"G9", "key:A"}, "G9 plays macros only"},
      {{"F5", "media:Mute", "--repeat", "3"}, "--repeat goes with macro:"},
      {{"3", "F5", "default"}, "profile must be 0, 1 or 2"},
      {{"F5", "default", "--bank", "c"}, "--bank must be a or b"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"key"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    // Refused before the keyboard is looked for, so nothing can have been sent.
    const auto run = Ctl(args, no_keyboard);
    EXPECT_EQ(run.exit_code, 1) << c.args[1];
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  const auto macro = Ctl({"key", "F5", "macro:Nothing"});
  EXPECT_EQ(macro.exit_code, 1);
  EXPECT_NE(macro.err.find("the keyboard holds no macros"), std::string::npos) << macro.err;
  EXPECT_EQ(Ctl({"keys"}).out, before);
}

TEST_F(KeyCommandsTest, AnotherProfileIsChangedWithoutTouchingTheActiveOne) {
  ASSERT_EQ(Ctl({"key", "F5", "media:Mute"}).exit_code, 0);
  ASSERT_EQ(Ctl({"key", "2", "F5", "key:Esc"}).exit_code, 0);
  EXPECT_EQ(Ctl({"keys", "2"}).out, "profile 2: F5 -> key Esc\n");
  EXPECT_EQ(Ctl({"keys"}).out, "profile 0: F5 -> media Mute\n");
  ASSERT_EQ(Ctl({"profile", "2"}).exit_code, 0);
  EXPECT_NE(Vkb({"key", PositionOf(0x03F)}).out.find("key 0x29"), std::string::npos);
}

TEST_F(KeyCommandsTest, BankBAndAMissingKeyboard) {
  const auto bank_b = Ctl({"key", "G3", "default", "--bank", "b"});
  EXPECT_EQ(bank_b.exit_code, 5);
  EXPECT_NE(bank_b.err.find("bank A only"), std::string::npos) << bank_b.err;
  EXPECT_EQ(Ctl({"key", "F5", "default"}, no_keyboard).exit_code, 2);
  EXPECT_EQ(Ctl({"keys"}, no_keyboard).exit_code, 2);
  EXPECT_EQ(Ctl({"keys", "0", "1"}).exit_code, 1);
}

TEST_F(KeyCommandsTest, TheWorkingFileFollowsWhenThereIsOne) {
  ASSERT_EQ(Ctl({"key", "F5", "media:Mute"}).exit_code, 0);
  EXPECT_FALSE(std::filesystem::exists(user_folder / "$Profile0.vxp"));
  const auto exported = folder / "now.vxp";
  ASSERT_EQ(Ctl({"export", exported.string()}).exit_code, 0);
  std::filesystem::create_directories(user_folder);
  std::filesystem::copy_file(exported, user_folder / "$Profile0.vxp");
  ASSERT_EQ(Ctl({"key", "F6", "disabled"}).exit_code, 0);
  EXPECT_EQ(Ctl({"show", (user_folder / "$Profile0.vxp").string()}).out,
            "profile 0: F5 -> media Mute\nprofile 0: F6 -> disabled\nno macros\n");
}

}  // namespace
}  // namespace talon
