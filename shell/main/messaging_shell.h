// PC messaging as the shell runs it: the settings and folders, the message
// source, the watcher, the queue of items for the host, the settings dialog.
#pragma once

#include <windows.h>

// The program message of messaging beyond 1031: a file that cannot be sent
// (lParam: a std::string* with its path, freed by the receiver).
constexpr UINT kMsgMessagingRefused = WM_APP + 2;

// Start-up, before the window: [Message] settings, the folders, the source
// mutex (and the conflict question), the registry value "messageing".
void LoadMessagingSettings();
// After the window: the watcher (when this instance is the source), the
// registry values "window" (source only) and "lwindow".
void StartMessaging();
// The watcher stops (bounded) and its handles close.
void StopMessaging();
// Exit: the watcher stops, the source mutex is released, the queue emptied.
void ShutDownMessaging();

// Program message 1031.
void MessagingMessageArrived(WPARAM wParam);
// A file that cannot be framed for the host: the user is told.
void MessagingItemRefused(HWND owner, LPARAM lParam);
// The registered "Message Source Request" from another instance's window.
void MessageSourceRequested(HWND requester);
// Command 40215.
void RequestMessageSource(HWND owner);
// Command 40204: dialog 402.
void RunMessagingDialog(HWND owner);
// "A&Ttachments": a chosen file goes into the queue for the host.
void QueueChosenAttachment(const char* path);
// The "Message Source" menu entry from the state (grayed, highlighted).
void UpdateMessageSourceMenu();
