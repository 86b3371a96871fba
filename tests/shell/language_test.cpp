// Choosing the language and looking texts up.
#include <gtest/gtest.h>

#include "shell/language.h"
#include "shell/language_id.h"
#include "test_folder.h"

namespace talon {
namespace {

namespace fs = std::filesystem;
using test::ScopedEnv;
using test::Spit;
using test::TestFolder;

TEST(LanguageId, LocaleNamesToWindowsIds) {
  const struct {
    const char* locale;
    std::uint16_t id;
  } cases[] = {
      {"fr_CA.UTF-8", 0x0C0C},
      {"zh_TW.Big5", 0x0404},
      {"zh_CN.GB2312", 0x0804},
      {"en_GB.UTF-8@euro", 0x0809},
      {"en_US", 0x0409},
      {"fr-BE", 0x080C},
      {"zh_HK.UTF-8", 0x0C04},
      {"de_AT", 0x0C07},
      {"fr", 0x040C},
      {"en", 0x0409},
      {"FR_ch", 0x100C},
      {"fr_XX", 0x040C},
      {"C", 0},
      {"POSIX", 0},
      {"C.UTF-8", 0},
      {"", 0},
      {"xx_YY", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(LanguageIdOfLocale(c.locale), c.id) << c.locale;
}

TEST(LanguageId, SystemIdsMapToTheFourLanguages) {
  const struct {
    std::uint32_t system;
    std::uint32_t language;
  } cases[] = {
      {0x0409, 0x0409}, {0x0804, 0x0804}, {0x0404, 0x0404}, {0x040C, 0x040C},
      {0x0C0C, 0x040C}, {0xE40C, 0x040C}, {0x380C, 0x040C}, {0x0809, 0x0409},
      {0x2C09, 0x0409}, {0x0C04, 0x0404}, {0x1404, 0x0404}, {0x1004, 0x0804},
      {0x0411, 0x0409}, {0x0407, 0x0409}, {0x4009, 0x0409}, {0, 0x0409},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SupportedLanguageFor(c.system), c.language) << std::hex << c.system;
  }
  EXPECT_EQ(LanguageIndexOf(0x040C), 3);
  EXPECT_EQ(LanguageIndexOf(0x0404), 2);
  EXPECT_EQ(LanguageIndexOf(0x0411), 0);
}

TEST(LanguageId, MessagesLocaleFollowsPosixPrecedence) {
  ScopedEnv all("LC_ALL", "");
  ScopedEnv messages("LC_MESSAGES", "zh_TW.UTF-8");
  ScopedEnv lang("LANG", "fr_FR.UTF-8");
  EXPECT_EQ(SystemLanguageId(), 0x0404);
  {
    ScopedEnv all_set("LC_ALL", "en_GB.UTF-8");
    EXPECT_EQ(SystemLanguageId(), 0x0809);
  }
  ScopedEnv no_messages("LC_MESSAGES", nullptr);
  EXPECT_EQ(SystemLanguageId(), 0x040C);
}

TEST(LanguageId, ChosenOnceThenKept) {
  const fs::path file = TestFolder() / "registry.ini";
  const struct {
    const char* stored;  // nullptr: nothing stored
    std::uint32_t expected;
    const char* stored_after;
  } cases[] = {
      {nullptr, 0x040C, "dword:0000040c"},  // French (Canada) system
      {"dword:00000000", 0x040C, "dword:0000040c"},
      {"1036", 0x040C, "dword:0000040c"},  // not a number
      {"dword:zz", 0x040C, "dword:0000040c"},
      {"dword:00000411", 0x0411, "dword:00000411"},  // kept though unsupported
      {"dword:00000804", 0x0804, "dword:00000804"},
  };
  for (const auto& c : cases) {
    Spit(file, c.stored ? std::string("[Software\\TALON7X-DUO]\ndwLanguageId=") + c.stored + "\n"
                        : std::string());
    Preferences prefs(file);
    EXPECT_EQ(GetLanguageId(prefs, 0x0C0C), c.expected) << (c.stored ? c.stored : "none");
    EXPECT_EQ(ReadIniString(file, "Software\\TALON7X-DUO", "dwLanguageId", ""), c.stored_after);
  }
}

class LanguageFiles : public testing::Test {
 protected:
  void SetUp() override {
    const fs::path root = TestFolder();
    paths_ = ComputeSkinPaths({root / "talon7x", root, root / "data"});
    Spit(paths_.LanguageFile(0x0409),
         "[TEXT]\nMAIN_CAPTION=English caption\nEMPTY=\nLONG=" + std::string(300, 'x') +
             "\n[LIGHT]\nSpeed=Speed\n[MODE]\n7=Ripple\n");
    Spit(paths_.LanguageFile(0x040C),
         "\xEF\xBB\xBF[TEXT]\r\nMAIN_CAPTION=Titre "
         "fran\xC3\xA7\x61is\r\n[MODE]\r\n7=Ondulation\r\n");
  }
  SkinPaths paths_;
  Preferences prefs_{TestFolder() / "registry.ini"};
};

TEST_F(LanguageFiles, FrenchCanadaSystemReadsTheFrenchFile) {
  ScopedEnv locale("LC_ALL", "fr_CA.UTF-8");
  Language language(paths_, prefs_);
  EXPECT_EQ(language.Text("MAIN_CAPTION"),
            "Titre fran\xC3\xA7"
            "ais");
  EXPECT_EQ(language.ModeText(7), "Ondulation");
  EXPECT_EQ(prefs_.ReadDword(Preferences::kProgramKey, "dwLanguageId").value, 0x040Cu);
}

TEST_F(LanguageFiles, UnsupportedStoredIdReadsEnglishAndStays) {
  prefs_.WriteDword(Preferences::kProgramKey, "dwLanguageId", 0x0411);
  Language language(paths_, prefs_);
  EXPECT_EQ(language.Index(), 0);
  EXPECT_EQ(language.Text("MAIN_CAPTION"), "English caption");
  EXPECT_EQ(prefs_.ReadDword(Preferences::kProgramKey, "dwLanguageId").value, 0x0411u);
}

TEST_F(LanguageFiles, MissingTextsEmptyTextsAndLimits) {
  prefs_.WriteDword(Preferences::kProgramKey, "dwLanguageId", 0x0409);
  Language language(paths_, prefs_);
  EXPECT_EQ(language.LoadText("NO_SUCH_KEY", 0), "#Error");
  EXPECT_EQ(language.LoadText("MAIN_CAPTION", 1), "#Error");       // no Lang0804.ini here
  EXPECT_EQ(language.LoadLightText("MAIN_CAPTION", 0), "#Error");  // other section
  EXPECT_EQ(language.LoadText("EMPTY", 0), "");
  EXPECT_EQ(language.LoadText("LONG", 0), std::string(Language::kMaxTextChars, 'x'));
  EXPECT_EQ(language.LoadLightText("speed", 0), "Speed");
  EXPECT_EQ(language.LoadModeText("7", 3), "Ondulation");
  EXPECT_EQ(language.LoadText("MAIN_CAPTION", 5), "English caption");  // out of range: 0
  EXPECT_EQ(language.LoadText("MAIN_CAPTION", -1), "English caption");
}

TEST_F(LanguageFiles, ChangedPreferenceTakesEffectAtTheNextLookup) {
  prefs_.WriteDword(Preferences::kProgramKey, "dwLanguageId", 0x0409);
  Language language(paths_, prefs_);
  const TextLookup& texts = language;
  EXPECT_EQ(texts.Text("MAIN_CAPTION"), "English caption");
  Preferences(prefs_.Path()).WriteDword(Preferences::kProgramKey, "dwLanguageId", 0x040C);
  EXPECT_EQ(texts.Text("MAIN_CAPTION"),
            "Titre fran\xC3\xA7"
            "ais");
}

}  // namespace
}  // namespace talon
