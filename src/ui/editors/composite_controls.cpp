// Vexmo_DlgComposite: making and placing its controls from the skin, and their texts.
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/editors/composite_controls.h"
#include "ui/editors/composite_dialog.h"
#include "ui/editors/composite_ids.h"
#include "ui/editors/editor_style.h"
#include "ui/editors/key_picker.h"
#include "ui/editors/keystroke_rules.h"
#include "ui/editors/macro_page.h"
#include "ui/main/main_window.h"
#include "ui/skin/color_static.h"
#include "ui/skin/control_binding.h"

namespace talon {

using namespace composite;

namespace {

constexpr const char* kPageCaptions[kPageCount] = {"SINGLE_KEY", "MACRO_SETTING", "MULTI_MEDIA",
                                                   "FUNCTION_KEY"};

}  // namespace

void Vexmo_DlgComposite::PlaceFrame() {
  const CIniFile& skin = SkinFile();
  const FaceSet key = faces_.Faces(CompositeFaces::Set::kKey);
  FrameControls& f = *frame_;
  // The page picture lies under every control of the pages.
  f.page_picture = new CPngButton(this);
  PlaceImageButton(*f.page_picture, skin, "CONTROL_MASK", key);
  SetControlId(*f.page_picture, kPagePicture);
  f.page_picture->setAttribute(Qt::WA_TransparentForMouseEvents);
  f.title_image = new CPngButton(this);
  PlaceImageButton(*f.title_image, skin, "CONTROL_TITLE", key);
  SetControlId(*f.title_image, kTitleImage);
  f.title_image->setAttribute(Qt::WA_TransparentForMouseEvents);
  f.title = new ColorStatic(this);
  PlaceControl(*f.title, skin, "KEY_SETTING");
  SetControlId(*f.title, kTitleText);
  StyleLabel(*f.title, 10.8);

  const char* const tab_keys[kPageCount] = {"CONTROL_KEY", "CONTROL_MACRO", "CONTROL_MEDIA",
                                            "CONTROL_FUNCTION"};
  for (int i = 0; i < kPageCount; ++i) {
    f.tabs[i] = new CPngButton(this);
    PlaceImageButton(*f.tabs[i], skin, tab_keys[i], key, kKeyPage + i);
    GiveCaption(*f.tabs[i], 11);
  }
  const std::pair<CPngButton**, std::pair<const char*, int>> buttons[] = {
      {&f.clear, {"CONTROL_CLEAR", kClear}},
      {&f.picker, {"CONTROL_OSK", kKeyPicker}},
      {&f.ok, {"CONTROL_OK", kOk}},
      {&f.cancel, {"CONTROL_CANCEL", kCancel}},
      {&f.apply, {"CONTROL2_APPLY", kApply}}};
  for (const auto& [button, where] : buttons) {
    *button = new CPngButton(this);
    PlaceImageButton(**button, skin, where.first, key, where.second);
  }
  GiveCaption(*f.ok);
  GiveCaption(*f.cancel);
}

void Vexmo_DlgComposite::PlaceKeyPage() {
  const CIniFile& skin = SkinFile();
  KeyPageControls& k = *key_page_;
  k.hint = new ColorStatic(this);
  PlaceControl(*k.hint, skin, "TISHI_SINGLE_STATIC");
  SetControlId(*k.hint, kKeyHint);
  StyleLabel(*k.hint, 10.8);
  k.hint->setWordWrap(true);
  k.key_field = new QLineEdit(this);
  PlaceControl(*k.key_field, skin, "FUNC_KEY_INPUT");
  SetControlId(*k.key_field, kKeyField);
  k.key_field->setReadOnly(true);
  k.key_field->setFont(EditorFont(18));
  k.key_field->setAlignment(Qt::AlignCenter);
  k.key_field->setFocusPolicy(Qt::NoFocus);
  k.keyboard = new QRadioButton(this);
  PlaceControl(*k.keyboard, skin, "FUNC_KEY_RADIO_KB", kKeyboardChoice);
  k.mouse = new QRadioButton(this);
  PlaceControl(*k.mouse, skin, "FUNC_KEY_RADIO_MOU", kMouseChoice);
  for (QRadioButton* choice : {k.keyboard, k.mouse}) choice->setAutoExclusive(false);
  k.keyboard_label = new ColorStatic(this);
  PlaceControl(*k.keyboard_label, skin, "FUNC_KEY_RADIO_KB_STATIC");
  SetControlId(*k.keyboard_label, kKeyboardLabel);
  k.mouse_label = new ColorStatic(this);
  PlaceControl(*k.mouse_label, skin, "FUNC_KEY_RADIO_MOU_STATIC");
  SetControlId(*k.mouse_label, kMouseLabel);
  for (ColorStatic* label : {k.keyboard_label, k.mouse_label}) StyleLabel(*label, 10);
  k.mouse_combo = new QComboBox(this);
  PlaceControl(*k.mouse_combo, skin, "FUNC_KEY_MOUSE_SELECT", kMouseCombo);
  k.mouse_combo->setFont(EditorFont(12));
  for (std::size_t i = 0; i < std::size(kMouseKeys); ++i) k.mouse_combo->addItem(QString());
  k.mouse_combo->setCurrentIndex(0);
}

void Vexmo_DlgComposite::PlaceMediaAndFunctionPages() {
  const CIniFile& skin = SkinFile();
  media_label_ = new ColorStatic(this);
  PlaceControl(*media_label_, skin, "MEDIA_SETTING_TISHI");
  SetControlId(*media_label_, kMediaLabel);
  function_label_ = new ColorStatic(this);
  PlaceControl(*function_label_, skin, "FUNCTION_KEY_SETTING_TISHI");
  SetControlId(*function_label_, kFunctionLabel);
  for (ColorStatic* label : {media_label_, function_label_}) StyleLabel(*label, 10.8);
  media_combo_ = new QComboBox(this);
  PlaceControl(*media_combo_, skin, "FUNC_MEDIA_SELECT", kMediaCombo);
  function_combo_ = new QComboBox(this);
  PlaceControl(*function_combo_, skin, "FUNC_FUNCTION_SELECT", kFunctionCombo);
  for (std::size_t i = 0; i < kMediaCount; ++i) media_combo_->addItem(QString());
  for (std::uint32_t i = 0; i < kFunctionCount; ++i) function_combo_->addItem(QString());
  for (QComboBox* combo : {media_combo_, function_combo_}) {
    combo->setFont(EditorFont(12));
    combo->setMaxVisibleItems(static_cast<int>(kMediaCount));
    combo->setCurrentIndex(0);
  }
}

LResult Vexmo_DlgComposite::OnLang(WParam, LParam index) {
  LoadTexts(static_cast<int>(index));
  return 0;
}

void Vexmo_DlgComposite::LoadTexts(int index) {
  const Language& language = window_.Services().language;
  auto text = [&](const char* key) {
    return QString::fromStdString(language.LoadText(key, index));
  };
  FrameControls& f = *frame_;
  for (int i = 0; i < kPageCount; ++i) {
    // G9's locked pages carry no caption.
    f.tabs[i]->setText(g9_ && i != 1 ? QString() : text(kPageCaptions[i]));
  }
  f.clear->SetTooltip(text("COMPOSITE_PROMPT_CLEAR"));
  f.picker->SetTooltip(text("COMPOSITE_PROMPT_OSK"));
  f.title->setText(text(g9_ ? "MACRO_EDIT_TISHI" : "KEY_SETTING_TISHI"));
  f.ok->setText(text("MACRO_OK"));
  f.cancel->setText(text("MACRO_CANCLE"));
  KeyPageControls& k = *key_page_;
  k.hint->setText(text("SINGLE_STATIC"));
  k.keyboard_label->setText(text("IDS_MACRO_KB_KEY"));
  k.mouse_label->setText(text("IDS_MACRO_MOU_KEY"));
  for (int i = 0; i < k.mouse_combo->count(); ++i) {
    k.mouse_combo->setItemText(i, text(kMouseKeyTexts[i]));
  }
  if (captured_ != 0 && !k.key_field->text().isEmpty()) {
    k.key_field->setText(QString::fromStdString(KeyName(captured_, language)));
  }
  media_label_->setText(text("MEDIA_EDIT_TISHI"));
  function_label_->setText(text("FUNCTION_TISHI"));
  for (std::size_t i = 0; i < kMediaCount; ++i) {
    media_combo_->setItemText(static_cast<int>(i),
                              QString::fromStdString(KeyName(MediaList()[i].key, language)));
  }
  for (std::uint32_t i = 0; i < kFunctionCount; ++i) {
    const std::string key = "FUNC_KEY_DESC" + std::to_string(i + 1);
    function_combo_->setItemText(static_cast<int>(i), text(key.c_str()));
  }
  macro_page_->LoadTexts(index);
  if (picker_ != nullptr) picker_->LoadTexts();
}

}  // namespace talon
