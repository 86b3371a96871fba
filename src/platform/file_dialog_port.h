#pragma once
// How the core asks the user for a file to open or to save to.
#include <filesystem>
#include <optional>
#include <string>

namespace talon {

enum class FileDialogMode { kOpen, kSave };

struct FileDialogRequest {
  FileDialogMode mode = FileDialogMode::kOpen;
  // Pairs of description and patterns, all separated by '|' and ended by "||":
  // "(*.vxp)|*.vxp|(*.*)|*.*||". Several patterns in one entry are separated by ';'.
  std::string filter;
  // Added (after a dot) to a chosen name that has no extension; empty for none.
  std::string default_extension;
  // The file name shown at first, possibly with a folder in front; a name with wildcards
  // ("*.vxp", "/home/me/*.vxp") only chooses the folder.
  std::string initial_name;
  bool overwrite_prompt = false;  // saving over an existing file asks first
  bool operator==(const FileDialogRequest&) const = default;
};

class FileDialogPort {
 public:
  virtual ~FileDialogPort() = default;
  // The chosen file, or nullopt when the user cancelled. On the user-interface thread only.
  virtual std::optional<std::filesystem::path> Ask(const FileDialogRequest& request) = 0;
};

}  // namespace talon
