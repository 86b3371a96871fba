#include "ui/editors/composite_dialog.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>

#include "model/macro_list.h"
#include "ui/editors/assignment.h"
#include "ui/editors/composite_controls.h"
#include "ui/editors/composite_ids.h"
#include "ui/editors/dialog_placement.h"
#include "ui/editors/editor_style.h"
#include "ui/editors/key_picker.h"
#include "ui/editors/keystroke_rules.h"
#include "ui/editors/macro_page.h"
#include "ui/main/control_ids.h"
#include "ui/main/main_window.h"
#include "ui/skin/color_static.h"
#include "ui/skin/control_binding.h"
#include "ui/skin/keyboard_filter.h"
#include "ui/skin/png_button.h"

namespace talon {

using namespace composite;

namespace {

constexpr std::uint8_t kVkReturn = 0x0D;
constexpr std::uint8_t kVkEscape = 0x1B;

}  // namespace

const MessageMap& Vexmo_DlgComposite::ClassMessageMap() {
  static constexpr MessageEntry kMessages[] = {
      OnTaggedMessage<&Vexmo_DlgComposite::OnLang>(kMsgLang, kTagLang),
      OnMessage<&Vexmo_DlgComposite::OnCellChanged>(kMsgCellChanged)};
  static constexpr CommandEntry kCommands[] = {
      OnCommand<&Vexmo_DlgComposite::OnApply>(kApply),
      OnCommand<&Vexmo_DlgComposite::OnKeyPageButton>(kKeyPage),
      OnCommand<&Vexmo_DlgComposite::OnMacroPageButton>(kMacroPage),
      OnCommand<&Vexmo_DlgComposite::OnMediaPageButton>(kMediaPage),
      OnCommand<&Vexmo_DlgComposite::OnFunctionPageButton>(kFunctionPage),
      OnCommand<&Vexmo_DlgComposite::OnClear>(kClear),
      OnCommand<&Vexmo_DlgComposite::OnKeyPicker>(kKeyPicker),
      OnCommand<&Vexmo_DlgComposite::OnKeyboardChoice>(kKeyboardChoice),
      OnCommand<&Vexmo_DlgComposite::OnMouseChoice>(kMouseChoice),
      OnCommandRange<&Vexmo_DlgComposite::OnMacroCommand>(kAddMacro, kRecordDelay),
      OnCommand<&Vexmo_DlgComposite::OnMacroSelected>(kMacroCombo, Notification::kSelChange),
      OnCommand<&Vexmo_DlgComposite::OnMacroNameTyped>(kMacroCombo, Notification::kEditChange),
      OnCommand<&Vexmo_DlgComposite::OnPlayCountChanged>(kPlayCount, Notification::kTextChange)};
  static const MessageMap kMap{kMessages, kCommands, &CBaseDialog::ClassMessageMap()};
  return kMap;
}

Vexmo_DlgComposite::Vexmo_DlgComposite(CVexmoDlg& window, CompositeFaces& faces)
    : CBaseDialog(kTemplateId, &window, window.Services().paths.composite_skin,
                  SkinPaths::SkinFolderOf(window.Services().paths.composite_skin)),
      window_(window),
      faces_(faces),
      frame_(std::make_unique<FrameControls>()),
      key_page_(std::make_unique<KeyPageControls>()),
      macro_page_(std::make_unique<MacroPage>(*this)) {
  setStyleSheet(EditorStyleSheet());
  setWindowTitle(QStringLiteral("TALON7X-DUO"));
}

Vexmo_DlgComposite::~Vexmo_DlgComposite() {
  RemoveCaptureHook();
  if (macro_page_) macro_page_->StopRecording();
}

std::string Vexmo_DlgComposite::Text(std::string_view key) const {
  return window_.Services().language.Text(key);
}

bool Vexmo_DlgComposite::SetKey(int control_id) {
  KeySlot slot = 0;
  if (const unsigned n = ctl::GButtonOfControl(control_id); n != 0) {
    slot = window_.Services().model.g_bank.SlotOfGButton(n);
  } else if (const auto index = ctl::ButtonIndexOfControl(control_id)) {
    slot = SlotOfKey(KeyOfButton(*index));
  } else {
    return false;
  }
  edited_slot_ = slot;
  g9_ = control_id == ctl::kG9;
  control_id_ = control_id;
  if (CPngButton* button = window_.ButtonById(control_id)) {
    ShowPressed(*button, &window_.Faces().down);
  }
  return true;
}

// ---- opening ----

bool Vexmo_DlgComposite::OnInitDialog() {
  if (!CBaseDialog::OnInitDialog()) {
    failed_picture_ = window_.Services().paths.composite_skin.string() + " ([SCREEN] pictures)";
    return false;
  }
  if (!faces_.IsLoaded() && !faces_.Load(ImageFolder(), size(), failed_picture_)) return false;
  open_ = true;
  PlaceFrame();
  PlaceKeyPage();
  macro_page_->Create(SkinFile(), faces_.Faces(CompositeFaces::Set::kMacro));
  PlaceMediaAndFunctionPages();
  {
    auto store = window_.Model().store.Lock();
    store->recording = false;
  }
  macro_page_->LoadWorkingList();
  SetApplyEnabled(false);

  const int active = window_.Services().commands.GetActiveProfile();
  const int profile = active >= 0 ? active : window_.CurrentProfile();
  {
    auto store = window_.Model().store.Lock();
    const KeyRecord& record =
        store->key_block.record(static_cast<std::size_t>(profile), edited_slot_);
    page_ = static_cast<int>(record.type);
    value_ = record.value;
    extra_ = record.extra;
  }
  if (g9_) {
    page_ = kPageMacro;
    const FaceSet locked = faces_.Faces(CompositeFaces::Set::kMacro2);
    for (CPngButton* button :
         {frame_->tabs[0], frame_->tabs[2], frame_->tabs[3], frame_->clear, frame_->title_image}) {
      button->ReplaceFaces(locked.normal, locked.hover, locked.pressed, locked.disabled,
                           locked.other, false);
    }
    for (CPngButton* button : {frame_->tabs[0], frame_->tabs[2], frame_->tabs[3], frame_->clear}) {
      button->setEnabled(false);
    }
  }
  captured_ = 0;
  ShowPage(true);
  SetApplyEnabled(false);
  PlaceWindow();
  Send(kMsgLang, kTagLang, window_.Services().language.Index());
  return true;
}

void Vexmo_DlgComposite::PlaceWindow() {
  QScreen* screen =
      window_.screen() != nullptr ? window_.screen() : QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->geometry() : QRect(0, 0, 1920, 1080);
  const CPngButton* button = window_.ButtonById(control_id_);
  if (g9_ || button == nullptr) {
    move(CentreOnScreen(area, size()));
  } else {
    const QRect key(button->mapToGlobal(QPoint(0, 0)), button->size());
    move(PlaceBesideKey(key, area, size()));
  }
}

// ---- pages ----

void Vexmo_DlgComposite::ShowPage(bool first_time) {
  auto wear = [this](CompositeFaces::Set set) {
    const FaceSet faces = faces_.Faces(set);
    frame_->page_picture->ReplaceFaces(faces.normal, faces.hover, faces.pressed, faces.disabled,
                                       faces.other);
  };
  switch (page_) {
    case kPageMacro:
      wear(CompositeFaces::Set::kMacro);
      RemoveCaptureHook();
      if (first_time) {
        macro_page_->SelectForOpening(value_);
      } else {
        macro_page_->SelectFirstOnce(value_);
      }
      break;
    case kPageMedia:
      wear(CompositeFaces::Set::kMedia);
      RemoveCaptureHook();
      macro_page_->StopRecording();
      if (first_time && value_ < kMediaCount)
        media_combo_->setCurrentIndex(static_cast<int>(value_));
      break;
    case kPageFunction:
      wear(CompositeFaces::Set::kFunction);
      RemoveCaptureHook();
      macro_page_->StopRecording();
      if (first_time && value_ < kFunctionCount) {
        function_combo_->setCurrentIndex(static_cast<int>(value_));
      }
      break;
    default: {
      wear(CompositeFaces::Set::kKey);
      macro_page_->StopRecording();
      InstallCaptureHook();
      // Only a key record's value is a key; the others' values (a string's place) are not.
      if (first_time && page_ == kPageKey) captured_ = static_cast<KeyId>(value_);
      const int mouse_entry = page_ == kPageKey ? MouseEntryOfKey(captured_) : -1;
      if (mouse_entry >= 0) {
        key_page_->mouse_combo->setCurrentIndex(mouse_entry);
        SetKeyboardMode(false);
      } else {
        if (page_ == kPageKey && captured_ != 0) {
          key_page_->key_field->setText(
              QString::fromStdString(KeyName(captured_, window_.Services().language)));
        }
        SetKeyboardMode(true);
      }
      break;
    }
  }
  ShowPageControls();
}

void Vexmo_DlgComposite::ShowPageControls() {
  const bool macro = page_ == kPageMacro;
  const bool media = page_ == kPageMedia;
  const bool function = page_ == kPageFunction;
  const bool key = !macro && !media && !function;
  macro_page_->SetVisible(macro);
  const KeyPageControls& k = *key_page_;
  for (QWidget* w : {static_cast<QWidget*>(k.key_field), static_cast<QWidget*>(k.keyboard),
                     static_cast<QWidget*>(k.mouse), static_cast<QWidget*>(k.keyboard_label),
                     static_cast<QWidget*>(k.mouse_label), static_cast<QWidget*>(k.mouse_combo),
                     static_cast<QWidget*>(k.hint)}) {
    w->setVisible(key);
  }
  // G9's hints stay hidden: the pages they describe are locked.
  k.hint->setVisible(key && !g9_);
  media_combo_->setVisible(media);
  media_label_->setVisible(media && !g9_);
  function_combo_->setVisible(function);
  function_label_->setVisible(function && !g9_);
  const int shown = macro ? 1 : media ? 2 : function ? 3 : 0;
  for (int i = 0; i < composite::kPageCount; ++i) {
    ShowPressed(*frame_->tabs[i],
                i == shown ? &faces_.Pressed(CompositeFaces::Set::kKey) : nullptr);
  }
}

void Vexmo_DlgComposite::SetKeyboardMode(bool keyboard) {
  KeyPageControls& k = *key_page_;
  k.key_field->setEnabled(keyboard);
  k.mouse_combo->setEnabled(!keyboard);
  k.keyboard->setChecked(keyboard);
  k.mouse->setChecked(!keyboard);
}

void Vexmo_DlgComposite::SwitchPage(int page) {
  page_ = page;
  ShowPage(false);
  SetApplyEnabled(true);
}

void Vexmo_DlgComposite::OnKeyPageButton() {
  if (page_ != kPageKey && page_ != kPageDefault) SwitchPage(kPageKey);
}

void Vexmo_DlgComposite::OnMacroPageButton() {
  if (page_ != kPageMacro) SwitchPage(kPageMacro);
}

void Vexmo_DlgComposite::OnMediaPageButton() {
  if (page_ != kPageMedia) SwitchPage(kPageMedia);
}

void Vexmo_DlgComposite::OnFunctionPageButton() {
  if (page_ != kPageFunction) SwitchPage(kPageFunction);
}

void Vexmo_DlgComposite::OnClear() {
  OnKeyPageButton();
  if (page_ != kPageKey) return;
  key_page_->key_field->clear();
  captured_ = 0;
  page_ = kPageDefault;
  SetKeyboardMode(true);
  SetApplyEnabled(true);
}

void Vexmo_DlgComposite::OnKeyboardChoice() {
  SetKeyboardMode(true);
  page_ = kPageKey;
}

void Vexmo_DlgComposite::OnMouseChoice() {
  SetKeyboardMode(false);
  page_ = kPageKey;
}

void Vexmo_DlgComposite::OnKeyPicker() {
  if (picker_ == nullptr) {
    picker_ = new CKeyPicker(
        *this, window_.Services().language,
        [this](std::uint8_t vk, std::uint32_t flags) { TakePickedKeystroke(vk, flags); });
  }
  if (picker_->isVisible()) {
    picker_->hide();
  } else {
    picker_->ShowBeside(frameGeometry());
  }
}

// ---- key capture ----

void Vexmo_DlgComposite::InstallCaptureHook() {
  if (capture_hook_ != 0) return;
  capture_hook_ = KeyboardFilter::Instance().InstallHook(
      [this](std::uint8_t vk, std::uint32_t flags) { return OnCaptureKeystroke(vk, flags); });
}

void Vexmo_DlgComposite::RemoveCaptureHook() {
  if (capture_hook_ == 0) return;
  KeyboardFilter::Instance().RemoveHook(capture_hook_);
  capture_hook_ = 0;
}

bool Vexmo_DlgComposite::OnCaptureKeystroke(std::uint8_t vk, std::uint32_t flags) {
  const CaptureOutcome outcome = CaptureKeystroke(vk, flags, key_page_->keyboard->isChecked());
  if (outcome.captured != 0) Capture(outcome.captured);
  return outcome.swallow;
}

void Vexmo_DlgComposite::Capture(KeyId key) {
  key_page_->key_field->setText(QString::fromStdString(KeyName(key, window_.Services().language)));
  captured_ = key;
  page_ = kPageKey;
  SetApplyEnabled(true);
}

void Vexmo_DlgComposite::TakePickedKeystroke(std::uint8_t vk, std::uint32_t flags) {
  if (capture_hook_ != 0) OnCaptureKeystroke(vk, flags);
  if (macro_page_->IsRecording()) macro_page_->OnRecordKeystroke(vk, flags);
}

void Vexmo_DlgComposite::OnHelp() {
  if (!macro_page_->IsRecording()) window_.OpenHelpPage();
}

bool Vexmo_DlgComposite::PreTranslateKey(const KeyMessage& key) {
  if (CBaseDialog::PreTranslateKey(key)) return true;
  return key.vk == kVkReturn || key.vk == kVkEscape;
}

// ---- the macro page's commands ----

void Vexmo_DlgComposite::OnMacroCommand(int control_id) {
  MacroPage& page = *macro_page_;
  switch (control_id) {
    case kAddMacro:
      page.OnAdd();
      break;
    case kDeleteMacro:
      page.OnDelete();
      break;
    case kRecord:
      page.OnRecord();
      break;
    case kDeleteAction:
      page.OnDeleteAction();
      break;
    case kClearActions:
      page.OnClearActions();
      break;
    case kRecordDelay:
      page.OnRecordDelay();
      break;
    default:
      page.OnMove(control_id);
      break;
  }
}

void Vexmo_DlgComposite::OnMacroSelected() {
  macro_page_->OnMacroSelected();
}

void Vexmo_DlgComposite::OnMacroNameTyped() {
  macro_page_->OnNameTyped();
}

void Vexmo_DlgComposite::OnPlayCountChanged() {
  macro_page_->OnPlayCountChanged();
}

LResult Vexmo_DlgComposite::OnCellChanged(WParam, LParam) {
  SetApplyEnabled(true);
  return 0;
}

}  // namespace talon
