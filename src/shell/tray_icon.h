#pragma once
// CTrayIcon: the program's icon in the notification area, with its menu (open, about, exit) and
// the three pictures that tell whether a keyboard is there (128 none, 141 present, 142 the play
// symbol). Where the desktop has no notification area the icon is simply not shown and every
// call is harmless; the program then relies on its window.
#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <map>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace talon {

class CTrayIcon : public QObject {
 public:
  static constexpr int kIconId = 140;
  static constexpr int kCommandOpen = 32771;
  static constexpr int kCommandAbout = 32773;
  static constexpr int kCommandExit = 32774;

  // Commands (the menu's items, a double click as "open") go to `on_command`; the menu's texts
  // are asked of `menu_text` (32771, 32773, 32774) each time before it shows.
  CTrayIcon(std::filesystem::path icon_folder, std::function<void(int command)> on_command,
            std::function<QString(int command)> menu_text);
  ~CTrayIcon() override;

  // False when the desktop has no notification area (nothing is shown then).
  bool Create(const QString& tip, int picture);
  void SetPicture(int picture);
  void SetTip(const QString& tip);
  void Remove();

  bool IsShown() const { return shown_; }
  int Picture() const { return picture_; }
  QString Tip() const { return tip_; }
  // The menu as it would show now (texts refreshed); for tests and the window's own use.
  QMenu* Menu();
  // What a double click on the icon does.
  void OnDoubleClick();

  // The picture's files: icon_<id>.svg and icon_<id>_<size>.png in the icon folder.
  static std::filesystem::path PictureFile(const std::filesystem::path& folder, int picture,
                                           int size);

 private:
  void PrepareMenu();

  std::filesystem::path icon_folder_;
  std::function<void(int)> on_command_;
  std::function<QString(int)> menu_text_;
  QSystemTrayIcon* icon_ = nullptr;
  QMenu* menu_ = nullptr;
  std::map<int, QAction*> items_;
  bool shown_ = false;
  int picture_ = 0;
  QString tip_;
};

}  // namespace talon
