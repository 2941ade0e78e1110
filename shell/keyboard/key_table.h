// The key table: the command identifiers of the accelerator entries that
// stand for keys, turned back into internal key codes.
#pragma once

#include <cstdint>

// The internal key code an accelerator command carries, or 0 when the
// identifier is an ordinary command.
int32_t KeyCodeForCommand(int commandId);
// The command identifier of an accelerator entry for this code (0: none).
int CommandForKeyCode(int32_t code);
