#include "model/key_map_upload.h"

#include <utility>
#include <vector>

#include "device/result_codes.h"
#include "model/key_bank.h"

namespace talon {

int UploadKeyMap(std::span<const std::uint8_t> macro_area, bool all_banks,
                 const SnapshotContents& snapshot, const DefaultKeyMap& default_key_map,
                 KeyboardCommands& commands) {
  std::vector<unsigned> profiles;
  if (all_banks) {
    profiles = {0, 1, 2, 3};
  } else {
    const int active = commands.GetActiveProfile();
    // A keyboard claiming a profile beyond the four banks is treated as unreadable.
    if (active < 0 || active >= static_cast<int>(kProfileCount)) return 0;
    profiles = {static_cast<unsigned>(active)};
  }

  const KeyBank default_map = default_key_map.Copy();
  std::vector<std::pair<unsigned, KeyBank>> banks;
  for (unsigned p : profiles) {
    const auto records = std::span<const KeyRecord, kSlotsPerProfile>(
        snapshot.key_block.records.data() + p * kSlotsPerProfile, kSlotsPerProfile);
    banks.emplace_back(p, EncodeKeyBank(records, snapshot.macros, default_map));
  }

  // Only the last bank's answer decides the result; the earlier steps are sent regardless.
  commands.BeginConfig();
  commands.WriteMacroArea(macro_area);
  int last = kNoKeyboard;
  for (const auto& [profile, bank] : banks) last = commands.WriteKeyBank(bank, profile);
  commands.EndConfig();
  return last == kDone ? 1 : 0;
}

}  // namespace talon
