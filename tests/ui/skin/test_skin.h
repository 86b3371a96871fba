#pragma once
// A small skin drawn in code into a folder: a background, a mask with a white border around a
// dark rounded shape, five solid face pictures and the skin file naming them.
#include <QColor>
#include <QImage>

#include <filesystem>

namespace talon::test {

inline constexpr QSize kSkinSize(160, 100);
inline constexpr int kSkinBorder = 8;   // white all round the mask
inline constexpr int kSkinCorner = 16;  // radius of the shape's corners

struct TestSkin {
  std::filesystem::path folder;
  std::filesystem::path ini;
  QImage background;
  QImage mask;
};

// Face colours, in the order normal, hover, pressed, disabled, other.
inline const QColor kFaceColours[5] = {QColor(200, 40, 40), QColor(40, 200, 40),
                                       QColor(40, 40, 200), QColor(128, 128, 128),
                                       QColor(220, 200, 40)};
inline constexpr const char* kFaceFiles[5] = {"normal.bmp", "over.bmp", "down.bmp", "disable.bmp",
                                              "other.bmp"};

QImage DrawBackground(QColor tint);
QImage DrawMask();

// `mask_key`: whether the skin file names the mask (else "Mask" is left out).
TestSkin WriteTestSkin(const std::filesystem::path& folder, bool mask_key = true);

}  // namespace talon::test
