// The tray menu's "Automatic profiles" check item, kept in step with the controller: ticked
// while automatic profiles are on, its text asked for each time the menu shows (the language may
// have changed), and a click switches them on or off in the rules file.
#pragma once

#include <QString>
#include <functional>

class QAction;
class QMenu;

namespace talon {

class AutoProfileController;

// Appends the item to `menu`; `text` gives its text ("MENU_AUTO_PROFILES" in the current
// language). A click that cannot be stored (a broken rules file) leaves the tick as it was; the
// controller's ProblemFound says why.
QAction* AddAutoProfileMenuItem(QMenu& menu, AutoProfileController& controller,
                                std::function<QString()> text);

}  // namespace talon
