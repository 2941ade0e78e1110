// The InputMode slot: the handler that takes the next internal key code and
// the keyboard-mode number that goes with it, plus the two handlers that
// belong to the shell.
#pragma once

#include <cstdint>

// Returns non-zero when the handler accepted the code.
using KeyHandler = int (*)(int32_t code);

struct InputModeRecord {
  KeyHandler handler;
  int modeNumber;
  bool localMode;     // a local handler owns the keyboard
  bool localEditing;  // local edit mode or a type-26 field
};

// Owned by input_mode.cpp.
extern InputModeRecord InputMode;

void SetInputMode(KeyHandler handler, int modeNumber);
// Accepts every code and does nothing (no channel).
int DiscardHandler(int32_t code);
// The plain terminal after connect: keys become bytes for the host.
int BasicHandler(int32_t code);
// The bytes the basic handler sends for a code (0 to 3 of them).
int BasicHandlerBytes(int32_t code, uint8_t out[3]);

// Where the basic handler writes; the shell points it at the channel.
extern void (*KeyBytesOut)(const uint8_t* bytes, int count);
