// LoadSkinPicture: full-window pictures decoded into large-buffer memory show the same pixels
// as small ones decoded by the reader itself, and a file that is not a picture leaves the target
// as it was.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

#include "qt_test_app.h"
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
      {"large.bmp", "BMP", {1279, 478}}, {"small.bmp", "BMP", {90, 26}},
      {"large.jpg", "JPG", {1279, 478}}, {"small.jpg", "JPG", {90, 26}},
      {"odd.bmp", "BMP", {1001, 333}},
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

}  // namespace
}  // namespace talon
