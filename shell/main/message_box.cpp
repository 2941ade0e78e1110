#include "message_box.h"

#include "shell_state.h"

const char* LoadProgramString(UINT stringId) {
  static char text[512];
  if (LoadStringA(Shell.instance, stringId, text, sizeof text) <= 0) text[0] = 0;
  return text;
}

int ShowMessage(HWND owner, const char* text, const char* caption, UINT style) {
  return MessageBoxA(owner, text, caption, style);
}

int ShowStringMessage(HWND owner, UINT stringId, UINT buttons) {
  char text[512];
  if (LoadStringA(Shell.instance, stringId, text, sizeof text) <= 0) text[0] = 0;
  return MessageBoxA(owner, text, kProgramTitle, buttons | MB_ICONSTOP);
}
