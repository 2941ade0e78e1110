// The library's one process-wide record, created zeroed at load, and the
// steps that work on it: start-up (registry, events, viewer thread) and the
// handshake of one request with the viewer thread.
#pragma once

#include <windows.h>

#include "helper/interfaces/helper_interfaces.h"
#include "roster_paths.h"

enum RosterCommand { kClearList = 0, kAddEntry = 1, kShowList = 2 };

struct RosterRecord {
  // Start-up state.
  bool attempted;  // a start got past the registry lookup (it is made once)
  bool started;    // the viewer thread was created
  bool connected;  // the viewer thread got the viewer from ConnectToHelper

  // The request slot shared with the viewer thread (one request at a time).
  int command;
  char entry[roster::kTextSize];
  HANDLE request;  // manual-reset: a request waits in the slot
  HANDLE done;     // manual-reset: the viewer thread took it

  MoxelToHelper* viewer;
  char libraryPath[roster::kTextSize];   // STARTUP + "\helper.dll"
  char settingsFile[roster::kTextSize];  // %USERPROFILE%\Corvane\corvane.ini
  HWND window;                           // the hidden "Roster" window

  HANDLE thread;   // the viewer thread: signalled once it has ended
  bool listMade;   // viewer thread: the viewer's list was created by a clear
  SRWLOCK calls;   // Java calls from several threads, one at a time
  HINSTANCE module;
};

extern RosterRecord Roster;

// Runs at the start of every exported call (under the calls lock): true when
// the viewer thread is connected and still running.
bool StartRoster();

// Hands one request to the viewer thread and waits until it took it; false
// when the thread has ended instead.
bool RequestViewer(int command, const char* entry);

// The viewer thread's procedure.
DWORD WINAPI ViewerThread(LPVOID);

// The viewer's callbacks, backed by the settings file.
HelperToMoxel* RosterCallbacks();
