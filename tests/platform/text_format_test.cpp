// Formats from language files are checked before printf sees them.
#include <gtest/gtest.h>

#include <climits>

#include "platform/text_format.h"

namespace talon {
namespace {

using Args = std::vector<FormatArg>;

TEST(TextFormat, ListsTheArgumentsOfAFormat) {
  const struct {
    const char* format;
    std::optional<Args> expected;
  } cases[] = {
      {"plain 100%%", Args{}},
      {"Key %04X", Args{FormatArg::kInt}},
      {"%-5d and %s", Args{FormatArg::kInt, FormatArg::kString}},
      {"%ld %hu %lld", Args{FormatArg::kInt, FormatArg::kInt, FormatArg::kInt}},
      {"%n", std::nullopt},
      {"%*d", std::nullopt},
      {"%1$d", std::nullopt},
      {"%f", std::nullopt},
      {"%p", std::nullopt},
      {"50%", std::nullopt},
      {"%99999d", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(PrintfArguments(c.format), c.expected) << c.format;
}

TEST(TextFormat, FillsOneMatchingArgument) {
  EXPECT_EQ(FormatWithInt("Key %04X", 0x64), "Key 0064");
  EXPECT_EQ(FormatWithInt("At most %d macros (100%%)", 100), "At most 100 macros (100%)");
  EXPECT_EQ(FormatWithInt("%hd", 40000), "40000");  // our argument type, not the format's
  EXPECT_EQ(FormatWithInt("%d", LLONG_MIN), std::to_string(LLONG_MIN));
  EXPECT_EQ(FormatWithString("File \"%s\" is broken", "/tmp/a b.vxp"),
            "File \"/tmp/a b.vxp\" is broken");
  EXPECT_EQ(FormatWithString("[%-6s]", "ab"), "[ab    ]");
}

TEST(TextFormat, MismatchedFormatShowsTheValueSafely) {
  EXPECT_EQ(FormatWithInt("Key %s", 12), "Key %s 12");
  EXPECT_EQ(FormatWithInt("Key %n", 12), "Key %n 12");
  EXPECT_EQ(FormatWithInt("No number", 12), "No number 12");
  EXPECT_EQ(FormatWithInt("%d of %d", 1), "%d of %d 1");
  EXPECT_EQ(FormatWithString("Bad %d", "x"), "Bad %d x");
  EXPECT_EQ(FormatWithString("100%% %", "x"), "100% % x");
}

}  // namespace
}  // namespace talon
