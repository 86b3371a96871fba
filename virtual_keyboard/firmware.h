#pragma once
// The firmware model of a TALON7X-DUO: the keyboard's memory and how it answers configuration
// reports. It knows nothing of USB or of the service library; bridge/virtual and the fake hidapi
// of the tests carry reports to it and answers back.
#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace talon::vkb {

inline constexpr std::size_t kReportSize = 64;
inline constexpr std::size_t kDeviceInfoSize = 44;
inline constexpr std::size_t kSettingsSize = 256;  // three 42-byte lighting blocks and spare
inline constexpr std::size_t kKeyBankSize = 420;
inline constexpr std::size_t kKeyBankStride = 512;
inline constexpr std::size_t kKeyBankCount = 4;
inline constexpr std::size_t kColourSlotSize = 512;
inline constexpr std::size_t kColourSlotCount = 4;
inline constexpr std::uint16_t kFactoryFirmware = 0x0104;
inline constexpr std::uint8_t kFactoryCapacityUnits = 32;  // x 128 bytes = 4096

using Report = std::array<std::uint8_t, kReportSize>;

// What a key position does under the active profile's bank (kinds as KBSIM_ACTION_*).
struct KeyAction {
  std::uint32_t kind = 0;
  std::uint32_t value = 0;
};

// Start-up settings taken from the environment by the library builds.
struct FirmwareOptions {
  std::uint16_t firmware_version = kFactoryFirmware;
  std::uint8_t capacity_units = kFactoryCapacityUnits;
};

class Firmware {
 public:
  explicit Firmware(FirmwareOptions options = {});

  // Back to the factory state (the options given at construction stay).
  void ResetToFactory();

  // Carries out one configuration report and returns the answer: byte 3 echoes the command,
  // byte 7 is 0 on success and 255 for a request the firmware refuses (nothing is changed then).
  Report Handle(std::span<const std::uint8_t, kReportSize> request);

  // The last indicator ('LED') status data written, two bytes.
  void SetIndicator(std::span<const std::uint8_t> data);

  KeyAction ActionAt(std::size_t position) const;

  // Raw memory access for tests and the control tool. Areas as KBSIM_AREA_*; false when the
  // range lies outside the area.
  bool Read(std::uint32_t area, std::size_t offset, std::span<std::uint8_t> out) const;
  bool Write(std::uint32_t area, std::size_t offset, std::span<const std::uint8_t> data);

  // Persistent memory, as the keyboard's flash: the file holds every area but the indicator.
  // Load returns false (and keeps the current state) for a missing, short or foreign file.
  bool Save(const std::filesystem::path& file) const;
  bool Load(const std::filesystem::path& file);

  // True once since the last call when a report changed memory that survives power-off
  // (EndConfig and WriteDeviceInfo commit), so the owner knows when to save.
  bool TakeCommitted();

  std::size_t macro_capacity() const;

 private:
  std::span<std::uint8_t> Area(std::uint32_t area);
  std::span<const std::uint8_t> Area(std::uint32_t area) const;
  void ApplyFirmwareOwnedInfo();
  std::uint8_t Execute(std::span<const std::uint8_t, kReportSize> request, Report& answer);
  bool WriteDeviceInfo(std::size_t offset, std::span<const std::uint8_t> data);

  FirmwareOptions options_;
  std::array<std::uint8_t, kDeviceInfoSize> device_info_{};
  std::array<std::uint8_t, kSettingsSize> settings_{};
  std::array<std::uint8_t, kKeyBankStride * kKeyBankCount> key_banks_{};
  std::array<std::uint8_t, kKeyBankSize> default_map_{};
  // Sized for the largest capacity byte 11 can announce; only macro_capacity() bytes are used.
  std::vector<std::uint8_t> macros_;
  std::array<std::uint8_t, kColourSlotSize * kColourSlotCount> colours_{};
  std::array<std::uint8_t, 2> indicator_{};
  bool committed_ = false;
};

}  // namespace talon::vkb
