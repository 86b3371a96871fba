#include "cli/macro_text.h"

#include <charconv>
#include <cstdio>

#include "cli/action_arguments.h"
#include "cli/cli_arguments.h"
#include "model/key_names.h"

namespace talon::cli {

namespace {

constexpr std::uint32_t kPauseStep = 10;
constexpr std::size_t kMaxMacroTextLine = 1000;

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  while (!(line = Trim(line)).empty()) {
    const std::size_t end = line.find_first_of(" \t");
    words.push_back(line.substr(0, end));
    line = end == std::string_view::npos ? std::string_view() : line.substr(end);
  }
  return words;
}

// A key's name, or its number for a key without one.
std::optional<KeyId> ParseActionKey(std::string_view name) {
  if (name.starts_with("0x") || name.starts_with("0X")) {
    unsigned value = 0;
    const auto [end, error] =
        std::from_chars(name.data() + 2, name.data() + name.size(), value, 16);
    if (error == std::errc() && end == name.data() + name.size() && value <= 0xFFFF) {
      return static_cast<KeyId>(value);
    }
    return std::nullopt;
  }
  const KeyId key = KeyOfName(name, MacroActionKeys());
  return key != 0 ? std::optional<KeyId>(key) : std::nullopt;
}

std::string KeyText(KeyId key) {
  const std::string_view name = KeyEnglishName(key);
  if (!name.empty() && KeyOfName(name, MacroActionKeys()) == key) return std::string(name);
  char number[8];
  std::snprintf(number, sizeof number, "0x%03X", key);
  return number;
}

// One action line: press|release KEY... PAUSE. Returns the error, empty when the line is good.
std::string ParseActionLine(const std::vector<std::string_view>& words, std::string_view line,
                            MacroAction& action) {
  if (words.size() < 3) return "expected 'press KEY PAUSE' or 'release KEY PAUSE'";
  const auto pause = ParseNumberIn(words.back(), 0, 1000000);
  if (!pause)
    return "the pause must be a number of milliseconds, got '" + std::string(words.back()) + "'";
  if (static_cast<std::uint32_t>(*pause) > kMaxPauseMs) {
    return "a pause can be at most " + std::to_string(kMaxPauseMs) + " ms";
  }
  // The key's name is everything between the first word and the pause, spaces included.
  const std::size_t from = static_cast<std::size_t>(words[1].data() - line.data());
  const std::size_t to = static_cast<std::size_t>(words.back().data() - line.data());
  const std::string_view name = Trim(line.substr(from, to - from));
  const auto key = ParseActionKey(name);
  if (!key) {
    return "unknown key '" + std::string(name) + "'" +
           ClosestOf(name, EnglishNamesOf(MacroActionKeys()));
  }
  action.key = *key;
  action.pause_ms = static_cast<std::uint32_t>(*pause) / kPauseStep * kPauseStep;
  action.state = words[0] == "release" ? action_state::kRelease : action_state::kPress;
  return {};
}

}  // namespace

ParsedMacroText ParseMacroText(std::string_view text) {
  MacroText macro;
  bool repeat_seen = false;
  std::size_t number = 0;
  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const auto fail = [number](const std::string& why) {
      return ParsedMacroText{std::nullopt, "line " + std::to_string(number) + ": " + why};
    };
    if (line.size() > kMaxMacroTextLine) return fail("the line is too long");
    line = Trim(line.substr(0, line.find('#')));
    const std::vector<std::string_view> words = Words(line);
    if (words.empty()) continue;
    if (words[0] == "repeat") {
      const auto count = words.size() == 2 ? ParseNumberIn(words[1], 1, 255) : std::nullopt;
      if (!count) return fail("expected 'repeat N' with N from 1 to 255");
      if (repeat_seen) return fail("the repeat count is given twice");
      repeat_seen = true;
      macro.repeat = static_cast<std::uint8_t>(*count);
    } else if (words[0] == "press" || words[0] == "release") {
      if (macro.actions.size() == kMaxMacroActions) {
        return fail("a macro holds at most " + std::to_string(kMaxMacroActions) + " actions");
      }
      MacroAction action;
      if (std::string why = ParseActionLine(words, line, action); !why.empty()) return fail(why);
      macro.actions.push_back(action);
    } else {
      return fail("expected 'press', 'release' or 'repeat', got '" + std::string(words[0]) + "'");
    }
  }
  return {macro, {}};
}

std::string FormatMacroText(const MacroRecord& macro) {
  std::string text = "repeat " + std::to_string(macro.repeat_count) + "\n";
  for (const MacroAction& action : macro.actions) {
    text += action.state == action_state::kRelease ? "release " : "press ";
    text += KeyText(action.key) + " " + std::to_string(action.pause_ms) + "\n";
  }
  return text;
}

}  // namespace talon::cli
