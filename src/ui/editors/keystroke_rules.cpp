#include "ui/editors/keystroke_rules.h"

#include <iterator>

#include "platform/keystroke.h"

namespace talon {
namespace {

constexpr std::uint8_t kVkLeftWin = 0x5B;
constexpr std::uint8_t kVkRightWin = 0x5C;
constexpr std::uint8_t kVkApps = 0x5D;
constexpr KeyId kSysReq = 0x054;
constexpr KeyId kKeyKl = 0x071;
constexpr KeyId kKeyKr = 0x072;

KeyId WinKeyOf(std::uint8_t vk) {
  switch (vk) {
    case kVkLeftWin:
      return key::kLeftWin;
    case kVkRightWin:
      return key::kRightWin;
    case kVkApps:
      return 0x15D;
    default:
      return 0;
  }
}

bool RecordsPressFirst(KeyId k) {
  return k == kSysReq || k == kKeyKl || k == kKeyKr || k == key::kPrintScreen;
}

}  // namespace

int MouseEntryOfKey(KeyId key) {
  for (std::size_t i = 0; i < std::size(kMouseKeys); ++i) {
    if (kMouseKeys[i] == key) return static_cast<int>(i);
  }
  return -1;
}

CaptureOutcome CaptureKeystroke(std::uint8_t vk, std::uint32_t flags, bool keyboard_choice) {
  if (const KeyId win = WinKeyOf(vk); win != 0) return {true, win};
  const KeyId k = KeyOfKeystroke(vk, flags);
  if (k == 0 || IsCaptureExcluded(k)) return {};
  const bool first_press = !IsReleaseFlags(flags) && !IsRepeatFlags(flags);
  if ((keyboard_choice && first_press) || k == key::kPrintScreen) return {true, k};
  return {true, 0};
}

RecordOutcome KeystrokeRecorder::Take(std::uint8_t vk, std::uint32_t flags) {
  const bool release = IsReleaseFlags(flags);
  if (vk == kVkLeftWin || vk == kVkRightWin) {
    if (release) {
      win_down_ = 0;
    } else if (win_down_ == vk) {
      return {true, 0};
    } else {
      win_down_ = vk;
    }
    return {true, WinKeyOf(vk), release, false};
  }
  const KeyId k = KeyOfKeystroke(vk, flags);
  if (k == 0 || IsCaptureExcluded(k)) return {};
  if (IsRepeatFlags(flags)) return {true, 0};
  return {true, k, release, RecordsPressFirst(k)};
}

}  // namespace talon
