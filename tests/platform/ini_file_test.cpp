// INI files on disk: one-shot reads and writes, the cached IniFile, and the atomic save.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_io.h"
#include "platform/ini_file.h"

namespace talon {
namespace {

namespace fs = std::filesystem;

fs::path TestFolder() {
  const char* root = std::getenv("TALON7X_TEST_ROOT");
  fs::path folder = fs::path(root != nullptr ? root : fs::temp_directory_path().c_str()) /
                    testing::UnitTest::GetInstance()->current_test_info()->name();
  fs::create_directories(folder);
  return folder;
}

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Spit(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

int FileCount(const fs::path& folder) {
  int n = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++n;
  return n;
}

TEST(IniFileOnDisk, OneShotWriteCreatesThenUpdatesInPlace) {
  const fs::path file = TestFolder() / "wskb.ini";
  EXPECT_EQ(ReadIniString(file, "KEYCOLOR", "DengCheck", "0"), "0");
  ASSERT_TRUE(WriteIniString(file, "KEYCOLOR", "DengCheck", "1"));
  EXPECT_EQ(Slurp(file), "[KEYCOLOR]\nDengCheck=1\n");

  Spit(file, "; mine\r\n[KEYCOLOR]\r\nDengCheck=1\r\nOther=x\r\n");
  ASSERT_TRUE(WriteIniString(file, "keycolor", "dengcheck", "0"));
  EXPECT_EQ(Slurp(file), "; mine\r\n[KEYCOLOR]\r\nDengCheck=0\r\nOther=x\r\n");
  EXPECT_EQ(ReadIniInt(file, "KEYCOLOR", "DengCheck", 7), 0);
}

TEST(IniFileOnDisk, UnreadableTargetIsNeverOverwritten) {
  const fs::path folder_named_like_file = TestFolder() / "taken.ini";
  fs::create_directories(folder_named_like_file / "inside");
  EXPECT_FALSE(WriteIniString(folder_named_like_file, "s", "k", "v"));
  EXPECT_TRUE(fs::is_directory(folder_named_like_file / "inside"));
  EXPECT_FALSE(WriteIniString(TestFolder() / "no" / "such" / "folder.ini", "s", "k", "v"));
}

TEST(IniFileOnDisk, CachedFileFollowsChangesOnDiskAndKeepsOtherWriters) {
  const fs::path path = TestFolder() / "skin.ini";
  Spit(path, "[BUTTONINFO]\nCONTROL_OK=1,2,3,4\n");
  IniFile file(path);
  EXPECT_EQ(file.GetString("BUTTONINFO", "CONTROL_OK", ""), "1,2,3,4");

  Spit(path, "[BUTTONINFO]\nCONTROL_OK=5,6,7,8\nCONTROL_CANCEL=9,9,9,9\n");
  EXPECT_EQ(file.GetString("BUTTONINFO", "CONTROL_OK", ""), "5,6,7,8");

  // Someone else adds a key; our write must not drop it.
  ASSERT_TRUE(WriteIniString(path, "SCREEN", "Main", "main.jpg"));
  ASSERT_TRUE(file.WriteString("SCREEN", "Mask", "mask.bmp"));
  EXPECT_EQ(ReadIniString(path, "SCREEN", "Main", ""), "main.jpg");
  EXPECT_EQ(file.GetString("SCREEN", "Mask", ""), "mask.bmp");
  EXPECT_EQ(file.GetString("BUTTONINFO", "CONTROL_CANCEL", ""), "9,9,9,9");

  fs::remove(path);
  EXPECT_EQ(file.GetString("SCREEN", "Mask", "gone"), "gone");
}

TEST(AtomicWrite, FailedWriteLeavesTheOldFileAndNoLeftovers) {
  const fs::path folder = TestFolder();
  const fs::path path = folder / "settings.ini";
  const std::string old_text = "[s]\nk=old\n";
  Spit(path, old_text);

  // Limit the size of files this process may write, so the write of the new content fails.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = WriteIniString(path, "s", "k", std::string(500, 'x'));
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);

  EXPECT_FALSE(written);
  EXPECT_EQ(Slurp(path), old_text);
  EXPECT_EQ(FileCount(folder), 1);
}

TEST(AtomicWrite, ReadOnlyFolderLeavesTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write into read-only folders";
  const fs::path folder = TestFolder() / "locked";
  fs::create_directories(folder);
  const fs::path path = folder / "settings.ini";
  Spit(path, "[s]\nk=old\n");
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  const bool written = WriteIniString(path, "s", "k", "new");
  fs::permissions(folder, fs::perms::owner_all);
  EXPECT_FALSE(written);
  EXPECT_EQ(Slurp(path), "[s]\nk=old\n");
}

TEST(AtomicWrite, KeepsPermissionsAndWritesThroughSymlinks) {
  const fs::path folder = TestFolder();
  const fs::path real = folder / "real.ini";
  Spit(real, "old");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  const fs::path link = folder / "link.ini";
  fs::create_symlink(real, link);

  ASSERT_TRUE(WriteFileAtomically(link, "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Slurp(real), "new");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);

  // A relative link, through another link, to a file that does not exist yet: the file is
  // made where the chain ends and both links stay.
  fs::create_directories(folder / "elsewhere");
  fs::create_symlink("elsewhere/new.ini", folder / "dangling.ini");
  fs::create_symlink("dangling.ini", folder / "chain.ini");
  ASSERT_TRUE(WriteFileAtomically(folder / "chain.ini", "fresh"));
  EXPECT_TRUE(fs::is_symlink(folder / "chain.ini"));
  EXPECT_TRUE(fs::is_symlink(folder / "dangling.ini"));
  EXPECT_EQ(Slurp(folder / "elsewhere" / "new.ini"), "fresh");
}

// A rewrite replaces the file (a new one is renamed over it); unchanged content leaves the very
// same file, content that differs only in its length or its last byte does not.
TEST(AtomicWrite, UnchangedContentLeavesTheFileAsItIs) {
  const fs::path path = TestFolder() / "same.ini";
  const auto inode = [&path] {
    struct stat s {};
    EXPECT_EQ(::stat(path.c_str(), &s), 0);
    return s.st_ino;
  };
  const std::string big(200 * 1024, 'a');
  ASSERT_TRUE(WriteFileAtomically(path, big));
  const auto first = inode();
  ASSERT_TRUE(WriteFileAtomically(path, big));
  EXPECT_EQ(inode(), first);

  for (const std::string& changed : {big + "a", big.substr(0, big.size() - 1) + "b"}) {
    const auto before = inode();
    ASSERT_TRUE(WriteFileAtomically(path, changed));
    EXPECT_NE(inode(), before);
    EXPECT_EQ(Slurp(path), changed);
  }
}

}  // namespace
}  // namespace talon
