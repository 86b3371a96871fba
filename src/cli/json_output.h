#pragma once
// --json: one JSON document on standard output, made with Qt's JSON classes.
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <string>
#include <string_view>

#include "model/lighting_block.h"

namespace talon::cli {

inline QString Json(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "#rrggbb", as the plain output prints colours.
std::string HexColour(Colour colour);

// The document, indented, and a line end.
void PrintJson(const QJsonObject& document);

}  // namespace talon::cli
