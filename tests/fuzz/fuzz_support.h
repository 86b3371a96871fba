#pragma once
// What several fuzz targets share: a scratch folder for readers that take a path, and a check
// that stops the run (as a crash, so the fuzzer keeps the input) when a property fails.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string_view>

namespace talon::fuzz {

// Stops the run with a message when `holds` is false.
inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

// A folder of this process's own, in memory-backed storage where there is some; made once.
std::filesystem::path ScratchFolder();

// Writes the bytes to `name` in the scratch folder and returns its path.
std::filesystem::path WriteScratchFile(std::string_view name, std::span<const std::uint8_t> bytes);

}  // namespace talon::fuzz
