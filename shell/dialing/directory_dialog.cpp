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

// "Add root password": the password to store, enciphered with the user's.
bool StoreRootPassword(HWND box, void* data) {
  const int number = *static_cast<int*>(data);
  std::string stored;
  if (!EncipherRoot(DialogText(box, IDC_ROOT_PASSWORD, 20), DialogText(box, IDC_ROOT_USER, 79), &stored)) {
    // An empty user password gives no key: nothing is stored.
    ShowStringMessage(box, IDS_INVALID_PASSWORD);
    return false;
  }
  _dial_file_ldl(LocalDirectoryFile()).store_root(number, stored);
  return true;
}

void FillDirectory(HWND box, void*) {
  SendDlgItemMessageA(box, IDC_DIR_NAME, EM_LIMITTEXT, kEntryNameMax, 0);
  SendDlgItemMessageA(box, IDC_DIR_PHONE, EM_LIMITTEXT, kLocalPhoneMax, 0);
  Reload(box);
}

void DirectoryCommand(HWND box, int id, int code, void*) {
  _dial_file_ldl ldl(LocalDirectoryFile());
  if (id == IDC_DIR_LIST) {
    if (code == LBN_SELCHANGE) ShowSelected(box);
    return;
  }
  if (id == IDC_DIR_ADD) {
    DirectoryEntry e = FromFields(box);
    if (e.name.empty()) return;
    ldl.add(e);
    Reload(box);
    return;
  }
  if (id != IDC_DIR_UPDATE && id != IDC_DIR_DELETE && id != IDC_DIR_PASSWORD) return;
  const DirectoryEntry* sel = Selected(box);
  if (!sel) {
    ShowStringMessage(box, IDS_NO_DESTINATION);
    return;
  }
  int number = sel->number;
  if (id == IDC_DIR_UPDATE) {
    DirectoryEntry e = FromFields(box);
    e.number = number;
    ldl.update(e);
  } else if (id == IDC_DIR_DELETE) {
    ldl.remove(number);
  } else {
    FormDialog root;
    root.fill = [](HWND b, void*) {
      SendDlgItemMessageA(b, IDC_ROOT_PASSWORD, EM_LIMITTEXT, 19, 0);
      SendDlgItemMessageA(b, IDC_ROOT_USER, EM_LIMITTEXT, 78, 0);
    };
    root.accept = StoreRootPassword;
    root.data = &number;
    RunFormDialog(box, IDD_ROOT_PASSWORD, root);
    return;
  }
  Reload(box);
}

}  // namespace

void RunDirectoryDialog(HWND owner) {
  FormDialog form;
  form.fill = FillDirectory;
  form.command = DirectoryCommand;
  RunFormDialog(owner, IDD_DIAL_DIRECTORY, form);
}
