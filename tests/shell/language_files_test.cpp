// The shipped language files: every key the program looks up, in every language, with formats
// that take the arguments the program passes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <utility>

#include "platform/ini_file.h"
#include "platform/standard_folders.h"
#include "platform/text_format.h"
#include "shell/language.h"
#include "shell/language_id.h"
#include "shell/text_keys.h"
#include "test_folder.h"

namespace talon {
namespace {

namespace fs = std::filesystem;

fs::path LanguageFile(std::uint32_t id) {
  return ComputeSkinPaths({ProgramFilePath(), ProgramFolder(), "/unused"}).LanguageFile(id);
}

std::vector<FormatArg> Expected(TextArg arg) {
  switch (arg) {
    case TextArg::kInt:
      return {FormatArg::kInt};
    case TextArg::kString:
      return {FormatArg::kString};
    case TextArg::kNone:
      break;
  }
  return {};
}

TEST(ShippedLanguageFiles, HoldEveryKeyWithMatchingFormats) {
  for (const std::uint32_t id : kSupportedLanguageIds) {
    IniDocument doc;
    ASSERT_EQ(doc.Load(LanguageFile(id)), IniDocument::LoadResult::kLoaded) << LanguageFile(id);
    for (const TextKey& k : RequiredTextKeys()) {
      const auto text = doc.Find(k.section, k.key);
      ASSERT_TRUE(text.has_value()) << std::hex << id << " [" << k.section << "] " << k.key;
      EXPECT_FALSE(text->empty()) << std::hex << id << " " << k.key;
      if (k.arg == TextArg::kNone) {
        EXPECT_EQ(text->find('%'), std::string_view::npos) << std::hex << id << " " << k.key;
      } else {
        EXPECT_EQ(PrintfArguments(*text), Expected(k.arg)) << std::hex << id << " " << k.key;
      }
    }
  }
}

// Each file read line by line: no broken lines, no key twice, and the same keys in all four.
std::set<std::pair<std::string, std::string>> KeysOf(const fs::path& path) {
  std::istringstream in(test::Slurp(path));
  std::set<std::pair<std::string, std::string>> keys;
  std::string line, section;
  while (std::getline(in, line)) {
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      EXPECT_EQ(line.back(), ']') << path << ": " << line;
      section = line.substr(1, line.size() - 2);
      continue;
    }
    const std::size_t eq = line.find('=');
    EXPECT_NE(eq, std::string::npos) << path << ": " << line;
    EXPECT_TRUE(keys.emplace(section, line.substr(0, eq)).second) << path << ": twice " << line;
  }
  return keys;
}

TEST(ShippedLanguageFiles, AreWellFormedAndAgreeOnTheirKeys) {
  const auto english = KeysOf(LanguageFile(0x0409));
  ASSERT_GT(english.size(), 250u) << LanguageFile(0x0409);
  for (const std::uint32_t id : kSupportedLanguageIds) {
    EXPECT_EQ(KeysOf(LanguageFile(id)), english) << std::hex << id;
  }
}

TEST(ShippedLanguageFiles, ReadThroughTheLanguageLookups) {
  const fs::path root = test::TestFolder();
  Preferences prefs(root / "registry.ini");
  const SkinPaths paths = ComputeSkinPaths({ProgramFilePath(), ProgramFolder(), root});
  test::ScopedEnv locale("LC_ALL", "fr_CA.UTF-8");
  const Language language(paths, prefs);
  EXPECT_EQ(language.ModeText(1), "Vague");
  EXPECT_EQ(language.LightText("Usb"), "Taux de rapport");
  EXPECT_EQ(language.Text("MACRO_NEW_PREFIX"), "Macro ");  // quoted to keep its blank
  EXPECT_EQ(FormatWithInt(language.Text("UNKNOWN_KEY"), 0x064), "Touche 0064");
  EXPECT_EQ(language.LoadText("MEDIA_MUTE_8", 1), "静音");
  EXPECT_EQ(language.LoadText("IDS_KEYBOARD_EQU", 0), "=");
}

}  // namespace
}  // namespace talon
