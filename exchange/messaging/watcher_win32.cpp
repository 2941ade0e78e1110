#include "watcher_win32.h"

#include "host_items.h"
#include "messaging_files_win32.h"

namespace {

constexpr DWORD kStopWait = 5000;
constexpr DWORD kNotifyFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE;

struct WatcherRecord {
  HANDLE thread = nullptr;
  HANDLE startEvent = nullptr;  // auto-reset: begin, and "the outbox is drained"
  HANDLE stopEvent = nullptr;   // auto-reset
  WatcherSettings settings;
};
WatcherRecord Watcher;

std::string WithoutSeparator(std::string path) {
  while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

HANDLE Watch(const std::string& folder) {
  return FindFirstChangeNotificationA(WithoutSeparator(folder).c_str(), FALSE, kNotifyFilter);
}

struct Notices {
  explicit Notices(const WatcherSettings& s)
      : settings(s),
        scanner(
            &files, [](const std::string& path) { QueueHostItem(path, "", kNoticeKind); },
            [this](const std::string& path) { Refused(path); }) {}

  void Refused(const std::string& path) {
    if (!settings.refusedMessage) return;
    auto* copy = new std::string(path);
    if (!PostMessageA(settings.window, settings.refusedMessage, 0, reinterpret_cast<LPARAM>(copy))) delete copy;
  }
  void Announce(int queued) {
    if (queued > 0) PostMessageA(settings.window, settings.message, kNoticesQueued, 0);
  }
  void Ack() { Announce(scanner.ProcessAck(settings.msgAck, settings.rules)); }
  void In() { Announce(scanner.ProcessIn(settings.msgIn, settings.msgAck, settings.rules)); }

  const WatcherSettings& settings;
  Win32MessagingFiles files;
  NoticeScanner scanner;
};

void Rearm(HANDLE& change) {
  if (change != INVALID_HANDLE_VALUE && !FindNextChangeNotification(change)) {
    FindCloseChangeNotification(change);
    change = INVALID_HANDLE_VALUE;
  }
}

// Watches until the stop event. The outbox: one 1031 per change, then
// further changes are absorbed until the main thread says the outbox is
// drained (the start event), when one more 1031 tells of them. "Msg-in" is
// served all the while.
void WatchFolders(const WatcherSettings& s) {
  Notices notices(s);
  HANDLE outbox = Watch(s.outbox);
  HANDLE msgIn = INVALID_HANDLE_VALUE;
  if (s.subfolders) {
    msgIn = Watch(s.msgIn);
    notices.Ack();
    notices.In();
  }
  bool absorbing = false;
  bool absorbed = false;
  for (;;) {
    HANDLE handles[4];
    enum { kStop, kOutbox, kMsgIn, kDrained };
    int slot[4];
    DWORD count = 0;
    handles[count] = Watcher.stopEvent;
    slot[count++] = kStop;
    if (outbox != INVALID_HANDLE_VALUE) {
      handles[count] = outbox;
      slot[count++] = kOutbox;
    }
    if (msgIn != INVALID_HANDLE_VALUE) {
      handles[count] = msgIn;
      slot[count++] = kMsgIn;
    }
    if (absorbing) {
      handles[count] = Watcher.startEvent;
      slot[count++] = kDrained;
    }
    const DWORD r = WaitForMultipleObjects(count, handles, FALSE, INFINITE);
    if (r == WAIT_FAILED || r >= WAIT_OBJECT_0 + count) break;
    switch (slot[r - WAIT_OBJECT_0]) {
      case kStop:
        goto done;
      case kOutbox:
        Rearm(outbox);
        if (!absorbing) {
          ResetEvent(Watcher.startEvent);
          PostMessageA(s.window, s.message, 0, 0);
          absorbing = true;
          absorbed = false;
        } else {
          absorbed = true;
        }
        break;
      case kMsgIn:
        notices.In();
        Rearm(msgIn);
        break;
      case kDrained:
        absorbing = false;
        if (absorbed) {
          ResetEvent(Watcher.startEvent);
          PostMessageA(s.window, s.message, 0, 0);
          absorbing = true;
          absorbed = false;
        }
        break;
    }
  }
done:
  if (outbox != INVALID_HANDLE_VALUE) FindCloseChangeNotification(outbox);
  if (msgIn != INVALID_HANDLE_VALUE) FindCloseChangeNotification(msgIn);
}

DWORD WINAPI WatcherThread(LPVOID) {
  HANDLE begin[2] = {Watcher.stopEvent, Watcher.startEvent};
  if (WaitForMultipleObjects(2, begin, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return 0;
  WatchFolders(Watcher.settings);
  return 0;
}

void CloseEvents() {
  if (Watcher.startEvent) CloseHandle(Watcher.startEvent);
  if (Watcher.stopEvent) CloseHandle(Watcher.stopEvent);
  Watcher.startEvent = Watcher.stopEvent = nullptr;
}

}  // namespace

bool StartWatcher(const WatcherSettings& settings) {
  if (Watcher.thread) return true;
  Watcher.settings = settings;
  Watcher.startEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  Watcher.stopEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (!Watcher.startEvent || !Watcher.stopEvent) {
    CloseEvents();
    return false;
  }
  DWORD id = 0;
  Watcher.thread = CreateThread(nullptr, 0, WatcherThread, nullptr, 0, &id);
  if (!Watcher.thread) {
    CloseEvents();
    return false;
  }
  SetEvent(Watcher.startEvent);
  return true;
}

bool StopWatcher() {
  if (!Watcher.thread) return true;
  SetEvent(Watcher.stopEvent);
  const bool ended = WaitForSingleObject(Watcher.thread, kStopWait) == WAIT_OBJECT_0;
  if (!ended) return false;  // its handles stay: the thread may still use them
  CloseHandle(Watcher.thread);
  Watcher.thread = nullptr;
  CloseEvents();
  return true;
}

bool WatcherRunning() { return Watcher.thread != nullptr; }

void WatcherOutboxDrained() {
  if (Watcher.startEvent) SetEvent(Watcher.startEvent);
}
