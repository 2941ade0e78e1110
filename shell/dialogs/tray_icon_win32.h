// The tray icon shown while the main window is minimised and a host message
// line arrives: one record, owned by tray_icon_win32.cpp.
#pragma once

#include <windows.h>

struct TrayIconState {
  bool shown = false;
};

extern TrayIconState TrayIcon;

// A host message line arrived: while the main window is minimised, add the
// icon (first time) or update its tip. Does nothing otherwise.
void ShowOrUpdateTrayIcon(HINSTANCE instance, HWND mainWindow, const char* messageLine);
// On restore and at shut-down: delete the icon when it is shown.
void RemoveTrayIcon(HWND mainWindow);
