#include "test_skin.h"

#include <QPainter>

#include <fstream>

namespace talon::test {

QImage DrawBackground(QColor tint) {
  QImage picture(kSkinSize, QImage::Format_RGB32);
  picture.fill(tint);
  QPainter painter(&picture);
  painter.fillRect(QRect(20, 20, 40, 10), Qt::black);
  return picture;
}

QImage DrawMask() {
  QImage picture(kSkinSize, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(30, 30, 30));
  painter.drawRoundedRect(
      QRect(QPoint(kSkinBorder, kSkinBorder), kSkinSize - QSize(2 * kSkinBorder, 2 * kSkinBorder)),
      kSkinCorner, kSkinCorner);
  return picture;
}

TestSkin WriteTestSkin(const std::filesystem::path& folder, bool mask_key) {
  std::filesystem::create_directories(folder);
  TestSkin skin{folder, folder / "Test.ini", DrawBackground(QColor(60, 90, 160)), DrawMask()};
  skin.background.save(QString::fromStdString((folder / "bg.bmp").string()));
  skin.mask.save(QString::fromStdString((folder / "mask.bmp").string()));
  for (int i = 0; i < 5; ++i) {
    QImage face(kSkinSize, QImage::Format_RGB32);
    face.fill(kFaceColours[i]);
    face.save(QString::fromStdString((folder / kFaceFiles[i]).string()));
  }
  std::ofstream ini(skin.ini);
  ini << "[SCREEN]\nMain=bg.bmp\n";
  if (mask_key) ini << "Mask=mask.bmp\n";
  ini << "\n[BUTTONINFO]\nCONTROL_OK=20,60,50,24\nCONTROL_HELP=1,1,40,20\n"
         "LEFT_ARROW=100,10,30,20\n\n[BUTTONINFO2]\nUP_ARROW_LEFT1=5,6,30,20\n";
  return skin;
}

}  // namespace talon::test
