#pragma once
// The controls of the lighting panel (ids 1146-1210), made and placed from the main skin file,
// and everything about how they look: their texts, the pictures of each state, where the
// direction group stands for an effect, and which controls an effect shows.
#include <array>
#include <cstdint>

#include "model/lighting_block.h"
#include "shell/language.h"
#include "ui/main/lighting_pictures.h"
#include "ui/main/main_faces.h"

class QComboBox;
class QLineEdit;
class QWidget;

namespace talon {

class CBitmapSlider;
class CPngButton;
class CSkinColorBtn;
class ColorStatic;
class LightingImage;

namespace lighting_id {
inline constexpr int kEffectCombo = 1146;
inline constexpr int kReportRate1 = 1147;  // the other three are 1168-1170
inline constexpr int kDirectionLabel = 1148;
inline constexpr int kDirectionLeftImage = 1149;
inline constexpr int kDirectionRightImage = 1150;
inline constexpr int kReactiveLabel = 1151;
inline constexpr int kReactiveColour = 1152;
inline constexpr int kColourLabel = 1154;
inline constexpr int kColour = 1155;
inline constexpr int kColourful = 1156;
inline constexpr int kUserPaintLabel = 1159;
inline constexpr int kUserPaintColour = 1160;
inline constexpr int kUserBaseLabel = 1161;
inline constexpr int kUserBaseColour = 1162;
inline constexpr int kUserToolLabel = 1163;
inline constexpr int kUserTool0 = 1164;
inline constexpr int kUserTool1 = 1165;
inline constexpr int kSpeedLabel = 1166;
inline constexpr int kLightingToggle = 1167;
inline constexpr int kReportRate2 = 1168;
inline constexpr int kLightingLabel = 1171;
inline constexpr int kBrightnessLabel = 1172;
inline constexpr int kColourfulLabel = 1173;
inline constexpr int kReactiveColourful = 1175;
inline constexpr int kReactiveColourfulLabel = 1176;
inline constexpr int kBrightnessSlider = 1178;
inline constexpr int kSpeedSlider = 1179;
inline constexpr int kEffect17Red = 1194;  // yellow, green and blue follow
inline constexpr int kUserModeCombo = 1198;
inline constexpr int kReportRateLabel = 1204;
inline constexpr int kRgbLabel = 1207;
inline constexpr int kRed = 1208;  // green 1209, blue 1210
}  // namespace lighting_id

struct LightingControls {
  // Makes every control as a child of `window`, placed from `skin` and wired by id.
  void Create(QWidget& window, const CIniFile& skin, const MainFaces& faces,
              const LightingPictures& pictures);
  void LoadTexts(const Language& language, int index);

  // With lighting mode off only the switch and its label show; on, the controls `effect` uses.
  void ShowFor(bool lighting_mode, int effect);
  void ShowLightingMode(bool on);
  // The direction group stands where the effect's other controls leave room for it.
  void PlaceDirection(int effect);
  void ShowDirection(int effect, std::uint8_t direction);
  void ShowBrightness(int brightness);
  void ShowSpeed(int speed);  // the slider shows 5 - speed
  void ShowColour(Colour colour);
  void ShowColourful(bool on);
  void ShowEffect17Colour(int choice);
  void ShowReportRate(int rate);
  void ShowTool(int tool);

  const CIniFile* skin = nullptr;
  const LightingPictures* pictures = nullptr;

  ColorStatic* lighting_label = nullptr;
  LightingImage* lighting_toggle = nullptr;
  QComboBox* effect_combo = nullptr;
  ColorStatic* brightness_label = nullptr;
  CBitmapSlider* brightness_slider = nullptr;
  ColorStatic* speed_label = nullptr;
  CBitmapSlider* speed_slider = nullptr;
  ColorStatic* direction_label = nullptr;
  LightingImage* direction_left = nullptr;
  LightingImage* direction_right = nullptr;
  ColorStatic* colour_label = nullptr;
  CSkinColorBtn* colour = nullptr;
  ColorStatic* colourful_label = nullptr;
  LightingImage* colourful = nullptr;
  ColorStatic* reactive_label = nullptr;
  CSkinColorBtn* reactive_colour = nullptr;
  ColorStatic* reactive_colourful_label = nullptr;
  LightingImage* reactive_colourful = nullptr;
  std::array<LightingImage*, 4> effect17{};
  ColorStatic* report_rate_label = nullptr;
  std::array<CPngButton*, 4> report_rate{};
  ColorStatic* user_paint_label = nullptr;
  CSkinColorBtn* user_paint = nullptr;
  ColorStatic* user_base_label = nullptr;
  CSkinColorBtn* user_base = nullptr;
  ColorStatic* user_tool_label = nullptr;
  std::array<LightingImage*, 2> user_tool{};
  QComboBox* user_mode_combo = nullptr;
  ColorStatic* rgb_label = nullptr;
  std::array<QLineEdit*, 3> rgb{};

 private:
  ColorStatic* Label(QWidget& window, const char* skin_key, int id);
  LightingImage* Image(QWidget& window, const char* skin_key, int id);
  CSkinColorBtn* ColourButton(QWidget& window, const char* skin_key, int id);
  CBitmapSlider* Slider(QWidget& window, const char* skin_key, int id, int picture);
  QComboBox* Combo(QWidget& window, const char* skin_key, int id, bool editable);
  void CreateUserGroup(QWidget& window);
  void CreateReportRateAndRgb(QWidget& window, const MainFaces& faces);
};

// Report-rate button k (0-3) has this id.
int ReportRateId(int k);

}  // namespace talon
