#include "keyboard_messages_win32.h"

#include <string>

#include "comm.h"
#include "input_mode.h"
#include "key_dispatcher.h"
#include "key_table.h"
#include "keyboard_seam.h"
#include "render_notify.h"
#include "resource_ids.h"
#include "screen_model.h"
#include "shell_state.h"
#include "test_request_win32.h"

namespace {

void Beep() { MessageBeep(MB_OK); }
void ClearAltPending() { Shell.altPending = false; }
bool ChannelReady(void (*callback)()) { return Channels.current->when_drained(callback); }

// Command 40183: the clipboard's text becomes the paste buffer.
void PasteFromClipboard(HWND window) {
  std::string text;
  if (OpenClipboard(window)) {
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      if (const char* p = static_cast<const char*>(GlobalLock(data))) {
        // Never past the block, even without its terminating zero.
        SIZE_T size = GlobalSize(data);
        SIZE_T n = 0;
        while (n < size && p[n]) ++n;
        text.assign(p, n);
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
  }
  PasteText(text);  // beeps when there was nothing
}

int KeyCommand(WPARAM wParam) {
  // Menu and accelerator commands only (not control notifications).
  if (HIWORD(wParam) > 1) return 0;
  return KeyCodeForCommand(LOWORD(wParam));
}

}  // namespace

KeyboardSeam* AttachKeyboardToShell() {
  KeyboardEvents.beep = Beep;
  KeyboardEvents.beforeDispatch = ClearAltPending;
  KeyboardEvents.channelReady = ChannelReady;
  return &KeyboardSeamForShell;
}

bool KeyboardWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  if (Shell.msgTester && message == Shell.msgTester) {
    *result = AnswerTestRequest(Shell.mainWindow);
    FlushRenderNotifications();
    return true;
  }
  switch (message) {
    case WM_CHAR:
      Shell.altPending = false;
      DispatchKey(static_cast<unsigned char>(wParam));
      FlushRenderNotifications();
      return true;
    case WM_COMMAND:
      if (int32_t code = KeyCommand(wParam)) {
        DispatchKey(code);
        FlushRenderNotifications();
        return true;
      }
      if (LOWORD(wParam) == CMD_PASTE) {
        PasteFromClipboard(window);
        FlushRenderNotifications();
        return true;
      }
      if (LOWORD(wParam) == CMD_CLEAR_TYPE_AHEAD) ClearTypeAhead();  // the shell clears the busy flag
      return false;
    default:
      return false;
  }
}
