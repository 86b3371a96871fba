// talon7x-ctl export, import and show, run as a user runs them against the virtual keyboard.
// Profile files are made with the model in this process; each tool run is a process of its own
// that finds the keyboard's memory in the state file the previous run left.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/profile_file.h"
#include "run_tool.h"

namespace talon {
namespace {

namespace fs = std::filesystem;
using test::CtlPath;
using test::RunTool;

MacroRecord Macro(std::uint16_t id, std::u16string name, std::uint8_t repeat,
                  std::vector<MacroAction> actions) {
  MacroRecord m;
  m.id = id;
  m.name = std::move(name);
  m.repeat_count = repeat;
  m.actions = std::move(actions);
  return m;
}

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ProfileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove(std::getenv("TALON7X_VKB_STATE"));
    fs::remove_all(user_folder);
    fs::remove_all(folder);
    fs::create_directories(folder);
  }

  test::ToolRun Ctl(const std::vector<std::string>& args,
                    const std::map<std::string, std::string>& env = {}) {
    return RunTool(CtlPath(), args, env);
  }

  // Assignments and macros that a keyboard can hold, so they come back unchanged from it.
  fs::path KeyboardProfile() {
    ProfileStore store;
    {
      auto held = store.Lock();
      held->macros = {Macro(1, u"Build", 3, {{10, 0x02A, 0}, {0, 0x02A, 1}}),
                      Macro(2, u"Go", 1, {})};
      held->key_block.record(0, 0x03F) = {AssignmentKind::kMedia, 0, 7};
      held->key_block.record(0, 257) = {AssignmentKind::kMacro, 3, 1};
      held->key_block.record(1, 0x03A) = {AssignmentKind::kKey, 0, 0x01D};
      held->key_block.record(1, 0x01E) = {AssignmentKind::kKey, 0, 0x171};
      held->key_block.record(2, 0x03B) = {AssignmentKind::kFunction, 0, 0};
    }
    const fs::path path = folder / "keyboard.vxp";
    EXPECT_EQ(WriteProfileFile(store, path), 1);
    return path;
  }

  fs::path folder = fs::path(std::getenv("TALON7X_TEST_ROOT")) / "profiles";
  fs::path user_folder = fs::path(std::getenv("XDG_DATA_HOME")) / "TALON7X-DUO";
};

