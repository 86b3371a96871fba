// CIniFile over a skin file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "shell/skin_ini_file.h"
#include "test_folder.h"

namespace talon {
namespace {

namespace fs = std::filesystem;
using test::TestFolder;

fs::path WriteSkin(const std::string& text) {
  const fs::path path = TestFolder() / "Main.ini";
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

TEST(CIniFile, ReadsValuesAndRectangles) {
  CIniFile skin(WriteSkin(
      "[SCREEN]\nMain=main_normal.jpg\nMask=\n[BUTTONINFO]\nCONTROL_OK=12,34,56,78\n"
      "CONTROL_HELP=1,1,40,20\nCONTROL_MENU=12,34\n[BUTTONINFO2]\nUP_ARROW_LEFT1=5,6,7,8\n"));
  EXPECT_EQ(skin.Get("screen", "main"), "main_normal.jpg");
  EXPECT_EQ(skin.Get("SCREEN", "Mask", "fallback"), std::nullopt);  // empty value: no text
  EXPECT_EQ(skin.Get("SCREEN", "Link", "https://example.invalid/"), "https://example.invalid/");
  EXPECT_EQ(skin.Get("SCREEN", "Link"), std::nullopt);

  EXPECT_EQ(skin.GetButtonInfo("CONTROL_OK"), (ButtonInfo{12, 34, 56, 78}));
  EXPECT_TRUE(skin.GetButtonInfo("CONTROL_HELP").IsLeftOut());
  EXPECT_EQ(skin.GetButtonInfo("CONTROL_MENU"), kDefaultButtonInfo);   // malformed
  EXPECT_EQ(skin.GetButtonInfo("CONTROL_CLOSE"), kDefaultButtonInfo);  // missing
  EXPECT_EQ(skin.GetButtonInfo("UP_ARROW_LEFT1", "BUTTONINFO2"), (ButtonInfo{5, 6, 7, 8}));
}

TEST(CIniFile, CutsLongValuesWithoutSplittingCharacters) {
  std::string long_value(CIniFile::kMaxValueChars - 1, 'a');
  long_value += "éééé";
  CIniFile skin(WriteSkin("[S]\nlong=" + long_value + "\n"));
  const auto value = skin.Get("S", "long");
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(*value, std::string(CIniFile::kMaxValueChars - 1, 'a') + "é");
}

TEST(CIniFile, WritesOneKeyAndWithoutPathDoesNothing) {
  const fs::path path = WriteSkin("[SCREEN]\nMain=a.jpg\n");
  CIniFile skin(path);
  ASSERT_TRUE(skin.Write("SCREEN", "Link", "https://example.invalid/"));
  EXPECT_EQ(skin.Get("SCREEN", "Main"), "a.jpg");
  EXPECT_EQ(CIniFile(path).Get("SCREEN", "Link"), "https://example.invalid/");

  CIniFile unset;
  EXPECT_EQ(unset.Get("SCREEN", "Main", "x"), "x");
  EXPECT_FALSE(unset.Write("SCREEN", "Main", "y"));
  EXPECT_EQ(unset.GetButtonInfo("CONTROL_OK"), kDefaultButtonInfo);
}

}  // namespace
}  // namespace talon
