// What a channel needs from the program around it: the shell sets these at
// start-up; tests replace them.
#pragma once

#include <cstdint>

struct ChannelHooks {
  // Received data bytes (after telnet decoding), in order.
  void (*received)(const uint8_t* bytes, int count);
  // Bytes sent (kind 1) and telnet negotiation received (kind 2).
  void (*trace)(const uint8_t* bytes, int count, uint8_t kind);
  // The connection failed or ended: disconnect as the user's command would.
  void (*disconnect)();
  // A message box from the string table with an error code; returns the button.
  int (*message)(int stringId, int errorCode, unsigned buttons);
  // Connected to host: titles, menus, parser to ground.
  void (*connected)(const char* hostName);
  // Closed: titles back, menus.
  void (*closed)();
  // Ask the main window to connect again (command 1024).
  void (*reconnect)();
  // The keyboard back to the discard handler.
  void (*discardKeys)();
  // The system beep.
  void (*beep)();
  // A serial line opened on COM<port>: titles, menus, parser to ground.
  void (*serialConnected)(int port);
  // Timers of the main window (the serial break's, for one).
  void (*startTimer)(int id, int milliseconds);
  void (*stopTimer)(int id);
};

// Buttons and answers of the message hook, numbered as the system numbers them.
constexpr unsigned kMessageOk = 0x0;
constexpr unsigned kMessageYesNo = 0x4;
constexpr int kAnswerYes = 6;

// Owned by comm.cpp; every member is set (do-nothing defaults).
extern ChannelHooks ChannelEvents;
// Every member back to its do-nothing default (tests).
void ResetChannelEvents();
