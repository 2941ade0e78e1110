// What pick lists and input fields share while they own the keyboard: the
// handler slot, the bell, the busy state and the events that wait for them.
#pragma once

#include <cstdint>

#include "service_seams.h"

// Internal key codes the local modes act on.
namespace key {
constexpr int32_t kBackspace = 8;
constexpr int32_t kTab = 9;
constexpr int32_t kEnter = 13;
constexpr int32_t kCtrlR = 18;
constexpr int32_t kEsc = 27;
constexpr int32_t kDown = 1000;
constexpr int32_t kUp = 1001;
constexpr int32_t kLeft = 1002;
constexpr int32_t kRight = 1003;
constexpr int32_t kF1 = 1004;
constexpr int32_t kF12 = 1015;
constexpr int32_t kShiftF1 = 1016;
constexpr int32_t kShiftF12 = 1027;
constexpr int32_t kCtrlF1 = 1028;
constexpr int32_t kCtrlF12 = 1039;
constexpr int32_t kAltF1 = 1040;
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
constexpr int32_t kMouse = 1069;
constexpr int32_t kAltAlone = 1070;
constexpr int32_t kHostAbort = 1071;
constexpr int32_t kDdeRequest = 1072;
constexpr int32_t kExitKey1075 = 1075;
constexpr int32_t kF13 = 1082;
constexpr int32_t kPcMessage = 1090;
constexpr int32_t kFieldStarted = 1091;
constexpr int32_t kBrowseRequest = 1092;
constexpr int32_t kEditWindowEvent = 1095;
constexpr int32_t kAltBase = 1096;
constexpr int32_t kAltDelete = 2149;
constexpr int32_t kExitKey2171 = 2171;
}  // namespace key

constexpr uint8_t kReplyFieldEnd = 0xFE;

// The bell, as the host's BEL rings it.
void LocalBell();
// Busy flag on and the spinner running: keys after the reply wait for the
// host's ready.
void MarkHostBusy();
// Hand the keyboard to a local handler (local-mode flag set).
void TakeKeyboard(LocalKeyHandler handler, int modeNumber);
// Give it back: local-mode flag cleared, normal handler (mode 0).
void ReleaseKeyboard();
// Replay keys typed ahead into handler while still() holds.
void ReplayTypeAhead(LocalKeyHandler handler, bool (*still)());
// Deliver the waiting events 1090, 1092, 1095 to handler while still() holds.
void DeliverPendingEvents(LocalKeyHandler handler, bool (*still)());
// Send a waiting PC message's text and 0xFE; true when one was sent.
bool SendPcMessage();
// Send a waiting browse request's two texts, each ended by 0xFE; true when
// one was sent, with the code the ending carries (155 or 156).
bool SendBrowseRequest(int* code);
// After a key: hand the renderer what changed and the channel what was built.
void FinishKey();

// The messaging service calls this when the message a local mode handed it
// has been delivered: the waiting pick list or field ends with code 154.
void LocalModeMessageDone();
// Registered by the mode that waits for the message.
void SetMessageDoneHandler(void (*done)());
