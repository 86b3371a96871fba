// The private-profile semantics of IniDocument, on text in memory.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/ini_file.h"

namespace talon {
namespace {

constexpr const char* kSample =
    "\xEF\xBB\xBF; settings\r\n"
    "[Main]\r\n"
    "  Key = value  \r\n"
    "quoted = \"  padded  \"\r\n"
    "single='x'\r\n"
    "lonely=\"\r\n"
    "empty=\r\n"
    "dup=first\r\n"
    "dup=second\r\n"
    "eq=a=b\r\n"
    "broken line\r\n"
    "=no key\r\n"
    "[Broken\r\n"
    "after=still main\r\n"
    "# comment=not a key\r\n"
    "[ other ]trailing\r\n"
    "KEY=other\r\n"
    "[MAIN]\r\n"
    "dup=third\r\n"
    "late=from second block\r\n";

struct ReadCase {
  const char* section;
  const char* key;
  const char* expected;
};

TEST(IniDocument, ReadsWithPrivateProfileRules) {
  IniDocument doc;
  doc.Parse(kSample);
  const ReadCase cases[] = {
      {"main", "key", "value"},  // names case-insensitive, value trimmed
      {"MAIN", "KEY", "value"},
      {"Main", "quoted", "  padded  "},  // quotes keep outer blanks
      {"Main", "single", "x"},
      {"Main", "lonely", "\""},  // a lone quote is text
      {"Main", "empty", ""},     // present but empty: not the default
      {"Main", "missing", "<default>"},
      {"Nowhere", "key", "<default>"},
      {"Main", "dup", "first"},  // first of duplicates wins, across blocks too
      {"Main", "eq", "a=b"},     // split at the first '='
      {"Main", "broken line", "<default>"},
      {"Main", "after", "still main"},  // a broken header is skipped, section goes on
      {"Main", "# comment", "<default>"},
      {"other", "key", "other"},  // header name trimmed, text after ']' ignored
      {"main", "late", "from second block"},
  };
  for (const ReadCase& c : cases) {
    EXPECT_EQ(doc.GetString(c.section, c.key, "<default>"), c.expected)
        << "[" << c.section << "] " << c.key;
  }
  EXPECT_TRUE(doc.HasSection("OTHER"));
  EXPECT_FALSE(doc.HasSection("Broken"));
}

TEST(IniDocument, KeysBeforeAnySectionBelongToNone) {
  IniDocument doc;
  doc.Parse("orphan=1\n[S]\nk=2");  // no line end at the end of the file
  EXPECT_EQ(doc.GetString("", "orphan", "none"), "none");
  EXPECT_EQ(doc.GetString("S", "k", ""), "2");
}

TEST(IniDocument, GetIntTakesLeadingDigitsElseDefault) {
  IniDocument doc;
  doc.Parse(
      "[n]\nplain=42\nblanks=  -7\nplus=+3x\nletters=x3\nempty=\nhuge=99999999999\n"
      "tiny=-99999999999\nquoted=\"12\"\nspaced=- 3\nhex=0x10\n");
  const struct {
    const char* key;
    int expected;
  } cases[] = {
      {"plain", 42},  {"blanks", -7},    {"plus", 3},       {"letters", -1},
      {"empty", -1},  {"huge", INT_MAX}, {"tiny", INT_MIN}, {"quoted", 12},
      {"spaced", -1}, {"hex", 0},        {"missing", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(doc.GetInt("n", c.key, -1), c.expected) << c.key;
}

TEST(IniDocument, WritingOneKeyKeepsEveryOtherLine) {
  IniDocument doc;
  doc.Parse(kSample);
  ASSERT_TRUE(doc.SetString("MAIN", "KEY", "new"));
  std::string expected = kSample;
  expected.replace(expected.find("  Key = value  "), 15, "  Key = new");
  EXPECT_EQ(doc.Serialize(), expected);  // BOM, CRLF, comments and broken lines all kept
}

TEST(IniDocument, MissingKeyGoesAfterTheLastKeyOfItsSection) {
  IniDocument doc;
  doc.Parse("[a]\nx=1\n; about b\n\n[b]\ny=2\n");
  ASSERT_TRUE(doc.SetString("A", "z", "3"));
  EXPECT_EQ(doc.Serialize(), "[a]\nx=1\nz=3\n; about b\n\n[b]\ny=2\n");
  EXPECT_EQ(doc.GetString("a", "z", ""), "3");
}

TEST(IniDocument, MissingSectionIsAppended) {
  IniDocument doc;
  doc.Parse("[a]\nx=1");
  ASSERT_TRUE(doc.SetString("new", "k", "v"));
  EXPECT_EQ(doc.Serialize(), "[a]\nx=1\n\n[new]\nk=v\n");

  IniDocument empty;
  ASSERT_TRUE(empty.SetString("s", "k", "v"));
  EXPECT_EQ(empty.Serialize(), "[s]\nk=v\n");
}

TEST(IniDocument, ValuesReadBackExactly) {
  for (const char* value : {"", " lead", "trail ", "\"q\"", "'", "'x'", "a \"b\" c", "été 中文"}) {
    IniDocument doc;
    doc.Parse("[s]\nk=old\n");
    ASSERT_TRUE(doc.SetString("s", "k", value));
    IniDocument reread;
    reread.Parse(doc.Serialize());
    EXPECT_EQ(reread.GetString("s", "k", "<missing>"), value) << "value [" << value << "]";
  }
}

TEST(IniDocument, RefusesNamesAndValuesThatWouldNotReadBack) {
  const struct {
    const char* section;
    const char* key;
    const char* value;
  } cases[] = {
      {"s", "a=b", "v"}, {"s", "", "v"},   {"", "k", "v"},           {"s]x", "k", "v"},
      {"s", " k", "v"},  {"s", ";k", "v"}, {"s", "k", "two\nlines"}, {"s", "k", "cr\r"},
      {"s\n", "k", "v"}, {"s", "[k", "v"},
  };
  for (const auto& c : cases) {
    IniDocument doc;
    doc.Parse("[s]\nk=old\n");
    EXPECT_FALSE(doc.SetString(c.section, c.key, c.value)) << c.section << "/" << c.key;
    EXPECT_EQ(doc.Serialize(), "[s]\nk=old\n");
  }
}

}  // namespace
}  // namespace talon
