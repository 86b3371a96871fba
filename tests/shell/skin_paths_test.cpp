// Paths beside the program and in the user's folder, and the first-start user folder.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "shell/skin_paths.h"
#include "shell/user_folder.h"
#include "test_folder.h"

namespace talon {
namespace {

namespace fs = std::filesystem;
using test::ScopedEnv;
using test::Slurp;
using test::Spit;
using test::TestFolder;

TEST(SkinPaths, EveryPathFromProgramAndUserFolders) {
  const SkinPaths p =
      ComputeSkinPaths({"/opt/talon/bin/talon7x", "/opt/talon/bin", "/home/u/.local/share"});
  const struct {
    fs::path actual;
    const char* expected;
  } cases[] = {
      {p.program_folder, "/opt/talon/bin"},
      {p.program_file_name, "talon7x"},
      {p.help_folder, "/opt/talon/bin/Help"},
      {p.main_skin, "/opt/talon/bin/Skins/Main.ini"},
      {p.composite_skin, "/opt/talon/bin/Skins/Composite.ini"},
      {p.profile_skin, "/opt/talon/bin/Skins/Profile.ini"},
      {SkinPaths::SkinFolderOf(p.profile_skin), "/opt/talon/bin/Skins"},
      {p.background_process, "/opt/talon/bin/KbWarden"},
      {p.firmware_updater, "/opt/talon/bin/Help/KbFwUpdater"},
      {p.DefaultColourFile(), "/opt/talon/bin/Skins/UserDengColor_3.userd"},
      {p.LanguageFile(0x040C), "/opt/talon/bin/Lang040C.ini"},
      {p.LanguageFile(0x0C0C), "/opt/talon/bin/Lang0C0C.ini"},
      {p.user_folder, "/home/u/.local/share/TALON7X-DUO"},
      {p.user_settings_file, "/home/u/.local/share/TALON7X-DUO/wskb.ini"},
      {p.UserColourFile(2), "/home/u/.local/share/TALON7X-DUO/UserDengColor_2.userd"},
      {p.working_profile_file, "/home/u/.local/share/TALON7X-DUO/$Profile0.vxp"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, fs::path(c.expected));
}

TEST(SkinPaths, EnvironmentChoosesTheFolders) {
  const fs::path program_dir = TestFolder() / "prog";
  {
    ScopedEnv program("TALON7X_PROGRAM_DIR", program_dir.c_str());
    ScopedEnv data("XDG_DATA_HOME", "/xdg/data");
    const SkinPaths p = SkinPathsFromEnvironment();
    EXPECT_EQ(p.main_skin, program_dir / "Skins" / "Main.ini");
    EXPECT_EQ(p.user_folder, fs::path("/xdg/data/TALON7X-DUO"));
    EXPECT_FALSE(p.program_file_name.empty());
  }
  {
    ScopedEnv program("TALON7X_PROGRAM_DIR", nullptr);
    ScopedEnv data("XDG_DATA_HOME", "relative/data");  // not absolute: ignored
    ScopedEnv home("HOME", "/home/someone");
    const SkinPaths p = SkinPathsFromEnvironment();
    EXPECT_EQ(p.program_folder, fs::read_symlink("/proc/self/exe").parent_path());
    EXPECT_EQ(p.user_folder, fs::path("/home/someone/.local/share/TALON7X-DUO"));
  }
}

SkinPaths PathsUnder(const fs::path& root) {
  return ComputeSkinPaths({root / "prog" / "talon7x", root / "prog", root / "data" / "nested"});
}

TEST(UserFolder, FirstStartMakesTheFolderWithFourColourFiles) {
  const SkinPaths paths = PathsUnder(TestFolder());
  const std::string colours = "[PRESENTMODE]\r\nmode=0\r\n[MODENAME]\r\n0=\xE6\xA8\xA1\r\n";
  Spit(paths.DefaultColourFile(), colours);

  const UserFolderResult first = EnsureUserFolder(paths);
  EXPECT_TRUE(first.created);
  EXPECT_EQ(first.colour_files_copied, 4);
  for (int profile = 0; profile < 4; ++profile) {
    EXPECT_EQ(Slurp(paths.UserColourFile(profile)), colours) << profile;
  }
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(paths.user_folder.parent_path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 1);  // no staging folder left behind

  // An existing folder is left exactly as it is.
  fs::remove(paths.UserColourFile(1));
  Spit(paths.UserColourFile(0), "edited");
  const UserFolderResult second = EnsureUserFolder(paths);
  EXPECT_TRUE(second.existed);
  EXPECT_FALSE(second.created);
  EXPECT_EQ(Slurp(paths.UserColourFile(0)), "edited");
  EXPECT_FALSE(fs::exists(paths.UserColourFile(1)));
}

TEST(UserFolder, FolderFollowsTheUmaskLikeAnyNewFolder) {
  const SkinPaths paths = PathsUnder(TestFolder());
  const mode_t saved = ::umask(077);
  const UserFolderResult result = EnsureUserFolder(paths);
  ::umask(saved);
  ASSERT_TRUE(result.created);
  EXPECT_EQ(fs::status(paths.user_folder).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST(UserFolder, MissingDefaultFileStillGivesTheFolder) {
  const SkinPaths paths = PathsUnder(TestFolder());
  const UserFolderResult result = EnsureUserFolder(paths);
  EXPECT_TRUE(result.created);
  EXPECT_EQ(result.colour_files_copied, 0);
  EXPECT_TRUE(fs::is_directory(paths.user_folder));
  EXPECT_TRUE(fs::is_empty(paths.user_folder));
}

}  // namespace
}  // namespace talon
