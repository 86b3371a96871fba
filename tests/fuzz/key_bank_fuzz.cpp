// The key bank decoder over any bank and default map read from a keyboard (the first 420 bytes
// are the bank, the next 420 the default map, the compiled-in one when the input is shorter),
// then the encoder over what it decoded. With the keyboard's own default map, decoding what was
// encoded gives the same assignments.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_support.h"
#include "model/default_key_map.h"
#include "model/key_bank.h"
#include "model/key_block.h"
#include "model/key_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talon;
  const std::span<const std::uint8_t> input(data, size);
  KeyBank bank{};
  std::copy_n(input.begin(), std::min(input.size(), bank.size()), bank.begin());
  // A keyboard's own default map names each key once; one read from a broken keyboard may not,
  // and then only has to be read safely.
  const bool own_map = input.size() <= bank.size();
  KeyBank default_map = DefaultKeyMap::CompiledIn();
  if (!own_map) {
    const auto rest = input.subspan(bank.size());
    std::copy_n(rest.begin(), std::min(rest.size(), default_map.size()), default_map.begin());
  }
  KeyBlock block = FreshKeyBlock();
  DecodeKeyBank(bank, block.profile(0), default_map);
  const auto records =
      std::span<const KeyRecord, kSlotsPerProfile>(block.records.data(), kSlotsPerProfile);
  // A macro entry reads back as the macro at that place in the list: ids 1-256 at places 0-255.
  static const std::vector<MacroRecord> macros = [] {
    std::vector<MacroRecord> list(256);
    for (std::size_t i = 0; i < list.size(); ++i) list[i].id = static_cast<std::uint16_t>(i + 1);
    return list;
  }();
  const KeyBank encoded = EncodeKeyBank(records, macros, default_map);
  if (!own_map) return 0;
  KeyBlock again = FreshKeyBlock();
  DecodeKeyBank(encoded, again.profile(0), default_map);
  // Ways of saying one thing: a Key assignment of no key (a modifier entry with an empty mask)
  // is sent as "no key" and reads back Disabled, and so is one of a system key (keyboard usages
  // 0x81-0x83 share their code with Power, Sleep and Wake, which have no keyboard usage); one of
  // the key's own default (a mask with more bits than its own) is sent as the default and reads
  // back Default.
  const auto normal = [](KeyRecord r, std::size_t slot) {
    const bool no_key =
        r.value == 0 || UsageOfKey(static_cast<KeyId>(r.value)).page == usage_page::kSystem;
    if (r.type == AssignmentKind::kKey && no_key) {
      r.type = AssignmentKind::kDisabled;
      r.value = 0;
    }
    if (r.type == AssignmentKind::kKey && r.value == KeyOfSlot(static_cast<KeySlot>(slot))) {
      r.type = AssignmentKind::kDefault;
      r.value = 0;
    }
    return r;
  };
  for (std::size_t slot = 0; slot < kSlotsPerProfile; ++slot) {
    talon::fuzz::Require(normal(records[slot], slot) == normal(again.records[slot], slot),
                         "decode, encode, decode differs");
  }
  return 0;
}
