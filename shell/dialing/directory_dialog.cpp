// The Dialing Directory (118) on the local directory, and "Add root password"
// (130), which stores an entry's log-in password enciphered with the user's.
#include <string>
#include <vector>

#include "dialing_shell.h"
#include "dialog_controls.h"
#include "message_box.h"
#include "resource_ids.h"
#include "root_cipher.h"
#include "shell/config/ini_file.h"

namespace {

std::vector<DirectoryEntry> entries;

void Reload(HWND box) {
  _dial_file_ldl ldl(LocalDirectoryFile());
  ldl.read_all(&entries);
  HWND list = GetDlgItem(box, IDC_DIR_LIST);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const DirectoryEntry& e : entries) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.name.c_str()));
}

const DirectoryEntry* Selected(HWND box) {
  LRESULT sel = SendDlgItemMessageA(box, IDC_DIR_LIST, LB_GETCURSEL, 0, 0);
  if (sel == LB_ERR || static_cast<size_t>(sel) >= entries.size()) return nullptr;
  return &entries[static_cast<size_t>(sel)];
}

DirectoryEntry FromFields(HWND box) {
  DirectoryEntry e;
  e.name = DialogText(box, IDC_DIR_NAME, static_cast<int>(kEntryNameMax) + 1);
  e.phone = DialogText(box, IDC_DIR_PHONE, static_cast<int>(kLocalPhoneMax) + 1);
  e.network = Checked(box, IDC_DIR_NETWORK) ? 1 : 0;
  return e;
}

void ShowSelected(HWND box) {
  if (const DirectoryEntry* e = Selected(box)) {
    SetDlgItemTextA(box, IDC_DIR_NAME, e->name.c_str());
    SetDlgItemTextA(box, IDC_DIR_PHONE, e->phone.c_str());
    Check(box, IDC_DIR_NETWORK, e->network != 0);
  }
}

struct RootRequest {
  int number;
};

INT_PTR CALLBACK RootProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(box, DWLP_USER, lParam);
      SendDlgItemMessageA(box, IDC_ROOT_PASSWORD, EM_LIMITTEXT, 19, 0);
      SendDlgItemMessageA(box, IDC_ROOT_USER, EM_LIMITTEXT, 78, 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto* request = reinterpret_cast<RootRequest*>(GetWindowLongPtrA(box, DWLP_USER));
        std::string stored;
        if (!EncipherRoot(DialogText(box, IDC_ROOT_PASSWORD, 20), DialogText(box, IDC_ROOT_USER, 79), &stored)) {
          // An empty user password gives no key: nothing is stored.
          ShowStringMessage(box, IDS_INVALID_PASSWORD);
          return TRUE;
        }
        _dial_file_ldl(LocalDirectoryFile()).store_root(request->number, stored);
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

INT_PTR CALLBACK DirectoryProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SendDlgItemMessageA(box, IDC_DIR_NAME, EM_LIMITTEXT, kEntryNameMax, 0);
      SendDlgItemMessageA(box, IDC_DIR_PHONE, EM_LIMITTEXT, kLocalPhoneMax, 0);
      Reload(box);
      return TRUE;
    case WM_COMMAND: {
      _dial_file_ldl ldl(LocalDirectoryFile());
      switch (LOWORD(wParam)) {
        case IDC_DIR_LIST:
          if (HIWORD(wParam) == LBN_SELCHANGE) ShowSelected(box);
          return TRUE;
        case IDC_DIR_ADD: {
          DirectoryEntry e = FromFields(box);
          if (e.name.empty()) return TRUE;
          ldl.add(e);
          Reload(box);
          return TRUE;
        }
        case IDC_DIR_UPDATE:
          if (const DirectoryEntry* sel = Selected(box)) {
            DirectoryEntry e = FromFields(box);
            e.number = sel->number;
            ldl.update(e);
            Reload(box);
          } else {
            ShowStringMessage(box, IDS_NO_DESTINATION);
          }
          return TRUE;
        case IDC_DIR_DELETE:
          if (const DirectoryEntry* sel = Selected(box)) {
            ldl.remove(sel->number);
            Reload(box);
          } else {
            ShowStringMessage(box, IDS_NO_DESTINATION);
          }
          return TRUE;
        case IDC_DIR_PASSWORD:
          if (const DirectoryEntry* sel = Selected(box)) {
            RootRequest request{sel->number};
            DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ROOT_PASSWORD), box, RootProc,
                            reinterpret_cast<LPARAM>(&request));
          } else {
            ShowStringMessage(box, IDS_NO_DESTINATION);
          }
          return TRUE;
        case IDOK:
        case IDCANCEL:
          EndDialog(box, IDOK);
          return TRUE;
        default:
          return FALSE;
      }
    }
    default:
      return FALSE;
  }
}

}  // namespace

void RunDirectoryDialog(HWND owner) {
  DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DIAL_DIRECTORY), owner, DirectoryProc, 0);
}
