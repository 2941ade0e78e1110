#include "keyboard_seam.h"

#include "input_mode.h"
#include "key_codes.h"
#include "key_dispatcher.h"
#include "mouse_machine.h"
#include "shell/ingress/ingress.h"

ShellKeyboardSeam KeyboardSeamForShell;

void ShellKeyboardSeam::ReplayTypeAhead() { ::ReplayTypeAhead(); }

void ShellKeyboardSeam::ResetInput() {
  ResetKeyboard();
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

bool ShellKeyboardSeam::EventPending(int32_t code) { return code == keycode::kEditEvent && editEventPending_; }

bool ShellKeyboardSeam::TakePcMessage(char* text, int size) {
  if (size > 0) text[0] = 0;
  return false;
}

// Nothing was taken, so there is nothing to show and no completion to report.
void ShellKeyboardSeam::DeliverPcMessage() {}

bool ShellKeyboardSeam::TakeBrowseRequest(char* first, int firstSize, char* second, int secondSize,
                                          bool* alternate) {
  if (firstSize > 0) first[0] = 0;
  if (secondSize > 0) second[0] = 0;
  *alternate = false;
  return false;
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
