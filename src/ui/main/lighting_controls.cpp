#include "ui/main/lighting_controls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "model/lighting_effects.h"
#include "ui/main/lighting_image.h"
#include "ui/skin/bitmap_slider.h"
#include "ui/skin/color_static.h"
#include "ui/skin/place_control.h"
#include "ui/skin/png_button.h"
#include "ui/skin/skin_color_btn.h"

namespace talon {
namespace {

using namespace lighting_id;

constexpr ColorRef kLabelColour = Rgb(0xc9, 0xce, 0xd6);
constexpr ColorRef kTitleColour = Rgb(0xe8, 0xeb, 0xf1);
constexpr int kLabelPixels = 13;
constexpr int kTitlePixels = 16;
constexpr int kSliderRange = 5;
constexpr int kSliderPage = 10;
constexpr int kSpeedPictures = 10;  // speed position v shows picture 10 + v
constexpr int kMaxRgb = 255;

// The drop-down lists and number fields in the skin's colours.
constexpr char kFieldStyle[] = R"(
  QComboBox, QLineEdit { background: #22262f; color: #e8ebf1; border: 1px solid #343a45;
                         border-radius: 5px; padding: 1px 8px; font-size: 13px;
                         selection-background-color: #149ccf; }
  QComboBox:hover, QComboBox:focus, QLineEdit:focus { border-color: #2dd4ff; }
  QComboBox::drop-down { border: none; width: 22px; }
  QComboBox QAbstractItemView { background: #191c23; color: #e8ebf1; border: 1px solid #343a45;
                                selection-background-color: #149ccf; outline: none; }
)";

constexpr const char* kEffect17Keys[] = {"CONTROL_HONGPIC", "CONTROL_HUANGPIC", "CONTROL_LVPIC",
                                         "CONTROL_LANPIC"};
constexpr const char* kEffect17Pictures[][2] = {{"hong.bmp", "hongok.bmp"},
                                                {"huang.bmp", "huangok.bmp"},
                                                {"lv.bmp", "lvok.bmp"},
                                                {"lan.bmp", "lanok.bmp"}};

// A drop-down list in the skin's colours with a chevron that the style sheet cannot draw.
class PanelCombo : public QComboBox {
 public:
  using QComboBox::QComboBox;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QComboBox::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xa4, 0xab, 0xb8), 1.6, Qt::SolidLine, Qt::RoundCap));
    const QPointF tip(width() - 13.5, height() / 2.0 + 2);
    painter.drawLine(tip + QPointF(-4, -4), tip);
    painter.drawLine(tip, tip + QPointF(4, -4));
  }
};

void SetShown(std::initializer_list<QWidget*> controls, bool shown) {
  for (QWidget* control : controls) {
    if (control != nullptr) control->setVisible(shown);
  }
}

}  // namespace

int ReportRateId(int k) {
  return k == 0 ? kReportRate1 : kReportRate2 + k - 1;
}

ColorStatic* LightingControls::Label(QWidget& window, const char* skin_key, int id) {
  auto* label = new ColorStatic(&window);
  PlaceControl(*label, *skin, skin_key, id);
  label->SetTextColor(kLabelColour);
  label->SetFontHeight(kLabelPixels);
  label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return label;
}

LightingImage* LightingControls::Image(QWidget& window, const char* skin_key, int id) {
  auto* image = new LightingImage(&window);
  PlaceControl(*image, *skin, skin_key, id);
  return image;
}

CSkinColorBtn* LightingControls::ColourButton(QWidget& window, const char* skin_key, int id) {
  auto* button = new CSkinColorBtn(&window);
  PlaceControl(*button, *skin, skin_key, id);
  button->EnableOtherButton(QStringLiteral("other"));
  return button;
}

CBitmapSlider* LightingControls::Slider(QWidget& window, const char* skin_key, int id,
                                        int picture) {
  auto* slider = new CBitmapSlider(&window);
  PlaceControl(*slider, *skin, skin_key, id);
  slider->SetRange(0, kSliderRange);
  slider->SetPageSize(kSliderPage);
  slider->SetBitmap(pictures->Level(picture));
  slider->SetPicture(pictures->Level(picture));
  return slider;
}

QComboBox* LightingControls::Combo(QWidget& window, const char* skin_key, int id, bool editable) {
  auto* combo = new PanelCombo(&window);
  combo->setEditable(editable);
  combo->setStyleSheet(kFieldStyle);
  combo->setFocusPolicy(Qt::StrongFocus);
  PlaceControl(*combo, *skin, skin_key, id);
  return combo;
}

