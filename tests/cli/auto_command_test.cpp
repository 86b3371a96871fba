// talon7x-ctl auto: editing the automatic-profile rules as a user would, one process per run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "run_tool.h"

namespace talon {
namespace {

namespace fs = std::filesystem;

class AutoCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::remove_all(folder()); }
  static fs::path folder() { return fs::path(std::getenv("XDG_CONFIG_HOME")) / "TALON7X-DUO"; }
  static fs::path file() { return folder() / "auto-profiles.ini"; }
  static std::string FileText() {
    std::ifstream in(file(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static test::ToolRun Auto(std::vector<std::string> args) {
    args.insert(args.begin(), "auto");
    return test::RunTool(test::CtlPath(), args);
  }
};

TEST_F(AutoCommandTest, EditsShowUpInTheListInOrder) {
  EXPECT_EQ(Auto({}).out, "automatic profiles: on\nfallback: none\nrules: none\n");
  EXPECT_FALSE(fs::exists(file())) << "listing writes nothing";

  for (const auto& args : std::vector<std::vector<std::string>>{{"add", "gimp", "1"},
                                                                {"add", "steam_app_570", "2"},
                                                                {"add", "Visual Studio", "0"},
                                                                {"add", "GIMP", "0"},
                                                                {"fallback", "2"},
                                                                {"off"},
                                                                {"remove", "visual studio"}}) {
    const auto run = Auto(args);
    EXPECT_EQ(run.exit_code, 0) << args[0] << ": " << run.err;
    EXPECT_EQ(run.out, "");
  }
  const auto list = Auto({"list"});
  EXPECT_EQ(list.exit_code, 0);
  EXPECT_EQ(list.out,
            "automatic profiles: off\nfallback: 2\nrules (first match wins):\n"
            "  0  GIMP\n  2  steam_app_570\n");
  EXPECT_EQ(Auto({"on"}).exit_code, 0);
  EXPECT_EQ(Auto({"fallback", "none"}).exit_code, 0);
  EXPECT_EQ(Auto({}).out,
            "automatic profiles: on\nfallback: none\nrules (first match wins):\n"
            "  0  GIMP\n  2  steam_app_570\n");
}

TEST_F(AutoCommandTest, WrongArgumentsChangeNothing) {
  ASSERT_EQ(Auto({"add", "gimp", "1"}).exit_code, 0);
  const std::string before = FileText();
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"add", "gimp", "3"}, "profile must be 0, 1 or 2"},
      {{"add", "gimp", "-1"}, "profile must be 0, 1 or 2"},
      {{"add", "", "1"}, "a match cannot be empty"},
      {{"add", "two\nlines", "1"}, "line breaks"},
      {{"add", "gimp"}, "usage: talon7x-ctl auto"},
      {{"fallback", "leave"}, "profile must be 0, 1 or 2"},
      {{"remove", "krita"}, "no rule for 'krita'"},
      {{"on", "now"}, "usage: talon7x-ctl auto"},
      {{"frobnicate"}, "usage: talon7x-ctl auto"},
  };
  for (const auto& c : cases) {
    const auto run = Auto(c.args);
    EXPECT_EQ(run.exit_code, 1) << c.args[0];
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_EQ(FileText(), before);
}

TEST_F(AutoCommandTest, ABrokenFileIsReportedAndLeftAlone) {
  fs::create_directories(folder());
  const std::string broken = "[Rules]\nCount=1\nMatch1=gimp\nProfile1=one\n";
  std::ofstream(file(), std::ios::binary) << broken;
  const auto list = Auto({"list"});
  EXPECT_EQ(list.exit_code, 4);
  EXPECT_EQ(list.out, "");
  EXPECT_EQ(list.err, "talon7x-ctl: " + file().string() + ": rule 1: Profile must be 0, 1 or 2\n");
  const auto add = Auto({"add", "krita", "2"});
  EXPECT_EQ(add.exit_code, 4);
  EXPECT_NE(add.err.find("left as it is"), std::string::npos) << add.err;
  EXPECT_EQ(FileText(), broken);
}

}  // namespace
}  // namespace talon
