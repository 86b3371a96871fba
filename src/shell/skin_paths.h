// SkinPaths: every file and folder the program reads or writes, computed once at start-up.
// Data files lie beside the program (or in $TALON7X_PROGRAM_DIR); the user's own files in
// $XDG_DATA_HOME/TALON7X-DUO.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace talon {

inline constexpr const char* kUserFolderName = "TALON7X-DUO";

struct SkinPaths {
  std::filesystem::path program_folder;
  std::string program_file_name;
  std::filesystem::path help_folder;         // "index.html" and the firmware updater
  std::filesystem::path main_skin;           // Skins/Main.ini
  std::filesystem::path composite_skin;      // Skins/Composite.ini
  std::filesystem::path profile_skin;        // Skins/Profile.ini
  std::filesystem::path colour_file_prefix;  // Skins/UserDengColor_ (+ digit + ".userd")
  std::filesystem::path
      background_process;  // KbWarden beside the program (the maker's background helper)
  std::filesystem::path
      firmware_updater;  // KbFwUpdater in the help folder (the maker's firmware updater)

  std::filesystem::path user_folder;
  std::filesystem::path user_settings_file;    // wskb.ini
  std::filesystem::path user_colour_prefix;    // UserDengColor_ (+ digit + ".userd")
  std::filesystem::path working_profile_file;  // $Profile0.vxp

  // "Lang" + the id as four (or more) upper-case hexadecimal digits + ".ini", beside the program.
  std::filesystem::path LanguageFile(std::uint32_t language_id) const;
  // The colour-mode file the per-user ones start from: colour_file_prefix + "3.userd".
  std::filesystem::path DefaultColourFile() const;
  // The per-user colour-mode file of a profile (0-3).
  std::filesystem::path UserColourFile(int profile) const;
  // The folder that the images named in a skin file are relative to.
  static std::filesystem::path SkinFolderOf(const std::filesystem::path& skin_file);
};

struct PathInputs {
  std::filesystem::path program_file;    // the running executable
  std::filesystem::path program_folder;  // where the data files are
  std::filesystem::path local_app_data;  // the user's data folder
};

SkinPaths ComputeSkinPaths(const PathInputs& inputs);
// From the running process: ProgramFilePath, ProgramFolder, LocalAppDataFolder.
SkinPaths SkinPathsFromEnvironment();

}  // namespace talon
