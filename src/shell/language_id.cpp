#include "shell/language_id.h"

#include <cstdlib>

namespace talon {
namespace {

constexpr std::string_view kLanguageValue = "dwLanguageId";

struct LocaleId {
  std::string_view language;
  std::string_view territory;
  std::uint16_t id;
};

// The first entry of each language is its main id, used when the territory is not listed.
constexpr LocaleId kLocaleIds[] = {
    {"en", "US", 0x0409}, {"en", "GB", 0x0809}, {"en", "AU", 0x0C09}, {"en", "CA", 0x1009},
    {"en", "NZ", 0x1409}, {"en", "IE", 0x1809}, {"en", "ZA", 0x1C09}, {"en", "JM", 0x2009},
    {"en", "BZ", 0x2809}, {"en", "TT", 0x2C09}, {"en", "ZW", 0x3009}, {"en", "PH", 0x3409},
    {"en", "IN", 0x4009}, {"en", "MY", 0x4409}, {"en", "SG", 0x4809}, {"zh", "CN", 0x0804},
    {"zh", "TW", 0x0404}, {"zh", "HK", 0x0C04}, {"zh", "SG", 0x1004}, {"zh", "MO", 0x1404},
    {"fr", "FR", 0x040C}, {"fr", "BE", 0x080C}, {"fr", "CA", 0x0C0C}, {"fr", "CH", 0x100C},
    {"fr", "LU", 0x140C}, {"fr", "MC", 0x180C}, {"fr", "RE", 0x200C}, {"fr", "CD", 0x240C},
    {"fr", "SN", 0x280C}, {"fr", "CM", 0x2C0C}, {"fr", "CI", 0x300C}, {"fr", "ML", 0x340C},
    {"fr", "MA", 0x380C}, {"fr", "HT", 0x3C0C}, {"de", "DE", 0x0407}, {"de", "CH", 0x0807},
    {"de", "AT", 0x0C07}, {"de", "LU", 0x1007}, {"es", "ES", 0x0C0A}, {"es", "MX", 0x080A},
    {"es", "AR", 0x2C0A}, {"es", "US", 0x540A}, {"it", "IT", 0x0410}, {"it", "CH", 0x0810},
    {"ja", "JP", 0x0411}, {"ko", "KR", 0x0412}, {"nl", "NL", 0x0413}, {"nl", "BE", 0x0813},
    {"pt", "PT", 0x0816}, {"pt", "BR", 0x0416}, {"ru", "RU", 0x0419}, {"pl", "PL", 0x0415},
    {"sv", "SE", 0x041D}, {"da", "DK", 0x0406}, {"nb", "NO", 0x0414}, {"fi", "FI", 0x040B},
    {"cs", "CZ", 0x0405}, {"hu", "HU", 0x040E}, {"el", "GR", 0x0408}, {"tr", "TR", 0x041F},
    {"uk", "UA", 0x0422}, {"ar", "SA", 0x0401}, {"he", "IL", 0x040D}, {"th", "TH", 0x041E},
    {"vi", "VN", 0x042A}, {"id", "ID", 0x0421},
};

struct LanguageMapping {
  std::uint16_t system_id;
  std::uint16_t language_id;
};

// System languages that read one of our files although their id is not one of ours. Hong Kong
// and Macau write traditional characters and Singapore simplified ones.
constexpr LanguageMapping kLanguageMappings[] = {
    {0x0C04, 0x0404}, {0x1404, 0x0404}, {0x1004, 0x0804}, {0x0809, 0x0409}, {0x0C09, 0x0409},
    {0x1009, 0x0409}, {0x1409, 0x0409}, {0x1809, 0x0409}, {0x1C09, 0x0409}, {0x2009, 0x0409},
    {0x2409, 0x0409}, {0x2809, 0x0409}, {0x2C09, 0x0409}, {0x080C, 0x040C}, {0x0C0C, 0x040C},
    {0x100C, 0x040C}, {0x140C, 0x040C}, {0x180C, 0x040C}, {0x1C0C, 0x040C}, {0x200C, 0x040C},
    {0x240C, 0x040C}, {0x280C, 0x040C}, {0x2C0C, 0x040C}, {0x300C, 0x040C}, {0x340C, 0x040C},
    {0x380C, 0x040C}, {0x3C0C, 0x040C}, {0xE40C, 0x040C},
};

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

}  // namespace

std::uint16_t LanguageIdOfLocale(std::string_view locale) {
  locale = locale.substr(0, locale.find_first_of(".@"));
  const std::size_t split = locale.find_first_of("_-");
  const std::string language = Lower(locale.substr(0, split));
  const std::string territory =
      split == std::string_view::npos ? std::string() : Upper(locale.substr(split + 1));
  std::uint16_t main_id = 0;
  for (const LocaleId& entry : kLocaleIds) {
    if (entry.language != language) continue;
    if (entry.territory == territory) return entry.id;
    if (main_id == 0) main_id = entry.id;
  }
  return main_id;
}

std::string CurrentMessagesLocale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

std::uint16_t SystemLanguageId() {
  return LanguageIdOfLocale(CurrentMessagesLocale());
}

std::uint32_t SupportedLanguageFor(std::uint32_t system_id) {
  std::uint32_t id = system_id;
  for (const LanguageMapping& m : kLanguageMappings) {
    if (m.system_id == system_id) id = m.language_id;
  }
  for (const std::uint32_t supported : kSupportedLanguageIds) {
    if (supported == id) return id;
  }
  return 0x0409;
}

int LanguageIndexOf(std::uint32_t id) {
  for (std::size_t i = 0; i < kSupportedLanguageIds.size(); ++i) {
    if (kSupportedLanguageIds[i] == id) return static_cast<int>(i);
  }
  return 0;
}

std::uint32_t GetLanguageId(Preferences& preferences, std::uint16_t system_id) {
  const Preferences::Dword stored = preferences.ReadDword(Preferences::kProgramKey, kLanguageValue);
  if (stored.status == Preferences::Status::kOk && stored.value != 0) return stored.value;
  const std::uint32_t id = SupportedLanguageFor(system_id);
  preferences.WriteDword(Preferences::kProgramKey, kLanguageValue, id);
  return id;
}

std::uint32_t GetLanguageId(Preferences& preferences) {
  return GetLanguageId(preferences, SystemLanguageId());
}

int GetLanguageIndex(Preferences& preferences) {
  return LanguageIndexOf(GetLanguageId(preferences));
}

}  // namespace talon
