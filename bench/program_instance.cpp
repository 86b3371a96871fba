#include "program_instance.h"

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace talon::bench {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Our own variables replace whatever the bench inherited.
bool IsOwnVariable(const std::string& entry) {
  for (const char* name : {"XDG_RUNTIME_DIR=", "XDG_CONFIG_HOME=", "XDG_DATA_HOME=",
                           "XDG_STATE_HOME=", "TALON7X_VKB_STATE=", "TALON7X_TIMING_LOG=",
                           "LD_LIBRARY_PATH=", "TALON7X_VKB_LATENCY_US=", "TALON7X_VKB_ABSENT="}) {
    if (entry.rfind(name, 0) == 0) return true;
  }
  return false;
}

bool WaitExit(pid_t pid, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid || done < 0) return true;
    std::this_thread::sleep_for(5ms);
  }
  return false;
}

}  // namespace

ProgramInstance::ProgramInstance(fs::path build, fs::path root)
    : build_(std::move(build)), root_(std::move(root)), log_(root_ / "timing.log") {
  for (const char* sub : {"runtime", "config", "data", "state"})
    fs::create_directories(root_ / sub);
  fs::permissions(root_ / "runtime", fs::perms::owner_all, fs::perm_options::replace);
}

ProgramInstance::~ProgramInstance() {
  Stop();
}

std::vector<std::string> ProgramInstance::Environment() const {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    if (!IsOwnVariable(*e)) env.emplace_back(*e);
  }
  env.push_back("XDG_RUNTIME_DIR=" + (root_ / "runtime").string());
  env.push_back("XDG_CONFIG_HOME=" + (root_ / "config").string());
  env.push_back("XDG_DATA_HOME=" + (root_ / "data").string());
  env.push_back("XDG_STATE_HOME=" + (root_ / "state").string());
  env.push_back("TALON7X_VKB_STATE=" + (root_ / "keyboard.state").string());
  env.push_back("TALON7X_TIMING_LOG=" + log_.string());
  env.push_back("LD_LIBRARY_PATH=" + (build_ / "virtual").string());
  return env;
}

pid_t ProgramInstance::Spawn(const std::string& name, const std::vector<std::string>& args) const {
  const std::string program = (build_ / name).string();
  const std::vector<std::string> env = Environment();
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  // What the programs print (notes of a desktop without a window manager, talon7x-ctl's
  // answers) is not the bench's output.
  posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int failed = posix_spawn(&pid, program.c_str(), &files, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&files);
  return failed == 0 ? pid : -1;
}

bool ProgramInstance::Start(const std::vector<std::string>& args) {
  Stop();
  fs::remove(log_);
  zero_ = std::chrono::steady_clock::now();
  pid_ = Spawn("talon7x", args);
  return pid_ > 0;
}

std::string ProgramInstance::Log() const {
  std::ifstream in(log_);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::optional<std::chrono::nanoseconds> ProgramInstance::WaitFor(const std::string& moment,
                                                                 std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    std::istringstream lines(Log());
    std::string name;
    long long ns = 0;
    std::string rest;
    while (lines >> name >> ns) {
      std::getline(lines, rest);
      if (name == moment) {
        return std::chrono::nanoseconds(ns) - zero_.time_since_epoch();
      }
    }
    if (!Running()) return std::nullopt;
    std::this_thread::sleep_for(2ms);
  }
  return std::nullopt;
}

bool ProgramInstance::TrayShown() const {
  return Log().find(" tray=1") != std::string::npos;
}

bool ProgramInstance::Running() {
  if (pid_ <= 0) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) == pid_) {
    pid_ = -1;
    return false;
  }
  return true;
}

void ProgramInstance::Stop() {
  if (!Running()) return;
  const pid_t killer = Spawn("talon7x", {"/Kill"});
  if (killer > 0) WaitExit(killer, 10s);
  if (!WaitExit(pid_, 10s)) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  pid_ = -1;
}

void ProgramInstance::SetLightingMode(bool on) const {
  const fs::path folder = root_ / "data" / "TALON7X-DUO";
  fs::create_directories(folder);
  std::ofstream(folder / "wskb.ini") << "[KEYCOLOR]\nDengCheck=" << (on ? 1 : 0) << "\n";
}

bool ProgramInstance::RunCtl(const std::vector<std::string>& args) const {
  const pid_t pid = Spawn("talon7x-ctl", args);
  int status = 0;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

std::optional<long> ProgramInstance::ResidentKiB() const {
  std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return std::nullopt;
}

std::optional<ProcessCpu> ProgramInstance::Cpu() const {
  std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
  std::string text;
  std::getline(stat, text);
  // The command name may hold spaces: the fields that follow start after its ')'.
  const std::size_t close = text.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  ProcessCpu cpu;
  // Fields 3-13 come first; utime and stime are fields 14 and 15.
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i >= 14) cpu.ticks += std::stoull(field);
  }
  return fields ? std::optional<ProcessCpu>(cpu) : std::nullopt;
}

}  // namespace talon::bench
