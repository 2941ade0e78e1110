#include "mouse_buttons_dialog_win32.h"

#include "mouse_buttons_dialog_ids.h"
#include "mouse_machine.h"
#include "shell_config.h"
#include "shell_state.h"

namespace {

// A stored value the dialog cannot show (never set, or edited by hand) shows as "Mouse Event".
int ShownAction(int value, bool middle) {
  if (value < kMouseActionEvent || value > kMouseActionCopyPaste) return kMouseActionEvent;
  if (!middle && value == kMouseActionDisable) return kMouseActionEvent;
  return value;
}

int CheckedAction(HWND dialog, int base) {
  for (int value = kMouseActionEvent; value <= kMouseActionCopyPaste; ++value)
    if (GetDlgItem(dialog, base + value) && IsDlgButtonChecked(dialog, base + value) == BST_CHECKED) return value;
  return kMouseActionEvent;
}

INT_PTR CALLBACK MouseButtonsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  tavix::ConfigBlock& c = Config.store.config;
  switch (message) {
    case WM_INITDIALOG:
      CheckDlgButton(dialog, IDC_MIDDLE_ACTION_BASE + ShownAction(c.middle_mouse, true), BST_CHECKED);
      CheckDlgButton(dialog, IDC_SECONDARY_ACTION_BASE + ShownAction(c.secondary_mouse, false), BST_CHECKED);
      CheckDlgButton(dialog, IDC_MOUSE_WHEEL, c.wheel ? BST_CHECKED : BST_UNCHECKED);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          c.middle_mouse = static_cast<signed char>(CheckedAction(dialog, IDC_MIDDLE_ACTION_BASE));
          c.secondary_mouse = static_cast<signed char>(CheckedAction(dialog, IDC_SECONDARY_ACTION_BASE));
          c.wheel = IsDlgButtonChecked(dialog, IDC_MOUSE_WHEEL) == BST_CHECKED ? 1 : 0;
          Config.store.save_mouse();
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

bool RunMouseButtonsDialog(HWND owner) {
  // The mouse code reads the settings afresh at every click, so a saved change is in use at once.
  return DialogBoxParamA(Shell.instance, MAKEINTRESOURCEA(IDD_MOUSE_BUTTONS), owner, MouseButtonsProc, 0) == IDOK;
}
