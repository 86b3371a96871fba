// The child of the crash suite: writes versions first, first + 1, ... of one file with the
// program's own writer, for ever, until it is killed.
//   crash_writer <profile|userd|registry|wskb> <path> <first>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "crash_targets.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const auto target = talon::test::CrashTargetNamed(argv[1]);
  if (!target) return 2;
  const std::filesystem::path path = argv[2];
  std::uint64_t n = std::strtoull(argv[3], nullptr, 10);
  std::puts("ready");
  std::fflush(stdout);
  for (;; ++n) {
    if (!talon::test::WriteVersion(*target, path, n)) return 1;
  }
}
