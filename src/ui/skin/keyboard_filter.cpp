#include "ui/skin/keyboard_filter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>

#include "ui/skin/key_message.h"
#include "ui/skin/qt_keystroke.h"

namespace talon {

namespace {

QWidget* WidgetOfWindow(const QWindow& window) {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->windowHandle() == &window) return top;
  }
  return nullptr;
}

MessageId KeyMessageId(const QKeyEvent& event) {
  const bool up = event.type() == QEvent::KeyRelease;
  if (event.modifiers().testFlag(Qt::AltModifier)) return up ? msg::kSysKeyUp : msg::kSysKeyDown;
  return up ? msg::kKeyUp : msg::kKeyDown;
}

}  // namespace

KeyboardFilter& KeyboardFilter::Instance() {
  QCoreApplication* app = QCoreApplication::instance();
  auto* filter = app->findChild<KeyboardFilter*>(QString(), Qt::FindDirectChildrenOnly);
  if (filter == nullptr) filter = new KeyboardFilter(app);
  return *filter;
}

KeyboardFilter::KeyboardFilter(QObject* parent) : QObject(parent) {
  parent->installEventFilter(this);
}

int KeyboardFilter::InstallHook(KeystrokeHook hook) {
  const int handle = next_handle_++;
  hooks_.insert(hooks_.begin(), Hook{handle, std::move(hook)});
  return handle;
}

bool KeyboardFilter::RemoveHook(int handle) {
  auto it = std::find_if(hooks_.begin(), hooks_.end(),
                         [handle](const Hook& h) { return h.handle == handle; });
  if (it == hooks_.end()) return false;
  hooks_.erase(it);
  return true;
}

bool KeyboardFilter::eventFilter(QObject* watched, QEvent* event) {
  // A key event reaches its window once and is then forwarded to the focused widget (and its
  // parents), so looking at window deliveries sees every keystroke exactly once.
  if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
      watched->isWindowType()) {
    return Filter(*static_cast<QWindow*>(watched), *static_cast<QKeyEvent*>(event));
  }
  return false;
}

bool KeyboardFilter::Filter(QWindow& window, const QKeyEvent& event) {
  if (event.type() == QEvent::KeyRelease && event.isAutoRepeat()) return false;
  const std::optional<Keystroke> keystroke = KeystrokeOfKeyEvent(event);
  if (!keystroke) return false;
  if (RunHooks(keystroke->vk, keystroke->flags)) return true;

  QWidget* top = WidgetOfWindow(window);
  if (top == nullptr) return false;
  QWidget* target = top->focusWidget() != nullptr ? top->focusWidget() : top;
  const KeyMessage key{KeyMessageId(event), keystroke->vk, keystroke->flags, target};
  for (QWidget* w = target; w != nullptr; w = w->parentWidget()) {
    if (auto* translator = dynamic_cast<KeyPreTranslator*>(w)) {
      if (translator->PreTranslateKey(key)) return true;
    }
    // A window takes its own keys: the windows that own it (the main window under a dialog,
    // a dialog under a message box or a drop-down's list) must not swallow its Enter and
    // Escape.
    if (w->isWindow()) break;
  }
  return false;
}

bool KeyboardFilter::RunHooks(std::uint8_t vk, std::uint32_t flags) {
  // A hook may install or remove hooks while it runs (a recording that stops itself): each hook
  // that was installed when the keystroke came runs only if it is still installed.
  std::vector<int> handles;
  for (const Hook& hook : hooks_) handles.push_back(hook.handle);
  for (int handle : handles) {
    auto it = std::find_if(hooks_.begin(), hooks_.end(),
                           [handle](const Hook& h) { return h.handle == handle; });
    if (it == hooks_.end()) continue;
    const KeystrokeHook function = it->function;
    if (function(vk, flags)) return true;
  }
  return false;
}

}  // namespace talon
