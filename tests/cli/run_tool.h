#pragma once
// Runs talon7x-ctl as a user would, in a process of its own, and collects what it printed.
#include <map>
#include <string>
#include <vector>

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

// build/talon7x-ctl.
std::string CtlPath();
// build/talon7x-vkb.
std::string VkbPath();

}  // namespace talon::test