TEST_F(ProfileCommandsTest, ShowDescribesKeysAndMacros) {
  ProfileStore store;
  {
    auto held = store.Lock();
    held->macros = {Macro(1, u"Build", 3, {{10, 0x02A, 0}, {0, 0x02A, 1}}),
                    Macro(4, u"Empty", 1, {})};
    held->key_block.record(0, 0x03F) = {AssignmentKind::kMedia, 0, 7};
    held->key_block.record(0, 257) = {AssignmentKind::kMacro, 3, 1};
    held->key_block.record(1, 0x03A) = {AssignmentKind::kKey, 0, 0x01D};
    held->key_block.record(1, 0x01E) = {AssignmentKind::kKey, 0, 0x171};
    held->key_block.record(2, 0x03B) = {AssignmentKind::kFunction, 0, 0};
    held->key_block.record(2, 267) = {AssignmentKind::kDisabled, 0x1303, 0};
    held->key_block.record(3, 0x03C) = {AssignmentKind::kLaunch, 0, 0};
    held->launch_strings.Set(RecordIndex(3, 0x03C), u"/usr/bin/xterm");
    held->key_block.record(3, 0x03D) = {AssignmentKind::kMacro, 0, 9};
  }
  const fs::path path = folder / "show.vxp";
  ASSERT_EQ(WriteProfileFile(store, path), 1);

  const auto run = Ctl({"show", path.string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out,
            "profile 0: F5 -> media Mute\n"
            "profile 0: G2 -> macro \"Build\" x3\n"
            "profile 1: A -> mouse Left Button\n"
            "profile 1: Caps Lock -> key Ctrl\n"
            "profile 2: F1 -> function Lighting on/off\n"
            "profile 2: G3 (bank B) -> disabled\n"
            "profile 3: F2 -> launch \"/usr/bin/xterm\"\n"
            "profile 3: F3 -> macro #9 (no such macro)\n"
            "macro \"Build\" (id 1) x3, 2 actions:\n"
            "  press Shift, pause 10 ms\n"
            "  release Shift, pause 0 ms\n"
            "macro \"Empty\" (id 4) x1, no actions\n");
}

TEST_F(ProfileCommandsTest, BadFilesAreTurnedAway) {
  const fs::path bad = folder / "bad.vxp";
  std::ofstream(bad) << std::string(40000, 'x');
  for (const char* command : {"show", "import"}) {
    const auto run = Ctl({command, bad.string()});
    EXPECT_EQ(run.exit_code, 4) << command;
    EXPECT_EQ(run.err,
              "talon7x-ctl: The file \"" + bad.string() + "\" is not a valid profile file.\n")
        << command;
    const auto missing = Ctl({command, (folder / "missing.vxp").string()});
    EXPECT_EQ(missing.exit_code, 4) << command;
    EXPECT_NE(missing.err.find("no such file"), std::string::npos) << command;
  }
  EXPECT_EQ(Ctl({"show"}).exit_code, 1);
  EXPECT_EQ(Ctl({"import", "a", "b"}).exit_code, 1);
}

TEST_F(ProfileCommandsTest, ImportThenExportGivesTheSameProfile) {
  const fs::path imported = KeyboardProfile();
  const auto in = Ctl({"import", imported.string()});
  ASSERT_EQ(in.exit_code, 0) << in.err;
  EXPECT_EQ(in.err, "");
  EXPECT_FALSE(fs::exists(user_folder / "$Profile0.vxp"));  // only saved when it exists

  const fs::path exported = folder / "exported.vxp";
  const auto out = Ctl({"export", exported.string()});
  ASSERT_EQ(out.exit_code, 0) << out.err;
  const auto shown = Ctl({"show", exported.string()});
  EXPECT_EQ(shown.out, Ctl({"show", imported.string()}).out);
  EXPECT_NE(shown.out.find("profile 1: Caps Lock -> key Ctrl\n"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("macro \"Build\" (id 1) x3, 2 actions:\n"), std::string::npos);
}

TEST_F(ProfileCommandsTest, ImportSavesAnExistingWorkingFile) {
  fs::create_directories(user_folder);
  const fs::path working = user_folder / "$Profile0.vxp";
  ASSERT_EQ(CreateEmptyProfile(working), 1);
  const fs::path imported = KeyboardProfile();
  ASSERT_EQ(Ctl({"import", imported.string()}).exit_code, 0);
  EXPECT_EQ(Slurp(working), Slurp(imported));
}

TEST_F(ProfileCommandsTest, AKeyboardWithoutRoomRefusesTheImport) {
  ProfileStore store;
  store.Lock()->macros = {Macro(1, u"Long", 1, std::vector<MacroAction>(100, {10, 0x01E, 0}))};
  const fs::path path = folder / "long.vxp";
  ASSERT_EQ(WriteProfileFile(store, path), 1);
  const auto run = Ctl({"import", path.string()}, {{"TALON7X_VKB_CAPACITY", "1"}});
  EXPECT_EQ(run.exit_code, 5);
  EXPECT_NE(run.err.find("The macros do not fit in the keyboard's memory."), std::string::npos)
      << run.err;
}

TEST_F(ProfileCommandsTest, NoKeyboard) {
  const std::map<std::string, std::string> absent{{"TALON7X_VKB_ABSENT", "1"}};
  const fs::path exported = folder / "nothing.vxp";
  EXPECT_EQ(Ctl({"export", exported.string()}, absent).exit_code, 2);
  EXPECT_FALSE(fs::exists(exported));
  EXPECT_EQ(Ctl({"import", KeyboardProfile().string()}, absent).exit_code, 2);
}

}  // namespace
}  // namespace talon
