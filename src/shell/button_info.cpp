#include "shell/button_info.h"

#include <array>
#include <charconv>

namespace talon {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// One "%d": blanks, an optional sign, then digits.
std::optional<int> ReadInt(std::string_view& s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  const bool plus = !s.empty() && s.front() == '+';
  if (plus) s.remove_prefix(1);
  if (s.empty() || (s.front() == '-' && plus)) return std::nullopt;
  int value = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error != std::errc()) return std::nullopt;
  s.remove_prefix(static_cast<std::size_t>(end - s.data()));
  return value;
}

}  // namespace

std::optional<ButtonInfo> ParseButtonInfo(std::string_view value) {
  std::array<int, 4> fields{};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) {
      if (value.empty() || value.front() != ',') return std::nullopt;
      value.remove_prefix(1);
    }
    const auto number = ReadInt(value);
    if (!number) return std::nullopt;
    fields[i] = *number;
  }
  if (fields[2] < 0 || fields[3] < 0) return std::nullopt;
  return ButtonInfo{fields[0], fields[1], fields[2], fields[3]};
}

ButtonInfo ButtonInfoFromValue(std::optional<std::string_view> value) {
  if (!value) return kDefaultButtonInfo;
  return ParseButtonInfo(*value).value_or(kDefaultButtonInfo);
}

}  // namespace talon
