// The shell's process-wide state record: the windows, the font records in
// use, the accelerator tables and the flags the main window procedure keeps.
// One record, owned by shell_state.cpp, reset only at start-up.
#pragma once

#include <windows.h>

struct FontRecord;  // shell/render

struct ShellState {
  HINSTANCE instance;
  HWND mainWindow;
  HWND fullScreenWindow;  // WTermF3Class window while full screen is on
  HWND viewWindow;        // WTermS3Class window while extended selection is open
  HWND paintTarget;       // the window painting and the caret use
  FontRecord* currentFont;
  FontRecord* mainFont;
  HWND findDialog;
  HACCEL accelMain;       // 107
  HACCEL accelBusy;       // 110
  HACCEL accelEdit;       // 113
  HCURSOR arrowCursor;
  bool oleReady;
  bool altPending;
  bool capsLock;
  bool savedPlacementValid;
  UINT msgWheel;          // "MSWHEEL_ROLLMSG"
  UINT msgSourceRequest;  // "Message Source Request"
  UINT msgTester;         // "MoxelTester"
  UINT msgFindReplace;    // "commdlg_FindReplace"
  int screenWidth;        // of the monitor holding the window
  int screenHeight;
};

extern ShellState Shell;

// The program's own window messages (WM_USER + 1 .. + 10).
enum ShellMessage : UINT {
  kMsgChannelFirst = WM_USER + 1,   // 1025, 1026, 1028: channel events
  kMsgChannelSecond = WM_USER + 2,
  kMsgConnectionRefused = WM_USER + 3,
  kMsgChannelThird = WM_USER + 4,
  kMsgDdeRequest = WM_USER + 5,
  kMsgDdeRegistration = WM_USER + 6,  // a launched DDE application registered (slot index)
  kMsgMessageArrived = WM_USER + 7,
  kMsgAuxRead = WM_USER + 8,
  kMsgTrayIcon = WM_USER + 9,       // 1033
  kMsgEditEvent = WM_USER + 10,     // 1034
};

constexpr char kProgramTitle[] = "Moxel";
