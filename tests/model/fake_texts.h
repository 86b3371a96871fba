#pragma once
// Language texts from a map; a missing key gives "#Error" as the real lookup does.
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>

#include "platform/text_lookup.h"

namespace talon::test {

class FakeTexts : public TextLookup {
 public:
  FakeTexts() = default;
  FakeTexts(std::initializer_list<std::pair<const std::string, std::string>> texts)
      : texts_(texts) {}

  std::string Text(std::string_view key) const override {
    const auto it = texts_.find(key);
    return it == texts_.end() ? std::string("#Error") : it->second;
  }
  void Set(std::string key, std::string text) { texts_[std::move(key)] = std::move(text); }

 private:
  std::map<std::string, std::string, std::less<>> texts_;
};

}  // namespace talon::test
