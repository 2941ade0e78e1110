// Dialog 127 "Configure Printing": the route, the screen print's form and
// the transparent printer.
#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "main_window.h"
#include "printing_dialog_ids.h"
#include "printing_win32.h"
#include "raw_print.h"
#include "shell_config.h"
#include "shell_state.h"

namespace {

constexpr int kNameSize = sizeof(tavix::ConfigBlock::transparent_name);  // 50

struct PrintingDialogState {
  char name[kNameSize];  // as shown: the first ":" a carriage return
};
PrintingDialogState dialogState;

std::string Shown(const char* stored) {
  std::string s = stored;
  size_t colon = s.find(':');
  if (colon != std::string::npos) s[colon] = '\r';
  return s;
}

void EnableSelectButton(HWND dialog) {
  EnableWindow(GetDlgItem(dialog, IDC_PRINT_SELECT_PRINTER),
               IsDlgButtonChecked(dialog, IDC_PRINT_SELECTED_PRINTER) == BST_CHECKED);
}

std::string DevNamesPart(const DEVNAMES* d, WORD offset) { return reinterpret_cast<const char*>(d) + offset; }

// The print-setup dialog; its choice as "%s\r%s:%s". A choice that does not
// fit the stored name is refused.
void ChoosePrinter(HWND dialog) {
  PRINTDLGA pd = {};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = dialog;
  pd.Flags = PD_PRINTSETUP;
  if (!PrintDlgA(&pd)) return;
  if (const DEVNAMES* d = pd.hDevNames ? static_cast<const DEVNAMES*>(GlobalLock(pd.hDevNames)) : nullptr) {
    char chosen[512];
    int n = std::snprintf(chosen, sizeof chosen, "%s\r%s:%s", DevNamesPart(d, d->wDeviceOffset).c_str(),
                          DevNamesPart(d, d->wDriverOffset).c_str(), DevNamesPart(d, d->wOutputOffset).c_str());
    GlobalUnlock(pd.hDevNames);
    if (n > 0 && n < kNameSize) {
      std::memcpy(dialogState.name, chosen, static_cast<size_t>(n) + 1);
      SetDlgItemTextA(dialog, IDC_PRINT_PRINTER_NAME, dialogState.name);
    } else {
      MessageBeep(MB_ICONHAND);
    }
  }
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
}

void Save(HWND dialog) {
  tavix::ConfigBlock& c = Config.store.config;
  int route = 0;
  if (IsDlgButtonChecked(dialog, IDC_PRINT_ROUTE_LPT1) == BST_CHECKED) route = 1;
  if (IsDlgButtonChecked(dialog, IDC_PRINT_ROUTE_LPT2) == BST_CHECKED) route = 2;
  if (IsDlgButtonChecked(dialog, IDC_PRINT_ROUTE_LPT3) == BST_CHECKED) route = 3;
  c.printer = static_cast<signed char>(route);
  c.transparent_selected = IsDlgButtonChecked(dialog, IDC_PRINT_SELECTED_PRINTER) == BST_CHECKED ? 1 : 0;
  c.character_printscreen = IsDlgButtonChecked(dialog, IDC_PRINT_TEXT) == BST_CHECKED ? 1 : 0;
  std::string stored = dialogState.name;
  size_t cr = stored.find('\r');
  if (cr != std::string::npos) stored[cr] = ':';
  std::snprintf(c.transparent_name, sizeof c.transparent_name, "%s", stored.c_str());
  Print.route = route;
  if (route == 0) SelectTransparentPrinter();
  Config.store.save_printing();
}

INT_PTR CALLBACK PrintingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  const tavix::ConfigBlock& c = Config.store.config;
  switch (message) {
    case WM_INITDIALOG: {
      const int route = c.printer >= 1 && c.printer <= 3 ? c.printer : 0;
      CheckRadioButton(dialog, IDC_PRINT_ROUTE_WINDOWS, IDC_PRINT_ROUTE_LPT3, IDC_PRINT_ROUTE_WINDOWS + route);
      CheckRadioButton(dialog, IDC_PRINT_IMAGE, IDC_PRINT_TEXT,
                       c.character_printscreen ? IDC_PRINT_TEXT : IDC_PRINT_IMAGE);
      CheckDlgButton(dialog, c.transparent_selected ? IDC_PRINT_SELECTED_PRINTER : IDC_PRINT_DEFAULT_PRINTER,
                     BST_CHECKED);
      std::snprintf(dialogState.name, sizeof dialogState.name, "%s", Shown(c.transparent_name).c_str());
      SetDlgItemTextA(dialog, IDC_PRINT_PRINTER_NAME, dialogState.name);
      EnableSelectButton(dialog);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_PRINT_DEFAULT_PRINTER:
        case IDC_PRINT_SELECTED_PRINTER:
          EnableSelectButton(dialog);
          return TRUE;
        case IDC_PRINT_SELECT_PRINTER:
          ChoosePrinter(dialog);
          return TRUE;
        case IDC_PRINT_HELP:
          ShowHelpContext(HELP_CONTEXT_PRINTING);
          return TRUE;
        case IDOK:
          Save(dialog);
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

bool RunPrintingDialog(HWND owner) {
  return DialogBoxParamA(Shell.instance, MAKEINTRESOURCEA(IDD_PRINTING), owner, PrintingProc, 0) == IDOK;
}
