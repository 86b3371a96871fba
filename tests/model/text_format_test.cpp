#include "model/text_format.h"

#include <gtest/gtest.h>

namespace talon {
namespace {

TEST(TextFormat, FillsTheFirstConversionAndCopiesTheRest) {
  using namespace std::string_literals;
  struct Case {
    const char* format;
    TextArgument argument;
    std::string text;
  } const cases[] = {
      {"Key %04X", std::int64_t{0x64}, "Key 0064"},
      {"Key %d", std::int64_t{0x201}, "Key 513"},
      {"At most %d macros.", std::int64_t{100}, "At most 100 macros."},
      {"%d%%", std::int64_t{40}, "40%"},
      {"%ls is not a profile", "/tmp/a.vxp"s, "/tmp/a.vxp is not a profile"},
      {"%-4s|", "ab"s, "ab  |"},
      {"%s", std::int64_t{7}, "7"},  // a number under a string conversion
      {"%d", "x"s, "x"},             // a string under a number conversion
      {"%d and %d", std::int64_t{7}, "7 and %d"},
      {"%n%p", std::int64_t{7}, "%n%p"},  // never handed to printf
      {"100%", std::int64_t{7}, "100%"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatText(c.format, c.argument), c.text) << c.format;
}

TEST(TextFormat, HugeWidthsAreBounded) {
  EXPECT_EQ(FormatText("%999999999d", std::int64_t{1}).size(), 128u);
}

TEST(TextFormat, SeveralArgumentsInOrder) {
  const TextArgument arguments[] = {std::string("Macro "), std::int64_t{3}};
  EXPECT_EQ(FormatText("%s%d", arguments), "Macro 3");
}

}  // namespace
}  // namespace talon
