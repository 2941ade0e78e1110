#include "input_mode.h"

InputModeRecord InputMode = {DiscardHandler, 0, false, false};

namespace {
void NoOutput(const uint8_t*, int) {}
}  // namespace

void (*KeyBytesOut)(const uint8_t* bytes, int count) = NoOutput;

void SetInputMode(KeyHandler handler, int modeNumber) {
  InputMode.handler = handler;
  InputMode.modeNumber = modeNumber;
}

int DiscardHandler(int32_t) { return 1; }

int BasicHandlerBytes(int32_t code, uint8_t out[3]) {
  auto functionKey = [out](uint8_t second) {
    out[0] = 2;
    out[1] = second;
    out[2] = 13;
    return 3;
  };
  if (code >= 0 && code <= 255) {
    out[0] = static_cast<uint8_t>(code);
    return 1;
  }
  if (code == -1) {  // a mouse button set to "Disable"
    out[0] = 255;
    return 1;
  }
  switch (code) {
    case 1000: out[0] = 10; return 1;  // Down
    case 1001: out[0] = 26; return 1;  // Up
    case 1002: out[0] = 21; return 1;  // Left
    case 1003: out[0] = 6; return 1;   // Right
    default: break;
  }
  if (code >= 1004 && code <= 1015) return functionKey(static_cast<uint8_t>(48 + code - 1003));  // F1-F12
  if (code >= 1016 && code <= 1027) return functionKey(static_cast<uint8_t>(32 + code - 1015));  // Shift+F1-F12
  if (code == 1028 || code == 1038) return functionKey(48 + 11);                                 // as F11
  if (code == 1029 || code == 1039) return functionKey(48 + 12);                                 // as F12
  if (code >= 1030 && code <= 1037) return functionKey(static_cast<uint8_t>(32 + code - 1029));  // as Shift+F1-F8
  return 0;
}

int BasicHandler(int32_t code) {
  uint8_t bytes[3];
  int n = BasicHandlerBytes(code, bytes);
  if (n) KeyBytesOut(bytes, n);
  return 1;
}
