#include "cli/profile_tools.h"

#include "cli/cli_command.h"
#include "cli/keyboard_connection.h"
#include "model/profile_file.h"

namespace talon::cli {

namespace {

constexpr int kEnglish = 0;

}  // namespace

EnglishTexts::EnglishTexts(const SkinPaths& paths) : language_(paths, preferences_) {}

std::string EnglishTexts::Text(std::string_view key) const {
  return language_.LoadText(key, kEnglish);
}

MessageAnswer StderrPort::ShowMessage(const MessageRequest& request) {
  ++shown_;
  last_shown_ = request.text_key;
  PrintError(MessageText(request, texts_));
  return MessageAnswer::kOk;
}

int CheckFileForTool(const std::filesystem::path& path, const TextLookup& texts) {
  StderrPort port(texts);
  const int checked = CheckProfileFile(path, port);
  if (checked == kProfileUsable) return kExitOk;
  if (port.shown() > 0) return kExitBadFile;
  std::error_code ec;
  if (checked == kProfileCannotOpen) {
    PrintError("cannot open " + path.string());
  } else if (!std::filesystem::exists(path, ec)) {
    PrintError("no such file: " + path.string());
  } else {
    port.ShowMessage({"PROFILE_FORMAT_ERROR", {path.string()}});
  }
  return kExitBadFile;
}

}  // namespace talon::cli
