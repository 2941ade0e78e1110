// Connecting and disconnecting the current channel.
#include "comm.h"
#include "engine.h"
#include "engine_bridge.h"
#include "main_window.h"
#include "shell_state.h"

void Connect() {
  // The telnet and serial channels are chosen here by the active mode once
  // they exist; until then the program has only the no-channel object.
  RefreshConnectionMenu();
}

void Disconnect() {
  Channels.current->close();
  Channels.current = &NoChannel;
  ResetConnectionState();
  InstallDiscardHandler();
  RefreshConnectionMenu();
}
