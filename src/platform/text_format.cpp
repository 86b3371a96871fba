#include "platform/text_format.h"

#include <cstdio>

namespace talon {
namespace {

constexpr int kMaxWidth = 1000;

struct Segment {
  std::string text;        // literal text, or the conversion's flags, width and precision
  char conversion = '\0';  // '\0' for literal text
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads a run of digits at `i`; false when the number is larger than we allow.
bool ReadNumber(std::string_view f, std::size_t& i, std::string& out) {
  int value = 0;
  while (i < f.size() && IsDigit(f[i])) {
    value = value * 10 + (f[i] - '0');
    if (value > kMaxWidth) return false;
    out.push_back(f[i++]);
  }
  return true;
}

std::optional<Segment> ReadConversion(std::string_view f, std::size_t& i) {
  Segment conversion_spec;
  while (i < f.size() && std::string_view("-+ #0").find(f[i]) != std::string_view::npos) {
    conversion_spec.text.push_back(f[i++]);
  }
  if (!ReadNumber(f, i, conversion_spec.text)) return std::nullopt;
  if (i < f.size() && f[i] == '.') {
    conversion_spec.text.push_back(f[i++]);
    if (!ReadNumber(f, i, conversion_spec.text)) return std::nullopt;
  }
  // Length modifiers are dropped: we pass our own argument type.
  while (i < f.size() && std::string_view("hljztLq").find(f[i]) != std::string_view::npos) ++i;
  if (i >= f.size()) return std::nullopt;
  const char c = f[i++];
  if (std::string_view("diuoxXcs").find(c) == std::string_view::npos) return std::nullopt;
  conversion_spec.conversion = c;
  return conversion_spec;
}

std::optional<std::vector<Segment>> Split(std::string_view f) {
  std::vector<Segment> segments(1);
  std::size_t i = 0;
  while (i < f.size()) {
    if (f[i] != '%') {
      segments.back().text.push_back(f[i++]);
      continue;
    }
    ++i;
    if (i < f.size() && f[i] == '%') {
      segments.back().text.push_back('%');
      ++i;
      continue;
    }
    auto conversion_spec = ReadConversion(f, i);
    if (!conversion_spec) return std::nullopt;
    segments.push_back(std::move(*conversion_spec));
    segments.emplace_back();
  }
  return segments;
}

FormatArg ArgOf(char conversion) {
  return conversion == 's' ? FormatArg::kString : FormatArg::kInt;
}

// The format's own text with "%%" read as "%", for the fallback.
std::string LiteralText(std::string_view f) {
  std::string out;
  for (std::size_t i = 0; i < f.size(); ++i) {
    out.push_back(f[i]);
    if (f[i] == '%' && i + 1 < f.size() && f[i + 1] == '%') ++i;
  }
  return out;
}

// The segments when the format consumes exactly one argument of `kind`.
std::optional<std::vector<Segment>> SingleArgument(std::string_view format, FormatArg kind) {
  auto segments = Split(format);
  if (!segments) return std::nullopt;
  int count = 0;
  for (const Segment& s : *segments) {
    if (s.conversion == '\0') continue;
    if (ArgOf(s.conversion) != kind) return std::nullopt;
    ++count;
  }
  if (count != 1) return std::nullopt;
  return segments;
}

template <typename T>
std::string Printf(const std::string& conversion_spec, T value) {
  const int size = std::snprintf(nullptr, 0, conversion_spec.c_str(), value);
  if (size <= 0) return {};
  std::string out(static_cast<std::size_t>(size) + 1, '\0');
  std::snprintf(out.data(), out.size(), conversion_spec.c_str(), value);
  out.resize(static_cast<std::size_t>(size));
  return out;
}

}  // namespace

std::optional<std::vector<FormatArg>> PrintfArguments(std::string_view format) {
  const auto segments = Split(format);
  if (!segments) return std::nullopt;
  std::vector<FormatArg> args;
  for (const Segment& s : *segments) {
    if (s.conversion != '\0') args.push_back(ArgOf(s.conversion));
  }
  return args;
}

std::string FormatWithInt(std::string_view format, long long value) {
  const auto segments = SingleArgument(format, FormatArg::kInt);
  if (!segments) return LiteralText(format) + " " + std::to_string(value);
  std::string out;
  for (const Segment& s : *segments) {
    if (s.conversion == '\0') {
      out += s.text;
    } else if (s.conversion == 'c') {
      out += Printf("%" + s.text + "c", static_cast<int>(static_cast<unsigned char>(value)));
    } else if (s.conversion == 'd' || s.conversion == 'i') {
      out += Printf("%" + s.text + "ll" + s.conversion, value);
    } else {
      out += Printf("%" + s.text + "ll" + s.conversion, static_cast<unsigned long long>(value));
    }
  }
  return out;
}

std::string FormatWithString(std::string_view format, std::string_view value) {
  const auto segments = SingleArgument(format, FormatArg::kString);
  if (!segments) return LiteralText(format) + " " + std::string(value);
  const std::string text(value);
  std::string out;
  for (const Segment& s : *segments) {
    out += s.conversion == '\0' ? s.text : Printf("%" + s.text + "s", text.c_str());
  }
  return out;
}

}  // namespace talon
