#pragma once
// Keys and other choices named the way a person types them: a key's English name or the short
// identifier behind its text ("LSHIFT" for IDS_KEYBOARD_LSHIFT), with case and spaces ignored,
// and the closest valid names when nothing matches.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/key_table.h"

namespace talon {

// Lower case (ASCII letters), spaces removed: "Caps Lock" and "capslock" compare equal.
std::string NormalisedName(std::string_view name);

// The names a key answers to: its English name and, for keys whose text is an "IDS_KEYBOARD_"
// one, the identifier after that prefix. Empty for a key without a row.
std::vector<std::string_view> NamesOfKey(KeyId key);

// The key of `keys` that answers to `typed`; 0 when none does.
KeyId KeyOfName(std::string_view typed, std::span<const KeyId> keys);

// The English names of `keys`, in the same order.
std::vector<std::string> EnglishNamesOf(std::span<const KeyId> keys);

// Up to `count` of `names`, the ones fewest single-character edits away from `typed` (case and
// spaces ignored; a name's start counts as close) first; names at the same distance keep their
// order.
std::vector<std::string> ClosestNames(std::string_view typed, std::span<const std::string> names,
                                      std::size_t count = 3);

// The keys whose assignment can be changed: the 104 keys of the keyboard picture.
std::span<const KeyId> ReassignableKeys();
// The keys a Key assignment can send: the key list without its empty entry.
std::span<const KeyId> SingleKeyTargets();
// The keys a macro action can press: the key list, the three mouse buttons, the wheel and the
// system keys Power, Sleep and Wake.
std::span<const KeyId> MacroActionKeys();

// The media list index whose English name is `typed` (case and spaces ignored); -1 when none.
int MediaIndexOfName(std::string_view typed);
// The English names of the media list, by index.
std::vector<std::string> MediaNames();

}  // namespace talon
