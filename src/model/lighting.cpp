#include "model/lighting.h"

#include <algorithm>

#include "device/result_codes.h"
#include "platform/ini_file.h"

namespace talon {

LightingModel::LightingModel(KeyboardCommands& commands, LightingPort& port,
                             std::filesystem::path user_settings_file)
    : commands_(commands), port_(port), user_settings_file_(std::move(user_settings_file)) {}

void LightingModel::set_current_profile(int profile) {
  current_profile_ = std::clamp(profile, 0, kLightingProfiles - 1);
}

const LightingBlock& LightingModel::block(int profile) const {
  return blocks_[static_cast<std::size_t>(std::clamp(profile, 0, kLightingProfiles - 1))];
}

bool LightingModel::OffersEffect(int effect) const {
  const auto effects = device_info_.effects();
  return effect != 0 && std::find(effects.begin(), effects.end(), effect) != effects.end();
}

bool LightingModel::ReadDengCheck() const {
  return ReadIniInt(user_settings_file_, "KEYCOLOR", "DengCheck", 0) == 1;
}

int LightingModel::ReadLightingBlocks(bool with_user_modes) {
  port_.EffectListCleared();
  std::fill(device_info_.bytes().begin() + 12, device_info_.bytes().end(), std::uint8_t{0});
  DeviceInfoBlock info;
  if (commands_.ReadDeviceInfo(info) != kDone) return -1;
  device_info_ = info;

  commands_.BeginConfig();
  if (with_user_modes && OffersEffect(kUserColourEffect))
    port_.ReloadUserColourModes(current_profile_);
  // One buffer for the three reads: a read that fails leaves what the one before it brought,
  // and the first block then reads as zeros.
  std::array<std::uint8_t, kDeviceDataChunk> buffer{};
  for (int p = 0; p < kLightingProfiles; ++p) {
    commands_.ReadDeviceData(buffer, kDeviceDataChunk,
                             static_cast<std::uint16_t>(p * kLightingBlockSize));
    std::copy_n(buffer.begin(), kLightingBlockSize, blocks_[static_cast<std::size_t>(p)].begin());
  }
  commands_.EndConfig();

  const int user_mode = state_.user_mode;
  state_ = DecodeLightingBlock(block(current_profile_));
  // On attach the user modes were just loaded from their file, which decides the mode.
  if (with_user_modes && OffersEffect(kUserColourEffect)) state_.user_mode = user_mode;
  const bool deng_check = ReadDengCheck();
  if (deng_check) {
    lighting_mode_ = true;
  } else if (with_user_modes) {
    lighting_mode_ = false;
  }
  return 0;
}

int LightingModel::WriteLightingFields(int profile, std::span<const LightingField> fields) {
  const int base =
      std::clamp(profile, 0, kLightingProfiles - 1) * static_cast<int>(kLightingBlockSize);
  commands_.BeginConfig();
  int result = kDone;
  auto& stored = blocks_[static_cast<std::size_t>(std::clamp(profile, 0, kLightingProfiles - 1))];
  for (const auto& field : fields) {
    const int written =
        commands_.WriteDeviceData(field.bytes, static_cast<std::uint16_t>(base + field.offset));
    if (result == kDone) result = written;  // the first failure is the one to report
    for (std::size_t i = 0; i < field.bytes.size() && field.offset + i < stored.size(); ++i) {
      stored[field.offset + i] = field.bytes[i];
    }
  }
  commands_.EndConfig();
  return result;
}

int LightingModel::WriteField(std::uint8_t offset, std::span<const std::uint8_t> bytes) {
  const LightingField field{offset, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
  return WriteLightingFields(current_profile_, std::span(&field, 1));
}

int LightingModel::SelectEffect(int effect) {
  const auto fields = EffectSelectionFields(effect, state_.colourful);
  const int result = fields.empty() ? kDone : WriteLightingFields(current_profile_, fields);
  state_.effect = effect;
  return result;
}

int LightingModel::SetBrightness(int position) {
  position = std::clamp(position, 0, kMaxBrightness);
  if (position == state_.brightness) return kDone;
  const std::uint8_t byte = static_cast<std::uint8_t>(position);
  state_.brightness = position;
  return WriteField(lighting_byte::kBrightness, std::span(&byte, 1));
}

int LightingModel::SetSpeedPosition(int position) {
  const int speed = kMaxSpeed - std::clamp(position, 0, kMaxSpeed);
  if (speed == state_.speed) return kDone;
  const std::uint8_t byte = static_cast<std::uint8_t>(speed);
  state_.speed = speed;
  return WriteField(lighting_byte::kSpeed, std::span(&byte, 1));
}

int LightingModel::SetDirection(std::uint8_t value) {
  state_.direction = value;
  return WriteField(lighting_byte::kDirection, std::span(&value, 1));
}

int LightingModel::SetColour(Colour colour) {
  const auto rgb = RgbBytes(colour);
  const std::vector<LightingField> fields{{lighting_byte::kColourful, {0}},
                                          {lighting_byte::kColour, {rgb.begin(), rgb.end()}}};
  state_.colourful = false;
  state_.colour = colour;
  return WriteLightingFields(current_profile_, fields);
}

int LightingModel::SetColourful(bool on) {
  const std::uint8_t byte = on ? 1 : 0;
  state_.colourful = on;
  return WriteField(lighting_byte::kColourful, std::span(&byte, 1));
}

int LightingModel::SetReportRate(int rate) {
  rate = std::clamp(rate, 0, kMaxReportRate);
  const std::uint8_t byte = static_cast<std::uint8_t>(rate);
  state_.report_rate = rate;
  return WriteField(lighting_byte::kReportRate, std::span(&byte, 1));
}

int LightingModel::SetEffect17Colour(int choice) {
  choice = std::clamp(choice, 0, 3);
  const std::uint8_t byte = static_cast<std::uint8_t>(choice);
  state_.effect17_colour = choice;
  return WriteField(lighting_byte::kEffect17Colour, std::span(&byte, 1));
}

int LightingModel::SetUserMode(int mode) {
  mode = std::clamp(mode, 0, 3);
  const std::uint8_t byte = static_cast<std::uint8_t>(mode);
  state_.user_mode = mode;
  return WriteField(lighting_byte::kUserMode, std::span(&byte, 1));
}

int LightingModel::WriteDefaultBlock() {
  const auto defaults = DefaultLightingBlock();
  const LightingField field{0, std::vector<std::uint8_t>(defaults.begin(), defaults.end())};
  const int result = WriteLightingFields(current_profile_, std::span(&field, 1));
  state_ = DecodeLightingBlock(block(current_profile_));
  return result;
}

}  // namespace talon
