// WM_COMMAND: menu 105 and the accelerator tables.
#include <cstring>

#include "comm.h"
#include "comm_dialog.h"
#include "engine.h"
#include "render_notify.h"
#include "engine_bridge.h"
#include "file_selection.h"
#include "main_window.h"
#include "message_box.h"
#include "messaging_shell.h"
#include "password_dialogs.h"
#include "resource_ids.h"
#include "shell/dialogs/about_dialog_win32.h"
#include "shell/keyboard/mouse_buttons_dialog_win32.h"
#include "shell/keyboard/view_window_win32.h"
#include "shell/render/renderer.h"
#include "shell/sound/tone_player_win32.h"
#include "shell_config.h"
#include "shell_state.h"
#include "dialing_shell.h"
#include "shell/editlink/helper_link_win32.h"
#include "shell/printing/printing_win32.h"
#include "transfer_starts.h"

namespace {

void ChooseSoundMode(int command) {
  int mode = command - CMD_SOUND_WINDOWS;  // 0 Windows, 1 Pc, 2 None
  if (SoundPlaying() || Config.store.config.sound_mode == mode) return;
  Config.store.config.sound_mode = static_cast<signed char>(mode);
  Config.store.save_sound();
  SetSoundMode(mode);
  CheckMenuRadioItem(GetMenu(Shell.mainWindow), CMD_SOUND_WINDOWS, CMD_SOUND_NONE, command, MF_BYCOMMAND);
}

void ToggleCheckedOption(int command, signed char tavix::ConfigBlock::*field, void (tavix::ConfigStore::*save)()) {
  signed char& value = Config.store.config.*field;
  value = value ? 0 : 1;
  (Config.store.*save)();
  CheckMenuItem(GetMenu(Shell.mainWindow), static_cast<UINT>(command),
                MF_BYCOMMAND | (value ? MF_CHECKED : MF_UNCHECKED));
}

void ToggleAlwaysOnTop() {
  HWND window = Shell.mainWindow;
  bool topmost = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  SetWindowPos(window, topmost ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  CheckMenuItem(GetMenu(window), CMD_ALWAYS_ON_TOP, MF_BYCOMMAND | (topmost ? MF_UNCHECKED : MF_CHECKED));
}

// The configuration password, when one is required, guards the settings.
bool ConfigurationPasswordAccepted(HWND owner) {
  if (!Config.store.password_required()) return true;
  return RunPasswordCheckDialog(owner);
}

void Communications(HWND window) {
  if (!ConfigurationPasswordAccepted(window)) return;
  bool accepted = RunCommunicationsDialog(window);
  if (accepted && !Channels.current->is_open()) {
    HMENU menu = GetMenu(Shell.mainWindow);
    EnableMenuItem(menu, CMD_CONNECT, MF_BYCOMMAND | MF_ENABLED);
    EnableMenuItem(menu, CMD_DIAL, MF_BYCOMMAND | MF_ENABLED);
  }
  RefreshConnectionMenu();
}

}  // namespace

void HandleCommand(HWND window, int id) {
  switch (id) {
    case CMD_CONNECT:
      Config.store.begin_connection();
      ForgetDialledEntry();
      Connect();
      break;
    case CMD_RECONNECT:
      Connect();
      break;
    case CMD_DISCONNECT:
      if (ConfirmLoggedInWarning(window)) UserDisconnect();
      break;
    case CMD_DIAL:
      RunDialDialog(window);
      break;
    case CMD_DIALING:
      RunDialingConfiguration(window);
      break;
    case CMD_SEND_LOGIN_PASSWORD:
      // Asked for after this command returns: the password dialog is modal
      // and the command may come from the test interface, which waits.
      if (Channels.current->is_open()) {
        LeaveMenuSelection();
        PostMessageA(window, WM_COMMAND, kSendLoginPasswordCommand, 0);
      }
      break;
    case kSendLoginPasswordCommand:
      if (Channels.current->is_open()) SendStoredLoginPassword(window);
      break;
    case CMD_ABOUT:
      ShowAboutDialog(Shell.instance, window);
      break;
    case CMD_HELPER_APPLICATIONS:
      RunHelperApplicationsDialog(window);
      break;
    case CMD_COMMUNICATIONS:
      Communications(window);
      break;
    case CMD_COLORS:
      if (RunColorDialog(window)) InvalidateRect(Shell.paintTarget, nullptr, FALSE);
      break;
    case CMD_FONT_RASTER_10X18:
    case CMD_FONT_RASTER_7X12:
    case CMD_FONT_CORVANE:
    case CMD_FONT_CORVANE_BOLD:
      if (SelectFont(id == CMD_FONT_RASTER_10X18 ? 0 : id == CMD_FONT_RASTER_7X12 ? 1 : id == CMD_FONT_CORVANE ? 2 : 3))
        FitViewWindowToCells();
      break;
    case CMD_SOUND_WINDOWS:
    case CMD_SOUND_PC:
    case CMD_SOUND_NONE:
      ChooseSoundMode(id);
      break;
    case CMD_PASSWORD:
      if (ConfigurationPasswordAccepted(window)) RunSetPasswordDialog(window);
      break;
    case CMD_FULL_SCREEN:
    case CMD_FULL_SCREEN_KEY:
      if (id == CMD_FULL_SCREEN_KEY) LeaveMenuSelection();
      // Full screen and the view window exclude each other.
      CloseViewWindow();
      ToggleFullScreen();
      break;
    case CMD_EXTENDED_SELECT:
      ToggleViewWindowCommand();
      break;
    case CMD_COPY:
      // The keyboard path copies the simple selection; with the view window open it comes here.
      ViewWindowCopyCommand();
      break;
    case CMD_EDIT_SELECT:
    case CMD_EDIT_COPY:
    case CMD_EDIT_PASTE:
    case CMD_EDIT_EXTENDED_SELECT:
      // The Ctrl+Alt edit shortcuts work only when [Config] "Edit" is on.
      if (Config.store.config.edit) {
        LeaveMenuSelection();
        const int plain = id == CMD_EDIT_SELECT ? CMD_SELECT
                          : id == CMD_EDIT_COPY ? CMD_COPY
                          : id == CMD_EDIT_PASTE ? CMD_PASTE
                                                 : CMD_EXTENDED_SELECT;
        SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(plain), 0);
      }
      break;
    case CMD_MOUSE_BUTTONS:
      RunMouseButtonsDialog(window);
      break;
    case CMD_HELP_SEARCH:
    case CMD_HELP_CONTENTS:
    case CMD_HELP_KEYBOARD:
      ShowHelp(id);
      break;
    case CMD_ALWAYS_ON_TOP:
      ToggleAlwaysOnTop();
      break;
    case CMD_HILIGHT:
      ToggleCheckedOption(id, &tavix::ConfigBlock::hilite, &tavix::ConfigStore::save_highlight);
      InvalidateRect(Shell.paintTarget, nullptr, FALSE);
      break;
    case CMD_USER_DEFINED_OPTIONS:
      ToggleCheckedOption(id, &tavix::ConfigBlock::udef_screens, &tavix::ConfigStore::save_udef_screens);
      break;
    case CMD_PLACEMENT_SAVE_CURRENT:
    case CMD_PLACEMENT_REMEMBER_LAST:
    case CMD_PLACEMENT_DEFAULT:
      SetPlacementMode(id);
      break;
    case CMD_ATTACHMENTS:
    case CMD_ATTACHMENTS_KEY:
      if (id == CMD_ATTACHMENTS_KEY) LeaveMenuSelection();
      ChooseAttachment(window);
      break;
    case CMD_CLEAR_TYPE_AHEAD:
      // The key path has emptied the queue; the host counts as ready again.
      ClearHostBusy();
      break;
    case CMD_DEBUG:
      ToggleTraceViewerCommand();
      break;
    case CMD_TRACE_PAGE_BACK:
    case CMD_TRACE_PAGE_FORWARD:
      if (TraceViewerOpen()) TracePageCommand(id == CMD_TRACE_PAGE_BACK);
      break;
    case CMD_TRACE_SAVE:
      SaveDebugDataCommand(window);
      break;
    case CMD_TRACE_LOAD:
      LoadDebugDataCommand(window);
      break;
    case CMD_RECEIVED_DATA:
      ReceivedDataDumpCommand();
      break;
    case CMD_RECEIVED_DATA_KEY:
      if (Config.store.config.rcv_dump) ReceivedDataDumpCommand();
      break;
    case CMD_PRINT_SCREEN:
      PrintScreenCommand(window);
      break;
    case CMD_EDIT_PRINT:
      LeaveMenuSelection();
      PrintScreenCommand(window);
      break;
    case CMD_PRINTING:
      RunPrintingDialog(window);
      break;
    case CMD_SCREEN_TO_FILE:
      SaveScreenImageCommand(window, false);
      break;
    case CMD_SCREEN_TO_FILE_DEBUG:
      if (Config.store.config.debug) SaveScreenImageCommand(window, true);
      break;
    case CMD_BREAK:
      // The PC side of a transfer in progress is cancelled first.
      AbandonAllTransfers();
      if (Config.store.config.controlc_break) {
        const uint8_t etx = 3;
        Channels.current->write(&etx, 1);
      } else {
        Channels.current->start_break();
      }
      break;
    case CMD_MESSAGE_SOURCE:
      RequestMessageSource(window);
      break;
    case CMD_MESSAGING:
      if (ConfigurationPasswordAccepted(window)) RunMessagingDialog(window);
      break;
    case kEditCloseRequestCommand:
      CloseRequestedEditSessions();
      break;
    case kFailureNoticeCommand:
      ShowStringMessage(window, IDS_INSUFFICIENT_MEMORY);
      break;
    default:
      // The services behind the other commands are not part of this program yet.
      break;
  }
  FlushRenderNotifications();
}
