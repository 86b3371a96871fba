#pragma once
// Rules that keep macro ids and the key records that refer to them consistent: looking a macro
// up by id, creating one in an editor's private list, and committing an edited list.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/macro_record.h"
#include "model/model_port.h"
#include "model/profile_store.h"

namespace talon {

// The 0-based position of the first macro with the id; 0 when none has it.
std::uint16_t MacroIndexOf(std::span<const MacroRecord> macros, std::uint16_t id);
// The same, on the store's committed list under its lock.
std::uint16_t MacroIndexOf(ProfileStore& store, std::uint16_t id);

// The smallest id in 1-100 that no macro of the list uses; 0 when all are taken.
std::uint16_t SmallestFreeMacroId(std::span<const MacroRecord> macros);

// Appends a new macro to an editor's list: the name, play count 1, the new flag, the smallest
// free id, no actions. A list already holding 100 macros gets nothing and the user is told
// ("MACRO_ERR_MAX" filled with 100). Returns the new macro's position.
std::optional<std::size_t> CreateMacro(std::vector<MacroRecord>& list, std::u16string name,
                                       ModelPort& port);

// Installs an edited list as the committed one. Macro key records of every profile whose id no
// longer names a macro, or names one created since the last commit, return to Default (their
// button is redrawn); records with id 0 take the first macro's id. Either change enables Apply.
// The new flags are cleared.
void CommitMacroList(ProfileStore& store, std::vector<MacroRecord> edited, ModelPort& port);

}  // namespace talon
