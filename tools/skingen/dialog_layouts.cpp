// The key assignment dialog and the profile manager of the default skin.
#include "layouts.h"

namespace talon::skingen {
namespace {

constexpr int kCompositeW = 600;
constexpr int kCompositeH = 440;
constexpr Rect kPage{16, 104, 568, 272};

constexpr int kProfileW = 560;
constexpr int kProfileH = 380;

void AddCompositeFrame(std::vector<Control>& out) {
  out.push_back({"CONTROL_TITLE", {16, 10, 40, 40}, Face::Title});
  out.push_back({"KEY_SETTING", {66, 16, 380, 28}});
  out.push_back(
      {"CONTROL_OSK", {kCompositeW - 16 - 76, 14, 36, 32}, Face::Tool, "", Glyph::Keyboard});
  out.push_back(
      {"CONTROL_CLEAR", {kCompositeW - 16 - 36, 14, 36, 32}, Face::Tool, "", Glyph::Eraser});
  const char* const tabs[] = {"CONTROL_KEY", "CONTROL_MACRO", "CONTROL_MEDIA", "CONTROL_FUNCTION"};
  for (int i = 0; i < 4; ++i) out.push_back({tabs[i], {16 + 143 * i, 62, 139, 36}, Face::Tab});
  out.push_back({"CONTROL_MASK", kPage, Face::Page});
  const int y = kCompositeH - 14 - 34;
  out.push_back({"CONTROL_CANCEL", {kCompositeW - 116, y, 100, 34}, Face::Field});
  out.push_back({"CONTROL_OK", {kCompositeW - 224, y, 100, 34}, Face::Field});
  out.push_back(
      {"CONTROL2_APPLY", {kCompositeW - 332, y, 100, 34}, Face::Button, "Apply", Glyph::Check});
}

void AddKeyPage(std::vector<Control>& out) {
  const int x = kPage.x, y = kPage.y;
  out.push_back({"TISHI_SINGLE_STATIC", {x + 20, y + 14, 528, 40}});
  out.push_back({"FUNC_KEY_INPUT", {x + 20, y + 62, 528, 50}});
  out.push_back({"FUNC_KEY_RADIO_KB", {x + 24, y + 136, 18, 18}});
  out.push_back({"FUNC_KEY_RADIO_KB_STATIC", {x + 50, y + 133, 200, 24}});
  out.push_back({"FUNC_KEY_RADIO_MOU", {x + 24, y + 176, 18, 18}});
  out.push_back({"FUNC_KEY_RADIO_MOU_STATIC", {x + 50, y + 173, 200, 24}});
  out.push_back({"FUNC_KEY_MOUSE_SELECT", {x + 260, y + 171, 288, 28}});
}

void AddMacroPage(std::vector<Control>& out) {
  const int x = kPage.x, y = kPage.y;
  out.push_back({"MARCO_NAME_SETTING", {x + 16, y + 14, 110, 26}});
  out.push_back({"FUNC_MACRO_LIST", {x + 130, y + 13, 330, 28}});
  out.push_back({"FUNC_MACRO_ADD", {x + 468, y + 11, 32, 32}, Face::Tool, "", Glyph::Plus});
  out.push_back({"FUNC_MACRO_DELETE", {x + 506, y + 11, 32, 32}, Face::Tool, "", Glyph::Trash});
  out.push_back({"FUNC_MACRO_LIST2", {x + 16, y + 54, 262, 168}});
  const int rx = x + 292;
  out.push_back({"FUNC_MACRO_RECORD", {rx, y + 54, 260, 34}, Face::Field, "", Glyph::Record});
  out.push_back({"FUNC_MACRO_DELETE2", {rx, y + 96, 128, 30}, Face::Field, "", Glyph::Trash});
  out.push_back({"FUNC_MACRO_CLEAR", {rx + 132, y + 96, 128, 30}, Face::Field, "", Glyph::Cross});
  out.push_back({"FUNC_MACRO_UP_TOP", {rx, y + 130, 128, 30}, Face::Field, "", Glyph::Top});
  out.push_back({"FUNC_MACRO_UP", {rx + 132, y + 130, 128, 30}, Face::Field, "", Glyph::Up});
  out.push_back({"FUNC_MACRO_DOWN", {rx, y + 164, 128, 30}, Face::Field, "", Glyph::Down});
  out.push_back(
      {"FUNC_MACRO_DOWN_BOTTOM", {rx + 132, y + 164, 128, 30}, Face::Field, "", Glyph::Bottom});
  out.push_back({"FUNC_MACRO_RECORD_DELAY", {rx + 2, y + 206, 18, 18}});
  out.push_back({"FUNC_MACRO_RECORD_DELAY2", {rx + 26, y + 203, 234, 24}});
  out.push_back({"FUNC_MACRO_CYCLES_PROMPT", {x + 16, y + 234, 170, 24}});
  out.push_back({"FUNC_MACRO_CYCLES", {x + 190, y + 232, 70, 26}});
}

void AddMediaAndFunctionPages(std::vector<Control>& out) {
  const int x = kPage.x, y = kPage.y;
  out.push_back({"MEDIA_SETTING_TISHI", {x + 20, y + 16, 528, 24}});
  out.push_back({"FUNC_MEDIA_SELECT", {x + 20, y + 48, 300, 30}});
  out.push_back({"FUNCTION_KEY_SETTING_TISHI", {x + 20, y + 16, 528, 24}});
  out.push_back({"FUNC_FUNCTION_SELECT", {x + 20, y + 48, 300, 30}});
}

}  // namespace

Rect CompositePage() {
  return kPage;
}

WindowLayout CompositeLayout() {
  WindowLayout layout{kCompositeW, kCompositeH, {}};
  AddCompositeFrame(layout.controls);
  AddKeyPage(layout.controls);
  AddMacroPage(layout.controls);
  AddMediaAndFunctionPages(layout.controls);
  return layout;
}

WindowLayout ProfileLayout() {
  WindowLayout layout{kProfileW, kProfileH, {}};
  auto& c = layout.controls;
  c.push_back({"PROGRAM_LIST", {16, 62, 430, 252}});
  c.push_back({"FUNC_ADD", {458, 62, 86, 32}, Face::Button, "New", Glyph::Plus});
  c.push_back({"FUNC_LOAD", {458, 100, 86, 32}, Face::Button, "Load", Glyph::Folder});
  c.push_back({"FUNC_DELETE", {458, 138, 86, 32}, Face::Button, "Delete", Glyph::Trash});
  const int y = kProfileH - 16 - 34;
  c.push_back({"CONTROL_CANCEL", {kProfileW - 116, y, 100, 34}, Face::Button, "Cancel"});
  c.push_back({"CONTROL_OK", {kProfileW - 224, y, 100, 34}, Face::Button, "OK"});
  c.push_back({"CONTROL2_APPLY", {kProfileW - 332, y, 100, 34}, Face::Primary, "Apply"});
  return layout;
}

std::vector<std::string> AddedCompositeKeys() {
  return {"CONTROL2_APPLY", "FUNC_KEY_MOUSE_SELECT"};
}

}  // namespace talon::skingen
