// Connecting and disconnecting the current channel.
#include "comm.h"
#include "comm_modes.h"
#include "engine.h"
#include "engine_bridge.h"
#include "main_window.h"
#include "resource_ids.h"
#include "shell/keyboard/input_mode.h"
#include "shell_config.h"
#include "shell_state.h"
#include "login_report_win32.h"
#include "win_telnet.h"
#include "win_serial.h"
#include "dialing_shell.h"

namespace {

constexpr int kTelnetPort = 23;

// The channel for the active mode, configured; null leaves the current one.
_comm* ChooseChannel() {
  const tavix::ConfigBlock& a = Config.store.active;
  int mode = a.mode;
  if (IsTelnetMode(mode)) {
    TelnetChannel.configure(a.host, kTelnetPort, mode, a.connect);
    return &TelnetChannel;
  }
  if (IsProxyMode(mode)) {
    TelnetChannel.configure(a.host, Config.store.active_port, mode, a.connect);
    return &TelnetChannel;
  }
  if (IsSerialMode(mode)) {
    SerialChannel.configure(SerialPortNumber(mode), a.speed, a.connect);
    return &SerialChannel;
  }
  return nullptr;
}

}  // namespace

void Connect() {
  HMENU menu = GetMenu(Shell.mainWindow);
  EnableMenuItem(menu, CMD_CONNECT, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(menu, CMD_DIAL, MF_BYCOMMAND | MF_GRAYED);
  DrawMenuBar(Shell.mainWindow);
  if (_comm* channel = ChooseChannel()) Channels.current = channel;
  Channels.current->open(Shell.mainWindow);
  SetInputMode(BasicHandler, 0);
}

void Disconnect() {
  Channels.current->close();
  DialingDisconnected();
  ReportLogout(MainTitle());
  ResetConnectionState();
  InstallDiscardHandler();
  RefreshConnectionMenu();
}
