// What pick lists and input fields share while they own the keyboard: the
// handler slot, the bell, the busy state and the events that wait for them.
#pragma once

#include <cstdint>

#include "key_codes.h"
#include "service_seams.h"

// Internal key codes the local modes act on.
namespace key = keycode;

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
