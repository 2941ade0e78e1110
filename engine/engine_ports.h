// The engine's narrow interface to everything outside it. The Win32 shell
// implements these; tests replace them with recording implementations.
#pragma once

#include <cstdint>

// What the engine needs of the window that shows the ScreenModel and of the
// rest of the program shell.
class EngineShell {
 public:
  virtual ~EngineShell() = default;

  // Renderer notifications. The engine coalesces them: one call per changed
  // rectangle per batch of host bytes, never one per character.
  virtual void InvalidateCells(int col, int row, int width, int height) = 0;
  virtual void CursorMoved() = 0;

  // Tones: the shell's tone player.
  virtual bool SoundEnabled() = 0;
  virtual bool TonePlaying() = 0;
  virtual void QueueTone(int length, int frequency) = 0;

  // Timers of the main window, by number.
  virtual void StartTimer(int id, int milliseconds) = 0;
  virtual void StopTimer(int id) = 0;

  // Busy spinner: the shell advances it by timer while it runs.
  virtual void SetSpinnerRunning(bool running) = 0;
  // Status indicators (caret-hide bits and friends) back to none.
  virtual void ResetStatusIndicators() = 0;
  // The screen was initialised (ESC W I or a connection reset).
  virtual void ScreenInitialised() {}
  // A host message line arrived (the tray icon shows it while minimised).
  virtual void HostMessageArrived(const char* text, int length) {}

  // Caption and window requests.
  virtual void SetCaptionText(const char* text) = 0;   // "" = the configured title alone
  virtual void BringToForeground() = 0;
  virtual void ActivateWindowBehind() = 0;
  virtual void SetOptionFlag(bool set) = 0;             // ESC ^ b / ESC ^ B
  virtual void SetDisconnectPassword(const uint8_t* bytes, int length) = 0;

  // The receive trace, oldest entry first, for the host's trace dump.
  virtual int ReceiveTraceLength() = 0;
  virtual uint8_t ReceiveTraceByte(int index) = 0;

  // The configured user id sent with the identification reply.
  virtual const char* UserId() = 0;

  // A memory block could not be allocated for a window, viewport or store.
  virtual void FailureNotice() = 0;

  // The "UDef screens" option: the user-defined screen list may show.
  virtual bool UserScreenListEnabled() { return false; }
};

// The current channel as the engine sees it.
class ChannelPort {
 public:
  virtual ~ChannelPort() = default;
  virtual void write(const uint8_t* bytes, int count) = 0;
  // True: the output queue is empty, go on. False: the callback is stored and
  // will be called when the queue has drained.
  virtual bool when_drained(void (*callback)()) = 0;
  // The local address text of the connection, or null.
  virtual const char* local_address() = 0;
};
