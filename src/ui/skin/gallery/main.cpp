// talon7x-skin-gallery OUTDIR [SKINDIR]: renders the skinned controls in each of their states
// into PNG files in OUTDIR, using the skin in SKINDIR (default: Skins/ beside the program).
#include <QApplication>
#include <QDir>

#include <cstdio>

#include "ui/skin/gallery/skin_gallery.h"

namespace {

// The offscreen platform cannot shape or raise windows and says so for every window; the
// pictures are cut to shape here, so those notes are noise.
void QuietHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (message.startsWith(QLatin1String("This plugin does not support"))) return;
  if (type != QtDebugMsg) std::fprintf(stderr, "%s\n", qPrintable(message));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s OUTDIR [SKINDIR]\n",
                 argc > 0 ? argv[0] : "talon7x-skin-gallery");
    return 2;
  }
  // Rendering needs no screen.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietHandler);
  QApplication app(argc, argv);
  const QString skins = argc == 3 ? QString::fromLocal8Bit(argv[2])
                                  : QDir(app.applicationDirPath()).filePath("Skins");
  talon::gallery::SkinGallery gallery(QDir(skins).absolutePath().toStdString(),
                                      QDir(QString::fromLocal8Bit(argv[1])));
  if (!gallery.Run()) return 1;
  for (const QString& path : gallery.Written()) std::printf("%s\n", qPrintable(path));
  return 0;
}
