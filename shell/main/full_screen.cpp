// Full-screen mode: a borderless pop-up over the whole screen becomes the
// paint target, with the full-screen font; the main window hides meanwhile.
#include "drop_target.h"
#include "main_window.h"
#include "resource_ids.h"
#include "shell/render/renderer.h"
#include "shell_config.h"
#include "shell_state.h"

bool FullScreenOn() { return Shell.fullScreenWindow != nullptr; }

namespace {

void Enter() {
  FontRecord* font = FullScreenFontRecord();
  if (!font) return;  // no full-screen face for this screen size
  Config.store.config.fullscreen = 1;
  Config.store.save_fullscreen();
  if (Shell.viewWindow) {
    DestroyWindow(Shell.viewWindow);
    Shell.viewWindow = nullptr;
    CheckMenuItem(GetMenu(Shell.mainWindow), CMD_EXTENDED_SELECT, MF_BYCOMMAND | MF_UNCHECKED);
  }
  Shell.currentFont = font;
  HWND full = CreateWindowExA(0, kFullScreenClass, "", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                              GetSystemMetrics(SM_CYSCREEN), Shell.mainWindow, nullptr, Shell.instance, nullptr);
  if (!full) {
    Shell.currentFont = Shell.mainFont;
    return;
  }
  Shell.fullScreenWindow = full;
  RegisterDropTarget(full);
  Shell.paintTarget = full;
  char title[80];
  GetWindowTextA(Shell.mainWindow, title, sizeof title);
  SetWindowTextA(full, title);
  ShowWindow(full, SW_SHOW);
  SetFocus(full);
  RecreateCaret();
  if (!IsIconic(Shell.mainWindow)) ShowWindow(Shell.mainWindow, SW_HIDE);
}

void Leave() {
  Config.store.config.fullscreen = 0;
  Config.store.save_fullscreen();
  Shell.paintTarget = Shell.mainWindow;
  Shell.currentFont = Shell.mainFont;
  HWND full = Shell.fullScreenWindow;
  Shell.fullScreenWindow = nullptr;
  RevokeDropTarget(full);
  DestroyWindow(full);
  if (!IsIconic(Shell.mainWindow)) ShowWindow(Shell.mainWindow, SW_SHOW);
  InvalidateRect(Shell.mainWindow, nullptr, FALSE);
  SetFocus(Shell.mainWindow);
  RecreateCaret();
}

}  // namespace

void ToggleFullScreen() {
  if (FullScreenOn()) {
    Leave();
  } else {
    Enter();
  }
}
