#include "shell/auto_profile_menu_item.h"

#include <QAction>
#include <QMenu>
#include <utility>

#include "shell/auto_profile_controller.h"

namespace talon {

QAction* AddAutoProfileMenuItem(QMenu& menu, AutoProfileController& controller,
                                std::function<QString()> text) {
  QAction* item = menu.addAction(text());
  item->setCheckable(true);
  item->setChecked(controller.enabled());
  QObject::connect(&menu, &QMenu::aboutToShow, item, [item, &controller, text = std::move(text)] {
    item->setText(text());
    item->setChecked(controller.enabled());
  });
  QObject::connect(item, &QAction::triggered, &controller, [item, &controller](bool on) {
    if (!controller.SetEnabled(on)) item->setChecked(controller.enabled());
  });
  QObject::connect(&controller, &AutoProfileController::EnabledChanged, item, &QAction::setChecked);
  return item;
}

}  // namespace talon
