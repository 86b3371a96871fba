// A writer killed with SIGKILL at a random moment, over and over: the file it was writing is
// always either the version before or a later one, whole, and nothing is left beside it that
// the program would read later.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "crash_targets.h"
#include "platform/file_io.h"
#include "profile_files.h"

extern char** environ;

namespace talon::test {
namespace {

namespace fs = std::filesystem;

constexpr int kKills = 200;

// The writer, started with its stdout on a pipe; returns once it says it is about to write.
pid_t StartWriter(CrashTarget target, const fs::path& path, std::uint64_t first) {
  int out[2];
  if (pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  const std::string name(NameOf(target));
  const std::string file = path.string();
  const std::string from = std::to_string(first);
  char* argv[] = {const_cast<char*>(CRASH_WRITER_PATH), const_cast<char*>(name.c_str()),
                  const_cast<char*>(file.c_str()), const_cast<char*>(from.c_str()), nullptr};
  pid_t pid = -1;
  if (posix_spawn(&pid, CRASH_WRITER_PATH, &actions, nullptr, argv, environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  char line[8] = {};
  if (pid > 0 && read(out[0], line, sizeof line) <= 0) pid = -1;
  close(out[0]);
  return pid;
}

std::string Contents(const fs::path& path) {
  std::string bytes;
  ReadWholeFile(path, bytes);
  return bytes;
}

// A file the atomic writer left behind: "." + the file's name + "." + six characters. The
// program opens files by their exact names only, so it never reads one of these.
bool IsWritersTemporary(const fs::path& entry, const fs::path& file) {
  const std::string name = entry.filename().string();
  const std::string prefix = "." + file.filename().string() + ".";
  return name.size() == prefix.size() + 6 && name.rfind(prefix, 0) == 0;
}

class CrashSuite : public ::testing::TestWithParam<CrashTarget> {};

TEST_P(CrashSuite, KilledWriterLeavesTheOldOrTheNewFileWhole) {
  const CrashTarget target = GetParam();
  const fs::path folder = CaseFolder();
  const fs::path path = folder / FileNameOf(target);
  // The checks rebuild every version they see: in memory-backed storage where there is one, as
  // the writer's flushes to disk would make them slow.
  const fs::path scratch_folder =
      (fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : folder.parent_path()) /
      ("talon7x-crash-" + std::to_string(getpid()) + "-" + std::string(NameOf(target)));
  fs::create_directories(scratch_folder);
  const fs::path scratch = scratch_folder / FileNameOf(target);
  if (target == CrashTarget::kUserColours) {
    // The user's colour-mode files start as copies of the program's own.
    fs::copy_file(fs::path(TALON7X_SOURCE_DIR) / "data/Skins/UserDengColor_3.userd", path);
  }
  ASSERT_TRUE(WriteVersion(target, path, 0));
  const std::string first = Contents(path);

  // The kill comes at a random moment within a window that follows the writer: it widens
  // while kills find the old file and narrows while they find a new one, so that about half
  // land before the first write is over, many of them in the middle of it.
  std::mt19937 random(12345 + static_cast<unsigned>(target));
  std::uniform_real_distribution<double> share(0.0, 1.0);
  double window_us = 2000;
  std::uint64_t last = 0;
  int advanced = 0;
  int temporaries = 0;
  for (int kill_number = 0; kill_number < kKills; ++kill_number) {
    const pid_t writer = StartWriter(target, path, last + 1);
    ASSERT_GT(writer, 0) << "cannot start " << CRASH_WRITER_PATH;
    std::this_thread::sleep_for(
        std::chrono::microseconds(static_cast<long long>(share(random) * window_us)));
    kill(writer, SIGKILL);
    int status = 0;
    waitpid(writer, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself: " << status;

    const auto version = WholeVersionOf(target, path, scratch, first);
    ASSERT_TRUE(version) << "kill " << kill_number << " left a file that is not whole";
    ASSERT_TRUE(*version == last || *version > last) << "kill " << kill_number << " went back";
    if (*version != last) ++advanced;
    window_us = std::clamp(window_us * (*version != last ? 0.85 : 1.15), 100.0, 200'000.0);
    last = *version;
    temporaries = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path() == path) continue;
      ASSERT_TRUE(IsWritersTemporary(entry.path(), path))
          << "kill " << kill_number << " left " << entry.path();
      ++temporaries;
    }
  }
  fs::remove_all(scratch_folder);
  // Some kills must have come after a write ended, and most others during one.
  EXPECT_GT(advanced, kKills / 5);
  EXPECT_LT(advanced, kKills - kKills / 5);
  std::printf(
      "crash-table | %-8s | %d kills | %d after a finished write | %llu versions | "
      "%d writer's temporaries left\n",
      std::string(NameOf(target)).c_str(), kKills, advanced, static_cast<unsigned long long>(last),
      temporaries);
}

INSTANTIATE_TEST_SUITE_P(Files, CrashSuite,
                         ::testing::Values(CrashTarget::kWorkingProfile, CrashTarget::kUserColours,
                                           CrashTarget::kRegistry, CrashTarget::kUserSettings),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

}  // namespace
}  // namespace talon::test
