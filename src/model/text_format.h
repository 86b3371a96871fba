#pragma once
// Fills a language text that is a printf-style format with one argument. The format comes from a
// language file, so it is never handed to printf: only the first conversion takes the argument,
// conversions that do not match the argument's kind still show it, and anything else is copied
// as it stands.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace talon {

using TextArgument = std::variant<std::int64_t, std::string>;

std::string FormatText(std::string_view format, const TextArgument& argument);
// Several arguments, taken by the conversions in order.
std::string FormatText(std::string_view format, std::span<const TextArgument> arguments);

}  // namespace talon
