// The system's modeless find-and-replace dialog, built from our template
// 1541 (drop-down histories for the find and replace texts). Its button
// reports reach the owner as the registered "commdlg_FindReplace" message and
// become key 1094 for local edit mode, with the texts and the request-flags
// byte kept here for the handler.
#pragma once

#include <windows.h>

#include <cstdint>

#include "find_history.h"

#define IDD_FIND_REPLACE 1541

struct FindDialogRecord {
  FINDREPLACEA request;
  char findText[kFindBufferSize];
  char replaceText[kFindBufferSize];
  FindHistory findHistory;
  FindHistory replaceHistory;
  uint8_t requestFlags;  // of the last request: 1 up, 2 replace, 4 all, 8 case, 16 word, 32 find
};

// Owned by find_dialog_win32.cpp.
extern FindDialogRecord FindDialog;

// Opens the one dialog owned by `owner` (or brings the open one forward);
// registers the report message on first use. False when it cannot open.
bool OpenFindDialog(HWND owner);
// Closing from the program side: the dialog is asked to close and forgotten.
void CloseFindDialog();
// The owner received the "commdlg_FindReplace" message.
LRESULT FindDialogMessage(LPARAM lParam);
// Everything back to the start state (no dialog, empty histories).
void ResetFindDialog();
