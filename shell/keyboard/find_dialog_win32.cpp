#include "find_dialog_win32.h"

#include <commdlg.h>
#include <dlgs.h>

#include <cstring>
#include <string>

#include "key_codes.h"
#include "key_dispatcher.h"
#include "shell_state.h"

FindDialogRecord FindDialog;

namespace {

std::string ControlText(HWND dialog, int id) {
  char text[kFindBufferSize] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

// "&Find Next", "&Replace" and "Replace &All" only while there is a text to find.
void EnableFindButtons(HWND dialog, bool haveText) {
  for (int id : {IDOK, psh1, psh2})
    if (HWND button = GetDlgItem(dialog, id)) EnableWindow(button, haveText);
}

void FillCombo(HWND dialog, int id, const FindHistory& history, const char* text) {
  for (const std::string& entry : history.texts) SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SetDlgItemTextA(dialog, id, text);
}

// A text was used: the history moves or adds it to the newest place, the
// combo box follows, and the edit text stays what it was.
void Remember(HWND dialog, int id, FindHistory* history, const std::string& text) {
  const size_t before = history->texts.size();
  const FindHistoryChange change = UseFindText(history, text);
  if (history->texts.size() == before && change.removedIndex < 0) return;  // nothing remembered
  if (change.removedIndex >= 0) SendDlgItemMessageA(dialog, id, CB_DELETESTRING, static_cast<WPARAM>(change.removedIndex), 0);
  SendDlgItemMessageA(dialog, id, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(history->texts.front().c_str()));
  SetDlgItemTextA(dialog, id, text.c_str());
}

UINT_PTR CALLBACK FindHook(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      FillCombo(dialog, edt1, FindDialog.findHistory, FindDialog.findText);
      FillCombo(dialog, edt2, FindDialog.replaceHistory, FindDialog.replaceText);
      CheckRadioButton(dialog, rad1, rad2, rad2);  // "&Down"
      EnableFindButtons(dialog, FindDialog.findText[0] != 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == edt1 && HIWORD(wParam) == CBN_EDITCHANGE) {
        EnableFindButtons(dialog, GetWindowTextLengthA(GetDlgItem(dialog, edt1)) > 0);
      } else if (LOWORD(wParam) == edt1 && HIWORD(wParam) == CBN_SELCHANGE) {
        // The edit text follows the choice only after this notification.
        const LRESULT chosen = SendDlgItemMessageA(dialog, edt1, CB_GETCURSEL, 0, 0);
        EnableFindButtons(dialog, chosen != CB_ERR &&
                                      SendDlgItemMessageA(dialog, edt1, CB_GETLBTEXTLEN, static_cast<WPARAM>(chosen), 0) > 0);
      }
      return FALSE;  // the system dialog goes on with its own handling
    default:
      return FALSE;
  }
}

}  // namespace

void ResetFindDialog() {
  if (Shell.findDialog) DestroyWindow(Shell.findDialog);
  Shell.findDialog = nullptr;
  FindDialog = FindDialogRecord{};
}

bool OpenFindDialog(HWND owner) {
  if (Shell.findDialog) {
    SetFocus(Shell.findDialog);
    return true;
  }
  if (!Shell.msgFindReplace) Shell.msgFindReplace = RegisterWindowMessageA(FINDMSGSTRINGA);
  FINDREPLACEA& r = FindDialog.request;
  r = FINDREPLACEA{};
  r.lStructSize = sizeof r;
  r.hwndOwner = owner;
  r.hInstance = Shell.instance;
  r.Flags = FR_DOWN | FR_ENABLEHOOK | FR_ENABLETEMPLATE;
  r.lpstrFindWhat = FindDialog.findText;
  r.wFindWhatLen = sizeof FindDialog.findText;
  r.lpstrReplaceWith = FindDialog.replaceText;
  r.wReplaceWithLen = sizeof FindDialog.replaceText;
  r.lpfnHook = FindHook;
  r.lpTemplateName = MAKEINTRESOURCEA(IDD_FIND_REPLACE);
  Shell.findDialog = ReplaceTextA(&r);
  return Shell.findDialog != nullptr;
}

void CloseFindDialog() {
  if (!Shell.findDialog) return;
  PostMessageA(Shell.findDialog, WM_COMMAND, IDCANCEL, 0);
  Shell.findDialog = nullptr;
}

LRESULT FindDialogMessage(LPARAM lParam) {
  const FINDREPLACEA* report = reinterpret_cast<const FINDREPLACEA*>(lParam);
  HWND dialog = Shell.findDialog;
  if (!report || report->Flags & FR_DIALOGTERM || !dialog) {
    if (report && report->Flags & FR_DIALOGTERM) Shell.findDialog = nullptr;
    return 0;
  }
  FindButton button;
  if (report->Flags & FR_REPLACEALL) {
    button = FindButton::kReplaceAll;
  } else if (report->Flags & FR_REPLACE) {
    button = FindButton::kReplace;
  } else if (report->Flags & FR_FINDNEXT) {
    button = FindButton::kFindNext;
  } else {
    return 0;
  }
  // The texts and options as the controls show them, cut to the buffers.
  const std::string find = ControlText(dialog, edt1).substr(0, kFindTextLimit);
  std::strncpy(FindDialog.findText, find.c_str(), sizeof FindDialog.findText - 1);
  FindDialog.findText[sizeof FindDialog.findText - 1] = 0;
  Remember(dialog, edt1, &FindDialog.findHistory, find);
  if (button != FindButton::kFindNext) {
    const std::string replace = ControlText(dialog, edt2).substr(0, kFindTextLimit);
    std::strncpy(FindDialog.replaceText, replace.c_str(), sizeof FindDialog.replaceText - 1);
    FindDialog.replaceText[sizeof FindDialog.replaceText - 1] = 0;
    Remember(dialog, edt2, &FindDialog.replaceHistory, replace);
  }
  FindDialog.requestFlags = FindRequestFlags(button, IsDlgButtonChecked(dialog, rad1) == BST_CHECKED,
                                             IsDlgButtonChecked(dialog, chx2) == BST_CHECKED,
                                             IsDlgButtonChecked(dialog, chx1) == BST_CHECKED);
  DispatchKey(keycode::kFindRequest);
  return 0;
}
