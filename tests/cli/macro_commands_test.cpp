// talon7x-ctl macro list, show, add, replace and delete against the virtual keyboard: the list
// is committed under the macro page's rules and reaches the keyboard through Apply's upload.
#include <gtest/gtest.h>

#include "ctl_fixture.h"
#include "model/profile_file.h"

namespace talon {
namespace {

// Every kind of action a macro can hold, in the form `macro show` prints.
constexpr const char* kBuild =
    "repeat 2\n"
    "press Shift 10\n"
    "press Caps Lock 40000\n"
    "release Caps Lock 0\n"
    "press Num 1 20\n"
    "release Num 1 0\n"
    "press Left Button 30\n"
    "release Left Button 0\n"
    "press Roll Down 0\n"
    "press Right Win 0\n"
    "release Shift 0\n";

class MacroCommandsTest : public test::CtlFixture {};

TEST_F(MacroCommandsTest, AddedAssignedAndReadBackAsWritten) {
  EXPECT_EQ(Ctl({"macro", "list"}).out, "no macros\n");
  const auto add = Ctl({"macro", "add", "Build", WriteText("build.txt", kBuild).string()});
  ASSERT_EQ(add.exit_code, 0) << add.err;
  EXPECT_EQ(add.err, "");
  EXPECT_EQ(Ctl({"macro", "show", "Build"}).out, kBuild);

  // The play count given with the assignment is the macro's own, as the macro page keeps it.
  const auto assign = Ctl({"key", "F5", "macro:build", "--repeat", "3"});
  ASSERT_EQ(assign.exit_code, 0) << assign.err;
  EXPECT_EQ(Ctl({"keys"}).out, "profile 0: F5 -> macro \"Build\" x3\n");
  std::string expected = kBuild;
  expected.replace(0, 8, "repeat 3");
  EXPECT_EQ(Ctl({"macro", "show", "1"}).out, expected);

  const auto from_input = Ctl({"macro", "add", "Go", "-"}, {}, "# one key\npress A 15\n");
  ASSERT_EQ(from_input.exit_code, 0) << from_input.err;
  EXPECT_EQ(Ctl({"macro", "list"}).out,
            "macro \"Build\" (id 1) x3, 10 actions\nmacro \"Go\" (id 2) x1, 1 action\n");
  EXPECT_EQ(Ctl({"macro", "show", "go"}).out, "repeat 1\npress A 10\n");

  ASSERT_EQ(Ctl({"macro", "replace", "Go", WriteText("b.txt", "press B 0\n").string()}).exit_code,
            0);
  EXPECT_EQ(Ctl({"macro", "show", "2"}).out, "repeat 1\npress B 0\n");
  EXPECT_EQ(Ctl({"keys"}).out, "profile 0: F5 -> macro \"Build\" x3\n");
}

TEST_F(MacroCommandsTest, DeletingAMacroInUseTakesForce) {
  const std::string text = WriteText("m.txt", "press A 0\n").string();
  ASSERT_EQ(Ctl({"macro", "add", "Build", text}).exit_code, 0);
  ASSERT_EQ(Ctl({"key", "F5", "macro:Build"}).exit_code, 0);
  const auto refused = Ctl({"macro", "delete", "Build"});
  EXPECT_EQ(refused.exit_code, 5);
  EXPECT_NE(refused.err.find("assigned to profile 0 F5; --force"), std::string::npos)
      << refused.err;
  EXPECT_EQ(Ctl({"macro", "list"}).out, "macro \"Build\" (id 1) x1, 1 action\n");

  const auto forced = Ctl({"macro", "delete", "1", "--force"});
  ASSERT_EQ(forced.exit_code, 0) << forced.err;
  EXPECT_EQ(Ctl({"keys"}).out, "no reassigned keys\n");
  EXPECT_EQ(Ctl({"macro", "list"}).out, "no macros\n");
}

TEST_F(MacroCommandsTest, KeysOfEveryProfileFollowAMacroThatMovesUp) {
  const std::string text = WriteText("m.txt", "press A 0\n").string();
  ASSERT_EQ(Ctl({"macro", "add", "First", text}).exit_code, 0);
  ASSERT_EQ(Ctl({"macro", "add", "Second", text}).exit_code, 0);
  ASSERT_EQ(Ctl({"key", "1", "F6", "macro:Second"}).exit_code, 0);
  ASSERT_EQ(Ctl({"macro", "delete", "First"}).exit_code, 0);
  // The keyboard numbers macros by position: profile 1's key map must name the new one.
  EXPECT_EQ(Ctl({"keys", "1"}).out, "profile 1: F6 -> macro \"Second\" x1\n");
}

TEST_F(MacroCommandsTest, TheKeyboardsRoomDecides) {
  const std::map<std::string, std::string> small{{"TALON7X_VKB_CAPACITY", "1"}};  // 128 bytes
  std::string forty = "repeat 1\n";
  for (int i = 0; i < 40; ++i) forty += "press A 10\n";
  const auto too_big = Ctl({"macro", "add", "Big", WriteText("big.txt", forty).string()}, small);
  EXPECT_EQ(too_big.exit_code, 5);
  EXPECT_EQ(too_big.err,
            "talon7x-ctl: The macros do not fit in the keyboard's memory. Shorten or delete some "
            "macros and apply again.\n");
  EXPECT_EQ(Ctl({"macro", "list"}, small).out, "no macros\n");

  // 102 bytes without the name, 142 with it: the macro goes, its name stays behind.
  std::string twenty = "repeat 1\n";
  for (int i = 0; i < 20; ++i) twenty += "press A 10\n";
  const auto tight =
      Ctl({"macro", "add", "A name of twenty....", WriteText("t.txt", twenty).string()}, small);
  EXPECT_EQ(tight.exit_code, 0) << tight.err;
  EXPECT_NE(tight.err.find("saved without their names"), std::string::npos) << tight.err;
  EXPECT_EQ(Ctl({"macro", "list"}, small).out, "macro \"Macro 1\" (id 1) x1, 20 actions\n");
}

TEST_F(MacroCommandsTest, RefusedInputChangesNothing) {
  ASSERT_EQ(Ctl({"macro", "add", "Build", WriteText("m.txt", "press A 0\n").string()}).exit_code,
            0);
  const struct {
    std::vector<std::string> args;
    std::string input;
    int exit_code;
    std::string message;
  } cases[] = {
      {{"add", "X", "-"}, "press A 0\npress Shfit 10\n", 4, "line 2: unknown key 'Shfit'"},
      {{"add", "X", "-"}, "press A 40001\n", 4, "line 1: a pause can be at most 40000 ms"},
      {{"add", "X", "-"}, "repeat 0\n", 4, "line 1: expected 'repeat N' with N from 1 to 255"},
      {{"add", "X", "missing.txt"}, "", 4, "cannot read missing.txt"},
      {{"add", "build", "-"}, "", 1, "there is a macro named \"Build\" already"},
      {{"add", "42", "-"}, "", 1, "would read as a macro id"},
      {{"add", "", "-"}, "", 1, "a macro needs a name"},
      {{"add", std::string(250, 'n'), "-"}, "", 1, "at most 249 characters"},
      {{"replace", "Nope", "-"}, "press A 0\n", 1, "no macro 'Nope' (closest: Build)"},
      {{"show", "2"}, "", 1, "no macro '2'"},
      {{"delete", "Build", "--force=yes"}, "", 1, "--force takes no value"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"macro"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto run = Ctl(args, {}, c.input);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_EQ(Ctl({"macro", "list"}).out, "macro \"Build\" (id 1) x1, 1 action\n");
}

TEST_F(MacroCommandsTest, AHundredMacrosIsTheLimit) {
  ProfileStore store;
  for (std::uint16_t id = 1; id <= 100; ++id) {
    MacroRecord macro;
    macro.id = id;
    macro.repeat_count = 1;
    store.Lock()->macros.push_back(macro);
  }
  const auto full = folder / "full.vxp";
  ASSERT_EQ(WriteProfileFile(store, full), 1);
  ASSERT_EQ(Ctl({"import", full.string()}).exit_code, 0);
  const auto refused = Ctl({"macro", "add", "One more", "-"}, {}, "press A 0\n");
  EXPECT_EQ(refused.exit_code, 5);
  EXPECT_EQ(refused.err, "talon7x-ctl: You can create at most 100 macros.\n");
}

}  // namespace
}  // namespace talon
