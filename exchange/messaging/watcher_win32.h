// The messaging watcher: a thread that waits on change notifications of the
// outbox and of "Msg-in" and tells the main window by posting program
// message 1031 (wParam 0: the outbox changed; wParam kNoticesQueued: notices
// wait in the queue for the host). It moves notice files itself.
#pragma once

#include <windows.h>

#include <string>

#include "notice_files.h"

constexpr WPARAM kNoticesQueued = 1;

struct WatcherSettings {
  HWND window = nullptr;   // posted to
  UINT message = 0;        // 1031
  UINT refusedMessage = 0; // lParam: a new std::string with the path, freed by the receiver
  std::string outbox;      // folders with their separators
  bool subfolders = true;
  std::string msgIn;
  std::string msgAck;
  NoticeRules rules;
};

// Create the events, start the thread and let it begin watching.
bool StartWatcher(const WatcherSettings& settings);
// Set the stop event, wait a bounded time for the thread, then close the
// handles; true when the thread had ended.
bool StopWatcher();
bool WatcherRunning();
// The main thread has nothing more to deliver from the outbox.
void WatcherOutboxDrained();
