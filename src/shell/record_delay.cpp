#include "shell/record_delay.h"

#include <string>

namespace talon {
namespace {

constexpr std::string_view kSection = "PROFILES";

std::string ValueName(const TextLookup& texts) {
  return texts.Text("MACRO_ACTION_RECORD_DELAY");
}

}  // namespace

int ReadRecordDelayPreference(const Preferences& preferences, const TextLookup& texts) {
  return ParseIniInt(preferences.GetProfileString(kSection, ValueName(texts), "0"), 0);
}

int WriteRecordDelayPreference(Preferences& preferences, const TextLookup& texts, int value) {
  // Only 0 and 1 mean something; a negative number is as meaningless as 2 or more.
  const int stored = value == 1 ? 1 : 0;
  preferences.WriteProfileString(kSection, ValueName(texts), std::to_string(stored));
  return stored;
}

}  // namespace talon
