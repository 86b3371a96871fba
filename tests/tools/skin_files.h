// Reading the built default skin back: its INI files and pictures, from the build folder.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace talon::test {

// The folder the build lays out like an installed program (Skins/, icons/ beside the program).
QString ProgramDir();
QString SkinPath(const QString& name);

// One skin INI file, section and key names upper-cased as the program compares them.
class SkinIni {
 public:
  explicit SkinIni(const QString& fileName);
  bool loaded() const { return loaded_; }
  std::optional<std::string> value(const std::string& section, const std::string& key) const;
  // The four integers of a rectangle entry; nullopt when missing or not four integers.
  std::optional<QRect> rect(const std::string& section, const std::string& key) const;
  std::vector<std::string> keys(const std::string& section) const;

 private:
  bool loaded_ = false;
  std::map<std::string, std::map<std::string, std::string>> sections_;
};

QImage LoadPicture(const QString& name);

// Mean absolute difference per channel between two equally sized crops, 0-255.
double MeanDifference(const QImage& a, const QImage& b);

}  // namespace talon::test
