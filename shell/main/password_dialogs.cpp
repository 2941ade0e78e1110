#include "password_dialogs.h"

#include <string>

#include "message_box.h"
#include "resource_ids.h"
#include "shell_config.h"

namespace {

constexpr int kPromptLength = 78;

INT_PTR CALLBACK PromptProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageA(box, IDC_PASSWORD_TEXT, EM_LIMITTEXT, kPromptLength, 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        char typed[kPromptLength + 1];
        GetDlgItemTextA(box, IDC_PASSWORD_TEXT, typed, sizeof typed);
        EndDialog(box, Config.store.check_password(typed) ? IDOK : IDABORT);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(box, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK SetPasswordProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        char text[kPromptLength + 1], confirmation[kPromptLength + 1];
        GetDlgItemTextA(box, IDC_PASSWORD_NEW, text, sizeof text);
        GetDlgItemTextA(box, IDC_PASSWORD_CONFIRM, confirmation, sizeof confirmation);
        if (!Config.store.set_password(text, confirmation)) {
          ShowStringMessage(box, IDS_PASSWORDS_DIFFER);
          SetDlgItemTextA(box, IDC_PASSWORD_NEW, "");
          SetDlgItemTextA(box, IDC_PASSWORD_CONFIRM, "");
          return TRUE;
        }
        EndDialog(box, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(box, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK SettingsProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      CheckDlgButton(box, IDC_PASSWORD_REQUIRED, Config.store.password_required() ? BST_CHECKED : BST_UNCHECKED);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        bool required = IsDlgButtonChecked(box, IDC_PASSWORD_REQUIRED) == BST_CHECKED;
        if (required && Config.store.stored_password().empty())
          DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SET_PASSWORD), box, SetPasswordProc, 0);
        Config.store.save_password_flag(required);
        EndDialog(box, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(box, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

bool RunPasswordCheckDialog(HWND owner) {
  INT_PTR answer =
      DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PASSWORD_PROMPT), owner, PromptProc, 0);
  if (answer == IDOK) return true;
  ShowStringMessage(owner, IDS_INVALID_PASSWORD);
  return false;
}

void RunSetPasswordDialog(HWND owner) {
  DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PASSWORD), owner, SettingsProc, 0);
}
