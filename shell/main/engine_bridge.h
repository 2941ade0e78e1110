// The shell side of the engine's ports: renderer notifications, timers,
// tones, caption and window requests, and the current channel.
#pragma once

#include <windows.h>

#include <string>

// Wire the engine to the shell and the current channel (start-up).
void AttachEngineToShell();
// Engine timers routed from WM_TIMER; true when the timer was the engine's.
bool HandleEngineTimer(UINT_PTR id);
// Auto-login from the -U, -P, -A and -E switches.
void StartAutoLoginFromCommandLine();
// Redraw the busy spinner now.
void UpdateSpinnerNow();

// Keyboard flags the message loop's accelerator filters read.
bool LocalModeFlag();
bool BusyFlag();
bool LocalEditingFlag();
// The discard handler with mode number 0 (start-up, channel closed).
void InstallDiscardHandler();
// A character or internal key code from the keyboard path.
void DispatchKeyCode(int code);

// The main window's title text as it stands.
std::string MainTitle();
// The title the host's caption requests build on: "Moxel" and the -H label.
const char* ConfiguredTitle();
