// printf-style formatting of texts that come from language files. Such a format is data, not
// code, so it is checked before use: a conversion that does not fit the argument never reaches
// printf.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talon {

enum class FormatArg { kInt, kString };

// The arguments that the conversions of `format` consume, in order ("%%" consumes none).
// nullopt when the format holds something we never pass through: '*' widths, positional
// arguments, %n, %p, floating-point or unknown conversions, a width or precision above 1000, or
// a '%' at the end.
std::optional<std::vector<FormatArg>> PrintfArguments(std::string_view format);

// `format` filled with one integer (conversions d, i, u, o, x, X, c; any length modifier in the
// format is replaced by our own) or one string (s). When the format does not consume exactly one
// argument of that kind, the result is the format's literal text ("%%" as "%") followed by a
// space and the value, so the value is still shown and nothing unsafe is done.
std::string FormatWithInt(std::string_view format, long long value);
std::string FormatWithString(std::string_view format, std::string_view value);

}  // namespace talon
