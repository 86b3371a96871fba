#include "ui/editors/profile_dialog.h"

#include <QString>

#include <cstdio>

#include "model/keyboard_capture.h"
#include "model/profile_file.h"
#include "ui/editors/editor_style.h"
#include "ui/editors/profile_editor.h"
#include "ui/main/main_window.h"
#include "ui/main/main_window_commands.h"
#include "ui/skin/control_binding.h"
#include "ui/skin/png_button.h"
#include "ui/skin/report_ctrl.h"
#include "ui/skin/skin_picture.h"

namespace talon {
namespace {

constexpr const char* kSection = "PROFILES";
constexpr const char* kFileExtension = ".vxp";
// The list's columns: the tick, the file's name, its folder.
constexpr int kNameColumn = 1;
constexpr int kFolderColumn = 2;

std::string ValueName(int number) {
  char name[32];
  std::snprintf(name, sizeof name, "%s%02d", "PROFILE", number);
  return name;
}

}  // namespace

bool ProfileFaces::Load(const std::filesystem::path& skin_folder, QSize client,
                        std::string& failed) {
  const std::pair<const char*, FaceSheet*> files[] = {
      {"Profile_normal.jpg", &normal}, {"Profile_over.jpg", &over}, {"Profile_down.jpg", &down}};
  for (const auto& [file, sheet] : files) {
    QImage picture;
    if (!LoadSkinPicture(skin_folder / file, picture)) {
      failed = (skin_folder / file).string();
      return false;
    }
    *sheet = FaceSheet::Create(picture, client);
  }
  loaded = true;
  return true;
}

const MessageMap& CVexmo_DlgProfile::ClassMessageMap() {
  static constexpr CommandEntry kCommands[] = {OnCommand<&CVexmo_DlgProfile::OnAdd>(kAdd),
                                               OnCommand<&CVexmo_DlgProfile::OnLoad>(kLoad),
                                               OnCommand<&CVexmo_DlgProfile::OnDelete>(kDelete),
                                               OnCommand<&CVexmo_DlgProfile::OnApply>(kApply)};
  static const MessageMap kMap{{}, kCommands, &CBaseDialog::ClassMessageMap()};
  return kMap;
}

CVexmo_DlgProfile::CVexmo_DlgProfile(CVexmoDlg& window, ProfileEditor& editor, ProfileFaces& faces)
    : CBaseDialog(kTemplateId, &window, window.Services().paths.profile_skin,
                  SkinPaths::SkinFolderOf(window.Services().paths.profile_skin)),
      window_(window),
      editor_(editor),
      faces_(faces) {
  setStyleSheet(EditorStyleSheet());
  setWindowTitle(QStringLiteral("TALON7X-DUO"));
  SetHelpHandler([this] { window_.OpenHelpPage(); });
}

CVexmo_DlgProfile::~CVexmo_DlgProfile() = default;

bool CVexmo_DlgProfile::OnInitDialog() {
  if (!CBaseDialog::OnInitDialog()) {
    failed_picture_ = window_.Services().paths.profile_skin.string() + " ([SCREEN] pictures)";
    return false;
  }
  if (!faces_.loaded && !faces_.Load(ImageFolder(), size(), failed_picture_)) return false;
  PlaceControls();
  FillList();
  SetApplyEnabled(false);
  return true;
}

void CVexmo_DlgProfile::PlaceControls() {
  const CIniFile& skin = SkinFile();
  list_ = new CReportCtrl(this);
  PlaceControl(*list_, skin, "PROGRAM_LIST");
  SetControlId(*list_, kList);
  list_->InsertColumn(0, QStringLiteral("激活"), Qt::AlignLeft, 60);
  list_->InsertColumn(kNameColumn, QStringLiteral("名称"), Qt::AlignLeft, 120);
  list_->InsertColumn(kFolderColumn, QStringLiteral("路径"), Qt::AlignLeft, 230);
  list_->SetGridLines(true);
  list_->SetTickMode(CReportCtrl::TickMode::kSingle);
  // The rows keep their order: it is the profiles' numbering.
  list_->SetHeaderClickable(false);
  list_->setFont(EditorFont(9));
  list_->SetItemTextColor(-1, -1, Rgb(214, 219, 226));
  list_->SetTickCallback([this](int, CReportCtrl&) { SetApplyEnabled(true); });

  const FaceSet faces{&faces_.normal, &faces_.over, &faces_.down, &faces_.down, &faces_.normal};
  const std::pair<const char*, int> buttons[] = {
      {"CONTROL_OK", kIdOk}, {"CONTROL_CANCEL", kIdCancel}, {"FUNC_ADD", kAdd},
      {"FUNC_LOAD", kLoad},  {"FUNC_DELETE", kDelete},      {"CONTROL2_APPLY", kApply}};
  for (const auto& [key, id] : buttons) {
    auto* button = new CPngButton(this);
    PlaceImageButton(*button, skin, key, faces, id);
    if (id == kApply) apply_ = button;
  }
}

void CVexmo_DlgProfile::AddRow(const std::filesystem::path& file, int profile) {
  const int row = list_->InsertItem(list_->GetItemCount(), QString());
  row_profiles_.push_back(profile);
  list_->SetItemText(row, kNameColumn, QString::fromStdString(file.stem().string()));
  std::string folder = file.parent_path().string();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  list_->SetItemText(row, kFolderColumn, QString::fromStdString(folder));
}

void CVexmo_DlgProfile::FillList() {
  const std::filesystem::path working = WorkingProfilePath(window_.Services().profile_paths);
  for (int i = 0; i < kProfileCount; ++i) AddRow(working, i);
  const int active = window_.Services().commands.GetActiveProfile();
  if (active >= 0) list_->SetItemStates(active, CReportCtrl::kTick);
}

void CVexmo_DlgProfile::SetApplyEnabled(bool enabled) {
  apply_pending_ = enabled;
  if (apply_ != nullptr) apply_->setEnabled(enabled);
}

void CVexmo_DlgProfile::ShowSwitched(int profile) {
  list_->SetAllItemStates(0, CReportCtrl::kUntick);
  if (profile >= 0) list_->SetItemStates(profile, CReportCtrl::kTick);
  SetApplyEnabled(false);
}

FileDialogRequest CVexmo_DlgProfile::ProfileFileRequest(FileDialogMode mode,
                                                        const std::string& name) const {
  FileDialogRequest request;
  request.mode = mode;
  request.filter = MainWindowCommands::kFilter;
  request.default_extension = "vxp";
  request.initial_name = (window_.Services().paths.user_folder / name).string();
  request.overwrite_prompt = mode == FileDialogMode::kSave;
  return request;
}

void CVexmo_DlgProfile::OnAdd() {
  MainWindowServices& services = window_.Services();
  const std::optional<std::filesystem::path> file = services.file_dialog.Ask(
      ProfileFileRequest(FileDialogMode::kSave, services.language.Text("PROFILE_NEW")));
  if (!file) return;
  // A row for a file that could not be made would name nothing.
  if (CreateEmptyProfile(*file) != 1) {
    window_.ShowMessage({"MAIN_PROMPT_EXPORT", {file->string()}, MessageButtons::kOk});
    return;
  }
  AddRow(*file, -1);
  SetApplyEnabled(true);
}

void CVexmo_DlgProfile::OnLoad() {
  const std::optional<std::filesystem::path> file =
      window_.Services().file_dialog.Ask(ProfileFileRequest(FileDialogMode::kOpen, "*.vxp"));
  if (!file) return;
  AddRow(*file, -1);
  SetApplyEnabled(true);
}

void CVexmo_DlgProfile::OnDelete() {
  const int row = list_->GetNextItem(-1, CReportCtrl::kSelect);
  if (row < 0) return;
  list_->DeleteItem(row, false);
  row_profiles_.erase(row_profiles_.begin() + row);
  SetApplyEnabled(true);
}

void CVexmo_DlgProfile::OnApply() {
  MainWindowServices& services = window_.Services();
  const int rows = list_->GetItemCount();
  for (int n = 0; n < rows; ++n) {
    const QString path = list_->GetItemText(n, kFolderColumn) + list_->GetItemText(n, kNameColumn) +
                         QLatin1String(kFileExtension);
    services.preferences.WriteProfileString(kSection, ValueName(n + 1), path.toStdString());
  }
  services.preferences.WriteProfileString(kSection, ValueName(0), std::to_string(rows));
  // Only an on-board profile can be made active: a ticked file row (added or loaded) stands
  // for no profile of the keyboard, whose profile numbers end before it, so the keyboard keeps
  // the profile it has.
  const int ticked = list_->GetNextItem(-1, CReportCtrl::kTick);
  if (ticked >= 0 && row_profiles_[static_cast<std::size_t>(ticked)] >= 0) {
    services.commands.SetActiveProfile(row_profiles_[static_cast<std::size_t>(ticked)]);
  }
  ReloadFromKeyboard(window_.Model(), services.profile_paths, false);
  editor_.BuildProfileMenu(false);
  SetApplyEnabled(false);
  window_.SetApplyEnabled(false);
}

void CVexmo_DlgProfile::OnOK() {
  OnApply();
  CBaseDialog::OnOK();
}

void CVexmo_DlgProfile::OnCancel() {
  CBaseDialog::OnCancel();
}

}  // namespace talon
