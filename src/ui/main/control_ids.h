#pragma once
// The control ids of the main window and which key each key button stands for. The 104 key
// buttons take the ids 1010-1120 apart from 1016-1021 (the D keys) and 1057 (the hidden second
// part of Enter): F1-F6 first, as 1010-1015, then the rest of the key buttons in button order.
#include <cstddef>
#include <optional>

#include "model/key_table.h"

namespace talon::ctl {

inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kG1 = 1000;  // G1-G5: 1000-1004
inline constexpr int kProfiles = 1005;
inline constexpr int kApply = 1006;
inline constexpr int kMacro = 1007;
inline constexpr int kFirstKey = 1010;
inline constexpr int kLastKey = 1120;
inline constexpr int kF1 = 1010;  // F1-F4 give way to D1-D6 while Flip is on
inline constexpr int kF5 = 1014;
inline constexpr int kD1 = 1016;  // D1-D6: 1016-1021
inline constexpr int kSecondEnter = 1057;
inline constexpr int kLink = 1121;
inline constexpr int kHelp = 1122;
inline constexpr int kMinimize = 1123;
inline constexpr int kClose = 1124;
inline constexpr int kLockCaps = 1125;
inline constexpr int kLockNum = 1126;
inline constexpr int kLockScroll = 1127;
inline constexpr int kLockBank = 1128;
inline constexpr int kFlipIndicator = 1129;
inline constexpr int kFlipLeft = 1130;
inline constexpr int kFlipRight = 1131;
inline constexpr int kLeftArrow = 1132;
inline constexpr int kRightArrow = 1133;
inline constexpr int kVersionText = 1134;
inline constexpr int kProfile1 = 1135;  // profile buttons 1135-1137
inline constexpr int kDefault = 1138;
inline constexpr int kMenu = 1139;
inline constexpr int kG6 = 1140;  // G6-G9: 1140-1143
inline constexpr int kG9 = 1143;
inline constexpr int kFirstPanel = 1146;  // the lighting panel: 1146-1221
inline constexpr int kLastPanel = 1221;
inline constexpr int kFn = 1174;
inline constexpr int kBusy = 1177;
inline constexpr int kNetwork = 1219;
inline constexpr int kFacebook = 1220;
inline constexpr int kTwitter = 1221;

// Menu commands.
inline constexpr int kMenuRestore = 32776;
inline constexpr int kMenuBackup = 32777;
inline constexpr int kProfileMenuFirst = 9000;  // 9000: default, 9001-9004: profiles 0-3
inline constexpr int kProfileMenuLast = 9200;

// The control id of key button `index` (0-103), or 0.
int ControlIdOfButton(std::size_t index);
// The button index of a key button's control id.
std::optional<std::size_t> ButtonIndexOfControl(int control_id);
// The key a key button or G button stands for (0 for any other id).
KeyId KeyOfControl(int control_id);
// G buttons: control id of G n (1-9), and n of a control id (0 when it is no G button).
int ControlIdOfGButton(unsigned n);
unsigned GButtonOfControl(int control_id);

}  // namespace talon::ctl
