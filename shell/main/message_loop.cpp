#include "message_loop.h"

#include <windows.h>

#include "engine_bridge.h"
#include "shell_state.h"
#include "shell/editlink/helper_link_win32.h"

namespace {

// The accelerator tables serve the terminal's own windows only.
bool ForTerminalWindow(HWND window) {
  return window && (window == Shell.mainWindow || window == Shell.viewWindow ||
                    window == Shell.fullScreenWindow || window == Shell.paintTarget);
}

bool Translated(MSG& msg) {
  if (Shell.findDialog && IsDialogMessageA(Shell.findDialog, &msg)) return true;
  if (!ForTerminalWindow(msg.hwnd)) return false;
  HWND target = Shell.paintTarget ? Shell.paintTarget : Shell.mainWindow;
  if (Shell.accelMain && TranslateAcceleratorA(target, Shell.accelMain, &msg)) return true;
  if ((LocalModeFlag() || BusyFlag()) && Shell.accelBusy && TranslateAcceleratorA(target, Shell.accelBusy, &msg))
    return true;
  if (LocalEditingFlag() && Shell.accelEdit && TranslateAcceleratorA(target, Shell.accelEdit, &msg)) return true;
  return false;
}

}  // namespace

int RunMessageLoop() {
  MSG msg;
  for (;;) {
    // The helper library's idle work runs only while no message waits.
    HelperIdlePhase();
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got < 0) return 0;
    if (HelperPreTranslate(msg)) continue;
    if (Translated(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}
