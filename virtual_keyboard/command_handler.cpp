// How the keyboard answers a configuration report.
//
// An answer repeats request bytes 0-6 (report id, checksum, command, length, offset), carries
// the status in byte 7 (0 done, 255 refused) and, for reads, the data from byte 8; unused bytes
// are zero. A refused request changes nothing. The keyboard refuses:
//   - a report whose byte 0 is not 4;
//   - a bad checksum: bytes 1-2 (low byte first) must equal the sum of bytes 3-63 with carries
//     beyond 16 bits dropped;
//   - a command it does not know (it knows 1-10, 15 and 17);
//   - a data command whose length byte exceeds the 56 payload bytes of one report;
//   - a range [offset, offset + length) outside the command's area: device information 44
//     bytes, settings 256, key bank b at offset b * 512 + position with b < 4 and
//     position + length <= 420, default key map 420, macro area its capacity, colours 4 * 512;
//   - a device information write that makes a profile other than 0-2 active.
// Length 0 is an empty transfer and succeeds. The settings read always answers 56 bytes, bytes
// past the area reading as zero. Writes take effect at once; EndConfig and a device information
// write commit them, which tells the owner to save memory as the keyboard writes its flash.
// Of the device information the firmware owns version, capacity and effect list: a write keeps
// only bytes 0-7 and the active profile.
#include <algorithm>
#include <array>

#include "factory_content.h"
#include "firmware.h"
#include "kb_bridge_abi.h"
#include "platform/little_endian.h"

namespace talon::vkb {

namespace {

constexpr std::uint8_t kReportId = 4;
constexpr std::size_t kCommandAt = 3;
constexpr std::size_t kLengthAt = 4;
constexpr std::size_t kOffsetAt = 5;
constexpr std::size_t kStatusAt = 7;
constexpr std::size_t kPayloadAt = 8;
constexpr std::size_t kMaxPayload = kReportSize - kPayloadAt;  // 56
constexpr std::uint8_t kStatusOk = 0;
constexpr std::uint8_t kStatusRefused = 255;

enum class Op { kBegin, kEnd, kRead, kWrite };

struct Command {
  std::uint8_t number;
  Op op;
  std::uint32_t area;
};

constexpr std::array<Command, 12> kCommands{{
    {1, Op::kBegin, 0},
    {2, Op::kEnd, 0},
    {3, Op::kRead, KBSIM_AREA_DEVICE_INFO},
    {4, Op::kWrite, KBSIM_AREA_DEVICE_INFO},
    {5, Op::kRead, KBSIM_AREA_SETTINGS},
    {6, Op::kWrite, KBSIM_AREA_SETTINGS},
    {7, Op::kRead, KBSIM_AREA_KEY_BANKS},
    {8, Op::kWrite, KBSIM_AREA_KEY_BANKS},
    {9, Op::kRead, KBSIM_AREA_MACROS},
    {10, Op::kWrite, KBSIM_AREA_MACROS},
    {15, Op::kRead, KBSIM_AREA_DEFAULT_MAP},
    {17, Op::kWrite, KBSIM_AREA_COLOURS},
}};

const Command* FindCommand(std::uint8_t number) {
  const auto it = std::find_if(kCommands.begin(), kCommands.end(),
                               [number](const Command& c) { return c.number == number; });
  return it == kCommands.end() ? nullptr : &*it;
}

bool ChecksumMatches(std::span<const std::uint8_t, kReportSize> request) {
  std::uint16_t sum = 0;
  for (std::size_t i = kCommandAt; i < kReportSize; ++i)
    sum = static_cast<std::uint16_t>(sum + request[i]);
  return sum == GetU16(request, 1);
}

// A key bank offset is bank * 512 + position, and only the first 420 bytes of a bank exist.
bool KeyBankRangeFits(std::size_t offset, std::size_t length) {
  const std::size_t bank = offset / kKeyBankStride;
  const std::size_t position = offset % kKeyBankStride;
  return bank < kKeyBankCount && position + length <= kKeyBankSize;
}

}  // namespace

Report Firmware::Handle(std::span<const std::uint8_t, kReportSize> request) {
  Report answer{};
  std::copy_n(request.begin(), kStatusAt, answer.begin());
  answer[kStatusAt] = kStatusRefused;
  if (request[0] != kReportId || !ChecksumMatches(request)) return answer;
  answer[kStatusAt] = Execute(request, answer);
  return answer;
}

std::uint8_t Firmware::Execute(std::span<const std::uint8_t, kReportSize> request, Report& answer) {
  const Command* command = FindCommand(request[kCommandAt]);
  if (command == nullptr) return kStatusRefused;
  if (command->op == Op::kBegin) return kStatusOk;
  if (command->op == Op::kEnd) {
    committed_ = true;
    return kStatusOk;
  }

  const std::size_t length = request[kLengthAt];
  const std::size_t offset = GetU16(request, kOffsetAt);
  if (length > kMaxPayload) return kStatusRefused;
  const auto area = Area(command->area);
  const bool fits = command->area == KBSIM_AREA_KEY_BANKS
                        ? KeyBankRangeFits(offset, length)
                        : offset <= area.size() && length <= area.size() - offset;
  if (!fits) return kStatusRefused;

  const auto at = area.begin() + static_cast<std::ptrdiff_t>(offset);
  if (command->op == Op::kRead) {
    const std::size_t answered =
        command->area == KBSIM_AREA_SETTINGS ? std::min(kMaxPayload, area.size() - offset) : length;
    std::copy_n(at, answered, answer.begin() + kPayloadAt);
    return kStatusOk;
  }
  const auto data = request.subspan(kPayloadAt, length);
  if (command->area == KBSIM_AREA_DEVICE_INFO)
    return WriteDeviceInfo(offset, data) ? kStatusOk : kStatusRefused;
  std::copy(data.begin(), data.end(), at);
  return kStatusOk;
}

bool Firmware::WriteDeviceInfo(std::size_t offset, std::span<const std::uint8_t> data) {
  const auto covers = [&](std::size_t i) { return i >= offset && i < offset + data.size(); };
  if (covers(kInfoActiveProfileAt) && data[kInfoActiveProfileAt - offset] >= kProfileCount)
    return false;
  for (std::size_t i = 0; i < data.size(); ++i) {
    const std::size_t at = offset + i;
    if (at < kInfoIdentitySize || at == kInfoActiveProfileAt) device_info_[at] = data[i];
  }
  committed_ = true;
  return true;
}

}  // namespace talon::vkb
