#include "device/keyboard_commands.h"

#include <algorithm>
#include <array>
#include <thread>

#include "device/config_report.h"
#include "device/result_codes.h"

namespace talon {

namespace {

constexpr unsigned kBankStride = 512;
constexpr unsigned kColourSlotStride = 512;

}  // namespace

KeyboardCommands::KeyboardCommands(ReportExchanger& exchanger, ExchangeTimings timings)
    : exchanger_(exchanger), timings_(timings) {}

// One exchange: status 255 and 254 become their codes, otherwise the payload is copied out.
int KeyboardCommands::Exchange(const ConfigReport& request, std::span<std::uint8_t> data_out) {
  std::array<std::uint8_t, kReportSize> answer{};
  int received = 0;
  const int result = exchanger_.ExchangeReport(request.bytes(), answer, received);
  if (result != kDone) return result;
  if (answer[report_byte::kStatus] == kErrorStatus255) return kKeyboardStatus255;
  if (answer[report_byte::kStatus] == kErrorStatus254) return kKeyboardStatus254;
  std::copy_n(answer.begin() + kPayloadOffset, std::min(data_out.size(), kMaxPayload),
              data_out.begin());
  return kDone;
}

int KeyboardCommands::BeginConfig() {
  ConfigReport request(command::kBeginConfig);
  request.Seal();
  return Exchange(request, {});
}

int KeyboardCommands::EndConfig() {
  std::this_thread::sleep_for(timings_.end_config_pause);
  ConfigReport request(command::kEndConfig);
  request.Seal();
  return Exchange(request, {});
}

int KeyboardCommands::ReadDeviceInfo(DeviceInfoBlock& block) {
  ConfigReport request(command::kReadDeviceInfo);
  request.SetLength(kDeviceInfoSize);
  request.Seal();
  return Exchange(request, block.bytes());
}

int KeyboardCommands::WriteDeviceInfo(const DeviceInfoBlock& block) {
  ConfigReport request(command::kWriteDeviceInfo);
  request.SetLength(kDeviceInfoSize);
  request.SetPayload(block.bytes());
  request.Seal();
  return Exchange(request, {});
}

int KeyboardCommands::ReadDeviceData(std::span<std::uint8_t, kDeviceDataChunk> destination,
                                     std::uint8_t length, std::uint16_t offset) {
  ConfigReport request(command::kReadDeviceData);
  request.SetLength(length);
  request.SetOffset(offset);
  request.Seal();
  return Exchange(request, destination);
}

int KeyboardCommands::WriteDeviceData(std::span<const std::uint8_t> source, std::uint16_t offset) {
  ConfigReport request(command::kWriteDeviceData);
  request.SetLength(static_cast<std::uint8_t>(source.size()));
  request.SetOffset(offset);
  request.SetPayload(source);
  request.Seal();
  return Exchange(request, {});
}

// Chunks of 56 bytes; the last one carries the rest. The request is zeroed once, so payload
// bytes past a shorter last chunk keep the previous chunk's values.
int KeyboardCommands::ChunkedRead(std::uint8_t command, std::uint16_t base,
                                  std::span<std::uint8_t> destination) {
  ConfigReport request(command);
  const std::size_t total = destination.size();
  for (std::size_t position = 0; position < total; position += kMaxPayload) {
    const std::size_t chunk = position + kMaxPayload < total ? kMaxPayload : total - position;
    request.SetLength(static_cast<std::uint8_t>(chunk));
    request.SetOffset(static_cast<std::uint16_t>(base + position));
    request.Seal();
    const int result = Exchange(request, destination.subspan(position, chunk));
    if (result != kDone) return result;
  }
  return kDone;
}

int KeyboardCommands::ChunkedWrite(std::uint8_t command, std::uint16_t base,
                                   std::span<const std::uint8_t> source) {
  ConfigReport request(command);
  const std::size_t total = source.size();
  for (std::size_t position = 0; position < total; position += kMaxPayload) {
    const std::size_t chunk = position + kMaxPayload < total ? kMaxPayload : total - position;
    request.SetLength(static_cast<std::uint8_t>(chunk));
    request.SetOffset(static_cast<std::uint16_t>(base + position));
    request.SetPayload(source.subspan(position, chunk));
    request.Seal();
    const int result = Exchange(request, {});
    if (result != kDone) return result;
  }
  return kDone;
}

int KeyboardCommands::ReadKeyBank(std::span<std::uint8_t, kKeyBankSize> destination,
                                  unsigned bank) {
  if (bank >= kKeyBankCount) return kBadBank;
  return ChunkedRead(command::kReadKeyBank, static_cast<std::uint16_t>(bank * kBankStride),
                     destination);
}

int KeyboardCommands::WriteKeyBank(std::span<const std::uint8_t, kKeyBankSize> source,
                                   unsigned bank) {
  if (bank >= kKeyBankCount) return kBadBank;
  return ChunkedWrite(command::kWriteKeyBank, static_cast<std::uint16_t>(bank * kBankStride),
                      source);
}

int KeyboardCommands::ReadMacroArea(std::span<std::uint8_t> destination) {
  return ChunkedRead(command::kReadMacroArea, 0, destination);
}

int KeyboardCommands::WriteMacroArea(std::span<const std::uint8_t> source) {
  return ChunkedWrite(command::kWriteMacroArea, 0, source);
}

int KeyboardCommands::ReadDefaultKeyMap(std::span<std::uint8_t, kKeyBankSize> destination) {
  return ChunkedRead(command::kReadDefaultKeyMap, 0, destination);
}

int KeyboardCommands::WriteKeyColour(unsigned colour_slot, std::span<const std::uint8_t> source,
                                     unsigned key) {
  ConfigReport request(command::kWriteKeyColour);
  request.SetLength(static_cast<std::uint8_t>(source.size()));
  request.SetOffset(static_cast<std::uint16_t>(colour_slot * kColourSlotStride + key * 3));
  request.SetPayload(source);
  request.Seal();
  return Exchange(request, {});
}

int KeyboardCommands::GetActiveProfile() {
  const int cached = active_profile_.load();
  if (cached != -1) return cached;
  DeviceInfoBlock block;
  if (ReadDeviceInfo(block) != kDone) return -1;
  active_profile_ = block.active_profile();
  return block.active_profile();
}

void KeyboardCommands::SetActiveProfile(int index) {
  if (index < 0) return;
  DeviceInfoBlock block;
  if (ReadDeviceInfo(block) != kDone) return;
  block.set_active_profile(static_cast<std::uint8_t>(index));
  active_profile_ = WriteDeviceInfo(block) == kDone ? block.active_profile() : -1;
}

}  // namespace talon
