#include "shell/tray_icon.h"

#include <QAction>
#include <QIcon>
#include <QImageReader>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>

#include <string>

namespace talon {
namespace {

constexpr int kSizes[] = {16, 22, 32, 48};
constexpr int kMaxTipChars = 127;

// Read as PNG, as named: left to find the format out, Qt would load every image format plugin
// first, at a cost to the start.
QPixmap PngPicture(const std::filesystem::path& file) {
  QImageReader reader(QString::fromStdString(file.string()), "png");
  reader.setAutoDetectImageFormat(false);
  return QPixmap::fromImage(reader.read());
}

}  // namespace

CTrayIcon::CTrayIcon(std::filesystem::path icon_folder, std::function<void(int)> on_command,
                     std::function<QString(int)> menu_text)
    : icon_folder_(std::move(icon_folder)),
      on_command_(std::move(on_command)),
      menu_text_(std::move(menu_text)) {}

CTrayIcon::~CTrayIcon() {
  Remove();
  delete menu_;
}

std::filesystem::path CTrayIcon::PictureFile(const std::filesystem::path& folder, int picture,
                                             int size) {
  const std::string base = "icon_" + std::to_string(picture);
  return folder / (size == 0 ? base + ".svg" : base + "_" + std::to_string(size) + ".png");
}

QMenu* CTrayIcon::Menu() {
  if (menu_ == nullptr) {
    menu_ = new QMenu;
    for (int command : {kCommandOpen, kCommandAbout, kCommandExit}) {
      QAction* item = menu_->addAction(QString());
      connect(item, &QAction::triggered, this, [this, command] {
        if (on_command_) on_command_(command);
      });
      items_[command] = item;
    }
    // The first item is the default one, run by a double click: shown bold.
    QFont bold = items_[kCommandOpen]->font();
    bold.setBold(true);
    items_[kCommandOpen]->setFont(bold);
    connect(menu_, &QMenu::aboutToShow, this, [this] { PrepareMenu(); });
  }
  PrepareMenu();
  return menu_;
}

void CTrayIcon::PrepareMenu() {
  if (!menu_text_) return;
  for (auto& [command, item] : items_) item->setText(menu_text_(command));
}

bool CTrayIcon::Create(const QString& tip, int picture) {
  tip_ = tip.left(kMaxTipChars);
  picture_ = picture;
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
  if (icon_ == nullptr) {
    icon_ = new QSystemTrayIcon(this);
    icon_->setContextMenu(Menu());
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
              if (reason == QSystemTrayIcon::DoubleClick) OnDoubleClick();
            });
  }
  SetPicture(picture);
  icon_->setToolTip(tip_);
  icon_->show();
  shown_ = true;
  return true;
}

void CTrayIcon::SetPicture(int picture) {
  picture_ = picture;
  if (icon_ == nullptr) return;
  QIcon icon;
  const auto svg = PictureFile(icon_folder_, picture, 0);
  icon.addFile(QString::fromStdString(svg.string()));
  for (int size : kSizes) {
    const QPixmap sized = PngPicture(PictureFile(icon_folder_, picture, size));
    if (!sized.isNull()) icon.addPixmap(sized);
  }
  icon_->setIcon(icon);
}

void CTrayIcon::SetTip(const QString& tip) {
  tip_ = tip.left(kMaxTipChars);
  if (icon_ != nullptr) icon_->setToolTip(tip_);
}

void CTrayIcon::Remove() {
  if (icon_ != nullptr) icon_->hide();
  shown_ = false;
}

void CTrayIcon::OnDoubleClick() {
  if (on_command_) on_command_(kCommandOpen);
}

}  // namespace talon
