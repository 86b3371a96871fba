#pragma once
// The desktop as the program reaches it: the desktop's opener for documents and web pages, and
// detached starts of the keyboard maker's helper programs.
#include "platform/desktop_port.h"

namespace talon {

class QtDesktop : public DesktopPort {
 public:
  bool Open(const std::string& file_or_url) override;
  bool StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const std::filesystem::path& working_folder) override;
};

}  // namespace talon
