#include "ui/skin/qt_keystroke.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <linux/input-event-codes.h>

#include <algorithm>

namespace talon {

namespace {

struct QtKeyRow {
  int qt_key;
  unsigned code;
};

// Keys off the keypad.
constexpr QtKeyRow kMainKeys[] = {
    {Qt::Key_Space, KEY_SPACE},
    {Qt::Key_Exclam, KEY_1},
    {Qt::Key_QuoteDbl, KEY_APOSTROPHE},
    {Qt::Key_NumberSign, KEY_3},
    {Qt::Key_Dollar, KEY_4},
    {Qt::Key_Percent, KEY_5},
    {Qt::Key_Ampersand, KEY_7},
    {Qt::Key_Apostrophe, KEY_APOSTROPHE},
    {Qt::Key_ParenLeft, KEY_9},
    {Qt::Key_ParenRight, KEY_0},
    {Qt::Key_Asterisk, KEY_8},
    {Qt::Key_Plus, KEY_EQUAL},
    {Qt::Key_Comma, KEY_COMMA},
    {Qt::Key_Minus, KEY_MINUS},
    {Qt::Key_Period, KEY_DOT},
    {Qt::Key_Slash, KEY_SLASH},
    {Qt::Key_0, KEY_0},
    {Qt::Key_1, KEY_1},
    {Qt::Key_2, KEY_2},
    {Qt::Key_3, KEY_3},
    {Qt::Key_4, KEY_4},
    {Qt::Key_5, KEY_5},
    {Qt::Key_6, KEY_6},
    {Qt::Key_7, KEY_7},
    {Qt::Key_8, KEY_8},
    {Qt::Key_9, KEY_9},
    {Qt::Key_Colon, KEY_SEMICOLON},
    {Qt::Key_Semicolon, KEY_SEMICOLON},
    {Qt::Key_Less, KEY_COMMA},
    {Qt::Key_Equal, KEY_EQUAL},
    {Qt::Key_Greater, KEY_DOT},
    {Qt::Key_Question, KEY_SLASH},
    {Qt::Key_At, KEY_2},
    {Qt::Key_A, KEY_A},
    {Qt::Key_B, KEY_B},
    {Qt::Key_C, KEY_C},
    {Qt::Key_D, KEY_D},
    {Qt::Key_E, KEY_E},
    {Qt::Key_F, KEY_F},
    {Qt::Key_G, KEY_G},
    {Qt::Key_H, KEY_H},
    {Qt::Key_I, KEY_I},
    {Qt::Key_J, KEY_J},
    {Qt::Key_K, KEY_K},
    {Qt::Key_L, KEY_L},
    {Qt::Key_M, KEY_M},
    {Qt::Key_N, KEY_N},
    {Qt::Key_O, KEY_O},
    {Qt::Key_P, KEY_P},
    {Qt::Key_Q, KEY_Q},
    {Qt::Key_R, KEY_R},
    {Qt::Key_S, KEY_S},
    {Qt::Key_T, KEY_T},
    {Qt::Key_U, KEY_U},
    {Qt::Key_V, KEY_V},
    {Qt::Key_W, KEY_W},
    {Qt::Key_X, KEY_X},
    {Qt::Key_Y, KEY_Y},
    {Qt::Key_Z, KEY_Z},
    {Qt::Key_BracketLeft, KEY_LEFTBRACE},
    {Qt::Key_Backslash, KEY_BACKSLASH},
    {Qt::Key_BracketRight, KEY_RIGHTBRACE},
    {Qt::Key_AsciiCircum, KEY_6},
    {Qt::Key_Underscore, KEY_MINUS},
    {Qt::Key_QuoteLeft, KEY_GRAVE},
    {Qt::Key_BraceLeft, KEY_LEFTBRACE},
    {Qt::Key_Bar, KEY_BACKSLASH},
    {Qt::Key_BraceRight, KEY_RIGHTBRACE},
    {Qt::Key_AsciiTilde, KEY_GRAVE},
    {Qt::Key_Escape, KEY_ESC},
    {Qt::Key_Tab, KEY_TAB},
    {Qt::Key_Backtab, KEY_TAB},
    {Qt::Key_Backspace, KEY_BACKSPACE},
    {Qt::Key_Return, KEY_ENTER},
    {Qt::Key_Enter, KEY_ENTER},
    {Qt::Key_Insert, KEY_INSERT},
    {Qt::Key_Delete, KEY_DELETE},
    {Qt::Key_Pause, KEY_PAUSE},
    {Qt::Key_Print, KEY_SYSRQ},
    {Qt::Key_SysReq, KEY_SYSRQ},
    {Qt::Key_Home, KEY_HOME},
    {Qt::Key_End, KEY_END},
    {Qt::Key_Left, KEY_LEFT},
    {Qt::Key_Up, KEY_UP},
    {Qt::Key_Right, KEY_RIGHT},
    {Qt::Key_Down, KEY_DOWN},
    {Qt::Key_PageUp, KEY_PAGEUP},
    {Qt::Key_PageDown, KEY_PAGEDOWN},
    {Qt::Key_Shift, KEY_LEFTSHIFT},
    {Qt::Key_Control, KEY_LEFTCTRL},
    {Qt::Key_Meta, KEY_LEFTMETA},
    {Qt::Key_Alt, KEY_LEFTALT},
    {Qt::Key_CapsLock, KEY_CAPSLOCK},
    {Qt::Key_NumLock, KEY_NUMLOCK},
    {Qt::Key_ScrollLock, KEY_SCROLLLOCK},
    {Qt::Key_F1, KEY_F1},
    {Qt::Key_F2, KEY_F2},
    {Qt::Key_F3, KEY_F3},
    {Qt::Key_F4, KEY_F4},
    {Qt::Key_F5, KEY_F5},
    {Qt::Key_F6, KEY_F6},
    {Qt::Key_F7, KEY_F7},
    {Qt::Key_F8, KEY_F8},
    {Qt::Key_F9, KEY_F9},
    {Qt::Key_F10, KEY_F10},
    {Qt::Key_F11, KEY_F11},
    {Qt::Key_F12, KEY_F12},
    {Qt::Key_F13, KEY_F13},
    {Qt::Key_Menu, KEY_COMPOSE},
    {Qt::Key_Back, KEY_BACK},
    {Qt::Key_Forward, KEY_FORWARD},
    {Qt::Key_Stop, KEY_STOP},
    {Qt::Key_Refresh, KEY_REFRESH},
    {Qt::Key_VolumeDown, KEY_VOLUMEDOWN},
    {Qt::Key_VolumeMute, KEY_MUTE},
    {Qt::Key_VolumeUp, KEY_VOLUMEUP},
    {Qt::Key_MediaPlay, KEY_PLAYPAUSE},
    {Qt::Key_MediaStop, KEY_STOPCD},
    {Qt::Key_MediaPrevious, KEY_PREVIOUSSONG},
    {Qt::Key_MediaNext, KEY_NEXTSONG},
    {Qt::Key_HomePage, KEY_HOMEPAGE},
    {Qt::Key_Favorites, KEY_BOOKMARKS},
    {Qt::Key_Search, KEY_SEARCH},
    {Qt::Key_LaunchMail, KEY_MAIL},
    {Qt::Key_LaunchMedia, KEY_MEDIA},
    {Qt::Key_Launch0, KEY_COMPUTER},
    {Qt::Key_Launch1, KEY_CALC},
    {Qt::Key_MediaTogglePlayPause, KEY_PLAYPAUSE},
    {Qt::Key_Calculator, KEY_CALC},
    {Qt::Key_Sleep, KEY_SLEEP},
    {Qt::Key_WakeUp, KEY_WAKEUP},
    {Qt::Key_PowerOff, KEY_POWER},
    {Qt::Key_Muhenkan, KEY_MUHENKAN},
    {Qt::Key_Henkan, KEY_HENKAN},
    {Qt::Key_Hiragana_Katakana, KEY_KATAKANAHIRAGANA},
    {Qt::Key_Hangul, KEY_HANGEUL},
    {Qt::Key_Hangul_Hanja, KEY_HANJA},
};

// Keypad keys (Qt::KeypadModifier set). With Num Lock off the keypad digits
// arrive as navigation keys.
constexpr QtKeyRow kKeypadKeys[] = {
    {Qt::Key_Asterisk, KEY_KPASTERISK},
    {Qt::Key_Plus, KEY_KPPLUS},
    {Qt::Key_Comma, KEY_KPDOT},
    {Qt::Key_Minus, KEY_KPMINUS},
    {Qt::Key_Period, KEY_KPDOT},
    {Qt::Key_Slash, KEY_KPSLASH},
    {Qt::Key_0, KEY_KP0},
    {Qt::Key_1, KEY_KP1},
    {Qt::Key_2, KEY_KP2},
    {Qt::Key_3, KEY_KP3},
    {Qt::Key_4, KEY_KP4},
    {Qt::Key_5, KEY_KP5},
    {Qt::Key_6, KEY_KP6},
    {Qt::Key_7, KEY_KP7},
    {Qt::Key_8, KEY_KP8},
    {Qt::Key_9, KEY_KP9},
    {Qt::Key_Return, KEY_KPENTER},
    {Qt::Key_Enter, KEY_KPENTER},
    {Qt::Key_Insert, KEY_KP0},
    {Qt::Key_Delete, KEY_KPDOT},
    {Qt::Key_Clear, KEY_KP5},
    {Qt::Key_Home, KEY_KP7},
    {Qt::Key_End, KEY_KP1},
    {Qt::Key_Left, KEY_KP4},
    {Qt::Key_Up, KEY_KP8},
    {Qt::Key_Right, KEY_KP6},
    {Qt::Key_Down, KEY_KP2},
    {Qt::Key_PageUp, KEY_KP9},
    {Qt::Key_PageDown, KEY_KP3},
};

template <std::size_t N>
unsigned Lookup(const QtKeyRow (&rows)[N], int qt_key) {
  const auto* it = std::find_if(std::begin(rows), std::end(rows),
                                [qt_key](const QtKeyRow& row) { return row.qt_key == qt_key; });
  return it != std::end(rows) ? it->code : 0;
}

// X11 and Wayland key codes are the Linux key codes plus 8.
constexpr quint32 kXkbKeyCodeOffset = 8;

bool PlatformHasLinuxKeyCodes() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

// Keypad keys report the number (or decimal point) only while Num Lock is on.
bool NumLockFromKey(int qt_key) {
  return (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) || qt_key == Qt::Key_Period ||
         qt_key == Qt::Key_Comma;
}

}  // namespace

unsigned KeyCodeOfQtKey(int qt_key, bool keypad) {
  if (keypad) {
    if (unsigned code = Lookup(kKeypadKeys, qt_key)) return code;
  }
  return Lookup(kMainKeys, qt_key);
}

int QtKeyOfEditingVirtualKey(unsigned vk) {
  switch (vk) {
    case 0x0D:
      return Qt::Key_Return;
    case 0x1B:
      return Qt::Key_Escape;
    case 0x09:
      return Qt::Key_Tab;
    default:
      return 0;
  }
}

std::optional<Keystroke> KeystrokeOfKeyEvent(const QKeyEvent& event) {
  return KeystrokeOfKeyEvent(event, PlatformHasLinuxKeyCodes());
}

std::optional<Keystroke> KeystrokeOfKeyEvent(const QKeyEvent& event, bool linux_native_codes) {
  if (event.type() != QEvent::KeyPress && event.type() != QEvent::KeyRelease) return std::nullopt;
  const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
  unsigned code = 0;
  if (linux_native_codes && event.nativeScanCode() > kXkbKeyCodeOffset) {
    code = event.nativeScanCode() - kXkbKeyCodeOffset;
  } else {
    code = KeyCodeOfQtKey(event.key(), keypad);
  }
  KeystrokeContext context;
  context.num_lock = !keypad || NumLockFromKey(event.key());
  context.ctrl = event.modifiers().testFlag(Qt::ControlModifier);
  context.alt = event.modifiers().testFlag(Qt::AltModifier);
  context.release = event.type() == QEvent::KeyRelease;
  context.repeat = event.isAutoRepeat();
  return KeystrokeOfKeyCode(code, context);
}

}  // namespace talon
