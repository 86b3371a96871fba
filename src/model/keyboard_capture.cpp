#include "model/keyboard_capture.h"

#include <array>
#include <string>
#include <vector>

#include "device/result_codes.h"
#include "model/key_bank.h"
#include "model/macro_area.h"
#include "platform/file_io.h"
#include "platform/little_endian.h"

namespace talon {

namespace {

// The macro area: its head first, then, when the head carries the magic, the whole area.
bool ReadMacroArea(KeyboardCommands& commands, std::vector<std::uint8_t>& area) {
  std::array<std::uint8_t, kMacroAreaHeadSize> head{};
  if (commands.ReadMacroArea(head) != kDone) return false;
  area.clear();
  if (GetU16(head, 0) != kMacroAreaMagic) return true;  // no macros on the keyboard
  area.resize(GetU16(head, 2));
  return commands.ReadMacroArea(area) == kDone;
}

}  // namespace

std::optional<std::string> CaptureKeyboard(KeyboardCommands& commands,
                                           const DefaultKeyMap& default_key_map,
                                           const TextLookup& texts) {
  const int active = commands.GetActiveProfile();
  if (active < 0 || active > 4) return std::nullopt;

  std::array<KeyBank, kProfileCount> banks{};
  for (unsigned p = 0; p < kProfileCount; ++p) {
    if (commands.ReadKeyBank(banks[p], p) != kDone) return std::nullopt;
  }
  std::vector<std::uint8_t> area;
  if (!ReadMacroArea(commands, area)) return std::nullopt;

  const KeyBank default_map = default_key_map.Copy();
  KeyBlock block;
  for (unsigned p = 0; p < kProfileCount; ++p) {
    DecodeKeyBank(banks[p], block.profile(p), default_map);
  }
  const std::vector<MacroRecord> macros = DecodeMacroArea(area, texts);
  block.header = BuildProfileHeader(static_cast<std::uint16_t>(macros.size()), 0);

  std::string file(kKeyBlockSize + kMacroRecordSize * macros.size(), '\0');
  const std::span<std::uint8_t> bytes(reinterpret_cast<std::uint8_t*>(file.data()), file.size());
  SerializeKeyBlock(block, bytes.first<kKeyBlockSize>());
  for (std::size_t i = 0; i < macros.size(); ++i) {
    SerializeMacroRecord(
        macros[i], bytes.subspan(kKeyBlockSize + i * kMacroRecordSize).first<kMacroRecordSize>());
  }
  return file;
}

int CaptureKeyboardToFile(KeyboardCommands& commands, const DefaultKeyMap& default_key_map,
                          const TextLookup& texts, const std::filesystem::path& path) {
  const std::optional<std::string> file = CaptureKeyboard(commands, default_key_map, texts);
  return file && WriteFileAtomically(path, *file) ? 1 : 0;
}

int ReloadFromKeyboard(const ModelContext& context, const ProfilePaths& paths, bool keep_apply) {
  const std::filesystem::path working = WorkingProfilePath(paths);
  const bool captured =
      context.commands.GetActiveProfile() >= 0 &&
      CaptureKeyboardToFile(context.commands, context.default_key_map, context.texts, working) == 1;
  {
    const auto held = context.store.Lock();
    if (!captured || ReadProfileFile(context.store, working) != 1)
      CreateEmptyProfile(context.store);
    context.port.ReloadKeyButtons();
  }
  if (!keep_apply) context.port.SetApplyEnabled(false);
  return 1;
}

}  // namespace talon
