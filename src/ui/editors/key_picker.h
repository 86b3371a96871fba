#pragma once
// CKeyPicker: the key assignment dialog's on-screen keyboard. It shows the keys of the key list
// laid out as on a full-size keyboard, in the skin's look, and hands a press and a release of
// the key clicked to its owner as keystrokes (virtual-key code and keystroke flags), exactly as
// the keyboard hooks get them. So keys the desktop keeps for itself (Super, Print Screen) or
// that the layout lacks can still be captured and recorded.
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

#include "model/key_table.h"
#include "platform/keystroke.h"
#include "platform/text_lookup.h"

namespace talon {

// The keystroke a key gives, pressed or released, as a keyboard hook would see it.
Keystroke KeystrokeOfKey(KeyId key, bool release);

class CKeyPicker : public QWidget {
 public:
  using Deliver = std::function<void(std::uint8_t vk, std::uint32_t flags)>;

  // A tool window over `owner`, which gets the keystrokes of the keys clicked.
  CKeyPicker(QWidget& owner, const TextLookup& texts, Deliver deliver);

  // Opens below the owner's frame, or above it when the screen has no room below.
  void ShowBeside(const QRect& owner_frame);
  // The key names and title in the current language.
  void LoadTexts();
  // Where key `key` is drawn; empty when the picker does not show it.
  QRect KeyRect(KeyId key) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QRect KeyArea(std::size_t index) const;
  std::optional<std::size_t> KeyAt(QPoint at) const;
  QRect CloseBox() const;
  void Release();

  const TextLookup& texts_;
  Deliver deliver_;
  QString title_;
  std::vector<QString> names_;
  std::optional<std::size_t> hover_;
  std::optional<std::size_t> held_;
  std::optional<QPoint> drag_from_;
};

}  // namespace talon
