#pragma once
// Conversions between the UTF-8 of the program's texts and the UTF-16 that macro names and
// launch strings use in files and on the keyboard. Malformed input becomes U+FFFD.
#include <string>
#include <string_view>

namespace talon {

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace talon
