#pragma once
// What the profile-file sub-commands share: the English texts of the language files, message
// boxes turned into lines on stderr, and the file check with the tool's messages.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "model/model_port.h"
#include "platform/text_lookup.h"
#include "shell/language.h"
#include "shell/preferences.h"
#include "shell/skin_paths.h"

namespace talon::cli {

// Lang0409.ini beside the program, whatever language the configurator is set to.
class EnglishTexts : public TextLookup {
 public:
  explicit EnglishTexts(const SkinPaths& paths);
  std::string Text(std::string_view key) const override;

 private:
  Preferences preferences_;
  Language language_;
};

// Shows every message on stderr in English and answers OK.
class StderrPort : public ModelPort {
 public:
  explicit StderrPort(const TextLookup& texts) : texts_(texts) {}
  MessageAnswer ShowMessage(const MessageRequest& request) override;
  void RedrawKeyButton(KeySlot, int) override {}
  void ReloadKeyButtons() override {}
  void SetApplyEnabled(bool) override {}

  int shown() const { return shown_; }
  // The language key of the last message shown; empty before the first.
  const std::string& last_shown() const { return last_shown_; }

 private:
  const TextLookup& texts_;
  int shown_ = 0;
  std::string last_shown_;
};

// kExitOk when the file may be loaded; otherwise says why on stderr and returns kExitBadFile.
int CheckFileForTool(const std::filesystem::path& path, const TextLookup& texts);

}  // namespace talon::cli
