// The registry replacement: typed values in one INI file, and the record-delay choice.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/ini_file.h"
#include "shell/preferences.h"
#include "shell/record_delay.h"
#include "test_folder.h"

namespace talon {
namespace {

namespace fs = std::filesystem;
using Status = Preferences::Status;
using test::ScopedEnv;
using test::Slurp;
using test::Spit;
using test::TestFolder;

constexpr std::string_view kKey = Preferences::kProgramKey;

TEST(Preferences, DwordRoundTripAsWrittenText) {
  const fs::path file = TestFolder() / "cfg" / "registry.ini";
  Preferences prefs(file);
  for (const std::uint32_t value : {0x40Cu, 0u, 0xFFFFFFFFu}) {
    ASSERT_TRUE(prefs.WriteDword(kKey, "dwLanguageId", value));
    const Preferences::Dword read = prefs.ReadDword(kKey, "dwLanguageId");
    EXPECT_EQ(read.status, Status::kOk);
    EXPECT_EQ(read.value, value);
  }
  prefs.WriteDword(kKey, "dwLanguageId", 0x40C);
  EXPECT_EQ(Slurp(file), "[Software\\TALON7X-DUO]\ndwLanguageId=dword:0000040c\n");
}

TEST(Preferences, TypesAndBrokenNumbersAreDetected) {
  const fs::path file = TestFolder() / "registry.ini";
  const struct {
    const char* stored;
    Status dword_status;
    std::uint32_t dword;
    Status string_status;
    const char* string;
  } cases[] = {
      {"dword:0000040c", Status::kOk, 0x40C, Status::kWrongType, ""},
      {"DWORD:40C", Status::kOk, 0x40C, Status::kWrongType, ""},
      {"1036", Status::kWrongType, 0, Status::kOk, "1036"},
      {"\"dword:1\"", Status::kWrongType, 0, Status::kOk, "dword:1"},
      {"", Status::kWrongType, 0, Status::kOk, ""},
      {"dword:", Status::kMalformed, 0, Status::kMalformed, ""},
      {"dword:123456789", Status::kMalformed, 0, Status::kMalformed, ""},
      {"dword:xyz", Status::kMalformed, 0, Status::kMalformed, ""},
      {"dword: 1", Status::kMalformed, 0, Status::kMalformed, ""},
  };
  for (const auto& c : cases) {
    Spit(file, std::string("[software\\talon7x-duo]\nvalue=") + c.stored + "\n");
    const Preferences prefs(file);
    const Preferences::Dword dword = prefs.ReadDword(kKey, "Value");
    EXPECT_EQ(dword.status, c.dword_status) << c.stored;
    EXPECT_EQ(dword.value, c.dword) << c.stored;
    const Preferences::String text = prefs.ReadString(kKey, "Value");
    EXPECT_EQ(text.status, c.string_status) << c.stored;
    EXPECT_EQ(text.value, c.string) << c.stored;
    EXPECT_EQ(prefs.ReadDword(kKey, "absent").status, Status::kMissing);
    EXPECT_EQ(prefs.ReadString("Software\\Other", "Value").status, Status::kMissing);
  }
}

TEST(Preferences, StringsReadBackExactlyBesideNumbers) {
  Preferences prefs(TestFolder() / "registry.ini");
  ASSERT_TRUE(prefs.WriteDword(kKey, "number", 7));
  for (const char* value :
       {"dword:00000001", "DWord:zz", " padded ", "", "/home/u/a b.vxp", "'q'"}) {
    ASSERT_TRUE(prefs.WriteString(kKey, "text", value));
    const Preferences::String read = prefs.ReadString(kKey, "text");
    EXPECT_EQ(read.status, Status::kOk) << value;
    EXPECT_EQ(read.value, value);
    EXPECT_EQ(prefs.ReadDword(kKey, "text").status, Status::kWrongType) << value;
  }
  EXPECT_EQ(prefs.ReadDword(kKey, "number").value, 7u);
  EXPECT_FALSE(prefs.WriteString(kKey, "bad=name", "x"));
}

TEST(Preferences, DefaultFileAndApplicationSection) {
  const fs::path config = TestFolder() / "config";
  ScopedEnv env("XDG_CONFIG_HOME", config.c_str());
  EXPECT_EQ(Preferences::DefaultPath(), config / "TALON7X-DUO" / "registry.ini");

  Preferences prefs;
  ASSERT_TRUE(prefs.WriteProfileString("PROFILES", "Flip", "1"));
  EXPECT_EQ(prefs.GetProfileString("profiles", "FLIP", "0"), "1");
  EXPECT_EQ(
      ReadIniString(Preferences::DefaultPath(),
                    "Software\\Vexmo_Quarlen\\Orvane TALON7X-DUO Mechanical Keyboard\\PROFILES",
                    "Flip", ""),
      "1");
  ASSERT_TRUE(prefs.WriteDword(Preferences::ApplicationSection("PROFILES"), "Flip", 1));
  EXPECT_EQ(prefs.GetProfileString("PROFILES", "Flip", "fallback"), "fallback");
}

class FakeTexts : public TextLookup {
 public:
  std::map<std::string, std::string, std::less<>> texts;
  std::string Text(std::string_view key) const override {
    const auto it = texts.find(key);
    return it == texts.end() ? "#Error" : it->second;
  }
};

TEST(RecordDelayPreference, StoredUnderTheLanguagesNameAsZeroOrOne) {
  Preferences prefs(TestFolder() / "registry.ini");
  FakeTexts english;
  english.texts["MACRO_ACTION_RECORD_DELAY"] = "Record pauses";
  EXPECT_EQ(ReadRecordDelayPreference(prefs, english), 0);

  EXPECT_EQ(WriteRecordDelayPreference(prefs, english, 1), 1);
  EXPECT_EQ(ReadRecordDelayPreference(prefs, english), 1);
  EXPECT_EQ(prefs.GetProfileString("PROFILES", "Record pauses", ""), "1");

  for (const int odd : {2, 7, -1}) {
    EXPECT_EQ(WriteRecordDelayPreference(prefs, english, odd), 0) << odd;
    EXPECT_EQ(prefs.GetProfileString("PROFILES", "Record pauses", ""), "0");
  }

  WriteRecordDelayPreference(prefs, english, 1);
  FakeTexts french;
  french.texts["MACRO_ACTION_RECORD_DELAY"] = "Enregistrer les pauses";
  EXPECT_EQ(ReadRecordDelayPreference(prefs, french), 0);  // another language, another name
  EXPECT_EQ(ReadRecordDelayPreference(prefs, english), 1);

  prefs.WriteProfileString("PROFILES", "Record pauses", "junk");
  EXPECT_EQ(ReadRecordDelayPreference(prefs, english), 0);
}

}  // namespace
}  // namespace talon
