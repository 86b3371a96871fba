#include "shell/skin_paths.h"

#include <cstdio>

#include "platform/standard_folders.h"

namespace talon {
namespace {

namespace fs = std::filesystem;

fs::path WithSuffix(const fs::path& prefix, const std::string& suffix) {
  return fs::path(prefix.string() + suffix);
}

}  // namespace

fs::path SkinPaths::LanguageFile(std::uint32_t language_id) const {
  char name[32];
  std::snprintf(name, sizeof name, "Lang%04X.ini", static_cast<unsigned>(language_id));
  return program_folder / name;
}

fs::path SkinPaths::DefaultColourFile() const {
  return WithSuffix(colour_file_prefix, "3.userd");
}

fs::path SkinPaths::UserColourFile(int profile) const {
  return WithSuffix(user_colour_prefix, std::to_string(profile) + ".userd");
}

fs::path SkinPaths::SkinFolderOf(const fs::path& skin_file) {
  return skin_file.parent_path();
}

SkinPaths ComputeSkinPaths(const PathInputs& inputs) {
  SkinPaths p;
  p.program_folder = inputs.program_folder;
  p.program_file_name = inputs.program_file.filename().string();
  p.help_folder = p.program_folder / "Help";
  const fs::path skins = p.program_folder / "Skins";
  p.main_skin = skins / "Main.ini";
  p.composite_skin = skins / "Composite.ini";
  p.profile_skin = skins / "Profile.ini";
  p.colour_file_prefix = skins / "UserDengColor_";
  p.background_process = p.program_folder / "KbWarden";
  p.firmware_updater = p.help_folder / "KbFwUpdater";

  p.user_folder = inputs.local_app_data / kUserFolderName;
  p.user_settings_file = p.user_folder / "wskb.ini";
  p.user_colour_prefix = p.user_folder / "UserDengColor_";
  p.working_profile_file = p.user_folder / "$Profile0.vxp";
  return p;
}

SkinPaths SkinPathsFromEnvironment() {
  return ComputeSkinPaths({ProgramFilePath(), ProgramFolder(), LocalAppDataFolder()});
}

}  // namespace talon
