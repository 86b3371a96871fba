#include "model/macro_area.h"

#include <algorithm>
#include <optional>

#include "model/utf16.h"
#include "platform/little_endian.h"

namespace talon {

namespace {

constexpr std::size_t kBlockHeadSize = 4;
constexpr std::size_t kDeviceActionSize = 4;
constexpr std::uint16_t kPauseMask = 0x0FFF;
constexpr std::uint16_t kPressBit = 0x8000;
constexpr unsigned kKindShift = 12;
constexpr std::uint32_t kPauseUnitMs = 10;

std::size_t NameLength(const MacroRecord& macro) {
  return std::min(macro.name.size(), kMaxMacroNameLength);
}

std::size_t ActionCount(const MacroRecord& macro) {
  return std::min(macro.actions.size(), kMaxMacroActions);
}

std::uint16_t ActionWord(const MacroAction& action, std::uint8_t kind) {
  // A pause beyond the limit would spill into the kind bits.
  const std::uint32_t units = std::min(action.pause_ms, kMaxPauseMs) / kPauseUnitMs;
  std::uint16_t word =
      static_cast<std::uint16_t>((units & kPauseMask) | ((kind & 7u) << kKindShift));
  if (action.state != action_state::kRelease) word |= kPressBit;
  return word;
}

MacroAction DecodeAction(std::span<const std::uint8_t> bytes) {
  const std::uint16_t word = GetU16(bytes, 0);
  const KeyBankEntry code{static_cast<std::uint8_t>((word >> kKindShift) & 7u), GetU8(bytes, 2),
                          GetU8(bytes, 3)};
  MacroAction action;
  action.pause_ms = (word & kPauseMask) * kPauseUnitMs;
  // A code no macro action of ours can carry (a G key, say) is no key: sent back as it
  // reads, it would otherwise change on the way.
  const KeyId key = EntryToKey(code);
  action.key = MacroActionCode(key) != KeyBankEntry{} ? key : KeyId{0};
  action.state = (word & kPressBit) != 0 ? action_state::kPress : action_state::kRelease;
  return action;
}

// One macro's block at `offset`, or nothing when it does not lie whole within `area`.
std::optional<MacroRecord> DecodeBlock(std::span<const std::uint8_t> area, std::size_t offset) {
  if (!InRange(area, offset, kBlockHeadSize)) return std::nullopt;
  const std::size_t count = GetU16(area, offset);
  const std::size_t name_length = GetU8(area, offset + 3);
  if (count > kMaxMacroActions) return std::nullopt;
  const std::size_t actions_at = offset + kBlockHeadSize;
  const std::size_t name_at = actions_at + count * kDeviceActionSize;
  if (!InRange(area, actions_at, count * kDeviceActionSize + name_length * 2)) return std::nullopt;

  MacroRecord macro;
  macro.repeat_count = GetU8(area, offset + 2);
  macro.actions.reserve(count);
  for (std::size_t a = 0; a < count; ++a) {
    macro.actions.push_back(DecodeAction(area.subspan(actions_at + a * kDeviceActionSize)));
  }
  for (std::size_t c = 0; c < std::min(name_length, kMaxMacroNameLength); ++c) {
    const std::uint16_t unit = GetU16(area, name_at + c * 2);
    if (unit == 0) break;
    macro.name.push_back(static_cast<char16_t>(unit));
  }
  return macro;
}

}  // namespace

MacroAreaSizes MeasureMacroArea(std::span<const MacroRecord> macros) {
  MacroAreaSizes sizes;
  sizes.minimum = kMacroAreaHeadSize + 2 * macros.size();
  std::size_t names = 0;
  for (const MacroRecord& macro : macros) {
    sizes.minimum += kBlockHeadSize + kDeviceActionSize * ActionCount(macro);
    names += 2 * NameLength(macro);
  }
  sizes.full = sizes.minimum + names;
  return sizes;
}

KeyBankEntry MacroActionCode(KeyId key) {
  if (const std::uint8_t mask = ModifierMaskOf(key); mask != 0) {
    return {bank_entry::kKeyboard, bank_entry::kModifierMask, mask};
  }
  const std::uint8_t usage = RowOfKey(key).device_usage;
  switch (usage) {
    case 0x00:
    case 0xFF:
      return {};
    case 0x81:
    case 0x82:
    case 0x83:
      return {bank_entry::kSystem, usage, 0};
    case 0xF1:
      return {bank_entry::kMouse, bank_entry::kMouseButton, 0x01};
    case 0xF2:
      return {bank_entry::kMouse, bank_entry::kMouseButton, 0x02};
    case 0xF3:
      return {bank_entry::kMouse, bank_entry::kMouseButton, 0x04};
    case 0xF4:
      return {bank_entry::kMouse, bank_entry::kMouseWheel, 0x01};
    case 0xF5:
      return {bank_entry::kMouse, bank_entry::kMouseWheel, 0xFF};
    default:
      break;
  }
  if (usage >= 0xF6 && usage <= 0xF8) return {};  // no mouse action of the keyboard's
  return {bank_entry::kKeyboard, bank_entry::kKeyUsage, usage};
}

std::vector<std::uint8_t> EncodeMacroArea(std::span<const MacroRecord> macros, bool with_names) {
  const MacroAreaSizes sizes = MeasureMacroArea(macros);
  std::vector<std::uint8_t> area(with_names ? sizes.full : sizes.minimum, 0);
  const std::span<std::uint8_t> bytes(area);
  PutU16(bytes, 0, kMacroAreaMagic);
  PutU16(bytes, 2, static_cast<std::uint16_t>(area.size()));
  PutU16(bytes, 4, static_cast<std::uint16_t>(macros.size()));
  PutU16(bytes, 6, with_names ? 1 : 0);

  std::size_t position = kMacroAreaHeadSize + 2 * macros.size();
  for (std::size_t i = 0; i < macros.size(); ++i) {
    const MacroRecord& macro = macros[i];
    const std::size_t name_length = with_names ? NameLength(macro) : 0;
    PutU16(bytes, kMacroAreaHeadSize + 2 * i, static_cast<std::uint16_t>(position));
    PutU16(bytes, position, static_cast<std::uint16_t>(ActionCount(macro)));
    PutU8(bytes, position + 2, macro.repeat_count);
    PutU8(bytes, position + 3, static_cast<std::uint8_t>(name_length));
    position += kBlockHeadSize;
    for (std::size_t a = 0; a < ActionCount(macro); ++a) {
      const MacroAction& action = macro.actions[a];
      const KeyBankEntry code = MacroActionCode(action.key);
      PutU16(bytes, position, ActionWord(action, code.type));
      PutU8(bytes, position + 2, code.byte1);
      PutU8(bytes, position + 3, code.byte2);
      position += kDeviceActionSize;
    }
    for (std::size_t c = 0; c < name_length; ++c) {
      PutU16(bytes, position, macro.name[c]);
      position += 2;
    }
  }
  return area;
}

std::vector<MacroRecord> DecodeMacroArea(std::span<const std::uint8_t> area,
                                         const TextLookup& texts) {
  std::vector<MacroRecord> macros;
  if (GetU16(area, 0) != kMacroAreaMagic) return macros;
  const std::size_t stated = std::max<std::size_t>(GetU16(area, 2), kMacroAreaHeadSize);
  area = area.first(std::min(stated, area.size()));
  const std::size_t count = std::min<std::size_t>(GetU16(area, 4), kMaxMacros);
  const std::string prefix = texts.Text("MACRO_NEW_PREFIX");

  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = kMacroAreaHeadSize + 2 * i;
    if (!InRange(area, entry, 2)) break;
    std::optional<MacroRecord> macro = DecodeBlock(area, GetU16(area, entry));
    if (!macro) continue;
    macro->id = static_cast<std::uint16_t>(i + 1);
    if (macro->name.empty()) {
      macro->name = Utf8ToUtf16(prefix + std::to_string(i + 1));
      if (macro->name.size() > kMaxMacroNameLength) macro->name.resize(kMaxMacroNameLength);
    }
    macros.push_back(std::move(*macro));
  }
  return macros;
}

}  // namespace talon
