// Every test process gets folders of its own, so test cases can run side by side: the virtual
// keyboard's state file and the user's data, config and state folders live in a fresh temporary
// folder that is removed at the end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

void SetIfUnset(const char* name, const std::string& value) {
  if (std::getenv(name) == nullptr) setenv(name, value.c_str(), 1);
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::string pattern = (fs::temp_directory_path() / "talon7x-test-XXXXXX").string();
  const char* made = mkdtemp(pattern.data());
  const fs::path root = made != nullptr ? fs::path(made) : fs::temp_directory_path();
  fs::create_directories(root / "data");
  fs::create_directories(root / "config");
  fs::create_directories(root / "state");
  setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
  setenv("XDG_STATE_HOME", (root / "state").c_str(), 1);
  setenv("TALON7X_VKB_STATE", (root / "state" / "vkb.state").c_str(), 1);
  SetIfUnset("TALON7X_TEST_ROOT", root.string());
  unsetenv("TALON7X_VKB_ABSENT");
  unsetenv("TALON7X_VKB_FIRMWARE");
  unsetenv("TALON7X_VKB_CAPACITY");

  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  if (made != nullptr) {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
  return result;
}
