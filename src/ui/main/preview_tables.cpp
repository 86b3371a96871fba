#include "ui/main/preview_tables.h"

#include <algorithm>
#include <cstdlib>

namespace talon::preview {
namespace {

// Keys by scan code (0x100 for the extended ones).
namespace k {
constexpr KeyId kEsc = 0x001, kF1 = 0x03B, kF2 = 0x03C, kF3 = 0x03D, kF4 = 0x03E, kF5 = 0x03F,
                kF6 = 0x040, kF7 = 0x041, kF8 = 0x042, kF9 = 0x043, kF10 = 0x044, kF11 = 0x057,
                kF12 = 0x058, kPrint = 0x137, kScroll = 0x046, kPause = 0x045;
constexpr KeyId kGrave = 0x029, k1 = 0x002, k2 = 0x003, k3 = 0x004, k4 = 0x005, k5 = 0x006,
                k6 = 0x007, k7 = 0x008, k8 = 0x009, k9 = 0x00A, k0 = 0x00B, kMinus = 0x00C,
                kEquals = 0x00D, kBackspace = 0x00E, kInsert = 0x152, kHome = 0x147,
                kPageUp = 0x149, kNumLock = 0x145, kPadSlash = 0x135, kPadStar = 0x037,
                kPadMinus = 0x04A;
constexpr KeyId kTab = 0x00F, kQ = 0x010, kW = 0x011, kE = 0x012, kR = 0x013, kT = 0x014,
                kY = 0x015, kU = 0x016, kI = 0x017, kO = 0x018, kP = 0x019, kLeftBracket = 0x01A,
                kRightBracket = 0x01B, kBackslash = 0x02B, kDelete = 0x153, kEnd = 0x14F,
                kPageDown = 0x151, kPad7 = 0x047, kPad8 = 0x048, kPad9 = 0x049;
constexpr KeyId kCaps = 0x03A, kA = 0x01E, kS = 0x01F, kD = 0x020, kF = 0x021, kG = 0x022,
                kH = 0x023, kJ = 0x024, kK = 0x025, kL = 0x026, kSemicolon = 0x027, kQuote = 0x028,
                kEnter = 0x01C, kPad4 = 0x04B, kPad5 = 0x04C, kPad6 = 0x04D, kPadPlus = 0x04E;
constexpr KeyId kLeftShift = 0x02A, kZ = 0x02C, kX = 0x02D, kC = 0x02E, kV = 0x02F, kB = 0x030,
                kN = 0x031, kM = 0x032, kComma = 0x033, kPeriod = 0x034, kSlash = 0x035,
                kRightShift = 0x036, kUp = 0x148, kPad1 = 0x04F, kPad2 = 0x050, kPad3 = 0x051,
                kPadEnter = 0x11C;
constexpr KeyId kLeftCtrl = 0x01D, kLeftWin = 0x15B, kLeftAlt = 0x038, kSpace = 0x039,
                kRightAlt = 0x138, kRightWin = 0x15C, kApp = 0x15D, kRightCtrl = 0x11D,
                kLeft = 0x14B, kDown = 0x150, kRight = 0x14D, kPad0 = 0x052, kPadDot = 0x053;
constexpr KeyId G(unsigned n) {
  return static_cast<KeyId>(key::kGKeyBase + n);
}
}  // namespace k

using namespace k;

// The rising and the falling channel of a sextant of the wheel.
constexpr std::array<std::uint8_t, 32> kRise{1,   3,   5,   7,   10,  14,  18,  22,  26,  32,  38,
                                             44,  50,  57,  65,  73,  81,  89,  99,  109, 119, 129,
                                             140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
constexpr std::array<std::uint8_t, 32> kFall{248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124,
                                             114, 104, 94,  85,  77,  69,  61,  53,  47,  41,  35,
                                             29,  24,  20,  16,  12,  8,   6,   4,   2,   0};

constexpr std::array<std::uint8_t, 48> kRamp96Rise{
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

// 3 + 252 (i / 63)^1.5: a smooth rise to the peak at entry 63; the table falls back the same way.
constexpr std::array<std::uint8_t, 64> kRamp128Rise{
    3,   3,   4,   5,   7,   8,   10,  12,  14,  16,  18,  21,  23,  26,  29,  32,
    35,  38,  41,  44,  48,  51,  55,  58,  62,  65,  69,  73,  77,  81,  85,  89,
    94,  98,  102, 107, 111, 116, 121, 125, 130, 135, 140, 145, 150, 155, 160, 165,
    170, 175, 181, 186, 191, 197, 202, 208, 214, 219, 225, 231, 237, 243, 249, 255};

// A quick rise, the fall of Ramp96 and a tail to 1; dark from entry 80 on.
constexpr std::array<std::uint8_t, 80> kPulse{
    0,   4,   8,   14,  22,  33,  45,  61,  77,  94,  114, 134, 158, 182, 206, 234,
    255, 248, 241, 234, 227, 220, 213, 206, 200, 194, 188, 182, 176, 170, 164, 158,
    152, 146, 140, 134, 129, 124, 119, 114, 109, 104, 99,  94,  89,  85,  81,  77,
    73,  69,  65,  61,  57,  53,  49,  45,  42,  39,  36,  33,  30,  27,  24,  22,
    20,  18,  16,  14,  12,  11,  10,  9,   8,   7,   6,   5,   4,   3,   2,   1};

constexpr std::array<KeyId, kPreviewKeys> kSpiral{
    kPause,       kScroll,     kPrint,    kF12,       kF11,
    kF10,         kF9,         kF8,       kF7,        kF6,
    kF5,          kF4,         kF3,       kF2,        kF1,
    kEsc,         G(1),        G(2),      G(3),       G(4),
    G(5),         kLeftCtrl,   kLeftWin,  kLeftAlt,   kSpace,
    kRightAlt,    kRightWin,   kFnKey,    kApp,       kRightCtrl,
    kLeft,        kDown,       kRight,    kPad0,      kPadDot,
    kPadEnter,    kPadPlus,    kPadMinus, kPadStar,   kPadSlash,
    kNumLock,     kPageUp,     kHome,     kInsert,    kBackspace,
    kEquals,      kMinus,      k0,        k9,         k8,
    k7,           k6,          k5,        k4,         k3,
    k2,           k1,          kGrave,    kTab,       kCaps,
    kLeftShift,   kZ,          kX,        kC,         kV,
    kB,           kN,          kM,        kComma,     kPeriod,
    kSlash,       kRightShift, kUp,       kPad1,      kPad2,
    kPad3,        kPad6,       kPad9,     kPad8,      kPad7,
    kPageDown,    kEnd,        kDelete,   kBackslash, kRightBracket,
    kLeftBracket, kP,          kO,        kI,         kU,
    kY,           kT,          kR,        kE,         kW,
    kQ,           kA,          kS,        kD,         kF,
    kG,           kH,          kJ,        kK,         kL,
    kSemicolon,   kQuote,      kEnter,    kPad4,      kPad5};

// The picture, row by row. Row 5's tenth cell is the right Win key, which sits there.
constexpr std::array<std::array<KeyId, kGridColumns>, kGridRows> kGridRowsTable{{
    {0,   0,    kEsc, kF1,  kF2,    kF3,     kF4,    0, kF5, kF6, kF7, kF8,
     kF9, kF10, kF11, kF12, kPrint, kScroll, kPause, 0, 0,   0,   0},
    {G(1),    kGrave, k1,      k2,       k3,        k4,       k5,       k6,
     k7,      k8,     k9,      k0,       kMinus,    kEquals,  0,        kBackspace,
     kInsert, kHome,  kPageUp, kNumLock, kPadSlash, kPadStar, kPadMinus},
    {G(2),  kTab,       kQ,      kW,   kE,        kR,           kT,
     kY,    kU,         kI,      kO,   kP,        kLeftBracket, kRightBracket,
     0,     kBackslash, kDelete, kEnd, kPageDown, kPad7,        kPad8,
     kPad9, 0},
    {G(3),   kCaps, kA, kS,     kD, kF, kG, kH,    kJ,    kK,    kL,      kSemicolon,
     kQuote, 0,     0,  kEnter, 0,  0,  0,  kPad4, kPad5, kPad6, kPadPlus},
    {G(4), kLeftShift, kZ, kX,          kC, kV,  kB, kN,    kM,    kComma, kPeriod,  kSlash,
     0,    0,          0,  kRightShift, 0,  kUp, 0,  kPad1, kPad2, kPad3,  kPadEnter},
    {G(5),  kLeftCtrl, kLeftWin,  kLeftAlt, 0,     0,       kSpace, 0,
     0,     kRightAlt, kRightWin, kFnKey,   kApp,  0,       0,      kRightCtrl,
     kLeft, kDown,     kRight,    kPad0,    kPad0, kPadDot, 0},
}};

// A ramp that rises through `rise` and falls back through it in reverse.
template <std::size_t N>
constexpr std::array<std::uint8_t, 2 * N> RiseAndFall(const std::array<std::uint8_t, N>& rise) {
  std::array<std::uint8_t, 2 * N> ramp{};
  for (std::size_t i = 0; i < N; ++i) {
    ramp[i] = rise[i];
    ramp[2 * N - 1 - i] = rise[i];
  }
  return ramp;
}

constexpr int kShockwaveRow = 2;  // the O key
constexpr int kShockwaveColumn = 10;

}  // namespace

const std::array<Colour, kWheelSize>& ColourWheel() {
  static const std::array<Colour, kWheelSize> wheel = [] {
    std::array<Colour, kWheelSize> w{};
    for (std::size_t i = 0; i < 32; ++i) {
      const std::uint8_t up = kRise[i];
      const std::uint8_t down = kFall[i];
      w[i] = RgbColour(255, up, 0);          // red to yellow
      w[32 + i] = RgbColour(down, 255, 0);   // yellow to green
      w[64 + i] = RgbColour(0, 255, up);     // green to cyan
      w[96 + i] = RgbColour(0, down, 255);   // cyan to blue
      w[128 + i] = RgbColour(up, 0, 255);    // blue to magenta
      w[160 + i] = RgbColour(255, 0, down);  // magenta to red
    }
    return w;
  }();
  return wheel;
}

const std::array<std::uint8_t, 96>& Ramp96() {
  static const auto ramp = RiseAndFall(kRamp96Rise);
  return ramp;
}

const std::array<std::uint8_t, 128>& Ramp128() {
  static const auto ramp = RiseAndFall(kRamp128Rise);
  return ramp;
}

const std::array<std::uint8_t, 128>& PulseRamp() {
  static const std::array<std::uint8_t, 128> ramp = [] {
    std::array<std::uint8_t, 128> r{};
    std::copy(kPulse.begin(), kPulse.end(), r.begin());
    return r;
  }();
  return ramp;
}

const std::array<KeyId, kPreviewKeys>& SpiralOrder() {
  return kSpiral;
}

int PreviewIndexOf(KeyId key) {
  if (key == 0) return kNoKey;
  if (key == key::kRightShiftExtended) key = key::kRightShift;
  const auto found = std::find(kSpiral.begin(), kSpiral.end(), key);
  return found == kSpiral.end() ? kNoKey : static_cast<int>(found - kSpiral.begin());
}

const Grid& PreviewGrid() {
  static const Grid grid = [] {
    Grid g{};
    for (int c = 0; c < kGridColumns; ++c) {
      for (int r = 0; r < kGridRows; ++r) {
        g[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)] = PreviewIndexOf(
            kGridRowsTable[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
      }
    }
    return g;
  }();
  return grid;
}

const std::array<std::uint8_t, kPreviewKeys>& ShockwaveRings() {
  // The distance from the O key in cells, a column counting a little more than a row so that the
  // outermost ring holds the G keys on the left and the keypad's last column on the right.
  static const std::array<std::uint8_t, kPreviewKeys> rings = [] {
    std::array<std::uint8_t, kPreviewKeys> r;
    r.fill(kShockwaveRings - 1);
    const Grid& grid = PreviewGrid();
    for (int c = 0; c < kGridColumns; ++c) {
      for (int row = 0; row < kGridRows; ++row) {
        const int key = grid[static_cast<std::size_t>(c)][static_cast<std::size_t>(row)];
        if (key == kNoKey) continue;
        const int across = (std::abs(c - kShockwaveColumn) * 11 + 5) / 10;
        const int ring =
            std::min(kShockwaveRings - 1, std::max(std::abs(row - kShockwaveRow), across));
        auto& slot = r[static_cast<std::size_t>(key)];
        slot = static_cast<std::uint8_t>(std::min<int>(slot, ring));
      }
    }
    return r;
  }();
  return rings;
}

Colour Dim(Colour colour, int level) {
  level = std::clamp(level, 0, 255);
  auto scale = [level](std::uint8_t channel) {
    return static_cast<std::uint8_t>(channel * level / 255);
  };
  return RgbColour(scale(RedOf(colour)), scale(GreenOf(colour)), scale(BlueOf(colour)));
}

int Step(bool forward, int phase, int step, int period) {
  const int moved = forward ? phase + step : phase - step;
  return ((moved % period) + period) % period;
}

}  // namespace talon::preview
