#pragma once
// The application-wide keyboard filter. Every key press and release on its way to a window is
// first handed, as (virtual-key code, keystroke flags), to the installed keystroke hooks, most
// recently installed first; then to the PreTranslateKey of each KeyPreTranslator on the way from
// the focused widget up to its window (a list editing a cell, the dialog), innermost first: the
// windows under it (the main window under a dialog, a dialog under a message box or an open
// drop-down list) never see its keys. Any of them can swallow it, and then no widget sees it.
//
// Auto-repeated releases (X11 sends a release before every repeated press) are not keystrokes
// and are passed on untouched.
#include <QObject>

#include <cstdint>
#include <functional>
#include <vector>

class QKeyEvent;
class QWindow;

namespace talon {

// Returns true to swallow the keystroke.
using KeystrokeHook = std::function<bool(std::uint8_t vk, std::uint32_t flags)>;

class KeyboardFilter : public QObject {
  Q_OBJECT

 public:
  // The filter of the running application, created on first use and destroyed with it.
  static KeyboardFilter& Instance();

  // A handle for RemoveHook, never 0.
  int InstallHook(KeystrokeHook hook);
  bool RemoveHook(int handle);
  std::size_t HookCount() const { return hooks_.size(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit KeyboardFilter(QObject* parent);
  bool Filter(QWindow& window, const QKeyEvent& event);
  bool RunHooks(std::uint8_t vk, std::uint32_t flags);

  struct Hook {
    int handle;
    KeystrokeHook function;
  };
  std::vector<Hook> hooks_;
  int next_handle_ = 1;
};

}  // namespace talon
