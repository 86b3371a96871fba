// The macro recorder's "record the real pauses" choice, kept in the application's "PROFILES"
// section under a name that is the current language's text for "MACRO_ACTION_RECORD_DELAY"
// (so a change of language starts again from the default).
#pragma once

#include "platform/text_lookup.h"
#include "shell/preferences.h"

namespace talon {

// The stored number (decimal text, leading digits taken); 0 when nothing usable is stored.
int ReadRecordDelayPreference(const Preferences& preferences, const TextLookup& texts);

// Stores 1 as "1" and any other value as "0", and returns what it stored.
int WriteRecordDelayPreference(Preferences& preferences, const TextLookup& texts, int value);

}  // namespace talon
