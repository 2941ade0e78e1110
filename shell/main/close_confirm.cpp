// The close and disconnect confirmations.
#include <string>

#include "comm.h"
#include "engine.h"
#include "main_window.h"
#include "shell/dialogs/disconnect_dialog_win32.h"
#include "shell_state.h"
#include "shell/editlink/helper_link_win32.h"

namespace {

constexpr char kLoggedInWarning[] =
    "You are currently logged-in to Corvane\nYou should logout of Corvane instead of\n"
    "disconnecting or closing Moxel. Failure to\nproperly logout may cause serious problems.\n";
constexpr char kEditSessionsWarning[] =
    "   IF YOU CONTINUE, ALL OPEN EDIT\n   SESSIONS WITH MODIFICATIONS WILL\n       BE LOST\n";
constexpr char kContinueQuestion[] = "Do you want to continue despite this warning?";
constexpr char kPasswordRequest[] = "\n\nYou must enter the disconnect password\nif you wish to continue.";

struct DisconnectPasswordRecord {
  unsigned char bytes[128];
  int length;
  bool set;
};

DisconnectPasswordRecord disconnectPassword;

}  // namespace

void SetHostDisconnectPassword(const unsigned char* bytes, int length) {
  if (length < 0) length = 0;
  if (length > static_cast<int>(sizeof disconnectPassword.bytes)) length = sizeof disconnectPassword.bytes;
  for (int i = 0; i < length; ++i) disconnectPassword.bytes[i] = bytes[i];
  disconnectPassword.length = length;
  disconnectPassword.set = length > 0;
}

bool ConfirmLoggedInWarning(HWND owner) {
  // Decided before anything is closed: the edit windows' unsent work.
  const bool editBusy = EditSessionsBusy();
  if (Screen.WindowLevel <= 0) {
    // No host window, but closing would still destroy edit windows that
    // hold changes: the user is asked first.
    if (!editBusy) return true;
    std::string text = std::string(kEditSessionsWarning) + kContinueQuestion;
    return MessageBoxA(owner, text.c_str(), "Still running Corvane", MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2) == IDYES;
  }
  std::string text = kLoggedInWarning;
  if (editBusy) text += kEditSessionsWarning;
  text += kContinueQuestion;
  if (!disconnectPassword.set)
    return MessageBoxA(owner, text.c_str(), "Still running Corvane", MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2) == IDYES;
  text += kPasswordRequest;
  return AskDisconnectPassword(Shell.instance, owner, text.c_str(), disconnectPassword.bytes,
                               disconnectPassword.length);
}

bool ConfirmClose(HWND owner, WPARAM closeParam) {
  if (!Channels.current->is_open()) return true;
  if (!ConfirmLoggedInWarning(owner)) return false;
  if (closeParam != 0) return true;
  return MessageBoxA(owner, "Close current connection?", "Connection active", MB_YESNO | MB_ICONQUESTION) == IDYES;
}
