// MacroPage: recording keystrokes into the current macro.
#include <QComboBox>

#include "ui/editors/composite_dialog.h"
#include "ui/editors/macro_page.h"
#include "ui/main/main_window.h"
#include "ui/skin/keyboard_filter.h"
#include "ui/skin/png_button.h"
#include "ui/skin/report_ctrl.h"

namespace talon {

namespace {
// The press a Print Screen, Sys Req, KL or KR notification is recorded with first.
constexpr std::uint32_t kPressFirstPauseMs = 2;
}  // namespace

std::uint64_t MacroPage::Now() const {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now() - clock_start_)
                                        .count());
}

void MacroPage::OnRecord() {
  if (IsRecording()) {
    StopRecording();
  } else {
    StartRecording();
  }
}

void MacroPage::StartRecording() {
  if (IsRecording() || current_ < 0) return;
  {
    auto store = dialog_.Window().Model().store.Lock();
    store->recording = true;
    store->last_record_event_ms = Now();
  }
  record_->setText(QString::fromStdString(dialog_.Text("MACRO_ACTION_STOP_RECORD")));
  const FaceSheet* pressed = &dialog_.Faces().Pressed(CompositeFaces::Set::kMacro);
  record_->SetAlternateFaces(pressed, pressed, true, false);
  for (QWidget* w : {static_cast<QWidget*>(add_), static_cast<QWidget*>(delete_),
                     static_cast<QWidget*>(macro_combo_)}) {
    w->setEnabled(false);
  }
  recorder_.Reset();
  record_hook_ = KeyboardFilter::Instance().InstallHook(
      [this](std::uint8_t vk, std::uint32_t flags) { return OnRecordKeystroke(vk, flags); });
}

void MacroPage::StopRecording() {
  if (!IsRecording()) return;
  KeyboardFilter::Instance().RemoveHook(record_hook_);
  record_hook_ = 0;
  {
    auto store = dialog_.Window().Model().store.Lock();
    store->recording = false;
  }
  record_->setText(QString::fromStdString(dialog_.Text("A_RECORD")));
  record_->SetAlternateFaces(nullptr, nullptr, false, false);
  for (QWidget* w : {static_cast<QWidget*>(add_), static_cast<QWidget*>(delete_),
                     static_cast<QWidget*>(macro_combo_)}) {
    w->setEnabled(true);
  }
}

bool MacroPage::OnRecordKeystroke(std::uint8_t vk, std::uint32_t flags) {
  const RecordOutcome outcome = recorder_.Take(vk, flags);
  if (outcome.key == 0) return outcome.swallow;
  const std::uint64_t now = Now();
  std::uint64_t last = now;
  {
    auto store = dialog_.Window().Model().store.Lock();
    last = store->last_record_event_ms;
    store->last_record_event_ms = now;
  }
  if (outcome.press_first) InsertAction(kPressFirstPauseMs, outcome.key, action_state::kPress);
  const std::uint64_t pause = std::min<std::uint64_t>(now - last, 0xFFFFFFFFu);
  InsertAction(static_cast<std::uint32_t>(pause), outcome.key,
               outcome.release ? action_state::kRelease : action_state::kPress);
  return outcome.swallow;
}

// Recording form: the action goes after the selected row (or at the end), and the pause measured
// before it becomes the pause after the row in front of it, whose own pause moves on to the new
// action. With record delays off every measured pause is 50 ms. A first row has no pause.
void MacroPage::InsertAction(std::uint32_t pause_ms, KeyId key, std::uint16_t state) {
  const int count = actions_->GetItemCount();
  if (count >= static_cast<int>(kMaxMacroActions)) return;
  const std::uint32_t measured = record_delay_ != 0 ? pause_ms : kFixedPauseMs;
  const int selected = actions_->GetNextItem(-1, CReportCtrl::kSelect);
  const int row = selected >= 0 ? selected + 1 : count;
  MacroAction action{0, key, state > action_state::kRelease ? action_state::kPress : state};
  if (row > 0) {
    MacroAction* before = RowAction(row - 1);
    action.pause_ms = before->pause_ms;
    before->pause_ms = measured;
    ShowRow(row - 1);
  }
  AddRow(row, action);
  actions_->SetAllItemStates(0, CReportCtrl::kUnselect);
  actions_->SetItemStates(row, CReportCtrl::kSelect | CReportCtrl::kFocus);
  actions_->scrollToItem(actions_->item(row, 0));
  EnableApply();
}

}  // namespace talon
