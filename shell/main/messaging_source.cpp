// The message source: this instance delivers outbox files and notices while
// it holds "Moxel-messaging". Starting and stopping the watcher, program
// message 1031, the hand-over between instances ("Message Source Request",
// command 40215 with dialog 421) and the exit.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "engine_bridge.h"
#include "framing.h"
#include "host_items.h"
#include "key_codes.h"
#include "messaging_files_win32.h"
#include "messaging_folders.h"
#include "messaging_internal.h"
#include "messaging_shell.h"
#include "outbox_delivery.h"
#include "render_notify.h"
#include "resource_ids.h"
#include "serial_shell.h"
#include "shell_config.h"
#include "shell_state.h"
#include "shell_timers.h"
#include "watcher_win32.h"

namespace {

constexpr char kRefusedText[] =
    "%s\n\ncannot be sent to the host: its name or contents hold the byte 253 or 254,\n"
    "or it is larger than 64 MB. It stays where it is.";

Win32MessagingFiles MessagingFiles;

// A timer, not a posted message: the window paints before it comes.
void PostContinue() { SetTimer(Shell.mainWindow, kTimerMessaging, 1, nullptr); }

void Refused(const std::string& path) {
  auto* copy = new std::string(path);
  if (!PostMessageA(Shell.mainWindow, kMsgMessagingRefused, 0, reinterpret_cast<LPARAM>(copy))) delete copy;
}

void AttachDelivery() {
  static bool attached = false;
  if (attached) return;
  attached = true;
  UseGlobalHostItemMemory();
  OutboxDeliveryHooks hooks;
  hooks.files = &MessagingFiles;
  hooks.yield = PostContinue;
  hooks.drained = WatcherOutboxDrained;
  hooks.refused = Refused;
  AttachOutboxDelivery(hooks);
}

void StoreWindowValues() {
  // Programs that hand files to the source find its window by "window".
  tavix::store_main_window(Config.registry, reinterpret_cast<std::uintptr_t>(Shell.mainWindow),
                           Messaging.enabled && Messaging.source);
}

bool SourceWaitCancelled;

INT_PTR CALLBACK SourceWaitProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) SourceWaitCancelled = true;
      return TRUE;
    case WM_CLOSE:
      SourceWaitCancelled = true;
      return TRUE;
    default:
      return FALSE;
  }
}

