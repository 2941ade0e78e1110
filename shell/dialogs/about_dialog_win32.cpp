#include "shell/dialogs/about_dialog_win32.h"

#include <cstdio>

#include "resources/resource_ids.h"

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      char line[64];
      std::snprintf(line, sizeof line, "Version %s", kProgramVersion);
      SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, line);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      break;
  }
  return FALSE;
}

void ShowAboutDialog(HINSTANCE instance, HWND owner) {
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutDialogProc, 0);
}
