#pragma once
// The lighting state of the keyboard's profiles and every lighting write the panel makes. Each
// change is one exchange (BeginConfig, the writes, EndConfig), made at once; the state follows
// the change whether or not the keyboard accepted it, as the panel shows what was chosen.
#include <array>
#include <cstdint>
#include <filesystem>
#include <span>

#include "device/device_info_block.h"
#include "device/keyboard_commands.h"
#include "model/key_colours.h"
#include "model/lighting_block.h"
#include "model/lighting_effects.h"

namespace talon {

// The user-interface steps a read of the lighting blocks triggers.
class LightingPort {
 public:
  virtual ~LightingPort() = default;
  // The effect list was emptied; the effect combobox empties with it.
  virtual void EffectListCleared() = 0;
  // The user colour modes of `profile` are reloaded from their file and sent to the keyboard.
  virtual void ReloadUserColourModes(int profile) = 0;
};

class LightingModel {
 public:
  // `user_settings_file` is the per-user settings file holding the lighting mode switch.
  LightingModel(KeyboardCommands& commands, LightingPort& port,
                std::filesystem::path user_settings_file);

  // Reads the effect list and the three blocks and decodes the current profile's block.
  // Returns 0, or -1 when the keyboard's information block cannot be read (nothing else then
  // changes). `with_user_modes`: on keyboard attach; the user colour modes come from their file
  // and the lighting mode switch is taken from the settings file either way. Otherwise the
  // block's mode byte is taken and the switch can only be turned on by the file.
  int ReadLightingBlocks(bool with_user_modes);

  // One exchange writing `fields` into profile `profile`'s block.
  int WriteLightingFields(int profile, std::span<const LightingField> fields);

  // The panel's writes, on the current profile. The checks that avoid needless writes (same
  // brightness, same speed) are the panel's rules, kept here so every caller gets them. Each
  // returns the keyboard's result (kDone also when nothing needed writing); the panel shows the
  // new value either way.
  int SelectEffect(int effect);
  int SetBrightness(int position);       // 0-5
  int SetSpeedPosition(int position);    // 0-5; the speed written is 5 - position
  int SetDirection(std::uint8_t value);  // 255 or 0
  int SetColour(Colour colour);          // also turns colourful off
  int SetColourful(bool on);
  int SetReportRate(int rate);        // 0-3
  int SetEffect17Colour(int choice);  // 0-3
  int SetUserMode(int mode);          // 0-3
  // Effect 1, brightness 5, speed 3, direction 0, colourful, white; bytes 35-41 untouched.
  int WriteDefaultBlock();

  int current_profile() const { return current_profile_; }
  void set_current_profile(int profile);
  const LightingState& state() const { return state_; }
  const LightingBlock& block(int profile) const;
  const DeviceInfoBlock& device_info() const { return device_info_; }
  bool OffersEffect(int effect) const;

  // Lighting mode: the key picture previews the lighting instead of showing assignments.
  bool lighting_mode() const { return lighting_mode_; }
  void set_lighting_mode(bool on) { lighting_mode_ = on; }

  // The colour slot that per-key colour writes go to: the current profile's user colour mode.
  int colour_slot() const { return state_.user_mode; }
  void set_user_mode_index(int mode) { state_.user_mode = mode; }

  KeyColourTable& key_colours() { return key_colours_; }
  const KeyColourTable& key_colours() const { return key_colours_; }
  KeyboardCommands& commands() { return commands_; }

 private:
  int WriteField(std::uint8_t offset, std::span<const std::uint8_t> bytes);
  bool ReadDengCheck() const;

  KeyboardCommands& commands_;
  LightingPort& port_;
  std::filesystem::path user_settings_file_;
  DeviceInfoBlock device_info_;
  std::array<LightingBlock, kLightingProfiles> blocks_{};
  LightingState state_;
  KeyColourTable key_colours_;
  int current_profile_ = 0;
  bool lighting_mode_ = false;
};

}  // namespace talon
