#include "keyboard_seam.h"

#include <cstdio>
#include <string>

#include "input_mode.h"
#include "key_codes.h"
#include "key_dispatcher.h"
#include "mouse_machine.h"
#include "host_items.h"
#include "outbox_delivery.h"
#include "shell/ingress/ingress.h"

ShellKeyboardSeam KeyboardSeamForShell;

void ShellKeyboardSeam::ReplayTypeAhead() { ::ReplayTypeAhead(); }

void ShellKeyboardSeam::ResetInput() {
  ResetKeyboard();
  AbandonOutboxDelivery();
  IngressState.pendingEot = false;
  InputMode.localMode = false;
  InputMode.localEditing = false;
  // A local handler gives the keyboard back to the plain terminal; without a
  // channel the discard handler stays.
  if (InputMode.handler != DiscardHandler) SetInputMode(BasicHandler, 0);
  InputMode.modeNumber = 0;
}

void ShellKeyboardSeam::InstallLocalHandler(LocalKeyHandler handler, int modeNumber) {
  SetInputMode(handler, modeNumber);
  InputMode.localMode = true;
}

void ShellKeyboardSeam::RestoreNormalHandler() {
  InputMode.localMode = false;
  SetInputMode(BasicHandler, 0);
}

void ShellKeyboardSeam::SetLocalEditing(bool on) { InputMode.localEditing = on; }

void ShellKeyboardSeam::SetLocalCaret(bool on) { KeyboardEvents.localCaret(on); }

bool ShellKeyboardSeam::NextTypeAhead(int32_t* code) { return TakeTypeAhead(code); }

int ShellKeyboardSeam::LastMouseEvent(int values[5]) { return LastMouseEventValues(values); }

bool ShellKeyboardSeam::EventPending(int32_t code) {
  switch (code) {
    case keycode::kEditEvent: return editEventPending_;
    case keycode::kMessageArrived: return OutboxMessagePending();
    case keycode::kItemQueued: return HostItemsWaiting();
    default: return false;
  }
}

bool ShellKeyboardSeam::TakePcMessage(char* text, int size) { return TakeOutboxMessage(text, size); }

// The contents of the outbox file taken follow the name; the local mode
// hears of the end through LocalModeMessageDone().
void ShellKeyboardSeam::DeliverPcMessage() { DeliverOutboxMessage(); }

// The oldest item for the host: its text and its position text; a notice
// asks for the second ending code.
bool ShellKeyboardSeam::TakeBrowseRequest(char* first, int firstSize, char* second, int secondSize,
                                          bool* alternate) {
  if (firstSize > 0) first[0] = 0;
  if (secondSize > 0) second[0] = 0;
  *alternate = false;
  std::string text, position;
  int kind = 0;
  if (firstSize <= 0 || secondSize <= 0 || !PopHostItem(&text, &position, &kind)) return false;
  std::snprintf(first, static_cast<size_t>(firstSize), "%s", text.c_str());
  std::snprintf(second, static_cast<size_t>(secondSize), "%s", position.c_str());
  *alternate = kind == kNoticeKind;
  return true;
}

bool ShellKeyboardSeam::TakeEditWindowEvent(int* value) {
  *value = 0;
  const bool pending = editEventPending_;
  editEventPending_ = false;
  return pending;
}

void ShellKeyboardSeam::OpenFindDialog() { KeyboardEvents.openFindDialog(); }

bool ShellKeyboardSeam::TakeFindRequest(char* text, int size, uint8_t* flags) {
  return KeyboardEvents.findRequest(text, size, flags);
}
