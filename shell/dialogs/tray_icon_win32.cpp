#include "shell/dialogs/tray_icon_win32.h"

#include <shellapi.h>

#include <cstring>

#include "resources/resource_ids.h"
#include "shell/dialogs/tray_tip.h"
#include "shell/main/shell_state.h"

TrayIconState TrayIcon;

void ShowOrUpdateTrayIcon(HINSTANCE instance, HWND mainWindow, const char* messageLine) {
  if (!mainWindow || !IsIconic(mainWindow)) return;
  char title[256] = "";
  GetWindowTextA(mainWindow, title, sizeof title);
  std::string tip = tavix::TrayTipText(title, messageLine);

  NOTIFYICONDATAA data = {};
  data.cbSize = sizeof data;
  data.hWnd = mainWindow;
  data.uID = IDI_TAVIX;
  data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  data.uCallbackMessage = kMsgTrayIcon;
  data.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TAVIX));
  std::memcpy(data.szTip, tip.c_str(), tip.size() + 1);  // at most 64 bytes
  if (TrayIcon.shown) {
    Shell_NotifyIconA(NIM_MODIFY, &data);
  } else if (Shell_NotifyIconA(NIM_ADD, &data)) {
    TrayIcon.shown = true;
  }
}

void RemoveTrayIcon(HWND mainWindow) {
  if (!TrayIcon.shown) return;
  NOTIFYICONDATAA data = {};
  data.cbSize = sizeof data;
  data.hWnd = mainWindow;
  data.uID = IDI_TAVIX;
  Shell_NotifyIconA(NIM_DELETE, &data);
  TrayIcon.shown = false;
}
