#include "model/led_index.h"

#include <array>
#include <utility>

namespace talon {

namespace {

constexpr std::array<std::pair<KeyId, int>, 104> kKeyLeds{{
    // Row 0
    {0x001, 0},
    {0x03B, 2},
    {0x03C, 3},
    {0x03D, 4},
    {0x03E, 5},
    {0x03F, 6},
    {0x040, 7},
    {0x041, 8},
    {0x042, 9},
    {0x043, 10},
    {0x044, 11},
    {0x057, 12},
    {0x058, 13},
    {0x137, 14},
    {0x046, 15},
    {0x045, 16},
    // Row 1
    {0x029, 20},
    {0x002, 21},
    {0x003, 22},
    {0x004, 23},
    {0x005, 24},
    {0x006, 25},
    {0x007, 26},
    {0x008, 27},
    {0x009, 28},
    {0x00A, 29},
    {0x00B, 30},
    {0x00C, 31},
    {0x00D, 32},
    {0x00E, 33},
    {0x152, 34},
    {0x147, 35},
    {0x149, 36},
    {0x145, 37},
    {0x135, 38},
    {0x037, 39},
    // Row 2
    {0x00F, 40},
    {0x010, 41},
    {0x011, 42},
    {0x012, 43},
    {0x013, 44},
    {0x014, 45},
    {0x015, 46},
    {0x016, 47},
    {0x017, 48},
    {0x018, 49},
    {0x019, 50},
    {0x01A, 51},
    {0x01B, 52},
    {0x02B, 53},
    {0x153, 54},
    {0x14F, 55},
    {0x151, 56},
    {0x047, 57},
    {0x048, 58},
    {0x049, 59},
    // Row 3
    {0x03A, 60},
    {0x01E, 61},
    {0x01F, 62},
    {0x020, 63},
    {0x021, 64},
    {0x022, 65},
    {0x023, 66},
    {0x024, 67},
    {0x025, 68},
    {0x026, 69},
    {0x027, 70},
    {0x028, 71},
    {0x01C, 73},
    {0x04B, 77},
    {0x04C, 78},
    {0x04D, 79},
    // Row 4
    {0x02A, 80},
    {0x02C, 82},
    {0x02D, 83},
    {0x02E, 84},
    {0x02F, 85},
    {0x030, 86},
    {0x031, 87},
    {0x032, 88},
    {0x033, 89},
    {0x034, 90},
    {0x035, 91},
    {0x036, 93},
    {0x148, 95},
    {0x04F, 97},
    {0x050, 98},
    {0x051, 99},
    // Row 5
    {0x01D, 100},
    {0x15B, 101},
    {0x038, 102},
    {0x039, 106},
    {0x04A, 107},
    {0x04E, 108},
    {0x11C, 109},
    {0x138, 110},
    {0x15D, 112},
    {0x11D, 113},
    {0x14B, 114},
    {0x150, 115},
    {0x14D, 116},
    {0x052, 118},
    {0x053, 119},
    {0x15C, kRightWinLed},
}};

constexpr std::array<int, 9> kGKeyLeds{74, 75, 76, 94, 96, kNoLed, kNoLed, kNoLed, kNoLed};

}  // namespace

int LedIndexOfKey(KeyId key) {
  if (key == key::kRightShiftExtended) key = key::kRightShift;
  for (const auto& [k, led] : kKeyLeds) {
    if (k == key) return led;
  }
  return -1;
}

int LedIndexOfGKey(unsigned n) {
  return n >= 1 && n <= kGKeyLeds.size() ? kGKeyLeds[n - 1] : -1;
}

}  // namespace talon
