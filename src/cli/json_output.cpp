#include "cli/json_output.h"

#include <QJsonDocument>
#include <cstdio>

namespace talon::cli {

std::string HexColour(Colour colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", RedOf(colour), GreenOf(colour), BlueOf(colour));
  return text;
}

void PrintJson(const QJsonObject& document) {
  const QByteArray bytes = QJsonDocument(document).toJson(QJsonDocument::Indented);
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

}  // namespace talon::cli
