// The terminal's link to helper.dll: the library is loaded at run time from
// the program's own folder (without it the terminal runs on, with no edit
// windows, viewer or custom file dialog), its message-loop hooks, the edit
// windows' notices, and what connection loss and shut-down do to them.
#pragma once

#include <windows.h>

#include <vector>

#include "edit_to_moxel.h"
#include "service_seams.h"
#include "helper/interfaces/helper_interfaces.h"
#include "helper_to_moxel.h"

// One process-wide record, owned by helper_link_win32.cpp.
struct HelperLinkState {
  HMODULE module = nullptr;
  ConnectToHelperFn connect = nullptr;
  CreateEditWindowFn createEditWindow = nullptr;
  HelperOpenFileNameFn openFileName = nullptr;
  // The viewer and message-loop interface ConnectToHelper returned (may be null).
  MoxelToHelper* helper = nullptr;
  // A 1034 is on its way to the main window: further notices wait for it.
  bool notifyPosted = false;
  // Sessions whose view-only windows asked to be closed, in order.
  std::vector<int> closeRequests;
};

extern HelperLinkState HelperLink;
extern EditToMoxelI TheEditToMoxel;
extern HelperToMoxelI TheHelperToMoxel;

// Start-up step 7: load the library beside the program and connect to it.
void ConnectHelperLibrary();
// The desktop rectangle the edit windows are placed on.
DesktopRect ComputeDesktopRect();

// Message loop: the library's idle work while no message waits, and its
// first look at every message (true: taken, not to be translated).
void HelperIdlePhase();
bool HelperPreTranslate(MSG& msg);

// The edit windows themselves are opened by the engine's relay (kind 6),
// which keeps the library's MoxelToEdit while any window exists.

// The 1034 posted for the edit-window notice has arrived.
void EditNoticeArrived();
// Posted command: close the sessions whose windows asked for it.
// (The shell's other internal commands, 1100 and 1101, are in shell/main/main_window.h.)
constexpr int kEditCloseRequestCommand = 1102;
void CloseRequestedEditSessions();

// The host's ESC M B / ESC M N / ESC M D: the library's attachment viewer
// (nothing without the library).
ViewerSeam* ViewerSeamForShell();
// Program end: the viewer's window goes before the library does.
void CloseViewerList();

// Whether closing the edit windows now would lose something.
bool EditSessionsBusy();
// The user disconnected or the program ends: every edit window goes.
void CloseAllEditSessions();
// The connection failed: idle windows go, the rest become view-only; when
// any held modifications the user is told (string 28).
void EditSessionsAfterConnectionLoss(HWND owner);
