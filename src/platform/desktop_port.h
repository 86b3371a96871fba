#pragma once
// How the program reaches the desktop: documents and web pages go to the desktop's opener, the
// keyboard maker's helper programs are started detached. Tests record the requests instead.
#include <filesystem>
#include <string>
#include <vector>

namespace talon {

class DesktopPort {
 public:
  virtual ~DesktopPort() = default;
  // A local file (the help page) or a web address, with the desktop's default program.
  virtual bool Open(const std::string& file_or_url) = 0;
  // A program beside ours, when it exists and is executable; its result is not waited for.
  virtual bool StartProgram(const std::filesystem::path& program,
                            const std::vector<std::string>& arguments,
                            const std::filesystem::path& working_folder) = 0;
};

}  // namespace talon
