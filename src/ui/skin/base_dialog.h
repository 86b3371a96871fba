#pragma once
// CBaseDialog: the dialog every window derives from. It has no frame and no caption: the skin
// file's [SCREEN] "Main" picture is its background and its "Mask" picture (default: the "Main"
// one) gives its shape, everything white cut away. The user drags it by any point of its body.
// The pictures are loaded at every opening and released when it closes, so a changed skin file
// shows at the next opening; button faces (FaceSheets) are the derived dialogs' and stay.
#include <QImage>
#include <QPoint>

#include <filesystem>
#include <functional>
#include <optional>

#include "shell/skin_ini_file.h"
#include "ui/skin/color_ref.h"
#include "ui/skin/face_sheet.h"
#include "ui/skin/message_dialog.h"

namespace talon {

class CBaseDialog : public MessageDialog {
 public:
  // DoModal's result when the dialog could not be initialised (a skin picture is missing or
  // unreadable); the program then ends with exit code 0.
  static constexpr int kInitFailed = -1;
  static constexpr int kIdOk = 1;
  static constexpr int kIdCancel = 2;

  CBaseDialog(int template_id, QWidget* parent, std::filesystem::path skin_file,
              std::filesystem::path image_folder);
  ~CBaseDialog() override;

  // Initialises and runs the dialog modally: QDialog::Accepted or Rejected, or kInitFailed.
  int DoModal();
  // Initialises and shows the dialog without waiting; false (nothing shown) when it failed.
  bool Open();

  // The platform's initialisation, then LoadSkin. Derived dialogs call it first, stop when it
  // fails, and then place and skin their controls.
  virtual bool OnInitDialog();
  // Release the background picture, then end the dialog.
  virtual void OnOK();
  virtual void OnCancel();

  void accept() override { OnOK(); }
  void reject() override { OnCancel(); }

  // Every window routes controls 1 and 2 to OnOK and OnCancel, and F1 (and the help message)
  // to OnHelp, which runs the help handler: the program's help page.
  static const MessageMap& ClassMessageMap();
  const MessageMap& GetMessageMap() const override { return ClassMessageMap(); }
  void SetHelpHandler(std::function<void()> handler) { help_handler_ = std::move(handler); }
  virtual void OnHelp();
  bool PreTranslateKey(const KeyMessage& key) override;

  static std::optional<QRegion> OutlineRegion(const QImage& picture, ColorRef key, int tolerance);
  static bool LoadSkinPicture(const std::filesystem::path& path, QImage& target);
  // A face sheet drawn to this window's coordinates: the reference's client size plus 100.
  static FaceSheet CreateFaceSheet(const QImage& picture, const QWidget& reference);

  int TemplateId() const { return template_id_; }
  const CIniFile& SkinFile() const { return ini_; }
  const std::filesystem::path& ImageFolder() const { return image_folder_; }
  const QImage& Background() const { return background_; }
  bool IsLoadingSkin() const { return loading_; }

 protected:
  bool LoadSkin();
  LResult OnHelpMessage(WParam w, LParam l);
  void ReleasePictures();

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage background_;
  CIniFile ini_;
  bool loading_ = false;
  std::function<void()> help_handler_;
  std::filesystem::path skin_file_;
  std::filesystem::path image_folder_;
  int template_id_;
  // Where the window was grabbed, while it is dragged by hand (platforms that cannot move a
  // window for us).
  std::optional<QPoint> drag_offset_;
};

}  // namespace talon
