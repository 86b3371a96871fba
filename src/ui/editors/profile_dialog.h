#pragma once
// CVexmo_DlgProfile: the profile manager. It lists the keyboard's on-board profiles (and the
// profile files the user adds or loads while it is open) with a tick on the active one; apply
// records the list in the settings, makes the ticked profile active on the keyboard and reads
// the keyboard back into the working profile.
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_dialog_port.h"
#include "ui/skin/base_dialog.h"
#include "ui/skin/face_sheet.h"

namespace talon {

class CPngButton;
class CReportCtrl;
class CVexmoDlg;
class ProfileEditor;

// The profile manager's pictures, decoded at its first opening and kept for the run.
struct ProfileFaces {
  FaceSheet normal, over, down;
  bool loaded = false;
  bool Load(const std::filesystem::path& skin_folder, QSize client, std::string& failed);
};

class CVexmo_DlgProfile : public CBaseDialog {
 public:
  static constexpr int kTemplateId = 131;
  static constexpr int kList = 1007;
  static constexpr int kLoad = 1008;
  static constexpr int kAdd = 1010;
  static constexpr int kDelete = 1011;
  static constexpr int kApply = 1012;
  // The on-board profiles the list starts with.
  static constexpr int kProfileCount = 4;

  CVexmo_DlgProfile(CVexmoDlg& window, ProfileEditor& editor, ProfileFaces& faces);
  ~CVexmo_DlgProfile() override;

  bool OnInitDialog() override;
  // OK applies, then closes; Cancel closes.
  void OnOK() override;
  void OnCancel() override;

  void OnApply();
  bool ApplyPending() const { return apply_pending_; }
  // Ticks the row of `profile` (and only it) and disables apply: the switch already happened.
  void ShowSwitched(int profile);

  CReportCtrl& List() const { return *list_; }
  const std::string& FailedPicture() const { return failed_picture_; }

 protected:
  static const MessageMap& ClassMessageMap();
  const MessageMap& GetMessageMap() const override { return ClassMessageMap(); }

 private:
  void PlaceControls();
  void FillList();
  // `profile`: the on-board profile the row stands for, -1 for a file added or loaded.
  void AddRow(const std::filesystem::path& file, int profile);
  void SetApplyEnabled(bool enabled);
  // Asking for a profile file, starting in the user's folder at `name`.
  FileDialogRequest ProfileFileRequest(FileDialogMode mode, const std::string& name) const;
  void OnAdd();
  void OnLoad();
  void OnDelete();

  CVexmoDlg& window_;
  ProfileEditor& editor_;
  ProfileFaces& faces_;
  CReportCtrl* list_ = nullptr;
  CPngButton* apply_ = nullptr;
  std::vector<int> row_profiles_;  // per row: its on-board profile, or -1
  bool apply_pending_ = false;
  std::string failed_picture_;
};

}  // namespace talon
