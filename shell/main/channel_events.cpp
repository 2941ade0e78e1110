// The shell's side of the channels: received data to ingress, the trace,
// failures as message boxes, titles and menus on connect and close.
#include <cstdio>
#include <string>

#include "channel_hooks.h"
#include "engine.h"
#include "engine_bridge.h"
#include "main_window.h"
#include "message_box.h"
#include "resource_ids.h"
#include "shell/ingress/ingress.h"
#include "shell/ingress/receive_trace.h"
#include "shell_config.h"
#include "shell_state.h"
#include "dial_entry.h"

namespace {

constexpr int kNameServerTryAgain = 11002;

void Received(const uint8_t* bytes, int count) { IngressChunk(bytes, static_cast<size_t>(count)); }

void Trace(const uint8_t* bytes, int count, uint8_t kind) { TraceRecord(bytes, count, kind); }

// A string-table message; network error codes are shown with it, and the
// name-server code gets its hint appended.
int Message(int stringId, int errorCode, unsigned buttons) {
  std::string text = LoadProgramString(static_cast<UINT>(stringId));
  if (errorCode == kNameServerTryAgain) text += LoadProgramString(IDS_NAME_SERVER_UNAVAILABLE);
  if (errorCode) {
    char code[32];
    std::snprintf(code, sizeof code, " (%d)", errorCode);
    text += code;
  }
  UINT style = buttons | MB_ICONSTOP;
  if (stringId == IDS_CONNECTION_TERMINATED) {
    const tavix::ConfigBlock& c = Config.store.config;
    if (!(c.autoconnect || c.autodial)) style |= MB_DEFBUTTON2;
  }
  return MessageBoxA(Shell.mainWindow, text.c_str(), kProgramTitle, style);
}

void SetTitles(const char* text) {
  SetWindowTextA(Shell.mainWindow, text);
  if (Shell.fullScreenWindow) SetWindowTextA(Shell.fullScreenWindow, text);
}

// After a connect: the title, the parser at its ground state, the menus, and
// full screen again when it was on.
void ConnectedWithTitle(const char* title) {
  SetTitles(title);
  ResetParser();
  RefreshConnectionMenu();
  if (Config.store.config.fullscreen && !Shell.fullScreenWindow)
    PostMessageA(Shell.mainWindow, WM_COMMAND, CMD_FULL_SCREEN, 0);
}

void Connected(const char* hostName) {
  char title[256];
  if (Dialled.name.empty()) {
    std::snprintf(title, sizeof title, "%s %s", ConfiguredTitle(), hostName);
  } else {
    std::snprintf(title, sizeof title, "%s %s %s", ConfiguredTitle(), hostName, Dialled.name.c_str());
  }
  ConnectedWithTitle(title);
}

void SerialConnected(int port) {
  char title[256];
  std::snprintf(title, sizeof title, "%s COM%d %s", ConfiguredTitle(), port, Dialled.name.c_str());
  ConnectedWithTitle(title);
}

void StartTimer(int id, int milliseconds) {
  SetTimer(Shell.mainWindow, static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr);
}

void StopTimer(int id) { KillTimer(Shell.mainWindow, static_cast<UINT_PTR>(id)); }

void Closed() {
  SetTitles(kProgramTitle);
  RefreshConnectionMenu();
}

void Reconnect() { PostMessageA(Shell.mainWindow, WM_COMMAND, CMD_RECONNECT, 0); }
void Beep() { MessageBeep(MB_OK); }

}  // namespace

void AttachChannelEvents() {
  ChannelEvents.received = Received;
  ChannelEvents.trace = Trace;
  ChannelEvents.disconnect = Disconnect;
  ChannelEvents.message = Message;
  ChannelEvents.connected = Connected;
  ChannelEvents.closed = Closed;
  ChannelEvents.reconnect = Reconnect;
  ChannelEvents.discardKeys = InstallDiscardHandler;
  ChannelEvents.beep = Beep;
  ChannelEvents.serialConnected = SerialConnected;
  ChannelEvents.startTimer = StartTimer;
  ChannelEvents.stopTimer = StopTimer;
}
