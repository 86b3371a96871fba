#include "cli/cli_arguments.h"

#include <charconv>

#include "cli/keyboard_connection.h"

namespace talon::cli {

namespace {

struct OptionName {
  const char* name;
  unsigned flag;
  bool takes_value;
};

constexpr OptionName kOptions[] = {
    {"--json", option::kJson, false},
    {"--bank", option::kBank, true},
    {"--repeat", option::kRepeat, true},
    {"--force", option::kForce, false},
};

bool Take(const OptionName& option, const std::string& value, CliArguments& parsed) {
  switch (option.flag) {
    case option::kJson:
      parsed.json = true;
      return true;
    case option::kForce:
      parsed.force = true;
      return true;
    case option::kBank:
      if (value != "a" && value != "b" && value != "A" && value != "B") {
        PrintError("--bank must be a or b");
        return false;
      }
      parsed.bank_b = value == "b" || value == "B";
      return true;
    case option::kRepeat:
      parsed.repeat = ParseNumberIn(value, 1, 255);
      if (!parsed.repeat) PrintError("--repeat must be 1-255");
      return parsed.repeat.has_value();
  }
  return false;
}

}  // namespace

std::optional<CliArguments> ParseArguments(std::span<const std::string> args, unsigned allowed) {
  CliArguments parsed;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || !arg.starts_with("--")) {
      parsed.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionName* found = nullptr;
    for (const OptionName& option : kOptions) {
      if (name == option.name && (allowed & option.flag) != 0) found = &option;
    }
    if (found == nullptr) {
      PrintError("unknown option " + name);
      return std::nullopt;
    }
    std::string value;
    if (found->takes_value) {
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        PrintError(name + " needs a value");
        return std::nullopt;
      }
    } else if (equals != std::string::npos) {
      PrintError(name + " takes no value");
      return std::nullopt;
    }
    if (!Take(*found, value, parsed)) return std::nullopt;
  }
  return parsed;
}

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::optional<Colour> ParseHexColour(std::string_view text) {
  unsigned rgb = 0;
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  const auto [end, error] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
  if (error != std::errc() || end != text.data() + 7) return std::nullopt;
  return RgbColour(static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                   static_cast<std::uint8_t>(rgb));
}

std::optional<int> ParseNumberIn(std::string_view text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < low ||
      value > high) {
    return std::nullopt;
  }
  return value;
}

std::optional<int> ParseProfileNumber(std::string_view text) {
  return ParseNumberIn(text, 0, kOnBoardProfiles - 1);
}

}  // namespace talon::cli
