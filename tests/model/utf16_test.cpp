#include "model/utf16.h"

#include <gtest/gtest.h>

namespace talon {
namespace {

TEST(Utf16, ConvertsBothWays) {
  struct Case {
    std::string utf8;
    std::u16string utf16;
  } const cases[] = {
      {"Build", u"Build"},
      {"Déploy ✓", u"Déploy ✓"},
      {"\xF0\x9F\x8E\xB9 keys", u"\U0001F3B9 keys"},  // outside the first plane: a pair
      {"", u""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16) << c.utf8;
    EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8) << c.utf8;
  }
}

TEST(Utf16, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\xFFz"), u"a\uFFFDz");
  EXPECT_EQ(Utf8ToUtf16("a\xE2\x9C"), u"a\uFFFD");    // cut inside a character
  EXPECT_EQ(Utf8ToUtf16("\xC0\x80"), u"\uFFFD");      // overlong
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD");  // an encoded surrogate
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800') + u"x"), "\xEF\xBF\xBDx");  // lone half
}

}  // namespace
}  // namespace talon
