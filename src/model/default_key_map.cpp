#include "model/default_key_map.h"

#include <algorithm>
#include <array>

namespace talon {

namespace {

struct Placed {
  std::uint8_t position;
  KeyBankEntry entry;
};

// Positions not listed are (0, 0, 0); positions 0-5 are filled in below.
constexpr Placed kCompiledIn[] = {
    {8, {2, 2, 0x29}},  {9, {2, 2, 0x35}},  {10, {2, 2, 0x2B}}, {11, {2, 2, 0x39}},
    {12, {2, 1, 0x02}}, {13, {2, 1, 0x01}}, {16, {2, 2, 0x3A}}, {17, {2, 2, 0x1E}},
    {18, {2, 2, 0x14}}, {19, {2, 2, 0x04}}, {20, {2, 2, 0x1D}}, {21, {2, 1, 0x08}},
    {24, {2, 2, 0x3B}}, {25, {2, 2, 0x1F}}, {26, {2, 2, 0x1A}}, {27, {2, 2, 0x16}},
    {28, {2, 2, 0x1B}}, {29, {2, 1, 0x04}}, {32, {2, 2, 0x3C}}, {33, {2, 2, 0x20}},
    {34, {2, 2, 0x08}}, {35, {2, 2, 0x07}}, {36, {2, 2, 0x06}}, {37, {2, 2, 0x2C}},
    {38, {2, 2, 0x46}}, {40, {2, 2, 0x3D}}, {41, {2, 2, 0x21}}, {42, {2, 2, 0x15}},
    {43, {2, 2, 0x09}}, {44, {2, 2, 0x19}}, {45, {2, 1, 0x40}}, {46, {2, 2, 0x47}},
    {48, {2, 2, 0x3E}}, {49, {2, 2, 0x22}}, {50, {2, 2, 0x17}}, {51, {2, 2, 0x0A}},
    {52, {2, 2, 0x05}}, {53, {5, 2, 0x02}}, {54, {2, 2, 0x2E}}, {56, {2, 2, 0x3F}},
    {57, {2, 2, 0x23}}, {58, {2, 2, 0x1C}}, {59, {2, 2, 0x0B}}, {60, {2, 2, 0x11}},
    {61, {2, 2, 0x65}}, {62, {2, 2, 0x48}},
};
constexpr std::size_t kFirstPlacedPositions = 6;  // positions 0-5 hold (5, 0, 0)

constexpr std::array<std::uint8_t, 10> kFixedPositions = {6,   13,  20,  27,  34,
                                                          101, 102, 108, 115, 116};

}  // namespace

DefaultKeyMap::DefaultKeyMap() : bank_(CompiledIn()) {}

KeyBank DefaultKeyMap::CompiledIn() {
  KeyBank bank{};
  for (std::size_t i = 0; i < kFirstPlacedPositions; ++i) SetEntry(bank, i, {5, 0, 0});
  for (const Placed& placed : kCompiledIn) SetEntry(bank, placed.position, placed.entry);
  return bank;
}

bool DefaultKeyMap::IsFixedPosition(std::size_t position) {
  return std::find(kFixedPositions.begin(), kFixedPositions.end(), position) !=
         kFixedPositions.end();
}

KeyBank DefaultKeyMap::Copy() const {
  std::lock_guard lock(mutex_);
  return bank_;
}

void DefaultKeyMap::Replace(std::span<const std::uint8_t, kKeyBankSize> bank) {
  std::lock_guard lock(mutex_);
  std::copy(bank.begin(), bank.end(), bank_.begin());
}

}  // namespace talon
