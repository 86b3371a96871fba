#include "skin_files.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <cstdlib>

namespace talon::test {
namespace {

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
  return s;
}

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

QString ProgramDir() {
  const char* dir = std::getenv("TALON7X_PROGRAM_DIR");
  return dir != nullptr ? QString::fromLocal8Bit(dir) : QString();
}

QString SkinPath(const QString& name) {
  return ProgramDir() + QStringLiteral("/Skins/") + name;
}

SkinIni::SkinIni(const QString& fileName) {
  QFile file(SkinPath(fileName));
  if (!file.open(QIODevice::ReadOnly)) return;
  loaded_ = true;
  std::string section;
  for (const QByteArray& raw : file.readAll().split('\n')) {
    const std::string line = Trim(raw.toStdString());
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = Upper(line.substr(1, line.size() - 2));
      continue;
    }
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    sections_[section][Upper(Trim(line.substr(0, eq)))] = Trim(line.substr(eq + 1));
  }
}

std::optional<std::string> SkinIni::value(const std::string& section,
                                          const std::string& key) const {
  const auto s = sections_.find(Upper(section));
  if (s == sections_.end()) return std::nullopt;
  const auto k = s->second.find(Upper(key));
  if (k == s->second.end()) return std::nullopt;
  return k->second;
}

std::optional<QRect> SkinIni::rect(const std::string& section, const std::string& key) const {
  const auto text = value(section, key);
  if (!text) return std::nullopt;
  static const QRegularExpression four(
      QStringLiteral("^\\s*(-?\\d+)\\s*,\\s*(-?\\d+)\\s*,\\s*(-?\\d+)\\s*,\\s*(-?\\d+)\\s*$"));
  const auto m = four.match(QString::fromStdString(*text));
  if (!m.hasMatch()) return std::nullopt;
  return QRect(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
               m.captured(4).toInt());
}

std::vector<std::string> SkinIni::keys(const std::string& section) const {
  std::vector<std::string> out;
  const auto s = sections_.find(Upper(section));
  if (s == sections_.end()) return out;
  for (const auto& [key, value] : s->second) out.push_back(key);
  return out;
}

QImage LoadPicture(const QString& name) {
  return QImage(SkinPath(name));
}

double MeanDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  if (x.size() != y.size() || x.isNull()) return -1;
  double sum = 0;
  for (int row = 0; row < x.height(); ++row) {
    for (int col = 0; col < x.width(); ++col) {
      const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q));
    }
  }
  return sum / (3.0 * x.width() * x.height());
}

}  // namespace talon::test
