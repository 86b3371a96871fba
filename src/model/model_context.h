#pragma once
// The process-wide model state (one instance, owned by the application context; tests build
// their own) and the set of references that operations reaching the keyboard or the user take.
#include "device/keyboard_commands.h"
#include "model/default_key_map.h"
#include "model/g_bank.h"
#include "model/macro_capacity.h"
#include "model/model_port.h"
#include "model/profile_store.h"
#include "platform/text_lookup.h"

namespace talon {

struct KeyboardModel {
  ProfileStore store;
  UploadSnapshot snapshot;
  DefaultKeyMap default_key_map;
  GBank g_bank;
  MacroCapacity macro_capacity;
};

struct ModelContext {
  ProfileStore& store;
  UploadSnapshot& snapshot;
  const DefaultKeyMap& default_key_map;
  const MacroCapacity& macro_capacity;
  KeyboardCommands& commands;
  ModelPort& port;
  const TextLookup& texts;
};

inline ModelContext MakeContext(KeyboardModel& model, KeyboardCommands& commands, ModelPort& port,
                                const TextLookup& texts) {
  return {model.store, model.snapshot, model.default_key_map, model.macro_capacity, commands,
          port,        texts};
}

}  // namespace talon
