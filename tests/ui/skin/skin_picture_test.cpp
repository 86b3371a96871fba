// LoadSkinPicture: full-window pictures decoded into large-buffer memory show the same pixels
// as small ones decoded by the reader itself, whatever the file's name ends in, and a file that
// is not a picture leaves the target as it was. Face sheets loaded from files: checked at once,
// decoded when first drawn.
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

#include "qt_test_app.h"
#include "ui/skin/face_sheet.h"
#include "ui/skin/skin_picture.h"

namespace talon {
namespace {

class SkinPictureTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { test::QtApp(); }
  std::filesystem::path File(const char* name) const {
    return std::filesystem::path(dir.path().toStdString()) / name;
  }
  QTemporaryDir dir;
};

// A picture whose every pixel differs from its neighbours, so that a wrong line length or
// channel order shows.
QImage Pattern(QSize size) {
  QImage picture(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x)
      picture.setPixel(x, y, qRgb(x % 251, y % 241, (x ^ y) % 239));
  }
  return picture;
}

TEST_F(SkinPictureTest, LargeAndSmallPicturesDecodeToTheSameSizeAndPixels) {
  struct Case {
    const char* file;
    const char* format;
    QSize size;
  };
  const Case cases[] = {
      {"large.bmp", "BMP", {1279, 478}},
      {"small.bmp", "BMP", {90, 26}},
      {"large.jpg", "JPG", {1279, 478}},
      {"small.jpg", "JPG", {90, 26}},
      {"odd.bmp", "BMP", {1001, 333}},
      // Told the format by the name's ending, the reader still reads what the name hides.
      {"CAPITALS.BMP", "BMP", {90, 26}},
      {"misnamed.jpg", "BMP", {1279, 478}},
      {"no_ending", "JPG", {90, 26}},
  };
  for (const Case& c : cases) {
    const QImage pattern = Pattern(c.size);
    ASSERT_TRUE(pattern.save(QString::fromStdString(File(c.file).string()), c.format, 100));
    const QImage expected =
        QImage(QString::fromStdString(File(c.file).string())).convertToFormat(QImage::Format_RGB32);
    QImage loaded;
    ASSERT_TRUE(LoadSkinPicture(File(c.file), loaded)) << c.file;
    EXPECT_EQ(loaded.format(), QImage::Format_RGB32) << c.file;
    EXPECT_EQ(loaded, expected) << c.file;
    // The picture stays valid once the reader and its file are gone.
    std::filesystem::remove(File(c.file));
    EXPECT_EQ(loaded.pixel(c.size.width() - 1, c.size.height() - 1),
              expected.pixel(c.size.width() - 1, c.size.height() - 1));
  }
}

TEST_F(SkinPictureTest, AFileThatIsNoPictureLeavesTheTargetAsItWas) {
  std::ofstream(File("text.jpg")) << "no picture here";
  std::ofstream(File("empty.bmp"));
  QImage large = Pattern({1279, 478});
  const QImage sent = Pattern({1279, 478});
  for (const char* name : {"text.jpg", "empty.bmp", "missing.jpg"}) {
    EXPECT_FALSE(LoadSkinPicture(File(name), large)) << name;
    EXPECT_EQ(large, sent) << name;
  }
}

TEST_F(SkinPictureTest, ALoadedSheetIsCheckedAtOnceAndDecodedWhenFirstDrawn) {
  const QImage pattern = Pattern({300, 200});
  ASSERT_TRUE(pattern.save(QString::fromStdString(File("face.bmp").string()), "BMP"));
  std::ofstream(File("text.jpg")) << "no picture here";
  EXPECT_TRUE(FaceSheet::Load(File("text.jpg"), {300, 200}).IsNull());
  EXPECT_TRUE(FaceSheet::Load(File("missing.jpg"), {300, 200}).IsNull());

  const FaceSheet sheet = FaceSheet::Load(File("face.bmp"), {220, 100});
  const FaceSheet copy = sheet;
  ASSERT_FALSE(sheet.IsNull());
  EXPECT_FALSE(sheet.IsDecoded());
  EXPECT_EQ(sheet.Size(), QSize(320, 200));

  QImage target(40, 30, QImage::Format_RGB32);
  target.fill(Qt::white);
  QPainter painter(&target);
  sheet.Draw(painter, {0, 0}, QRect(280, 180, 40, 30));  // picture, then black, then outside
  painter.end();
  EXPECT_TRUE(copy.IsDecoded()) << "copies share one decoded picture";
  EXPECT_EQ(target.pixel(0, 0), pattern.pixel(280, 180));
  EXPECT_EQ(target.pixelColor(25, 5), QColor(Qt::black));   // x 305: beyond the picture
  EXPECT_EQ(target.pixelColor(35, 25), QColor(Qt::white));  // x 315, y 205: beyond the sheet
  EXPECT_EQ(copy.Image().size(), QSize(300, 200));
}

TEST_F(SkinPictureTest, ASheetWhoseFileIsSpoiltAfterTheCheckDrawsNothing) {
  ASSERT_TRUE(Pattern({64, 48}).save(QString::fromStdString(File("face.jpg").string()), "JPG"));
  const FaceSheet sheet = FaceSheet::Load(File("face.jpg"), {64, 48});
  ASSERT_FALSE(sheet.IsNull());
  std::ofstream(File("face.jpg"), std::ios::trunc) << "gone";
  QImage target(10, 10, QImage::Format_RGB32);
  target.fill(Qt::white);
  QPainter painter(&target);
  sheet.Draw(painter, {0, 0}, QRect(0, 0, 10, 10));
  painter.end();
  EXPECT_TRUE(sheet.Image().isNull());
  EXPECT_EQ(target.pixelColor(5, 5), QColor(Qt::white));
}

}  // namespace
}  // namespace talon
