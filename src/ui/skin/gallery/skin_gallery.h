#pragma once
// Renders the skinned controls offscreen, in each of their states, into PNG files for review:
// the main window with its image buttons in every state, the profile window with its list, and
// a sheet of the smaller controls.
#include <QDir>
#include <QImage>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <vector>

#include "ui/skin/face_sheet.h"

namespace talon {
class CBaseDialog;
class CPngButton;
}  // namespace talon

namespace talon::gallery {

class SkinGallery {
 public:
  SkinGallery(std::filesystem::path skin_folder, QDir out);
  ~SkinGallery();

  // False (with a message on stderr) when the skin cannot be read or a file not written.
  bool Run();
  const QStringList& Written() const { return written_; }

 private:
  bool LoadFaces();
  bool RenderMainWindow();
  bool RenderButtonCloseUps();
  bool RenderProfileWindow();
  bool RenderControls();
  bool Save(const QImage& picture, const QString& name);
  std::unique_ptr<CBaseDialog> OpenMainWindow(std::vector<CPngButton*>& buttons);
  QImage Load(const char* name) const;

  std::filesystem::path skin_folder_;
  QDir out_;
  QStringList written_;
  // normal, hover, pressed, disabled, other, alternate A, alternate B
  std::vector<FaceSheet> faces_;
};

}  // namespace talon::gallery
