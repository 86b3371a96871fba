#pragma once
// The data of the lighting preview: the colour wheel, the level ramps, the key picture as a grid
// of cells and the keys in spiral order. Keys are named by their KeyId (G keys as 0x1FF + n; the
// Fn key, which has none, as kFnKey); inside the preview a key is its index in SpiralOrder().
#include <array>
#include <cstdint>

#include "model/key_table.h"
#include "model/lighting_block.h"

namespace talon::preview {

inline constexpr int kWheelSize = 192;
inline constexpr int kGridRows = 6;
inline constexpr int kGridColumns = 23;
// Every key of the picture with a light: the 104 key buttons, G1-G5 and Fn.
inline constexpr int kPreviewKeys = 110;
inline constexpr KeyId kFnKey = 0x0FFF;
inline constexpr int kNoKey = -1;
inline constexpr int kShockwaveRings = 12;

// 192 colours in six sextants of 32: red, yellow, green, cyan, blue, magenta and back to red.
const std::array<Colour, kWheelSize>& ColourWheel();
// Levels 0-255: a rise and fall of 96 steps, a breath of 128 and a pulse that fades to zero.
const std::array<std::uint8_t, 96>& Ramp96();
const std::array<std::uint8_t, 128>& Ramp128();
const std::array<std::uint8_t, 128>& PulseRamp();

// The keys clockwise round the keyboard from the outside in.
const std::array<KeyId, kPreviewKeys>& SpiralOrder();
// The index in SpiralOrder of a key; kNoKey for keys the preview does not light.
int PreviewIndexOf(KeyId key);

// The picture as 6 rows x 23 columns, cell = the SpiralOrder index of its key or kNoKey. A key
// wider than a cell (keypad 0) fills two cells.
using Grid = std::array<std::array<int, kGridRows>, kGridColumns>;  // [column][row]
const Grid& PreviewGrid();

// Effect 18's ring (0-11) of each key round the O key, by SpiralOrder index.
const std::array<std::uint8_t, kPreviewKeys>& ShockwaveRings();

// Each channel x level / 255, truncated.
Colour Dim(Colour colour, int level);
// (phase + step) mod period going forward, (phase - step) mod period going back; never negative.
int Step(bool forward, int phase, int step, int period);

}  // namespace talon::preview
