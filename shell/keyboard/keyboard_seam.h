// The engine's keyboard seam, served by the dispatcher: replay of type-ahead
// when the host reports ready, and the reset of every input state.
#pragma once

#include "service_seams.h"

class ShellKeyboardSeam final : public KeyboardSeam {
 public:
  void ReplayTypeAhead() override;
  void ResetInput() override;
  int LastMouseEvent(int values[5]) override;
  // Local modes borrow the keyboard (pick lists, input fields). Declared
  // without override: they match the seam's slots where it has them.
  void InstallLocalHandler(int (*handler)(int32_t code), int modeNumber);
  void RestoreNormalHandler();
  void SetLocalEditing(bool on);
  bool NextTypeAhead(int32_t* code);
};

// The one instance the shell installs in the engine.
extern ShellKeyboardSeam KeyboardSeamForShell;
