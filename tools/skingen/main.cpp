// skingen: draws the default skin (every picture and the three skin INI files), the window, tray
// and application icons, and a contact sheet of the windows for review.
//
//   skingen <skins folder> <icons folder> <contact sheet .png>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "layouts.h"
#include "pictures.h"
#include "preview.h"
#include "theme.h"
#include "vector_icon.h"
#include "writer.h"

namespace {

using namespace talon::skingen;

// The address the main window's link button opens.
const char* const kLink = "https://www.example.com/talon7x-duo/";

bool WriteIcons(const QString& folder) {
  bool ok = true;
  const VectorIcon app = AppIcon();
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    ok &= WritePicture(
        folder, {QStringLiteral("talon7x_%1.png").arg(size), RenderIcon(app, size), Storage::Png});
  }
  ok &= WriteFileAtomically(folder + QStringLiteral("/talon7x.svg"), IconToSvg(app).toUtf8());
  for (int id : {128, 141, 142}) {
    const VectorIcon tray = TrayIcon(id);
    for (int size : {16, 22, 32, 48}) {
      ok &= WritePicture(folder, {QStringLiteral("icon_%1_%2.png").arg(id).arg(size),
                                  RenderIcon(tray, size), Storage::Png});
    }
    ok &= WriteFileAtomically(folder + QStringLiteral("/icon_%1.svg").arg(id),
                              IconToSvg(tray).toUtf8());
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: skingen <skins folder> <icons folder> <contact sheet .png>\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  RegisterFonts();
  const QString skins = QString::fromLocal8Bit(argv[1]);
  const QString icons = QString::fromLocal8Bit(argv[2]);
  if (!QDir().mkpath(skins) || !QDir().mkpath(icons)) {
    std::fprintf(stderr, "skingen: cannot create the output folders\n");
    return 1;
  }

  const WindowLayout main = MainLayout();
  const WindowLayout composite = CompositeLayout();
  const WindowLayout profile = ProfileLayout();
  const SkinFile files[] = {
      {QStringLiteral("Main.ini"), QStringLiteral("main_bg.jpg"), QStringLiteral("main_mask.bmp"),
       QString::fromLatin1(kLink), &main, MainArrowOrigins()},
      {QStringLiteral("Composite.ini"),
       QStringLiteral("composite_bg.jpg"),
       QStringLiteral("composite_mask.bmp"),
       {},
       &composite,
       {}},
      {QStringLiteral("Profile.ini"),
       QStringLiteral("profile_bg.jpg"),
       QStringLiteral("profile_mask.bmp"),
       {},
       &profile,
       {}},
  };
  bool ok = true;
  for (const SkinFile& f : files) ok &= WriteSkinFile(skins, f);

  std::vector<Picture> pictures = MainPictures(main);
  for (std::vector<Picture> more :
       {CompositePictures(composite), ProfilePictures(profile), PanelBitmaps()}) {
    for (Picture& pic : more) pictures.push_back(std::move(pic));
  }
  for (const Picture& pic : pictures) ok &= WritePicture(skins, pic);
  ok &= WriteIcons(icons);

  const QString preview = QString::fromLocal8Bit(argv[3]);
  const QImage sheet = RenderPreview(pictures, main.width, main.height);
  ok &= WritePicture(QFileInfo(preview).absolutePath(),
                     {QFileInfo(preview).fileName(), sheet, Storage::Png});
  return ok ? 0 : 1;
}
