#pragma once
// Sends the macro area and the encoded key banks to the keyboard in one configuration bracket.
#include <cstdint>
#include <span>

#include "device/keyboard_commands.h"
#include "model/default_key_map.h"
#include "model/profile_store.h"

namespace talon {

// Encodes the bank of every profile (all_banks) or of the active one from the snapshot, then
// BeginConfig, the whole macro area, each bank in ascending order, EndConfig. Returns 1 when the
// keyboard accepted the last bank written, else 0; 0 without sending anything when the active
// profile cannot be read. The caller holds the snapshot lock.
int UploadKeyMap(std::span<const std::uint8_t> macro_area, bool all_banks,
                 const SnapshotContents& snapshot, const DefaultKeyMap& default_key_map,
                 KeyboardCommands& commands);

}  // namespace talon
