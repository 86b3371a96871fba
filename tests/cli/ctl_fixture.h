#pragma once
// talon7x-ctl and talon7x-vkb run as a user runs them, each in a process of its own that finds
// the keyboard's memory in the state file the previous run left; every test starts from a
// factory-fresh keyboard and no per-user folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "run_tool.h"

namespace talon::test {

class CtlFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::remove(std::getenv("TALON7X_VKB_STATE"));
    std::filesystem::remove_all(user_folder);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
  }

  ToolRun Ctl(const std::vector<std::string>& args,
              const std::map<std::string, std::string>& env = {}, const std::string& input = {}) {
    return RunTool(CtlPath(), args, env, input);
  }
  ToolRun Vkb(const std::vector<std::string>& args) { return RunTool(VkbPath(), args); }

  std::filesystem::path WriteText(const std::string& name, const std::string& text) {
    const std::filesystem::path path = folder / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  static std::string Slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::filesystem::path folder = std::filesystem::path(std::getenv("TALON7X_TEST_ROOT")) / "files";
  std::filesystem::path user_folder =
      std::filesystem::path(std::getenv("XDG_DATA_HOME")) / "TALON7X-DUO";
  const std::map<std::string, std::string> no_keyboard{{"TALON7X_VKB_ABSENT", "1"}};
};

}  // namespace talon::test