void LightingControls::Create(QWidget& window, const CIniFile& skin_file, const MainFaces& faces,
                              const LightingPictures& panel_pictures) {
  skin = &skin_file;
  pictures = &panel_pictures;
  lighting_label = Label(window, "CONTROL_DengStatic", kLightingLabel);
  lighting_label->SetTextColor(kTitleColour);
  lighting_label->SetFontHeight(kTitlePixels);
  lighting_toggle = Image(window, "CONTROL_DengStaPic", kLightingToggle);
  effect_combo = Combo(window, "CONTROL_XGcombox", kEffectCombo, false);
  brightness_label = Label(window, "CONTROL_LightStatic", kBrightnessLabel);
  brightness_slider = Slider(window, "CONTROL_LightSlider", kBrightnessSlider, 0);
  speed_label = Label(window, "CONTROL_SpeedStatic", kSpeedLabel);
  // The picture of its position (5) rather than one outside the speed pictures.
  speed_slider = Slider(window, "CONTROL_SpeedSlider", kSpeedSlider, kSpeedPictures);
  direction_label = Label(window, "CONTROL_BLFXStatic", kDirectionLabel);
  direction_left = Image(window, "CONTROL_BLFXLStaPic", kDirectionLeftImage);
  direction_right = Image(window, "CONTROL_BLFXRStaPic", kDirectionRightImage);
  colour_label = Label(window, "CONTROL_HXysStatic", kColourLabel);
  colour = ColourButton(window, "CONTROL_HXysButton", kColour);
  colourful_label = Label(window, "CONTROL_HXsjsStatic", kColourfulLabel);
  colourful = Image(window, "CONTROL_HXsjsStaPic", kColourful);
  reactive_label = Label(window, "CONTROL_FYYSStatic", kReactiveLabel);
  reactive_colour = ColourButton(window, "CONTROL_FYYSButton", kReactiveColour);
  reactive_colourful_label = Label(window, "CONTROL_FYSJSStatic", kReactiveColourfulLabel);
  reactive_colourful = Image(window, "CONTROL_FYSJSStaPic", kReactiveColourful);
  for (int k = 0; k < 4; ++k) effect17[k] = Image(window, kEffect17Keys[k], kEffect17Red + k);
  CreateUserGroup(window);
  CreateReportRateAndRgb(window, faces);

  ShowLightingMode(false);
  ShowDirection(0, 0);
  ShowColourful(false);
  ShowEffect17Colour(0);
  ShowTool(0);
  ShowFor(false, 0);
}

void LightingControls::CreateUserGroup(QWidget& window) {
  user_mode_combo = Combo(window, "CONTROL_umCombo", kUserModeCombo, true);
  user_paint_label = Label(window, "CONTROL_USERysStatic", kUserPaintLabel);
  user_paint = ColourButton(window, "CONTROL_USERysButton", kUserPaintColour);
  user_base_label = Label(window, "CONTROL_USERjsStatic", kUserBaseLabel);
  user_base = ColourButton(window, "CONTROL_USERjsButton", kUserBaseColour);
  user_tool_label = Label(window, "CONTROL_USERgjStatic", kUserToolLabel);
  user_tool[0] = Image(window, "CONTROL_USERgjStaPic1", kUserTool0);
  user_tool[1] = Image(window, "CONTROL_USERgjStaPic2", kUserTool1);
}

void LightingControls::CreateReportRateAndRgb(QWidget& window, const MainFaces& faces) {
  report_rate_label = Label(window, "CONTROL_UsbStatic", kReportRateLabel);
  for (int k = 0; k < 4; ++k) {
    report_rate[k] = new CPngButton(&window);
    // The other state is the chosen rate's look.
    PlaceImageButton(*report_rate[k], *skin, "FUNC_REPORT" + std::to_string(k + 1), faces.Keys(),
                     ReportRateId(k));
  }
  rgb_label = Label(window, "CONTROL_RGBStatic", kRgbLabel);
  const char* const keys[] = {"COLOR_R", "COLOR_G", "COLOR_B"};
  for (int i = 0; i < 3; ++i) {
    rgb[i] = new QLineEdit(&window);
    rgb[i]->setStyleSheet(kFieldStyle);
    rgb[i]->setAlignment(Qt::AlignCenter);
    rgb[i]->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), rgb[i]));
    rgb[i]->setText(QString::number(kMaxRgb));
    PlaceControl(*rgb[i], *skin, keys[i], kRed + i);
  }
}

void LightingControls::LoadTexts(const Language& language, int index) {
  auto light = [&](const char* key) {
    return QString::fromStdString(language.LoadLightText(key, index));
  };
  lighting_label->setText(light("Deng"));
  brightness_label->setText(light("Light"));
  direction_label->setText(light("FX"));
  speed_label->setText(light("Speed"));
  for (ColorStatic* label : {reactive_label, colour_label, user_paint_label}) {
    label->setText(light("Color"));
  }
  user_base_label->setText(light("JColor"));
  colourful_label->setText(light("DC"));
  reactive_colourful_label->setText(light("DC"));
  user_tool_label->setText(light("Tool"));
  report_rate_label->setText(light("Usb"));
  rgb_label->setText(QStringLiteral("RGB"));
  for (int i = 0; i < effect_combo->count(); ++i) {
    const int effect = effect_combo->itemData(i).toInt();
    effect_combo->setItemText(
        i, QString::fromStdString(language.LoadModeText(std::to_string(effect), index)));
  }
}

