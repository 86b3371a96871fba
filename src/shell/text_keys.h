// Every language-file key the program looks up, with the printf argument its text is filled
// with. The language files must hold each of them (checked by the tests).
#pragma once

#include <span>
#include <string_view>

namespace talon {

enum class TextArg {
  kNone,    // shown as it is: the text holds no '%'
  kInt,     // a format filled with one integer
  kString,  // a format filled with one string
};

struct TextKey {
  std::string_view section;  // "TEXT", "LIGHT" or "MODE"
  std::string_view key;
  TextArg arg = TextArg::kNone;
};

std::span<const TextKey> RequiredTextKeys();

}  // namespace talon
