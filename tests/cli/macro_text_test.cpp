// The macro text form: what it accepts, what it refuses, and that what it prints reads back.
#include "cli/macro_text.h"

#include <gtest/gtest.h>

#include "model/key_names.h"

namespace talon::cli {
namespace {

TEST(MacroText, ReadsActionsRepeatAndComments) {
  const auto parsed = ParseMacroText(
      "# a comment\r\n"
      "\n"
      "  repeat 7   # trailing comment\n"
      "press\tcaps lock\t15\n"
      "release  NUM 1  0\n"
      "press 0x064 40000\n"
      "release Roll Up 9");
  ASSERT_TRUE(parsed.macro) << parsed.error;
  EXPECT_EQ(parsed.macro->repeat, 7);
  const std::vector<MacroAction> expected{
      {10, 0x03A, action_state::kPress},  // kept in steps of 10 ms
      {0, 0x04F, action_state::kRelease},
      {40000, 0x064, action_state::kPress},
      {0, key::kRollUp, action_state::kRelease},
  };
  EXPECT_EQ(parsed.macro->actions, expected);

  const auto empty = ParseMacroText("");
  ASSERT_TRUE(empty.macro);
  EXPECT_EQ(empty.macro->repeat, 1);
  EXPECT_TRUE(empty.macro->actions.empty());
}

TEST(MacroText, RefusesWhatItCannotHold) {
  const std::pair<const char*, const char*> cases[] = {
      {"press A", "line 1: expected 'press KEY PAUSE'"},
      {"press A soon", "line 1: the pause must be a number of milliseconds, got 'soon'"},
      {"press A -5", "the pause must be a number"},
      {"press A 40001", "line 1: a pause can be at most 40000 ms"},
      {"\n\npress Shfit 10", "line 3: unknown key 'Shfit' (closest: Shift"},
      {"press Mute 10", "unknown key 'Mute'"},
      {"press 0xZZ 10", "unknown key '0xZZ'"},
      {"repeat 0", "expected 'repeat N' with N from 1 to 255"},
      {"repeat 256", "expected 'repeat N'"},
      {"repeat", "expected 'repeat N'"},
      {"repeat 2\nrepeat 3", "line 2: the repeat count is given twice"},
      {"hold A 10", "expected 'press', 'release' or 'repeat', got 'hold'"},
      {"Press A 10", "got 'Press'"},
  };
  for (const auto& [text, error] : cases) {
    const auto parsed = ParseMacroText(text);
    EXPECT_FALSE(parsed.macro) << text;
    EXPECT_NE(parsed.error.find(error), std::string::npos) << text << ": " << parsed.error;
  }
  EXPECT_NE(ParseMacroText(std::string(2000, 'x')).error.find("the line is too long"),
            std::string::npos);
}

TEST(MacroText, TwoThousandActionsAndNoMore) {
  std::string text;
  for (std::size_t i = 0; i < kMaxMacroActions; ++i) text += "press A 0\n";
  ASSERT_TRUE(ParseMacroText(text).macro);
  EXPECT_EQ(ParseMacroText(text).macro->actions.size(), kMaxMacroActions);
  EXPECT_EQ(ParseMacroText(text + "release A 0\n").error,
            "line 2001: a macro holds at most 2000 actions");
}

TEST(MacroText, WhatIsPrintedReadsBack) {
  MacroRecord macro;
  macro.repeat_count = 255;
  std::uint32_t pause = 0;
  for (KeyId key : MacroActionKeys()) {
    macro.actions.push_back({pause, key, action_state::kPress});
    macro.actions.push_back({pause, key, action_state::kRelease});
    pause = (pause + 377) % (kMaxPauseMs + 1);
  }
  // Keys a keyboard's macro can hold that have no name of their own: F13, a media key, nothing.
  for (KeyId key : {KeyId{0x064}, KeyId{0x120}, KeyId{0}}) macro.actions.push_back({0, key, 0});
  const std::string text = FormatMacroText(macro);
  EXPECT_EQ(text.substr(0, 44), "repeat 255\npress A 0\nrelease A 0\npress B 377");
  EXPECT_NE(text.find("press 0x064 0\npress 0x120 0\npress 0x000 0\n"), std::string::npos);
  const auto parsed = ParseMacroText(text);
  ASSERT_TRUE(parsed.macro) << parsed.error;
  EXPECT_EQ(parsed.macro->repeat, 255);
  std::vector<MacroAction> expected = macro.actions;
  for (MacroAction& action : expected) action.pause_ms = action.pause_ms / 10 * 10;
  EXPECT_EQ(parsed.macro->actions, expected);
}

}  // namespace
}  // namespace talon::cli
