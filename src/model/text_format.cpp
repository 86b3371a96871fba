#include "model/text_format.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace talon {

namespace {

constexpr std::size_t kMaxFieldWidth = 128;

struct Conversion {
  std::string flags;
  std::size_t width = 0;
  bool has_precision = false;
  std::size_t precision = 0;
  char type = 0;
  std::size_t length = 0;  // characters of the format the conversion spans, '%' included
};

bool IsNumberType(char c) {
  return std::string_view("diuxXo").find(c) != std::string_view::npos;
}
bool IsStringType(char c) {
  return c == 's' || c == 'S';
}

std::size_t ReadNumber(std::string_view text, std::size_t& pos) {
  std::size_t value = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    value = std::min<std::size_t>(value * 10 + static_cast<std::size_t>(text[pos] - '0'), 100000);
    ++pos;
  }
  return std::min(value, kMaxFieldWidth);
}

// Parses the conversion starting at format[start] == '%'; type 0 when it is none we accept.
Conversion ParseConversion(std::string_view format, std::size_t start) {
  Conversion c;
  std::size_t pos = start + 1;
  while (pos < format.size() &&
         std::string_view("-+ #0").find(format[pos]) != std::string_view::npos) {
    c.flags += format[pos++];
  }
  c.width = ReadNumber(format, pos);
  if (pos < format.size() && format[pos] == '.') {
    ++pos;
    c.has_precision = true;
    c.precision = ReadNumber(format, pos);
  }
  while (pos < format.size() &&
         std::string_view("hlLqjzt").find(format[pos]) != std::string_view::npos) {
    ++pos;
  }
  if (pos < format.size() && (IsNumberType(format[pos]) || IsStringType(format[pos]))) {
    c.type = format[pos++];
  }
  c.length = pos - start;
  return c;
}

std::string FormatNumber(const Conversion& c, std::int64_t value) {
  std::string spec = "%" + c.flags;
  if (c.width > 0) spec += std::to_string(c.width);
  if (c.has_precision) spec += "." + std::to_string(c.precision);
  spec += "ll";
  spec += c.type;
  char buffer[2 * kMaxFieldWidth + 32] = {};
  if (c.type == 'd' || c.type == 'i') {
    std::snprintf(buffer, sizeof buffer, spec.c_str(), static_cast<long long>(value));
  } else {
    std::snprintf(buffer, sizeof buffer, spec.c_str(), static_cast<unsigned long long>(value));
  }
  return buffer;
}

std::string FormatString(const Conversion& c, std::string text) {
  if (c.has_precision && text.size() > c.precision) text.resize(c.precision);
  if (text.size() < c.width) {
    const std::string pad(c.width - text.size(), ' ');
    text = c.flags.find('-') != std::string::npos ? text + pad : pad + text;
  }
  return text;
}

std::string FormatArgument(const Conversion& c, const TextArgument& argument) {
  if (const auto* number = std::get_if<std::int64_t>(&argument)) {
    return IsNumberType(c.type) ? FormatNumber(c, *number)
                                : FormatString(c, std::to_string(*number));
  }
  const std::string& text = std::get<std::string>(argument);
  return IsStringType(c.type) ? FormatString(c, text) : text;
}

}  // namespace

std::string FormatText(std::string_view format, std::span<const TextArgument> arguments) {
  std::string out;
  std::size_t next = 0;
  std::size_t pos = 0;
  while (pos < format.size()) {
    if (format[pos] != '%') {
      out += format[pos++];
      continue;
    }
    if (pos + 1 < format.size() && format[pos + 1] == '%') {
      out += '%';
      pos += 2;
      continue;
    }
    const Conversion c = ParseConversion(format, pos);
    if (c.type == 0 || next >= arguments.size()) {
      out.append(format.substr(pos, c.length));
    } else {
      out += FormatArgument(c, arguments[next++]);
    }
    pos += c.length;
  }
  return out;
}

std::string FormatText(std::string_view format, const TextArgument& argument) {
  return FormatText(format, std::span<const TextArgument>(&argument, 1));
}

}  // namespace talon
