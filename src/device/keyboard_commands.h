#pragma once
// The keyboard's command set over the report exchange. Each operation builds its requests,
// checks the answer's status and copies the answer's data out; large transfers go in chunks of
// 56 bytes. Every operation returns a result code (result_codes.h) and never throws.
#include <atomic>
#include <cstdint>
#include <span>

#include "device/device_info_block.h"
#include "device/exchange_timings.h"
#include "device/report_exchanger.h"

namespace talon {

inline constexpr std::size_t kKeyBankSize = 420;
inline constexpr std::size_t kDeviceDataChunk = 56;
inline constexpr unsigned kKeyBankCount = 4;

namespace command {
inline constexpr std::uint8_t kBeginConfig = 1;
inline constexpr std::uint8_t kEndConfig = 2;
inline constexpr std::uint8_t kReadDeviceInfo = 3;
inline constexpr std::uint8_t kWriteDeviceInfo = 4;
inline constexpr std::uint8_t kReadDeviceData = 5;
inline constexpr std::uint8_t kWriteDeviceData = 6;
inline constexpr std::uint8_t kReadKeyBank = 7;
inline constexpr std::uint8_t kWriteKeyBank = 8;
inline constexpr std::uint8_t kReadMacroArea = 9;
inline constexpr std::uint8_t kWriteMacroArea = 10;
inline constexpr std::uint8_t kReadDefaultKeyMap = 15;
inline constexpr std::uint8_t kWriteKeyColour = 17;
}  // namespace command

class KeyboardCommands {
 public:
  explicit KeyboardCommands(ReportExchanger& exchanger, ExchangeTimings timings = {});

  int BeginConfig();
  // Sent after a short pause, which the keyboard needs after the last write of a group.
  int EndConfig();

  int ReadDeviceInfo(DeviceInfoBlock& block);
  int WriteDeviceInfo(const DeviceInfoBlock& block);

  // Settings area (lighting blocks). The answer always carries 56 bytes, whatever was asked.
  int ReadDeviceData(std::span<std::uint8_t, kDeviceDataChunk> destination, std::uint8_t length,
                     std::uint16_t offset);
  // At most 56 bytes; callers keep within that.
  int WriteDeviceData(std::span<const std::uint8_t> source, std::uint16_t offset);

  // Banks 0-3; a higher index gives kBadBank and sends nothing.
  int ReadKeyBank(std::span<std::uint8_t, kKeyBankSize> destination, unsigned bank);
  int WriteKeyBank(std::span<const std::uint8_t, kKeyBankSize> source, unsigned bank);

  // The first n bytes of the macro area, n = the span's size; n = 0 sends nothing.
  int ReadMacroArea(std::span<std::uint8_t> destination);
  int WriteMacroArea(std::span<const std::uint8_t> source);

  int ReadDefaultKeyMap(std::span<std::uint8_t, kKeyBankSize> destination);

  // Per-key colours: `length` bytes (3 for one key, 54 for 18 keys) at colour slot
  // `colour_slot`, starting at LED `key`.
  int WriteKeyColour(unsigned colour_slot, std::span<const std::uint8_t> source, unsigned key);

  // The active on-board profile, read once and then cached; -1 when it cannot be read.
  int GetActiveProfile();
  // Switches the active profile (a negative index does nothing).
  void SetActiveProfile(int index);
  // Forgets the cached profile, so the next GetActiveProfile asks the keyboard (keyboard gone).
  void ForgetActiveProfile() { active_profile_ = -1; }

 private:
  int Exchange(const class ConfigReport& request, std::span<std::uint8_t> data_out);
  int ChunkedRead(std::uint8_t command, std::uint16_t base, std::span<std::uint8_t> destination);
  int ChunkedWrite(std::uint8_t command, std::uint16_t base, std::span<const std::uint8_t> source);

  ReportExchanger& exchanger_;
  ExchangeTimings timings_;
  std::atomic<int> active_profile_{-1};
};

}  // namespace talon
