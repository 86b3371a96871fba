#pragma once
// Runs talon7x-ctl as a user would, in a process of its own, and collects what it printed.
#include <array>
#include <map>
#include <string>
#include <vector>

#include <sys/types.h>

namespace talon::test {

struct ToolRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// `program` is run with `args`; `env` entries are set (an empty value unsets the variable) on
// top of the test's own environment. `input` is its standard input (empty: none).
ToolRun RunTool(const std::string& program, const std::vector<std::string>& args,
                const std::map<std::string, std::string>& env = {}, const std::string& input = {});

// Starts `program` the same way without waiting for it; `stdio` are the descriptors for its
// standard input, output and error (-1: the test's own). Returns its process id (-1 when fork
// failed).
pid_t StartTool(const std::string& program, const std::vector<std::string>& args,
                const std::map<std::string, std::string>& env,
                std::array<int, 3> stdio = {-1, -1, -1});

// build/talon7x-ctl.
std::string CtlPath();
// build/talon7x-vkb.
std::string VkbPath();

}  // namespace talon::test
