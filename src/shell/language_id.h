// Which language the program speaks: a Windows language id kept in the preferences, chosen on
// first use from the user's locale and then kept.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "shell/preferences.h"

namespace talon {

// The languages we ship files for, in index order.
inline constexpr std::array<std::uint32_t, 4> kSupportedLanguageIds{0x0409, 0x0804, 0x0404, 0x040C};

// The Windows language id of a POSIX locale name such as "fr_CA.UTF-8@euro" (or "fr-CA"):
// language and territory when we know the pair, else the language's main id, else 0.
std::uint16_t LanguageIdOfLocale(std::string_view locale);

// The locale that decides messages: the first non-empty of LC_ALL, LC_MESSAGES and LANG.
std::string CurrentMessagesLocale();

// The user's default language id, from CurrentMessagesLocale (0 when unknown).
std::uint16_t SystemLanguageId();

// The supported language that a system language id maps to; 0x0409 when none fits.
std::uint32_t SupportedLanguageFor(std::uint32_t system_id);

// Position of `id` among kSupportedLanguageIds, or 0 when it is none of them.
int LanguageIndexOf(std::uint32_t id);

// The stored "dwLanguageId". When it is missing, not a number, or 0, the id is chosen from
// `system_id` through SupportedLanguageFor and stored. Any other stored value is returned as it
// is, supported or not.
std::uint32_t GetLanguageId(Preferences& preferences, std::uint16_t system_id);
std::uint32_t GetLanguageId(Preferences& preferences);

// Position of GetLanguageId among the supported ids (0 when it is none of them).
int GetLanguageIndex(Preferences& preferences);

}  // namespace talon
