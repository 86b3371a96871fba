#pragma once
// Sends the store's macros and key maps to the keyboard.
#include "model/model_context.h"

namespace talon {

// Copies the store into the upload snapshot, packs the macro list under the keyboard's macro
// capacity and sends it with the key bank of the active profile (or all four). Returns 1 when
// the keyboard accepted the upload, 0 when it did not or nothing was sent.
//
// Size rule: when even the macros without their names do not fit, "EXTRA_MACRO_TOO_LONG" is
// shown and nothing is sent; when only the names do not fit, the macros go without them and
// "EXTRA_PROFILE_SPACE_TIGHT" follows the upload. Takes the store lock, then the snapshot lock.
int UploadToKeyboard(const ModelContext& context, bool all_banks);

}  // namespace talon
