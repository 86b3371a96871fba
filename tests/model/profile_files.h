#pragma once
// Small helpers for tests that write and inspect profile files in the test's own folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace talon::test {

// A fresh folder for one test case, inside the test process's temporary root.
inline std::filesystem::path CaseFolder() {
  const char* root = std::getenv("TALON7X_TEST_ROOT");
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::filesystem::path folder = std::filesystem::path(root != nullptr ? root : "/tmp") / "cases" /
                                 (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

inline std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace talon::test
