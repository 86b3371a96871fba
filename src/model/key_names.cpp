#include "model/key_names.h"

#include <algorithm>
#include <numeric>

namespace talon {

namespace {

constexpr std::string_view kKeyTextPrefix = "IDS_KEYBOARD_";

// Levenshtein distance over bytes.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// How far a name is from what was typed; the start of a name counts as close, so that "Scrol"
// finds "Scroll Lock" before "Ctrl".
std::size_t Distance(std::string_view typed, std::string_view name) {
  const std::size_t whole = EditDistance(typed, name);
  if (typed.size() >= name.size()) return whole;
  return std::min(whole, EditDistance(typed, name.substr(0, typed.size())) + 1);
}

std::vector<KeyId> BuildKeyList() {
  std::vector<KeyId> keys;
  for (std::uint16_t code = 0; code < kKeyListSize; ++code) {
    if (const KeyId key = KeyOfListCode(code); key != 0) keys.push_back(key);
  }
  return keys;
}

std::vector<KeyId> BuildMacroActionKeys() {
  std::vector<KeyId> keys = BuildKeyList();
  constexpr KeyId kPower = 0x15E, kSleep = 0x15F, kWake = 0x163;
  keys.insert(keys.end(), {key::kLeftButton, key::kRightButton, key::kMiddleButton, key::kRollUp,
                           key::kRollDown, kPower, kSleep, kWake});
  return keys;
}

}  // namespace

std::string NormalisedName(std::string_view name) {
  std::string normal;
  normal.reserve(name.size());
  for (char c : name) {
    if (c == ' ') continue;
    normal.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
  }
  return normal;
}

std::vector<std::string_view> NamesOfKey(KeyId key) {
  const KeyRow& row = RowOfKey(key);
  std::vector<std::string_view> names;
  if (!row.english_name.empty()) names.push_back(row.english_name);
  if (row.name_key.starts_with(kKeyTextPrefix)) {
    names.push_back(row.name_key.substr(kKeyTextPrefix.size()));
  }
  return names;
}

KeyId KeyOfName(std::string_view typed, std::span<const KeyId> keys) {
  const std::string wanted = NormalisedName(typed);
  if (wanted.empty()) return 0;
  for (KeyId key : keys) {
    for (std::string_view name : NamesOfKey(key)) {
      if (NormalisedName(name) == wanted) return key;
    }
  }
  return 0;
}

std::vector<std::string> EnglishNamesOf(std::span<const KeyId> keys) {
  std::vector<std::string> names;
  names.reserve(keys.size());
  for (KeyId key : keys) names.emplace_back(KeyEnglishName(key));
  return names;
}

std::vector<std::string> ClosestNames(std::string_view typed, std::span<const std::string> names,
                                      std::size_t count) {
  const std::string wanted = NormalisedName(typed);
  std::vector<std::pair<std::size_t, std::size_t>> ranked;  // distance, index
  ranked.reserve(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    ranked.emplace_back(Distance(wanted, NormalisedName(names[i])), i);
  }
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> closest;
  for (std::size_t i = 0; i < ranked.size() && closest.size() < count; ++i) {
    const std::string& name = names[ranked[i].second];
    if (std::find(closest.begin(), closest.end(), name) == closest.end()) closest.push_back(name);
  }
  return closest;
}

std::span<const KeyId> ReassignableKeys() {
  static const std::vector<KeyId> keys = [] {
    std::vector<KeyId> all;
    for (std::size_t b = 0; b < kKeyButtonCount; ++b) all.push_back(KeyOfButton(b));
    return all;
  }();
  return keys;
}

std::span<const KeyId> SingleKeyTargets() {
  static const std::vector<KeyId> keys = BuildKeyList();
  return keys;
}

std::span<const KeyId> MacroActionKeys() {
  static const std::vector<KeyId> keys = BuildMacroActionKeys();
  return keys;
}

int MediaIndexOfName(std::string_view typed) {
  const std::string wanted = NormalisedName(typed);
  const auto media = MediaList();
  for (std::size_t i = 0; i < media.size(); ++i) {
    if (NormalisedName(KeyEnglishName(media[i].key)) == wanted) return static_cast<int>(i);
  }
  return -1;
}

std::vector<std::string> MediaNames() {
  std::vector<std::string> names;
  for (const MediaEntry& entry : MediaList()) names.emplace_back(KeyEnglishName(entry.key));
  return names;
}

}  // namespace talon
