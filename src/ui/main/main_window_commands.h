#pragma once
// The main window's commands on the key maps and macros: Apply (save the working file and send
// the pending changes), restore defaults, and restoring (import) and backing up (export) a
// profile file. All run on the window's thread and hold the profile store's lock while they read
// or replace it.
#include <filesystem>

namespace talon {

class BusyIndicator;
class CVexmoDlg;

class MainWindowCommands {
 public:
  MainWindowCommands(CVexmoDlg& window, BusyIndicator& busy);

  // The busy picture shows either way; with changes pending, the store is saved and the active
  // profile's bank and the macros are sent. Apply stays enabled when either fails.
  void Apply();
  // After the user agrees: the active profile's key map returns to its defaults (and, in
  // lighting mode, the lighting of the current profile), then Apply.
  void RestoreDefaults();
  // Asks for a profile file, checks it (nothing changes when it is bad), loads it, saves it as
  // the working file and sends all four banks and the macros.
  void Import();
  // Asks where to, and writes the store (with changes not yet applied) there.
  void Export();

  // The file dialog request both commands use.
  static constexpr const char* kFilter = "(*.vxp)|*.vxp|(*.*)|*.*||";

 private:
  void ImportFile(const std::filesystem::path& file);

  CVexmoDlg& window_;
  BusyIndicator& busy_;
};

}  // namespace talon
