#include "key_table.h"

#include "key_codes.h"
#include "key_commands.h"

namespace {

// Codes that some accelerator entry produces.
bool IsAcceleratorKeyCode(int32_t c) {
  using namespace keycode;
  if (c >= 179 && c <= 218) return true;         // keypad box drawing
  if (c >= kDown && c <= kEnd) return true;      // arrows, function and edit keys
  if (c == kAltComma || c == kAltPeriod || c == kAltEquals || c == kAltBracket || c == kAltBackquote) return true;
  if (c >= kAlt0 && c <= kAlt0 + 9) return true;
  if (c >= kAltA && c <= kAltA + 25) return true;
  return c == kAltInsert || c == kAltDelete;
}

}  // namespace

int32_t KeyCodeForCommand(int commandId) {
  if (commandId < KEY_COMMAND_BASE || commandId > KEY_COMMAND_LAST) return 0;
  const int32_t code = commandId - KEY_COMMAND_BASE;
  return IsAcceleratorKeyCode(code) ? code : 0;
}

int CommandForKeyCode(int32_t code) { return IsAcceleratorKeyCode(code) ? IDK(code) : 0; }
