#include "fuzz_support.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

#include <unistd.h>

namespace talon::fuzz {

std::filesystem::path ScratchFolder() {
  namespace fs = std::filesystem;
  // Never destroyed: the exit handler that removes the folder runs after static destructors.
  static const fs::path* const folder = [] {
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    auto* made = new fs::path(base / ("talon7x-fuzz-" + std::to_string(getpid())));
    fs::create_directories(*made);
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(*folder, ignored);
    });
    return made;
  }();
  return *folder;
}

std::filesystem::path WriteScratchFile(std::string_view name, std::span<const std::uint8_t> bytes) {
  const std::filesystem::path path = ScratchFolder() / std::string(name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  return path;
}

}  // namespace talon::fuzz