void LightingControls::ShowFor(bool lighting_mode, int effect) {
  namespace uses = effect_parameter;
  const unsigned used = lighting_mode ? EffectParameters(effect) : 0;
  const auto has = [used](unsigned parameter) { return (used & parameter) != 0; };
  // The list stays in lighting mode whatever is chosen, so that another effect can be picked.
  SetShown({effect_combo, report_rate_label, rgb_label}, lighting_mode);
  SetShown({report_rate[0], report_rate[1], report_rate[2], report_rate[3]}, lighting_mode);
  SetShown({rgb[0], rgb[1], rgb[2]}, lighting_mode);
  SetShown({brightness_label, brightness_slider}, has(uses::kBrightness));
  SetShown({speed_label, speed_slider}, has(uses::kSpeed));
  SetShown({direction_label, direction_left, direction_right}, has(uses::kAnyDirection));
  SetShown({colour_label, colour, colourful_label, colourful}, has(uses::kColour));
  SetShown({reactive_label, reactive_colour, reactive_colourful_label, reactive_colourful},
           has(uses::kReactiveColour));
  SetShown({effect17[0], effect17[1], effect17[2], effect17[3]}, has(uses::kFourColours));
  SetShown({user_mode_combo, user_paint_label, user_paint, user_base_label, user_base,
            user_tool_label, user_tool[0], user_tool[1]},
           has(uses::kUserModes));
}

void LightingControls::ShowLightingMode(bool on) {
  lighting_toggle->SetPicture(pictures->Get(on ? "dengdown.bmp" : "dengup.bmp"));
}

void LightingControls::PlaceDirection(int effect) {
  const char* suffix = effect >= 1 && effect <= 3 ? "2" : effect == 12 ? "3" : "";
  auto key = [suffix](const char* base) { return std::string(base) + suffix; };
  PlaceControlAt(*direction_label, *skin, key("CONTROL_BLFXStatic"));
  PlaceControlAt(*direction_left, *skin, key("CONTROL_BLFXLStaPic"));
  PlaceControlAt(*direction_right, *skin, key("CONTROL_BLFXRStaPic"));
}

void LightingControls::ShowDirection(int effect, std::uint8_t direction) {
  const bool first = direction == kDirectionLeft;
  const char* left = nullptr;
  const char* right = nullptr;
  if (effect == 18) {
    left = first ? "kuosandown.bmp" : "kuosan.bmp";
    right = first ? "julong.bmp" : "julongdown.bmp";
  } else if (effect == 12) {
    left = first ? "updown.bmp" : "upup.bmp";
    right = first ? "downup.bmp" : "downdown.bmp";
  } else {
    left = first ? "leftdown.bmp" : "leftup.bmp";
    right = first ? "rightup.bmp" : "rightdown.bmp";
  }
  direction_left->SetPicture(pictures->Get(left));
  direction_right->SetPicture(pictures->Get(right));
}

void LightingControls::ShowBrightness(int brightness) {
  brightness_slider->SetPos(brightness);
  brightness_slider->SetPicture(pictures->Level(brightness_slider->GetPos()));
}

void LightingControls::ShowSpeed(int speed) {
  speed_slider->SetPos(kMaxSpeed - speed);
  speed_slider->SetPicture(pictures->Level(kSpeedPictures + speed_slider->GetPos()));
}

void LightingControls::ShowColour(Colour c) {
  colour->SetColor(c);
  reactive_colour->SetColor(c);
}

void LightingControls::ShowColourful(bool on) {
  const QImage& picture = pictures->Get(on ? "sjsdown.bmp" : "sjsup.bmp");
  colourful->SetPicture(picture);
  reactive_colourful->SetPicture(picture);
}

void LightingControls::ShowEffect17Colour(int choice) {
  for (int k = 0; k < 4; ++k)
    effect17[k]->SetPicture(pictures->Get(kEffect17Pictures[k][k == choice]));
}

void LightingControls::ShowReportRate(int rate) {
  for (int k = 0; k < 4; ++k) report_rate[k]->SetOtherState(k == std::min(rate, kMaxReportRate));
}

void LightingControls::ShowTool(int tool) {
  user_tool[0]->SetPicture(pictures->Get(tool == 0 ? "user1down.bmp" : "user1up.bmp"));
  user_tool[1]->SetPicture(pictures->Get(tool == 1 ? "user2down.bmp" : "user2up.bmp"));
}

}  // namespace talon
