// The engine's keyboard seam, served by the dispatcher: replay of type-ahead
// when the host reports ready, and the reset of every input state.
#pragma once

#include "service_seams.h"

class ShellKeyboardSeam final : public KeyboardSeam {
 public:
  void ReplayTypeAhead() override;
  void ResetInput() override;
  int LastMouseEvent(int values[5]) override;
  // Local modes borrow the keyboard (pick lists, input fields).
  void InstallLocalHandler(LocalKeyHandler handler, int modeNumber) override;
  void RestoreNormalHandler() override;
  void SetLocalEditing(bool on) override;
  void SetLocalCaret(bool on) override;
  bool NextTypeAhead(int32_t* code) override;
  // Events a local mode may be handed: an outbox file (PC messaging), the
  // oldest item of the queue for the host, and an edit-window event, pending
  // from the edit windows' notice until a local mode takes it.
  bool EventPending(int32_t code) override;
  bool TakePcMessage(char* text, int size) override;
  void DeliverPcMessage() override;
  bool TakeBrowseRequest(char* first, int firstSize, char* second, int secondSize, bool* alternate) override;
  bool TakeEditWindowEvent(int* value) override;
  void OpenFindDialog() override;
  bool TakeFindRequest(char* text, int size, uint8_t* flags) override;

  // The edit windows posted their notice (program message 1034).
  void NoteEditWindowEvent() { editEventPending_ = true; }

 private:
  bool editEventPending_ = false;
};

// The one instance the shell installs in the engine.
extern ShellKeyboardSeam KeyboardSeamForShell;
