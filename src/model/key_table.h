#pragma once
// The constant key tables: how a KeyId connects to its row (slot), the virtual-key codes a
// keystroke of it produces, its place in the macro editor's key list, its code in the keyboard's
// key map and macros, and its display name. Pure lookups on compiled-in data, callable from any
// thread.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/text_lookup.h"

namespace talon {

// Scan code (set 1) plus 0x100 for extended keys, pseudo keys for mouse and editing functions,
// 0x1FF + n for G key n; 0 = no key.
using KeyId = std::uint16_t;
// The row of a key: 0-255 rows of the key table; 256-273 are the G-key records of the key block.
using KeySlot = std::uint16_t;

inline constexpr std::size_t kKeyTableRows = 256;
inline constexpr std::size_t kKeyListSize = 106;
inline constexpr std::size_t kMediaCount = 18;
inline constexpr std::size_t kKeyButtonCount = 104;
inline constexpr std::size_t kGKeyCount = 9;
inline constexpr std::size_t kKeyNameCapacity = 260;
inline constexpr std::uint16_t kNoListCode = 0xFFFF;

// Keys the model refers to by name.
namespace key {
inline constexpr KeyId kLeftCtrl = 0x01D;
inline constexpr KeyId kLeftShift = 0x02A;
inline constexpr KeyId kRightShift = 0x036;
inline constexpr KeyId kRightShiftExtended = 0x136;
inline constexpr KeyId kLeftAlt = 0x038;
inline constexpr KeyId kRightCtrl = 0x11D;
inline constexpr KeyId kRightAlt = 0x138;
inline constexpr KeyId kLeftWin = 0x15B;
inline constexpr KeyId kRightWin = 0x15C;
inline constexpr KeyId kPrintScreen = 0x137;
inline constexpr KeyId kRollUp = 0x161;
inline constexpr KeyId kRollDown = 0x162;
inline constexpr KeyId kLeftButton = 0x171;
inline constexpr KeyId kRightButton = 0x172;
inline constexpr KeyId kMiddleButton = 0x173;
inline constexpr KeyId kGKeyBase = 0x1FF;  // + n for G key n (n from 1)
}  // namespace key

// A row of the key table. Names are UTF-8.
struct KeyRow {
  KeyId key = 0;  // the KeyId that lives on this row (0 for an empty row)
  std::uint8_t vk = 0;
  std::uint8_t vk2 = 0;
  std::uint8_t device_usage = 0;
  std::uint16_t list_code = kNoListCode;
  std::string_view english_name;
  std::string_view name_key;
};

// A (page, usage) pair derived from a row's device usage. Page 0 = no device code, 1 = system
// control, 2 = mouse, 7 = keyboard (or an index into the consumer usage table for 0xC0-0xDF),
// 12 = consumer (only as input to KeyOfUsage).
struct UsageRef {
  std::uint16_t page = 0;
  std::uint16_t usage = 0;
  friend bool operator==(const UsageRef&, const UsageRef&) = default;
};

namespace usage_page {
inline constexpr std::uint16_t kNone = 0;
inline constexpr std::uint16_t kSystem = 1;
inline constexpr std::uint16_t kMouse = 2;
inline constexpr std::uint16_t kKeyboard = 7;
inline constexpr std::uint16_t kConsumer = 12;
}  // namespace usage_page

KeySlot SlotOfKey(KeyId key);
KeyId KeyOfSlot(KeySlot slot);

// The row of a key's slot; an empty row for slots of 256 and above.
const KeyRow& RowOfKey(KeyId key);

// The display name from the language texts; a key without a name (or whose name is missing from
// the language file) shows the "UNKNOWN_KEY" format filled with the KeyId. Cut to capacity - 1
// characters.
std::string KeyName(KeyId key, const TextLookup& texts, std::size_t capacity = kKeyNameCapacity);
std::string_view KeyEnglishName(KeyId key);
std::string_view KeyNameKey(KeyId key);

std::uint16_t ListCodeOfKey(KeyId key);
KeyId KeyOfListCode(std::uint16_t list_code);
// The language text of the list entry's name; empty when there is none (no fallback).
std::string ListName(std::uint16_t list_code, const TextLookup& texts);

UsageRef UsageOfKey(KeyId key);
KeyId KeyOfUsage(UsageRef usage);

// vk and flags as a keyboard hook sees them: flags bits 16-23 scan code, bit 24 extended.
KeyId KeyOfKeystroke(std::uint8_t vk, std::uint32_t flags);
// The slot the virtual-key table gives for a code (0 = none).
KeySlot SlotOfVirtualKey(std::uint8_t vk);

// The 104 key buttons of the main window, by button index; 0 past the end.
KeyId KeyOfButton(std::size_t button_index);
// The G buttons are numbered 1-9; 0 for any other number.
KeyId KeyOfGButton(unsigned n);

// Consumer usage of a device usage 0xC0-0xDF; 0 for the others and for unused entries.
std::uint16_t ConsumerUsageOf(std::uint8_t device_usage);

struct MediaEntry {
  KeyId key;
  std::uint16_t consumer_usage;
};
// The 18 media functions in display order; an index is what a media assignment stores.
std::span<const MediaEntry, kMediaCount> MediaList();
// Index into MediaList of a consumer usage, or -1.
int MediaIndexOfUsage(std::uint16_t consumer_usage);

// Media keys are ignored while the user captures a key or records a macro.
bool IsCaptureExcluded(KeyId key);

}  // namespace talon
