#pragma once
// What each key button and G button of the main window shows about its key's assignment in the
// active profile: the assigned mark (the button's other state) and a tooltip naming the key and
// what it was given.
#include <span>
#include <string>

#include "model/key_record.h"
#include "model/macro_record.h"
#include "platform/text_lookup.h"

namespace talon {

class CPngButton;

// The tooltip text: the key's name, then for anything but Default the "KEY_PROMPT_SET" text and
// what the key does now (a key, a macro's name, a media or keyboard function), closed by ")"
// where the language's texts opened a parenthesis. Cut to 259 characters.
std::string KeyTooltipText(const std::string& key_name, const KeyRecord& record,
                           std::span<const MacroRecord> macros, const TextLookup& texts);

// Sets the button's assigned mark and tooltip for key `key`, or for G key `n` (1-9).
void SetKeyTooltip(CPngButton& button, KeyId key, const KeyRecord& record,
                   std::span<const MacroRecord> macros, const TextLookup& texts);
void SetGTooltip(CPngButton& button, unsigned n, const KeyRecord& record,
                 std::span<const MacroRecord> macros, const TextLookup& texts);

}  // namespace talon
