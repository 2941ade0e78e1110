#include "edit_relay.h"

#include <cstring>
#include <string>

#include "engine_context.h"
#include "line_store.h"
#include "reply_buffer.h"
#include "text_block.h"

EditRelayState EditRelay;

namespace {

const char* NoTitle() { return ""; }

EditWindowPort Port = {nullptr, nullptr, NoTitle};

// "s", the session + 32 (a blank for none), CR.
void ReplySession(int session) {
  AppendByte('s');
  AppendByte(session > 0 && session < 224 ? static_cast<uint8_t>(session + 32) : ' ');
  AppendByte('\r');
  Flush();
}

void Forget() {
  EditRelay.edit = nullptr;
  EditRelay.pendingSession = 0;
  EditRelay.awaitingConfirmation = false;
}

void CloseSession(int session) {
  if (!EditRelay.edit) return;
  if (EditRelay.edit->CloseSession(session) == 0) Forget();
}

}  // namespace

void AttachEditWindows(const EditWindowPort& port) {
  Port = port;
  if (!Port.mainTitle) Port.mainTitle = NoTitle;
}

void ResetEditRelay() { EditRelay = EditRelayState{}; }

bool OpenProgramEditor() {
  const TextBlockState& b = TextBlock;
  if (!Port.createEditWindow || b.session <= 0 || b.storeFailed) return false;
  // "suffix,title prefix"; without a comma all of it is the title prefix.
  std::string suffix;
  std::string title = b.request;
  if (const char* comma = std::strchr(b.request, ',')) {
    suffix.assign(b.request, comma);
    title = comma + 1;
  }
  const char* mainTitle = Port.mainTitle();
  if (const char* blank = mainTitle ? std::strchr(mainTitle, ' ') : nullptr) title += blank;
  int index = -1;
  MoxelToEdit* edit =
      Port.createEditWindow(Port.callbacks, &index, title.c_str(), b.session, b.readOnly, suffix.c_str());
  if (!edit) return false;
  EditRelay.edit = edit;
  AppendByte('1');
  Flush();
  for (int i = 0; i <= b.highestLine; ++i) {
    uint8_t* line = LineStore.LineAt(i);
    if (!line) break;
    edit->AddLoadedLine(index, reinterpret_cast<const char*>(line), LineStore.lineLength);
  }
  LineStore.UnlockAll();
  edit->EndOfLoad(index);
  return true;
}

void PollEditSessions() {
  EditRelayState& r = EditRelay;
  if (!r.edit || r.pendingSession <= 0) {
    ReplySession(0);
    return;
  }
  if (r.awaitingConfirmation) {
    r.awaitingConfirmation = false;
    r.edit->AcknowledgeSend(r.pendingSession);
  }
  const char* text = nullptr;
  int length = 0;
  if (r.edit->GetNextMessage(r.pendingSession, &text, &length) && text && length > 0) {
    AppendBytes(reinterpret_cast<const uint8_t*>(text), length);
    Flush();
    r.awaitingConfirmation = true;
    return;
  }
  r.pendingSession = r.edit->GetPendingSession();
  ReplySession(r.pendingSession);
}

void CloseRememberedSession() {
  EditRelayState& r = EditRelay;
  if (r.edit && r.pendingSession > 0) {
    if (r.awaitingConfirmation) {
      // The host stops a long line: its continuation is dropped, and the next
      // poll's confirmation removes the line once.
      r.edit->CancelContinuation(r.pendingSession);
    } else {
      CloseSession(r.pendingSession);
    }
  }
  PollEditSessions();
}

void CloseSessionForHost(int session) {
  CloseSession(session);
  EditRelay.pendingSession = 0;
  EditRelay.awaitingConfirmation = false;
}

void AnswerSessionForHost(int session, const char* answer) {
  if (EditRelay.edit) EditRelay.edit->HostReply(session, answer);
}

int TakeEditEventSession() {
  int ignored = 0;
  Engine.keyboard->TakeEditWindowEvent(&ignored);
  if (!EditRelay.edit) return 0;
  const int session = EditRelay.edit->GetPendingSession();
  if (session > 0) {
    if (session != EditRelay.pendingSession) EditRelay.awaitingConfirmation = false;
    EditRelay.pendingSession = session;
  }
  return session > 0 ? session : 0;
}

void CloseEditSessionFromShell(int session) {
  CloseSession(session);
  if (EditRelay.pendingSession == session) {
    EditRelay.pendingSession = 0;
    EditRelay.awaitingConfirmation = false;
  }
}

void ForgetEditWindows() { Forget(); }
