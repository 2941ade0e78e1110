#include "host_windows.h"

#include "named_screens.h"
#include "user_screen_list.h"
#include "saved_windows.h"
#include "window_placement.h"

// The title text the host may send with an open is not shown by the window
// itself (ESC W H and ESC W F write titles).
void HostWindows::OpenWindow(const uint8_t p[6], const char* /*title*/) {
  // The host's window goes on the screen the list covered.
  HideUserScreenList();
  const bool relative = p[5] != 32;  // value 0 = absolute
  WindowPlacement w = PlacementFromHost(p, relative, false);
  FitPlacement(w, true);
  OpenSavedWindow(w, false);
}

void HostWindows::OpenPopup(const uint8_t p[5], const char* /*title*/) {
  HideUserScreenList();
  WindowPlacement w = PlacementFromHost(p, true, true);
  FitPlacement(w, true);
  OpenSavedWindow(w, true);
}

void HostWindows::ClosePopup() { ClosePopupCommand(); }
void HostWindows::CloseWindows() { CloseWindowsCommand(); }
void HostWindows::CloseAllWindows() { CloseAllWindowSteps(); }

bool HostWindows::RestoreNamedScreen(const char* name) {
  HideUserScreenList();
  return NamedScreenOpen(name);
}
bool HostWindows::CheckClearNamedScreen(const char* name) {
  HideUserScreenList();
  return NamedScreenCheckClear(name);
}
bool HostWindows::LoadNamedScreen(const char* name) {
  HideUserScreenList();
  return NamedScreenLoad(name);
}
void HostWindows::SaveNamedScreen() {
  // The list is the terminal's, not the host's: it is never saved with a screen.
  HideUserScreenList();
  NamedScreenSave();
}
void HostWindows::DiscardNamedScreens() { DiscardAllNamedScreens(); }
