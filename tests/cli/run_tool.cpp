#include "run_tool.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

namespace talon::test {

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

std::string CtlPath() {
  return std::string(TALON7X_BUILD_DIR) + "/talon7x-ctl";
}

std::string VkbPath() {
  return std::string(TALON7X_BUILD_DIR) + "/talon7x-vkb";
}

pid_t StartTool(const std::string& program, const std::vector<std::string>& args,
                const std::map<std::string, std::string>& env, std::array<int, 3> stdio) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  for (int fd = 0; fd < 3; ++fd) {
    if (stdio[fd] >= 0) dup2(stdio[fd], fd);
  }
  for (const auto& [name, value] : env) {
    if (value.empty()) {
      unsetenv(name.c_str());
    } else {
      setenv(name.c_str(), value.c_str(), 1);
    }
  }
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  _exit(127);
}

ToolRun RunTool(const std::string& program, const std::vector<std::string>& args,
                const std::map<std::string, std::string>& env, const std::string& input) {
  char out_name[] = "/tmp/talon7x-tool-out-XXXXXX";
  char err_name[] = "/tmp/talon7x-tool-err-XXXXXX";
  char in_name[] = "/tmp/talon7x-tool-in-XXXXXX";
  const int out_fd = mkstemp(out_name);
  const int err_fd = mkstemp(err_name);
  const int in_fd = mkstemp(in_name);
  if (in_fd >= 0) {
    if (write(in_fd, input.data(), input.size()) != static_cast<ssize_t>(input.size())) {
      close(in_fd);
      return {};
    }
    lseek(in_fd, 0, SEEK_SET);
  }
  ToolRun run;
  const pid_t pid = StartTool(program, args, env, {in_fd, out_fd, err_fd});
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
    run.exit_code = WEXITSTATUS(status);
  }
  close(in_fd);
  close(out_fd);
  close(err_fd);
  run.out = Slurp(out_name);
  run.err = Slurp(err_name);
  std::remove(in_name);
  std::remove(out_name);
  std::remove(err_name);
  return run;
}

}  // namespace talon::test