// Messages are served while the mutex is awaited: the dialog's, and the
// terminal's with its accelerators. False when the program is to quit.
bool PumpWhileWaiting(HWND dialog) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    if (dialog && IsDialogMessageA(dialog, &msg)) continue;
    if (msg.hwnd == Shell.mainWindow && Shell.accelMain && TranslateAcceleratorA(Shell.mainWindow, Shell.accelMain, &msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

void BecomeSource() {
  Messaging.source = true;
  WriteMessagingDirectoryValue();
  StartMessaging();
}

}  // namespace

void UpdateMessageSourceMenu() {
  HMENU menu = GetMenu(Shell.mainWindow);
  if (!menu) return;
  EnableMenuItem(menu, CMD_MESSAGE_SOURCE, MF_BYCOMMAND | (Messaging.enabled ? MF_ENABLED : MF_GRAYED));
  HiliteMenuItem(Shell.mainWindow, menu, CMD_MESSAGE_SOURCE,
                 MF_BYCOMMAND | (Messaging.enabled && Messaging.source ? MF_HILITE : MF_UNHILITE));
  DrawMenuBar(Shell.mainWindow);
}

void StartMessaging() {
  AttachDelivery();
  StoreWindowValues();
  UpdateMessageSourceMenu();
  if (!MessagingDelivers() || WatcherRunning()) return;
  Messaging.auxOutboxFile.clear();
  ResetOutboxDelivery();
  const MessagingFolders folders = CurrentMessagingFolders();
  WatcherSettings s;
  s.window = Shell.mainWindow;
  s.message = kMsgMessageArrived;
  s.refusedMessage = kMsgMessagingRefused;
  s.outbox = OutboxFolder(folders);
  s.subfolders = folders.useSubdirectory;
  const std::string d = WithSeparator(folders.directory);
  s.msgIn = d + "Msg-in\\";
  s.msgAck = d + "Msg-ack\\";
  s.rules.useExtensions = Messaging.useMsgInExtensions;
  s.rules.extensions = Messaging.msgInExtensions;
  if (!StartWatcher(s)) return;
  // Files already waiting are offered at once.
  PostMessageA(Shell.mainWindow, kMsgMessageArrived, 0, 0);
  OpenAuxiliaryPort();
}

void StopMessaging() { StopWatcher(); }

void ShutDownMessaging() {
  StopWatcher();
  AbandonOutboxDelivery();
  CloseSourceMutex();
  ClearHostItems();
}

void MessagingMessageArrived(WPARAM wParam) {
  if (wParam == kNoticesQueued) {
    DispatchKeyCode(keycode::kItemQueued);
  } else {
    // Only a file to deliver is an event for the local modes.
    NoteOutboxChanged();
    if (OutboxMessagePending()) DispatchKeyCode(keycode::kMessageArrived);
  }
  FlushRenderNotifications();
}

void MessagingItemRefused(HWND owner, LPARAM lParam) {
  std::unique_ptr<std::string> path(reinterpret_cast<std::string*>(lParam));
  if (!path) return;
  std::string text(sizeof kRefusedText + path->size(), '\0');
  const int n = std::snprintf(&text[0], text.size(), kRefusedText, path->c_str());
  text.resize(n > 0 ? static_cast<size_t>(n) : 0);
  MessageBoxA(owner, text.c_str(), kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
}

void MessageSourceRequested(HWND requester) {
  if (requester == Shell.mainWindow || !Messaging.source) return;
  // The other instance takes over: the watcher stops before the mutex goes.
  StopMessaging();
  ReleaseSourceMutex();
  StoreWindowValues();
  UpdateMessageSourceMenu();
}

void RequestMessageSource(HWND owner) {
  static bool waiting = false;  // the command again while the dialog waits
  if (!Messaging.enabled || Messaging.source || waiting) return;
  HANDLE mutex = SourceMutexHandle();
  if (!mutex) return;
  PostMessageA(HWND_BROADCAST, Shell.msgSourceRequest, 0, reinterpret_cast<LPARAM>(Shell.mainWindow));
  SourceWaitCancelled = false;
  HWND dialog = CreateDialogA(Shell.instance, MAKEINTRESOURCEA(IDD_SOURCE_WAIT), owner, SourceWaitProc);
  if (dialog) ShowWindow(dialog, SW_SHOW);
  bool obtained = false;
  waiting = true;
  for (;;) {
    const DWORD r = MsgWaitForMultipleObjects(1, &mutex, FALSE, INFINITE, QS_ALLINPUT);
    if (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED_0) {
      obtained = true;
      break;
    }
    if (r != WAIT_OBJECT_0 + 1 || !PumpWhileWaiting(dialog) || SourceWaitCancelled) break;
  }
  waiting = false;
  if (dialog) DestroyWindow(dialog);
  if (obtained) BecomeSource();
}

void QueueChosenAttachment(const char* path) {
  std::string text = path;
  // A comma separates the host's fields: the short form has none.
  if (text.find(',') != std::string::npos) {
    const std::string shortForm = MessagingFiles.ShortPath(text);
    if (!shortForm.empty()) text = shortForm;
  }
  if (!FramingSafe(text)) {
    const std::string shortForm = MessagingFiles.ShortPath(text);
    if (!shortForm.empty()) text = shortForm;
  }
  if (!QueueHostItem(text, "", 0)) {
    Refused(path);
    return;
  }
  DispatchKeyCode(keycode::kItemQueued);
  FlushRenderNotifications();
}
