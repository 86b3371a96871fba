#include "platform/process_launch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace talon {

bool IsExecutableFile(const std::filesystem::path& program) {
  struct stat st {};
  return ::stat(program.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         ::access(program.c_str(), X_OK) == 0;
}

bool StartDetached(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   const std::filesystem::path& working_folder) {
  if (!IsExecutableFile(program)) return false;
  // Everything the child needs is made before fork: between fork and exec only
  // async-signal-safe calls are allowed in a process with threads.
  const std::string path = program.string();
  const std::string folder = working_folder.string();
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(path.c_str()));
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return false;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return false;
  }
  if (child == 0) {
    // The intermediate child starts a new session and forks the program, then ends at once,
    // so the program is adopted by init and never waited for by us.
    ::close(report[0]);
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild == 0) {
      if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
        const int error = errno;
        [[maybe_unused]] auto n = ::write(report[1], &error, sizeof error);
        ::_exit(127);
      }
      ::execv(path.c_str(), argv.data());
      const int error = errno;
      [[maybe_unused]] auto n = ::write(report[1], &error, sizeof error);
      ::_exit(127);
    }
    ::_exit(grandchild < 0 ? 1 : 0);
  }
  ::close(report[1]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  // The pipe closes without data when exec succeeded (close-on-exec); an errno arrives when not.
  int error = 0;
  ssize_t got;
  while ((got = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  ::close(report[0]);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}

}  // namespace talon
