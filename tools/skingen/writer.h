// Writes the skin to disk: INI files from the layout tables, pictures in their storage format.
#pragma once

#include <QString>
#include <vector>

#include "geometry.h"
#include "pictures.h"

namespace talon::skingen {

struct SkinFile {
  QString name;        // e.g. "Main.ini"
  QString background;  // [SCREEN] Main
  QString mask;        // [SCREEN] Mask
  QString link;        // [SCREEN] Link, main skin only
  const WindowLayout* layout = nullptr;
  std::vector<Control> faceOrigins;  // [BUTTONINFO2]
};

// Each returns false after printing what failed.
bool WriteSkinFile(const QString& folder, const SkinFile& file);
bool WritePicture(const QString& folder, const Picture& picture);
// Writes bytes to path through a temporary file renamed over it.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace talon::skingen
