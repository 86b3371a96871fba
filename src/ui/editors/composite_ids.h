#pragma once
// The key assignment dialog's control ids and private messages.
#include "ui/skin/window_message.h"

namespace talon::composite {

inline constexpr int kTemplateId = 134;

// Frame: page buttons, Clear, on-screen keyboard, title, page picture, OK, Cancel, Apply.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kApply = 1015;
inline constexpr int kKeyPage = 1028;
inline constexpr int kMacroPage = 1029;
inline constexpr int kMediaPage = 1030;
inline constexpr int kFunctionPage = 1031;
inline constexpr int kClear = 1032;
inline constexpr int kPagePicture = 1033;
inline constexpr int kTitleImage = 1131;
inline constexpr int kKeyPicker = 1132;
inline constexpr int kTitleText = 1199;

// Key page.
inline constexpr int kKeyField = 1127;
inline constexpr int kKeyboardChoice = 1185;
inline constexpr int kKeyboardLabel = 1134;
inline constexpr int kMouseChoice = 1186;
inline constexpr int kMouseLabel = 1135;
inline constexpr int kMouseCombo = 1187;
inline constexpr int kKeyHint = 1201;

// Macro page.
inline constexpr int kMacroCombo = 1126;
inline constexpr int kMacroNameLabel = 1200;
inline constexpr int kAddMacro = 1017;
inline constexpr int kDeleteMacro = 1018;
inline constexpr int kActionList = 1019;
inline constexpr int kRecord = 1020;
inline constexpr int kDeleteAction = 1021;
inline constexpr int kClearActions = 1022;
inline constexpr int kMoveTop = 1023;
inline constexpr int kMoveUp = 1024;
inline constexpr int kMoveDown = 1025;
inline constexpr int kMoveBottom = 1026;
inline constexpr int kRecordDelay = 1027;
inline constexpr int kRecordDelayLabel = 1133;
inline constexpr int kPlayCount = 1125;
inline constexpr int kPlayCountLabel = 1130;

// Media and function pages.
inline constexpr int kMediaCombo = 1128;
inline constexpr int kMediaLabel = 1202;
inline constexpr int kFunctionCombo = 1129;
inline constexpr int kFunctionLabel = 1203;

// 'LANG': wParam the tag, lParam the language index.
inline constexpr MessageId kMsgLang = 0x5041;
inline constexpr std::uint32_t kTagLang = MessageTag("LANG");
// The action list tells its dialog that a drop-down changed a cell (wParam row, lParam column).
inline constexpr MessageId kMsgCellChanged = 0xA712;

// The pages, by the record type Apply writes for them.
inline constexpr int kPageDefault = 0;
inline constexpr int kPageKey = 2;
inline constexpr int kPageMacro = 4;
inline constexpr int kPageMedia = 7;
inline constexpr int kPageFunction = 8;

}  // namespace talon::composite
