#include "ui/skin/gallery/skin_gallery.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>

#include <cstdio>
#include <string>

#include "model/key_table.h"
#include "ui/skin/base_dialog.h"
#include "ui/skin/bitmap_slider.h"
#include "ui/skin/color_static.h"
#include "ui/skin/gallery/contact_sheet.h"
#include "ui/skin/place_control.h"
#include "ui/skin/png_button.h"
#include "ui/skin/skin_color_btn.h"
#include "ui/skin/skin_picture.h"

namespace talon::gallery {

namespace {

enum class State {
  kNormal,
  kHover,
  kPressed,
  kDisabled,
  kOther,
  kAlternateA,
  kAlternateB,
  kOutlined,
  kText,
  kRotated
};

struct StateName {
  State state;
  const char* name;
};

constexpr StateName kStates[] = {
    {State::kNormal, "normal"},
    {State::kHover, "hover"},
    {State::kPressed, "pressed"},
    {State::kDisabled, "disabled"},
    {State::kOther, "other"},
    {State::kAlternateA, "alternate"},
    {State::kAlternateB, "alternate-selected"},
    {State::kOutlined, "outlined"},
    {State::kText, "text"},
    {State::kRotated, "text-rotated"},
};

struct Caption {
  const char* key;
  const char* text;
};

constexpr Caption kFunctionButtons[] = {
    {"FUNC_PROFILE1", "Profile 1"},
    {"FUNC_PROFILE2", "Profile 2"},
    {"FUNC_PROFILE3", "Profile 3"},
    {"FUNC_PROFILES", "Profiles"},
    {"FUNC_MACRO", "Macro"},
    {"FUNC_DEFAULT", "Default"},
    {"CONTROL_MENU", "M"},
    {"CONTROL_HELP", "?"},
    {"CONTROL_MINIMIZE", "_"},
    {"CONTROL_CLOSE", "X"},
    {"CONTROL_OK", "OK"},
    {"CONTROL_CANCEL", "Cancel"},
    {"CONTROL2_APPLY", "Apply"},
    {"FUNC_REPORT1", "1"},
    {"FUNC_REPORT2", "2"},
    {"FUNC_REPORT3", "3"},
    {"FUNC_REPORT4", "4"},
    {"LOCK_CAPS", "Caps"},
    {"LOCK_NUM", "Num"},
    {"LOCK_SCROLL", "Scr"},
    {"LOCK_AB", "A"},
    {"FLIP_0", "Flip"},
    {"FLIP_1", "<"},
    {"FLIP_2", ">"},
    {"KEY_FN", "Fn"},
    {"TORVEL_LINK", "T"},
    {"FUNC_D1", "D1"},
    {"FUNC_D2", "D2"},
    {"FUNC_D3", "D3"},
    {"FUNC_D4", "D4"},
    {"FUNC_D5", "D5"},
    {"FUNC_D6", "D6"},
    {"CONTROL_Network", "W"},
    {"CONTROL_Facebook", "F"},
    {"CONTROL_twitter", "t"},
};

void Spin(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void Hover(QWidget& widget) {
  const QPointF at(2, 2);
  QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &move);
}

void ApplyState(CPngButton& button, State state, const std::vector<FaceSheet>& faces) {
  switch (state) {
    case State::kNormal:
      break;
    case State::kHover:
      Hover(button);
      break;
    case State::kPressed:
      button.setDown(true);
      break;
    case State::kDisabled:
      button.setEnabled(false);
      break;
    case State::kOther:
      button.SetOtherState(true);
      break;
    case State::kAlternateA:
    case State::kAlternateB:
      button.SetAlternateFaces(&faces[5], &faces[6], true, state == State::kAlternateB);
      break;
    case State::kOutlined:
      button.SetOutline(Rgb(255, 40, 40), 60, true);
      break;
    case State::kText:
    case State::kRotated:
      button.SetTextStyle(true, 8, "Arial Unicode MS", Rgb(255, 255, 255), Rgb(255, 220, 0),
                          Rgb(0, 0, 0), Rgb(128, 128, 128), Rgb(255, 255, 255));
      if (state == State::kRotated) button.SetTextAngle(900, true);
      break;
  }
}

}  // namespace

SkinGallery::SkinGallery(std::filesystem::path skin_folder, QDir out)
    : skin_folder_(std::move(skin_folder)), out_(std::move(out)) {}

SkinGallery::~SkinGallery() = default;

bool SkinGallery::Run() {
  if (!out_.mkpath(".")) {
    std::fprintf(stderr, "cannot create %s\n", qPrintable(out_.absolutePath()));
    return false;
  }
  return LoadFaces() && RenderMainWindow() && RenderButtonCloseUps() && RenderProfileWindow() &&
         RenderControls();
}

QImage SkinGallery::Load(const char* name) const {
  QImage picture;
  if (!LoadSkinPicture(skin_folder_ / name, picture)) {
    std::fprintf(stderr, "cannot read %s\n", (skin_folder_ / name).c_str());
  }
  return picture;
}

bool SkinGallery::LoadFaces() {
  const char* files[] = {"main_normal.jpg", "main_over.jpg",   "main_down.jpg",  "main_disable.jpg",
                         "main_color1.jpg", "main_color0.jpg", "main_color1.jpg"};
  const QImage background = Load("main_bg.jpg");
  if (background.isNull()) return false;
  for (const char* file : files) {
    const QImage picture = Load(file);
    if (picture.isNull()) return false;
    faces_.push_back(FaceSheet::Create(picture, background.size()));
  }
  return true;
}

std::unique_ptr<CBaseDialog> SkinGallery::OpenMainWindow(std::vector<CPngButton*>& buttons) {
  auto dialog =
      std::make_unique<CBaseDialog>(102, nullptr, skin_folder_ / "Main.ini", skin_folder_);
  const CIniFile& skin = dialog->SkinFile();
  const FaceSet faces{&faces_[0], &faces_[1], &faces_[2], &faces_[3], &faces_[4]};
  auto add = [&](const std::string& key, const QString& text) {
    auto* button = new CPngButton(dialog.get());
    button->setText(text);
    PlaceImageButton(*button, skin, key, faces);
    buttons.push_back(button);
  };
  if (!dialog->Open()) return nullptr;
  for (std::size_t i = 0; i < kKeyButtonCount; ++i) {
    const KeyId key = KeyOfButton(i);
    char name[16];
    std::snprintf(name, sizeof name, "KEY_%03X", SlotOfKey(key));
    add(name, QString::fromUtf8(KeyEnglishName(key).data(),
                                static_cast<int>(KeyEnglishName(key).size())));
  }
  for (int g = 1; g <= 9; ++g) add("FUNC_G" + std::to_string(g), QString("G%1").arg(g));
  for (const Caption& c : kFunctionButtons) add(c.key, c.text);

  // The lighting panel's other controls, as the main window shows them.
  auto* light = new CBitmapSlider(dialog.get());
  PlaceControl(*light, skin, "CONTROL_LightSlider");
  light->SetRange(0, 5);
  light->SetPos(3);
  light->SetBitmap(Load("3.bmp"));
  light->SetPicture(Load("3.bmp"));
  auto* speed = new CBitmapSlider(dialog.get());
  PlaceControl(*speed, skin, "CONTROL_SpeedSlider");
  speed->SetRange(0, 5);
  speed->SetBitmap(Load("12.bmp"));
  speed->SetPicture(Load("12.bmp"));
  auto* colour = new CSkinColorBtn(dialog.get());
  PlaceControl(*colour, skin, "CONTROL_HXysButton");
  colour->SetColor(Rgb(255, 96, 0));
  for (auto [key, text] :
       {std::pair{"CONTROL_LightStatic", "Brightness"}, std::pair{"CONTROL_SpeedStatic", "Speed"},
        std::pair{"CONTROL_HXysStatic", "Colour"}}) {
    auto* label = new ColorStatic(dialog.get());
    PlaceControl(*label, skin, key);
    label->setText(text);
  }
  // Made after the window was opened, so they are shown by hand.
  for (QWidget* child : dialog->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) child->show();
  return dialog;
}

bool SkinGallery::RenderMainWindow() {
  for (const StateName& s : kStates) {
    std::vector<CPngButton*> buttons;
    std::unique_ptr<CBaseDialog> dialog = OpenMainWindow(buttons);
    if (!dialog) {
      std::fprintf(stderr, "cannot open the main window's skin in %s\n", skin_folder_.c_str());
      return false;
    }
    for (CPngButton* button : buttons) ApplyState(*button, s.state, faces_);
    Spin(20);  // hover notifications come 1 ms after the mouse rests
    const QImage shown = CutToShape(dialog->grab().toImage(), dialog->mask());
    if (!Save(shown, QString("main-%1.png").arg(s.name))) return false;
  }
  return true;
}

bool SkinGallery::RenderButtonCloseUps() {
  // A few buttons cut out of the window in every state, side by side.
  const char* keys[] = {"CONTROL_OK", "FUNC_PROFILE1", "KEY_01E", "FUNC_G6", "CONTROL_CLOSE"};
  ContactSheet sheet("Image buttons: one column per state", std::size(kStates));
  for (const char* key : keys) {
    for (const StateName& s : kStates) {
      std::vector<CPngButton*> buttons;
      std::unique_ptr<CBaseDialog> dialog = OpenMainWindow(buttons);
      if (!dialog) return false;
      const ButtonInfo info = dialog->SkinFile().GetButtonInfo(key);
      for (CPngButton* button : buttons) ApplyState(*button, s.state, faces_);
      Spin(10);
      const QRect area = QRect(info.x, info.y, info.w, info.h).adjusted(-6, -6, 6, 6);
      const QImage crop = dialog->grab(area).toImage().scaled(area.size() * 2);
      sheet.Add(QString("%1 %2").arg(key, s.name), crop);
    }
  }
  return Save(sheet.Render(), "buttons-close-up.png");
}

bool SkinGallery::Save(const QImage& picture, const QString& name) {
  const QString path = out_.filePath(name);
  if (!picture.save(path, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  written_ << path;
  return true;
}

}  // namespace talon::gallery
