#include "model/macro_list.h"

#include <algorithm>

namespace talon {

namespace {

const MacroRecord* FindMacro(std::span<const MacroRecord> macros, std::uint16_t id) {
  const auto it =
      std::find_if(macros.begin(), macros.end(), [id](const MacroRecord& m) { return m.id == id; });
  return it == macros.end() ? nullptr : &*it;
}

}  // namespace

std::uint16_t MacroIndexOf(std::span<const MacroRecord> macros, std::uint16_t id) {
  const MacroRecord* macro = FindMacro(macros, id);
  return macro == nullptr ? 0 : static_cast<std::uint16_t>(macro - macros.data());
}

std::uint16_t MacroIndexOf(ProfileStore& store, std::uint16_t id) {
  const auto held = store.Lock();
  return MacroIndexOf(held->macros, id);
}

std::uint16_t SmallestFreeMacroId(std::span<const MacroRecord> macros) {
  for (std::uint16_t id = 1; id <= kMaxMacroId; ++id) {
    if (FindMacro(macros, id) == nullptr) return id;
  }
  return 0;
}

std::optional<std::size_t> CreateMacro(std::vector<MacroRecord>& list, std::u16string name,
                                       ModelPort& port) {
  if (list.size() >= kMaxMacros) {
    port.ShowMessage({"MACRO_ERR_MAX", {static_cast<std::int64_t>(kMaxMacros)}});
    return std::nullopt;
  }
  MacroRecord macro;
  if (name.size() > kMaxMacroNameLength) name.resize(kMaxMacroNameLength);
  macro.name = std::move(name);
  macro.repeat_count = 1;
  macro.new_flag = 1;
  macro.id = SmallestFreeMacroId(list);
  list.push_back(std::move(macro));
  return list.size() - 1;
}

void CommitMacroList(ProfileStore& store, std::vector<MacroRecord> edited, ModelPort& port) {
  const auto held = store.Lock();
  auto& records = held->key_block.records;
  for (std::size_t i = 0; i < records.size(); ++i) {
    KeyRecord& record = records[i];
    if (record.type != AssignmentKind::kMacro) continue;
    const auto id = static_cast<std::uint16_t>(record.value & 0xFFFF);
    if (id != 0) {
      // A new macro that reused a deleted macro's id is not the macro the key meant.
      const MacroRecord* macro = FindMacro(edited, id);
      if (macro != nullptr && macro->new_flag == 0) continue;
      record.type = AssignmentKind::kDefault;
      port.RedrawKeyButton(static_cast<KeySlot>(i % kSlotsPerProfile),
                           static_cast<int>(i / kSlotsPerProfile));
      port.SetApplyEnabled(true);
    } else if (!edited.empty()) {
      record.value = edited.front().id;
      port.SetApplyEnabled(true);
    }
  }
  for (MacroRecord& macro : edited) macro.new_flag = 0;
  held->macros = std::move(edited);
}

}  // namespace talon
