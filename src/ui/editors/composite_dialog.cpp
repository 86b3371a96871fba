#include "ui/editors/composite_dialog.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>

#include "model/macro_list.h"
#include "ui/editors/assignment.h"
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
constexpr int kPageCount = 4;
constexpr const char* kPageCaptions[kPageCount] = {"SINGLE_KEY", "MACRO_SETTING", "MULTI_MEDIA",
                                                   "FUNCTION_KEY"};
constexpr ColorRef kCaption = Rgb(200, 206, 214);
constexpr ColorRef kCaptionHover = Rgb(255, 255, 255);
constexpr ColorRef kCaptionPressed = Rgb(45, 212, 255);
constexpr ColorRef kCaptionDisabled = Rgb(74, 80, 91);

void GiveCaption(CPngButton& button, int points = 10) {
  button.SetTextStyle(true, points, QStringLiteral("Arial Unicode MS"), kCaption, kCaptionHover,
                      kCaptionPressed, kCaptionDisabled, kCaption);
}

void ShowPressed(CPngButton& button, const FaceSheet* pressed) {
  button.SetAlternateFaces(pressed, pressed, pressed != nullptr, false);
}

}  // namespace

struct Vexmo_DlgComposite::FrameControls {
  CPngButton* page_picture = nullptr;
  CPngButton* title_image = nullptr;
  ColorStatic* title = nullptr;
  CPngButton* tabs[kPageCount] = {};
  CPngButton* clear = nullptr;
  CPngButton* picker = nullptr;
  CPngButton* ok = nullptr;
  CPngButton* cancel = nullptr;
  CPngButton* apply = nullptr;
};

struct Vexmo_DlgComposite::KeyPageControls {
  QLineEdit* key_field = nullptr;
  QRadioButton* keyboard = nullptr;
  QRadioButton* mouse = nullptr;
  ColorStatic* keyboard_label = nullptr;
  ColorStatic* mouse_label = nullptr;
  ColorStatic* hint = nullptr;
  QComboBox* mouse_combo = nullptr;
};

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
  for (int i = 0; i < kPageCount; ++i) {
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

// ---- commit and close ----

void Vexmo_DlgComposite::SetApplyEnabled(bool enabled) {
  apply_enabled_ = enabled;
  if (frame_->apply != nullptr) frame_->apply->setEnabled(enabled);
}

void Vexmo_DlgComposite::OnApply() {
  ApplyAssignment();
}

void Vexmo_DlgComposite::ApplyAssignment() {
  macro_page_->FinishEditing();
  const ModelContext model = window_.Model();
  CommitMacroList(model.store, macro_page_->WorkingList(), window_);
  macro_page_->MarkCommitted();

  AssignmentPages pages;
  pages.page = page_;
  pages.mouse_choice = key_page_->mouse->isChecked();
  pages.captured = captured_;
  pages.mouse_entry = key_page_->mouse_combo->currentIndex();
  pages.media = media_combo_->currentIndex();
  pages.function = function_combo_->currentIndex();
  pages.no_macros = macro_page_->WorkingList().empty();
  const int current = macro_page_->CurrentMacro();
  {
    auto store = model.store.Lock();
    if (current >= 0 && current < static_cast<int>(store->macros.size())) {
      pages.macro_id = store->macros[static_cast<std::size_t>(current)].id;
    }
  }
  pages.play_count = static_cast<std::uint16_t>(macro_page_->PlayCount());
  const Assignment assignment = BuildAssignment(edited_slot_, pages);

  if (CPngButton* button = window_.ButtonById(control_id_)) {
    button->SetOtherState(assignment.type != AssignmentKind::kDefault);
  }
  const int active = window_.Services().commands.GetActiveProfile();
  if (active >= 0) {
    auto store = model.store.Lock();
    const std::size_t index = RecordIndex(static_cast<std::size_t>(active), edited_slot_);
    // The string a launch or text record owned goes with the value it had.
    store->launch_strings.Release(index);
    KeyRecord& record = store->key_block.records[index];
    record.type = assignment.type;
    record.extra = assignment.extra;
    record.value = assignment.value;
  }
  window_.RefreshKeyButtons();
  SetApplyEnabled(false);
  window_.SetApplyEnabled(true);
}

void Vexmo_DlgComposite::OnOK() {
  if (!open_) return CBaseDialog::OnOK();
  ApplyAssignment();
  RunClosingSteps();
  CBaseDialog::OnOK();
}

void Vexmo_DlgComposite::OnCancel() {
  RunClosingSteps();
  CBaseDialog::OnCancel();
}

void Vexmo_DlgComposite::RunClosingSteps() {
  if (!open_) return;
  open_ = false;
  RemoveCaptureHook();
  macro_page_->StopRecording();
  macro_page_->Clear();
  SetApplyEnabled(false);
  if (picker_ != nullptr) picker_->hide();
  if (CPngButton* button = window_.ButtonById(control_id_)) ShowPressed(*button, nullptr);
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

// ---- texts ----

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
