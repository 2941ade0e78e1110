// The relay between the host and the helper library's program editor: kind 6
// opens an edit window with the block's lines, and the S family polls the
// windows for the messages their edits queued, closes sessions and passes the
// host's answers on.
#pragma once

#include "helper/interfaces/helper_interfaces.h"

// What the shell wires in: the library's CreateEditWindow (null without the
// library), the terminal's callbacks object and the main window's title.
struct EditWindowPort {
  CreateEditWindowFn createEditWindow;
  EditToMoxel* callbacks;
  const char* (*mainTitle)();
};

// The relay's record. One per process, owned by edit_relay.cpp.
struct EditRelayState {
  MoxelToEdit* edit;          // the library's object; null while no window exists
  int pendingSession;         // the session the host is polling, 0: none
  bool awaitingConfirmation;  // the last message sent waits for the next poll
};
extern EditRelayState EditRelay;

void AttachEditWindows(const EditWindowPort& port);
void ResetEditRelay();  // the record cleared, the port kept

// Kind 6 after its body: open the window and hand it the stored lines.
// False (nothing opened) when there is no library, the session is 0, the
// store failed or the library made no window.
bool OpenProgramEditor();

// ESC S G, ESC S B, ESC S K, ESC S R.
void PollEditSessions();
void CloseRememberedSession();
void CloseSessionForHost(int session);
void AnswerSessionForHost(int session, const char* answer);

// An edit-window event reached a local mode: the session with work, which
// becomes the pending one, or 0 when none has any.
int TakeEditEventSession();

// For the shell's callbacks (a view-only window asks to be closed, the
// connection went): close a session, forgetting the library's object when no
// window remains.
void CloseEditSessionFromShell(int session);
void ForgetEditWindows();
