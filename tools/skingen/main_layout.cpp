// The main window of the default skin: every control's rectangle comes from the tables below.
// Keys are placed on a grid of quarter units (one key unit = kPitch pixels).
#include <cstdint>
#include <cstdio>

#include "layouts.h"

namespace talon::skingen {
namespace {

constexpr int kWidth = 1279;
constexpr int kHeight = 478;
constexpr int kMargin = 14;

constexpr Rect kHeader{0, 0, kWidth, 58};
constexpr Rect kPlate{kMargin, 60, 959, 358};
constexpr Rect kPanel{kPlate.right() + 12, 60, 280, 358};
constexpr Rect kFooter{0, kPlate.bottom(), kWidth, kHeight - kPlate.bottom()};

constexpr int kPitch = 38;
constexpr int kGap = 4;
constexpr int kCap = kPitch - kGap;
constexpr int kInnerX = kPlate.x + 16;
constexpr int kInnerY = kPlate.y + 14;

// Rows: the extra row above the function row, the function row, the five main rows, the G row.
constexpr int kRowTop = -1;
constexpr int kRowG = 6;
constexpr int kRowY[] = {0, 44, 94, 132, 170, 208, 246, 296};

constexpr int ColX(int quarter) {
  return kInnerX + (quarter * kPitch + 2) / 4;
}
constexpr int RowY(int row) {
  return kInnerY + kRowY[row + 1];
}

struct KeySpot {
  std::uint16_t slot;  // KeySlot: the skin key is "KEY_%03X" of it
  const char* name;    // English key name
  std::int8_t row;
  std::uint8_t quarter;  // left edge, in quarter units from the G column
  std::uint8_t width;    // in quarter units
  bool tall = false;     // spans two rows
};

// Main block from quarter 6, navigation cluster from 68, keypad from 82.
constexpr KeySpot kKeys[] = {
    // function row
    {0x001, "Esc", 0, 6, 4},
    {0x03B, "F1", 0, 14, 4},
    {0x03C, "F2", 0, 18, 4},
    {0x03D, "F3", 0, 22, 4},
    {0x03E, "F4", 0, 26, 4},
    {0x03F, "F5", 0, 32, 4},
    {0x040, "F6", 0, 36, 4},
    {0x041, "F7", 0, 40, 4},
    {0x042, "F8", 0, 44, 4},
    {0x043, "F9", 0, 50, 4},
    {0x044, "F10", 0, 54, 4},
    {0x057, "F11", 0, 58, 4},
    {0x058, "F12", 0, 62, 4},
    {0x0B7, "Print Screen", 0, 68, 4},
    {0x046, "Scroll Lock", 0, 72, 4},
    {0x045, "Pause", 0, 76, 4},
    // number row
    {0x029, "`", 1, 6, 4},
    {0x002, "1", 1, 10, 4},
    {0x003, "2", 1, 14, 4},
    {0x004, "3", 1, 18, 4},
    {0x005, "4", 1, 22, 4},
    {0x006, "5", 1, 26, 4},
    {0x007, "6", 1, 30, 4},
    {0x008, "7", 1, 34, 4},
    {0x009, "8", 1, 38, 4},
    {0x00A, "9", 1, 42, 4},
    {0x00B, "0", 1, 46, 4},
    {0x00C, "-", 1, 50, 4},
    {0x00D, "=", 1, 54, 4},
    {0x00E, "Backspace", 1, 58, 8},
    {0x0D2, "Insert", 1, 68, 4},
    {0x0C7, "Home", 1, 72, 4},
    {0x0C9, "Page Up", 1, 76, 4},
    {0x0C5, "Num Lock", 1, 82, 4},
    {0x0B5, "Num /", 1, 86, 4},
    {0x037, "Num *", 1, 90, 4},
    {0x04A, "Num -", 1, 94, 4},
    // top letter row
    {0x00F, "Tab", 2, 6, 6},
    {0x010, "Q", 2, 12, 4},
    {0x011, "W", 2, 16, 4},
    {0x012, "E", 2, 20, 4},
    {0x013, "R", 2, 24, 4},
    {0x014, "T", 2, 28, 4},
    {0x015, "Y", 2, 32, 4},
    {0x016, "U", 2, 36, 4},
    {0x017, "I", 2, 40, 4},
    {0x018, "O", 2, 44, 4},
    {0x019, "P", 2, 48, 4},
    {0x01A, "[", 2, 52, 4},
    {0x01B, "]", 2, 56, 4},
    {0x02B, "\\", 2, 60, 6},
    {0x0D3, "Delete", 2, 68, 4},
    {0x0CF, "End", 2, 72, 4},
    {0x0D1, "Page Down", 2, 76, 4},
    {0x047, "Num 7", 2, 82, 4},
    {0x048, "Num 8", 2, 86, 4},
    {0x049, "Num 9", 2, 90, 4},
    {0x04E, "Num +", 2, 94, 4, true},
    // home row
    {0x03A, "Caps Lock", 3, 6, 7},
    {0x01E, "A", 3, 13, 4},
    {0x01F, "S", 3, 17, 4},
    {0x020, "D", 3, 21, 4},
    {0x021, "F", 3, 25, 4},
    {0x022, "G", 3, 29, 4},
    {0x023, "H", 3, 33, 4},
    {0x024, "J", 3, 37, 4},
    {0x025, "K", 3, 41, 4},
    {0x026, "L", 3, 45, 4},
    {0x027, ";", 3, 49, 4},
    {0x028, "'", 3, 53, 4},
    {0x01C, "Enter", 3, 57, 9},
    {0x04B, "Num 4", 3, 82, 4},
    {0x04C, "Num 5", 3, 86, 4},
    {0x04D, "Num 6", 3, 90, 4},
    // bottom letter row
    {0x02A, "Shift", 4, 6, 9},
    {0x02C, "Z", 4, 15, 4},
    {0x02D, "X", 4, 19, 4},
    {0x02E, "C", 4, 23, 4},
    {0x02F, "V", 4, 27, 4},
    {0x030, "B", 4, 31, 4},
    {0x031, "N", 4, 35, 4},
    {0x032, "M", 4, 39, 4},
    {0x033, ",", 4, 43, 4},
    {0x034, ".", 4, 47, 4},
    {0x035, "/", 4, 51, 4},
    {0x036, "Right Shift", 4, 55, 11},
    {0x0C8, "\u2191", 4, 72, 4},
    {0x04F, "Num 1", 4, 82, 4},
    {0x050, "Num 2", 4, 86, 4},
    {0x051, "Num 3", 4, 90, 4},
    {0x09C, "Num Enter", 4, 94, 4, true},
    // modifier row
    {0x01D, "Ctrl", 5, 6, 5},
    {0x0DB, "Win", 5, 11, 5},
    {0x038, "Alt", 5, 16, 5},
    {0x039, "Space", 5, 21, 25},
    {0x0B8, "Right Alt", 5, 46, 4},
    {0x0DC, "Right Win", 5, 50, 4},
    {0x0DD, "App", 5, 58, 4},
    {0x09D, "Right Ctrl", 5, 62, 4},
    {0x0CB, "\u2190", 5, 68, 4},
    {0x0D0, "\u2193", 5, 72, 4},
    {0x0CD, "\u2192", 5, 76, 4},
    {0x052, "Num 0", 5, 82, 8},
    {0x053, "Num .", 5, 90, 4},
};

struct ExtraKey {
  const char* key;
  const char* legend;
  Face face;
  std::int8_t row;
  std::uint8_t quarter;
  std::uint8_t width;
};

constexpr ExtraKey kExtraKeys[] = {
    {"KEY_FN", "Fn", Face::FnKey, 5, 54, 4},     {"FUNC_G1", "G1", Face::GKey, 1, 0, 4},
    {"FUNC_G2", "G2", Face::GKey, 2, 0, 4},      {"FUNC_G3", "G3", Face::GKey, 3, 0, 4},
    {"FUNC_G4", "G4", Face::GKey, 4, 0, 4},      {"FUNC_G5", "G5", Face::GKey, 5, 0, 4},
    {"FUNC_G6", "G6", Face::GKey, kRowG, 6, 5},  {"FUNC_G7", "G7", Face::GKey, kRowG, 11, 5},
    {"FUNC_G8", "G8", Face::GKey, kRowG, 16, 5}, {"FUNC_G9", "G9", Face::GKey, kRowG, 21, 5},
    {"LOCK_AB", "A", Face::Bank, 0, 0, 4},
};

constexpr Rect KeyRect(int row, int quarter, int width, bool tall) {
  const int x = ColX(quarter);
  const int h = tall ? RowY(row + 1) + kCap - RowY(row) : kCap;
  return {x, RowY(row), ColX(quarter + width) - x - kGap, h};
}

// The D block sits over the keypad, two rows of three keys sharing the keypad's width.
Rect DKeyRect(int index) {
  const int left = ColX(82);
  const int span = ColX(98) - kGap - left;
  const int w = (span - 2 * kGap) / 3;
  const int col = index % 3;
  return {left + col * (w + kGap), RowY(index < 3 ? kRowTop : 0), w, kCap};
}

// Row above the function row: lock lights over the navigation cluster, the Flip group over F1-F4.
void AddTopRow(std::vector<Control>& out) {
  const char* const locks[][2] = {
      {"LOCK_NUM", "Num"}, {"LOCK_CAPS", "Caps"}, {"LOCK_SCROLL", "Scroll"}};
  for (int i = 0; i < 3; ++i) {
    const Rect r = KeyRect(kRowTop, 68 + 4 * i, 4, false);
    out.push_back({locks[i][0], {r.x, r.y + 6, r.w, 22}, Face::Lock, locks[i][1]});
  }
  const int left = ColX(14);
  const int y = RowY(kRowTop) + 4;
  out.push_back({"FLIP_1", {left, y, 28, 26}, Face::Tool, "", Glyph::ArrowLeft});
  out.push_back({"FLIP_0", {left + 32, y, 84, 26}, Face::FlipTag, "F \u21c4 D"});
  out.push_back({"FLIP_2", {left + 120, y, 28, 26}, Face::Tool, "", Glyph::ArrowRight});
  const Rect leftArrow{left - 4 - kArrowCellW, y + 1, kArrowCellW, kArrowCellH};
  const Rect rightArrow{left + 152, y + 1, kArrowCellW, kArrowCellH};
  out.push_back({"LEFT_ARROW", leftArrow});
  out.push_back({"RIGHT_ARROW", rightArrow});
  out.push_back({"DOWN_ARROW_LEFT", leftArrow});
  out.push_back({"DOWN_ARROW_RIGHT", rightArrow});
}

void AddKeyboard(std::vector<Control>& out) {
  for (const KeySpot& k : kKeys) {
    char key[16];
    std::snprintf(key, sizeof key, "KEY_%03X", static_cast<unsigned>(k.slot));
    out.push_back(
        {key, KeyRect(k.row, k.quarter, k.width, k.tall), Face::Key, k.name, Glyph::None, k.slot});
  }
  for (const ExtraKey& k : kExtraKeys) {
    out.push_back({k.key, KeyRect(k.row, k.quarter, k.width, false), k.face, k.legend});
  }
  for (int i = 0; i < 6; ++i) {
    out.push_back(
        {"FUNC_D" + std::to_string(i + 1), DKeyRect(i), Face::DKey, "D" + std::to_string(i + 1)});
  }
  AddTopRow(out);
}

void AddHeaderAndFooter(std::vector<Control>& out) {
  out.push_back({"TORVEL_LINK", {kMargin, 9, 40, 40}, Face::Logo});
  const char* const profiles[] = {"Profile 1", "Profile 2", "Profile 3"};
  for (int i = 0; i < 3; ++i) {
    out.push_back({"FUNC_PROFILE" + std::to_string(i + 1),
                   {300 + 96 * i, 13, 92, 32},
                   Face::Button,
                   profiles[i]});
  }
  out.push_back({"FUNC_PROFILES", {600, 13, 180, 32}, Face::Field, "", Glyph::Profile});
  out.push_back({"FUNC_MACRO", {788, 13, 86, 32}, Face::Button, "Macro"});
  out.push_back({"FUNC_DEFAULT", {882, 13, 86, 32}, Face::Button, "Default"});
  out.push_back({"FUNC_SWITCH", kUnplaced});
  const char* const tools[] = {"CONTROL_MENU", "CONTROL_HELP", "CONTROL_MINIMIZE", "CONTROL_CLOSE"};
  const Glyph glyphs[] = {Glyph::Menu, Glyph::Help, Glyph::Minimize, Glyph::Close};
  for (int i = 0; i < 4; ++i) {
    out.push_back(
        {tools[i], {kWidth - kMargin - 32 - 36 * (3 - i), 13, 32, 32}, Face::Tool, "", glyphs[i]});
  }

  const int y = kHeight - kMargin - 34;
  const char* const links[] = {"CONTROL_Network", "CONTROL_Facebook", "CONTROL_twitter"};
  const Glyph linkGlyphs[] = {Glyph::Globe, Glyph::People, Glyph::Chat};
  for (int i = 0; i < 3; ++i) {
    out.push_back({links[i], {kMargin + 34 * i, y + 3, 28, 28}, Face::Round, "", linkGlyphs[i]});
  }
  out.push_back({"TORVEL_VER", {kMargin + 110, y + 7, 220, 20}});
  const int right = kWidth - kMargin;
  out.push_back({"CONTROL_CANCEL", {right - 100, y, 100, 34}, Face::Button, "Cancel"});
  out.push_back({"CONTROL_OK", {right - 208, y, 100, 34}, Face::Button, "OK"});
  out.push_back({"CONTROL2_APPLY", {right - 316, y, 100, 34}, Face::Primary, ""});
  out.push_back({"CONTROL_JDTStatic", {right - 352, y + 4, 26, 26}});
}

// Lighting panel. Rows below the effect drop-down are shared by groups that never show together;
// the direction group has three places so that it follows the other controls of its effect.
void AddPanel(std::vector<Control>& out) {
  const int x = kPanel.x;
  const int y = kPanel.y;
  auto add = [&](const char* key, int dx, int dy, int w, int h, Face face = Face::None,
                 Glyph glyph = Glyph::None, int level = 0) {
    out.push_back({key, {x + dx, y + dy, w, h}, face, "", glyph, level});
  };
  constexpr int kLabel = 16, kLabelW = 96, kCtl = 116;
  constexpr int kRowA = 100, kRowB = 136, kRowC = 170, kRowD = 204, kRowE = 238;
  add("CONTROL_DengStatic", kLabel, 17, 150, 24);
  add("CONTROL_DengStaPic", 212, 15, 52, 28);
  add("CONTROL_XGcombox", kLabel, 62, 248, 26);
  add("CONTROL_LightStatic", kLabel, kRowA + 2, kLabelW, 24);
  add("CONTROL_LightSlider", kCtl, kRowA + 3, 148, 22);
  add("CONTROL_SpeedStatic", kLabel, kRowB + 3, kLabelW, 24);
  add("CONTROL_SpeedSlider", kCtl, kRowB + 4, 148, 22);
  // direction: effect 18 at the speed row, 12 under speed, 1-3 under the colour group
  const std::pair<const char*, int> directions[] = {{"", kRowB}, {"2", kRowE}, {"3", kRowC}};
  for (const auto& [suffix, row] : directions) {
    const std::string s = suffix;
    out.push_back({"CONTROL_BLFXStatic" + s, {x + kLabel, y + row + 3, kLabelW, 24}});
    out.push_back({"CONTROL_BLFXLStaPic" + s, {x + kCtl, y + row, 44, 30}});
    out.push_back({"CONTROL_BLFXRStaPic" + s, {x + kCtl + 48, y + row, 44, 30}});
  }
  add("CONTROL_HXysStatic", kLabel, kRowC + 3, kLabelW, 24);
  add("CONTROL_HXysButton", kCtl, kRowC + 2, 100, 26);
  add("CONTROL_HXsjsStatic", kLabel, kRowD + 3, kLabelW, 24);
  add("CONTROL_HXsjsStaPic", kCtl, kRowD + 1, 52, 28);
  add("CONTROL_FYYSStatic", kLabel, kRowB + 3, kLabelW, 24);
  add("CONTROL_FYYSButton", kCtl, kRowB + 2, 100, 26);
  add("CONTROL_FYSJSStatic", kLabel, kRowC + 3, kLabelW, 24);
  add("CONTROL_FYSJSStaPic", kCtl, kRowC + 1, 52, 28);
  const char* const chips[] = {"CONTROL_HONGPIC", "CONTROL_HUANGPIC", "CONTROL_LVPIC",
                               "CONTROL_LANPIC"};
  for (int i = 0; i < 4; ++i) add(chips[i], kLabel + 64 * i, kRowB, 56, 30);
  add("CONTROL_umCombo", kLabel, kRowB + 2, 248, 26);
  add("CONTROL_USERysStatic", kLabel, kRowC + 3, kLabelW, 24);
  add("CONTROL_USERysButton", kCtl, kRowC + 2, 100, 26);
  add("CONTROL_USERjsStatic", kLabel, kRowD + 3, kLabelW, 24);
  add("CONTROL_USERjsButton", kCtl, kRowD + 2, 100, 26);
  add("CONTROL_USERgjStatic", kLabel, kRowE + 3, kLabelW, 24);
  add("CONTROL_USERgjStaPic1", kCtl, kRowE, 44, 30);
  add("CONTROL_USERgjStaPic2", kCtl + 48, kRowE, 44, 30);
  add("CONTROL_UsbStatic", kLabel, 289, kLabelW, 24);
  for (int i = 0; i < 4; ++i) {
    add(("FUNC_REPORT" + std::to_string(i + 1)).c_str(), kCtl + 38 * i, 287, 34, 28, Face::Rate,
        Glyph::None, i + 1);
  }
  add("CONTROL_RGBStatic", kLabel, 324, kLabelW, 22);
  add("COLOR_R", kCtl, 322, 46, 24);
  add("COLOR_G", kCtl + 51, 322, 46, 24);
  add("COLOR_B", kCtl + 102, 322, 46, 24);
  // controls the window creates but never shows
  const char* const hidden[] = {
      "CONTROL_JTysStatic",  "CONTROL_JTysButton",   "CONTROL_FYCFStatic",   "CONTROL_FYdjcfStatic",
      "CONTROL_FYggcfStatc", "CONTROL_FYdjcfStaPic", "CONTROL_FYggcfStaPic", "CONTROL_TSysStatic",
      "CONTROL_TSysButton",  "CONTROL_TSsjsStatic",  "CONTROL_TSsjsStaPic",  "CONTROL_CDysStatic",
      "CONTROL_CDysButton",  "CONTROL_CDsjsStatic",  "CONTROL_CDsjsStaPic"};
  for (const char* key : hidden) out.push_back({key, kUnplaced});
  for (int i = 1; i <= 8; ++i) out.push_back({"CONTROL_Color" + std::to_string(i), kUnplaced});
}

}  // namespace

const Control& WindowLayout::at(std::string_view key) const {
  for (const Control& c : controls) {
    if (c.key == key) return c;
  }
  std::fprintf(stderr, "skingen: no control %.*s\n", static_cast<int>(key.size()), key.data());
  static const Control none{};
  return none;
}

Rect MainHeader() {
  return kHeader;
}
Rect MainPlate() {
  return kPlate;
}
Rect MainPanel() {
  return kPanel;
}
Rect MainFooter() {
  return kFooter;
}

WindowLayout MainLayout() {
  WindowLayout layout{kWidth, kHeight, {}};
  AddKeyboard(layout.controls);
  AddHeaderAndFooter(layout.controls);
  AddPanel(layout.controls);
  return layout;
}

Rect ArrowCell(int index) {
  return {1 + index * (kArrowCellW + 2), 1, kArrowCellW, kArrowCellH};
}

std::vector<Control> MainArrowOrigins() {
  // Cells: 0 left/up, 1 left/down, 2 right/up, 3 right/down. Both spellings of the keys are
  // written so that either reader finds its origin.
  const std::pair<const char*, int> origins[] = {{"UP_ARROW_LEFT", 0},   {"DOWN_ARROW_LEFT", 1},
                                                 {"UP_ARROW_RIGHT", 2},  {"DOWN_ARROW_RIGHT", 3},
                                                 {"UP_ARROW_LEFT1", 0},  {"DOWN_ARROW_LEFT1", 1},
                                                 {"UP_ARROW_RIGHT1", 2}, {"DOWN_ARROW_RIGHT1", 3}};
  std::vector<Control> out;
  for (const auto& [key, cell] : origins) out.push_back({key, ArrowCell(cell)});
  return out;
}

std::vector<std::string> AddedMainKeys() {
  return {"FUNC_D1", "FUNC_D2", "FUNC_D3", "FUNC_D4", "FUNC_D5", "FUNC_D6"};
}

}  // namespace talon::skingen
