// Skin rectangles: well-formed values, and what broken ones give.
#include <gtest/gtest.h>

#include "shell/button_info.h"

namespace talon {
namespace {

TEST(ButtonInfo, ParsesFourIntegersLikeTheScanPattern) {
  const struct {
    const char* value;
    ButtonInfo expected;
  } cases[] = {
      {"10,20,30,40", {10, 20, 30, 40}},
      {" 10, 20,\t30, +40", {10, 20, 30, 40}},  // blanks and a sign before each number
      {"-5,-6,0,0", {-5, -6, 0, 0}},            // off-window positions and empty sizes are fine
      {"1,1,40,20", {1, 1, 40, 20}},
      {"1,1,1,1,x", {1, 1, 1, 1}},  // text after the fourth number is ignored
      {"7,8,9,10 px", {7, 8, 9, 10}},
  };
  for (const auto& c : cases) {
    const auto parsed = ParseButtonInfo(c.value);
    ASSERT_TRUE(parsed.has_value()) << c.value;
    EXPECT_EQ(*parsed, c.expected) << c.value;
  }
}

TEST(ButtonInfo, MalformedValuesGiveTheLeftOutDefault) {
  for (const char* value :
       {"", "10,20,30", "10,20,30,", "a,b,c,d", "10;20;30;40", "10 ,20,30,40", "10,20,-30,40",
        "10,20,30,-1", "99999999999,1,1,1", "+-1,1,1,1", "- 1,1,1,1", "10,,30,40"}) {
    EXPECT_FALSE(ParseButtonInfo(value).has_value()) << value;
    EXPECT_EQ(ButtonInfoFromValue(value), kDefaultButtonInfo) << value;
  }
  EXPECT_EQ(ButtonInfoFromValue(std::nullopt), kDefaultButtonInfo);
  EXPECT_TRUE(kDefaultButtonInfo.IsLeftOut());
  EXPECT_TRUE((ButtonInfo{1, 1, 40, 20}.IsLeftOut()));
  EXPECT_FALSE((ButtonInfo{1, 2, 40, 20}.IsLeftOut()));
}

}  // namespace
}  // namespace talon
