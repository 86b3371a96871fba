#include "model/keyboard_upload.h"

#include <algorithm>
#include <new>
#include <vector>

#include "model/key_map_upload.h"
#include "model/macro_area.h"

namespace talon {

int UploadToKeyboard(const ModelContext& context, bool all_banks) {
  const auto store = context.store.Lock();
  const auto snapshot = context.snapshot.Lock();
  std::vector<std::uint8_t> area;
  bool with_names = true;
  try {
    snapshot->key_block = store->key_block;
    snapshot->macros = store->macros;
    const MacroAreaSizes sizes = MeasureMacroArea(snapshot->macros);
    const std::size_t capacity = std::min(context.macro_capacity.bytes(), kMaxMacroAreaSize);
    if (capacity < sizes.minimum) {
      context.port.ShowMessage({"EXTRA_MACRO_TOO_LONG", {}, MessageButtons::kOk, true});
      return 0;
    }
    with_names = capacity >= sizes.full;
    area = EncodeMacroArea(snapshot->macros, with_names);
  } catch (const std::bad_alloc&) {
    return 0;  // nothing sent, the store unchanged
  }
  const int result =
      UploadKeyMap(area, all_banks, *snapshot, context.default_key_map, context.commands);
  if (!with_names) {
    context.port.ShowMessage({"EXTRA_PROFILE_SPACE_TIGHT", {}, MessageButtons::kOk, true});
  }
  return result;
}

}  // namespace talon
