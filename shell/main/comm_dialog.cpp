// Configure Communications: edits a scratch copy of the configuration block.
#include "comm_dialog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "comm_modes.h"
#include "dialog_controls.h"
#include "main_window.h"
#include "message_box.h"
#include "resource_ids.h"
#include "shell_config.h"

namespace {

struct CommDialogState {
  tavix::ConfigBlock scratch;
  int proxyPort;
};

CommDialogState dialog;
constexpr int kCommunicationsHelpContext = 12;

// The per-port speed and connect string of a serial mode.
void LoadPortKeys(int mode) {
  int port = SerialPortNumber(mode);
  if (!port) return;
  char key[16];
  std::snprintf(key, sizeof key, "speed%d", port);
  dialog.scratch.speed =
      static_cast<signed char>(Config.variantIni.read_int(tavix::kConfigSection, key, -1));
  std::snprintf(key, sizeof key, "connect%d", port);
  Config.variantIni.read_string(tavix::kConfigSection, key, "", dialog.scratch.connect, sizeof dialog.scratch.connect);
}

// The groups that the chosen mode uses.
void EnableGroups(HWND box, int mode) {
  bool telnet = IsTelnetMode(mode);
  bool proxy = mode == 9;
  bool serial = IsSerialMode(mode);
  EnableWindow(GetDlgItem(box, IDC_COMM_HOST), telnet || proxy);
  EnableWindow(GetDlgItem(box, IDC_COMM_PORT), proxy);
  EnableWindow(GetDlgItem(box, IDC_COMM_SPEED), serial);
  EnableWindow(GetDlgItem(box, IDC_COMM_CONNECT_STRING), serial);
}

void EnableDumpExtension(HWND box) {
  bool on = IsDlgButtonChecked(box, IDC_COMM_RCV_DUMP) == BST_CHECKED;
  EnableWindow(GetDlgItem(box, IDC_COMM_RCV_EXT), on);
  EnableWindow(GetDlgItem(box, IDC_COMM_RCV_EXT_LABEL), on);
}

void Fill(HWND box) {
  const tavix::ConfigBlock& s = dialog.scratch;
  for (int i = 0; i < kCommModeCount; ++i)
    if (kCommModes[i].inCommsDialog) AddComboItem(box, IDC_COMM_MODE, kCommModes[i].text, kCommModes[i].code);
  for (int i = 0; i < kSerialSpeedCount; ++i) AddComboItem(box, IDC_COMM_SPEED, kSerialSpeeds[i].text, kSerialSpeeds[i].code);
  SelectComboData(box, IDC_COMM_MODE, s.mode == 0 ? 6 : s.mode);
  SelectComboData(box, IDC_COMM_SPEED, s.speed);
  SendDlgItemMessageA(box, IDC_COMM_HOST, EM_LIMITTEXT, sizeof s.host - 1, 0);
  SendDlgItemMessageA(box, IDC_COMM_ID, EM_LIMITTEXT, sizeof s.userid - 1, 0);
  SendDlgItemMessageA(box, IDC_COMM_CONNECT_STRING, EM_LIMITTEXT, sizeof s.connect - 1, 0);
  SendDlgItemMessageA(box, IDC_COMM_RCV_EXT, EM_LIMITTEXT, sizeof s.rcv_ext - 1, 0);
  SetDlgItemTextA(box, IDC_COMM_HOST, s.host);
  SetDlgItemTextA(box, IDC_COMM_ID, s.userid);
  SetDlgItemTextA(box, IDC_COMM_CONNECT_STRING, s.connect);
  SetDlgItemInt(box, IDC_COMM_PORT, static_cast<UINT>(dialog.proxyPort), FALSE);
  SetDlgItemTextA(box, IDC_COMM_RCV_EXT, s.rcv_ext);
  CheckDlgButton(box, IDC_COMM_DEBUG, s.debug ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(box, IDC_COMM_EDIT, s.edit ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(box, IDC_COMM_AUTOCONNECT, s.autoconnect ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(box, IDC_COMM_AUTODIAL, s.autodial ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(box, IDC_COMM_CONTROL_C, s.controlc_break ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(box, IDC_COMM_RCV_DUMP, s.rcv_dump ? BST_CHECKED : BST_UNCHECKED);
  EnableGroups(box, SelectedComboData(box, IDC_COMM_MODE));
  EnableDumpExtension(box);
}

// Read the controls back; false (dialog stays open) when a message was shown.
bool Accept(HWND box) {
  tavix::ConfigBlock& s = dialog.scratch;
  int mode = SelectedComboData(box, IDC_COMM_MODE);
  s.mode = static_cast<signed char>(mode);
  s.speed = static_cast<signed char>(SelectedComboData(box, IDC_COMM_SPEED));
  GetDlgItemTextA(box, IDC_COMM_HOST, s.host, sizeof s.host);
  GetDlgItemTextA(box, IDC_COMM_ID, s.userid, sizeof s.userid);
  GetDlgItemTextA(box, IDC_COMM_CONNECT_STRING, s.connect, sizeof s.connect);
  GetDlgItemTextA(box, IDC_COMM_RCV_EXT, s.rcv_ext, sizeof s.rcv_ext);
  s.debug = IsDlgButtonChecked(box, IDC_COMM_DEBUG) == BST_CHECKED;
  s.edit = IsDlgButtonChecked(box, IDC_COMM_EDIT) == BST_CHECKED;
  s.autoconnect = IsDlgButtonChecked(box, IDC_COMM_AUTOCONNECT) == BST_CHECKED;
  s.autodial = IsDlgButtonChecked(box, IDC_COMM_AUTODIAL) == BST_CHECKED;
  s.controlc_break = IsDlgButtonChecked(box, IDC_COMM_CONTROL_C) == BST_CHECKED;
  s.rcv_dump = IsDlgButtonChecked(box, IDC_COMM_RCV_DUMP) == BST_CHECKED;
  if (IsTelnetMode(mode)) {
    if (!s.host[0]) {
      ShowStringMessage(box, IDS_NO_HOST_NAME);
      return false;
    }
  } else if (IsSerialMode(mode)) {
    if (s.speed < 0) {
      ShowStringMessage(box, IDS_SPEED_NOT_SET);
      return false;
    }
  } else if (mode == 9) {
    BOOL ok = FALSE;
    UINT port = GetDlgItemInt(box, IDC_COMM_PORT, &ok, FALSE);
    dialog.proxyPort = ok ? static_cast<int>(port) : 0;
  } else {
    ShowStringMessage(box, IDS_MODE_NOT_SET);
    return false;
  }
  return true;
}

INT_PTR CALLBACK CommDialogProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Fill(box);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_COMM_MODE:
          if (HIWORD(wParam) == CBN_SELCHANGE) {
            int mode = SelectedComboData(box, IDC_COMM_MODE);
            if (IsSerialMode(mode)) {
              LoadPortKeys(mode);
              SelectComboData(box, IDC_COMM_SPEED, dialog.scratch.speed);
              SetDlgItemTextA(box, IDC_COMM_CONNECT_STRING, dialog.scratch.connect);
            }
            EnableGroups(box, mode);
          }
          return TRUE;
        case IDC_COMM_AUTOCONNECT:
          if (IsDlgButtonChecked(box, IDC_COMM_AUTOCONNECT) == BST_CHECKED)
            CheckDlgButton(box, IDC_COMM_AUTODIAL, BST_UNCHECKED);
          return TRUE;
        case IDC_COMM_AUTODIAL:
          if (IsDlgButtonChecked(box, IDC_COMM_AUTODIAL) == BST_CHECKED)
            CheckDlgButton(box, IDC_COMM_AUTOCONNECT, BST_UNCHECKED);
          return TRUE;
        case IDC_COMM_RCV_DUMP:
          EnableDumpExtension(box);
          return TRUE;
        case IDOK:
          if (Accept(box)) EndDialog(box, IDOK);
          return TRUE;
        case IDCANCEL:
          EndDialog(box, IDCANCEL);
          return TRUE;
        case IDC_COMM_HELP:
          ShowHelpContext(kCommunicationsHelpContext);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

bool RunCommunicationsDialog(HWND owner) {
  dialog.scratch = Config.store.config;
  dialog.proxyPort = Config.store.proxy_port;
  if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_COMMUNICATIONS), owner, CommDialogProc, 0) !=
      IDOK)
    return false;
  Config.store.config = dialog.scratch;
  Config.store.proxy_port = dialog.proxyPort;
  Config.store.save_connection();
  Config.channelConfigured = tavix::settings_suffice_to_connect(Config.store.config);
  return true;
}
