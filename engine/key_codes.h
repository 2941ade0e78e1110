// Internal key codes: every key, pasted or scripted character and program
// event travels as one of these 32-bit codes. Characters are 0-255; the
// special keys and events start at 1000.
#pragma once

#include <cstdint>

namespace keycode {

constexpr int32_t kBackspace = 8;
constexpr int32_t kTab = 9;
constexpr int32_t kEnter = 13;
constexpr int32_t kCtrlR = 18;
constexpr int32_t kEscape = 27;

constexpr int32_t kDown = 1000;  // Shift with an arrow gives the same code
constexpr int32_t kUp = 1001;
constexpr int32_t kLeft = 1002;
constexpr int32_t kRight = 1003;
constexpr int32_t kF1 = 1004;       // F1-F12: 1004-1015
constexpr int32_t kF12 = 1015;
constexpr int32_t kShiftF1 = 1016;  // 1016-1027
constexpr int32_t kShiftF12 = 1027;
constexpr int32_t kCtrlF1 = 1028;   // 1028-1039
constexpr int32_t kCtrlF12 = 1039;
constexpr int32_t kAltF1 = 1040;    // 1040-1051
constexpr int32_t kAltF12 = 1051;
constexpr int32_t kInsert = 1052;
constexpr int32_t kDelete = 1053;
constexpr int32_t kPageUp = 1054;
constexpr int32_t kPageDown = 1055;
constexpr int32_t kShiftHome = 1056;
constexpr int32_t kShiftEnd = 1057;
constexpr int32_t kShiftPageUp = 1058;
constexpr int32_t kShiftPageDown = 1059;
constexpr int32_t kShiftInsert = 1060;
constexpr int32_t kShiftDelete = 1061;
constexpr int32_t kShiftTab = 1062;
constexpr int32_t kHome = 1063;
constexpr int32_t kEnd = 1064;

constexpr int32_t kMouseEvent = 1069;
constexpr int32_t kAltAlone = 1070;
constexpr int32_t kHostEot = 1071;
constexpr int32_t kDdeRequest = 1072;
constexpr int32_t kNoViewWindow = 1073;
constexpr int32_t kExitKey1075 = 1075;  // an exit key of the local modes
constexpr int32_t kF13 = 1082;
constexpr int32_t kSeparator = 1089;
constexpr int32_t kMessageArrived = 1090;
constexpr int32_t kFieldStarted = 1091;  // given to an input field when it starts
constexpr int32_t kItemQueued = 1092;
constexpr int32_t kFindRequest = 1094;
constexpr int32_t kEditEvent = 1095;

constexpr int32_t kAltBase = 1096;  // Alt combinations: 1096 + the key
constexpr int32_t kAltComma = 1140;
constexpr int32_t kAltPeriod = 1142;
constexpr int32_t kAlt0 = 1144;  // Alt+0 .. Alt+9: 1144-1153
constexpr int32_t kAltEquals = 1157;
constexpr int32_t kAltA = 1161;  // Alt+A .. Alt+Z: 1161-1186
constexpr int32_t kAltBracket = 1187;
constexpr int32_t kAltBackquote = 1192;
constexpr int32_t kAltInsert = 2148;
constexpr int32_t kAltDelete = 2149;
constexpr int32_t kExitKey2171 = 2171;

// The middle button set to "Disable" dispatches this; the basic handler sends 255.
constexpr int32_t kDisabledButton = -1;

}  // namespace keycode
