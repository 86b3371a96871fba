#pragma once
// Where the core takes the program's texts from (the current language file), without knowing
// how they are stored.
#include <string>
#include <string_view>

namespace talon {

class TextLookup {
 public:
  virtual ~TextLookup() = default;
  // The text of a language key; "#Error" when the key is missing.
  virtual std::string Text(std::string_view key) const = 0;
};

}  // namespace talon
