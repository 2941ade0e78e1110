// Dialog 402 (command 40204): the message directory, its folders and scan
// extension, the notice extensions, the conflict warning and the auxiliary
// port; "Select folder" opens dialog 404.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <string>

#include "comm_modes.h"
#include "dialog_controls.h"
#include "main_window.h"
#include "messaging_folders.h"
#include "messaging_internal.h"
#include "messaging_keys.h"
#include "messaging_shell.h"
#include "resource_ids.h"
#include "serial_shell.h"
#include "shell_config.h"
#include "shell_state.h"

namespace {

constexpr int kHelpContext = 48;
constexpr char kOnlyOutput[] = "Messaging already active on this PC, only output enabled";
constexpr char kUnusualSetup[] =
    "You have selected\n  Messageing enabled\n  Do no use subdirectories\n  No extension specified\n"
    "This is not a normal configuration and may\ncause problems\n\nDo you wish to continue?";

// ---- Dialog 404: a folder from a drive's tree -----------------------------

struct FolderChoice {
  std::string folder;
};

std::string ItemPath(HWND tree, HTREEITEM item) {
  std::string path;
  char text[MAX_PATH];
  while (item) {
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    if (!TreeView_GetItem(tree, &tv)) break;
    path = path.empty() ? std::string(text) : std::string(text) + "\\" + path;
    item = TreeView_GetParent(tree, item);
  }
  return path;
}

bool HasSubfolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((WithSeparator(folder) + "*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool any = false;
  do {
    const std::string name = found.cFileName;
    any = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..";
  } while (!any && FindNextFileA(h, &found));
  FindClose(h);
  return any;
}

HTREEITEM AddTreeItem(HWND tree, HTREEITEM parent, const std::string& text, bool children) {
  TVINSERTSTRUCTA in = {};
  in.hParent = parent;
  in.hInsertAfter = TVI_SORT;
  in.item.mask = TVIF_TEXT | TVIF_CHILDREN;
  in.item.pszText = const_cast<char*>(text.c_str());
  in.item.cChildren = children ? 1 : 0;
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&in)));
}

// The sub-folders of an item, added when it is first opened.
void FillChildren(HWND tree, HTREEITEM item) {
  if (TreeView_GetChild(tree, item)) return;
  const std::string folder = WithSeparator(ItemPath(tree, item));
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder + "*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == "." || name == "..") continue;
    AddTreeItem(tree, item, name, HasSubfolder(folder + name));
  } while (FindNextFileA(h, &found));
  FindClose(h);
}

void ShowDrive(HWND box) {
  char drive[8] = "";
  GetDlgItemTextA(box, IDC_MSG_DRIVES, drive, sizeof drive);
  HWND tree = GetDlgItem(box, IDC_MSG_TREE);
  TreeView_DeleteAllItems(tree);
  std::string root(drive, drive[0] ? 2 : 0);
  if (root.empty()) return;
  HTREEITEM top = AddTreeItem(tree, TVI_ROOT, root, true);
  FillChildren(tree, top);
  TreeView_Expand(tree, top, TVE_EXPAND);
  SetDlgItemTextA(box, IDC_MSG_FOLDER, (root + "\\").c_str());
}

void FillFolderDialog(HWND box, void* data) {
  auto* choice = static_cast<FolderChoice*>(data);
  char drives[512];
  DWORD n = GetLogicalDriveStringsA(sizeof drives, drives);
  for (const char* d = drives; n > 0 && n < sizeof drives && *d; d += std::strlen(d) + 1)
    SendDlgItemMessageA(box, IDC_MSG_DRIVES, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(d));
  const std::string start = choice->folder.size() >= 2 && choice->folder[1] == ':' ? choice->folder.substr(0, 2) : "C:";
  LRESULT at = SendDlgItemMessageA(box, IDC_MSG_DRIVES, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(start.c_str()));
  SendDlgItemMessageA(box, IDC_MSG_DRIVES, CB_SETCURSEL, at == CB_ERR ? 0 : at, 0);
  ShowDrive(box);
  SendDlgItemMessageA(box, IDC_MSG_FOLDER, EM_LIMITTEXT, kMessageDirectorySize - 1, 0);
  if (!choice->folder.empty()) SetDlgItemTextA(box, IDC_MSG_FOLDER, choice->folder.c_str());
}

void FolderCommand(HWND box, int id, int code, void*) {
  if (id == IDC_MSG_DRIVES && code == CBN_SELCHANGE) ShowDrive(box);
  if (id == IDC_MSG_CREATE_FOLDER) {
    const std::string folder = DialogText(box, IDC_MSG_FOLDER, kMessageDirectorySize);
    if (!folder.empty() && !MakeMessagingFolders(folder, false))
      MessageBoxA(box, "The folder could not be created", kProgramTitle, MB_OK | MB_ICONSTOP);
  }
}

bool AcceptFolder(HWND box, void* data) {
  static_cast<FolderChoice*>(data)->folder = DialogText(box, IDC_MSG_FOLDER, kMessageDirectorySize);
  return true;
}

// The folder dialog's tree tells its opening and selection by notification.
WNDPROC FormProcOriginal;
LRESULT CALLBACK FolderSubclass(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->idFrom == IDC_MSG_TREE) {
      auto* tv = reinterpret_cast<NMTREEVIEWA*>(lParam);
      if (hdr->code == TVN_ITEMEXPANDINGA) FillChildren(hdr->hwndFrom, tv->itemNew.hItem);
      if (hdr->code == TVN_SELCHANGEDA)
        SetDlgItemTextA(box, IDC_MSG_FOLDER, WithSeparator(ItemPath(hdr->hwndFrom, tv->itemNew.hItem)).c_str());
    }
  }
  return CallWindowProcA(FormProcOriginal, box, message, wParam, lParam);
}

void FillFolderDialogAndHook(HWND box, void* data) {
  FormProcOriginal = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FolderSubclass)));
  FillFolderDialog(box, data);
}

// ---- Dialog 402 -------------------------------------------------------------

void FillMessagingDialog(HWND box, void*) {
  tavix::VariantIni& ini = Config.variantIni;
  std::string directory = ini.read_migrated_string("Directory", "", kMessageDirectorySize);
  if (directory.empty()) directory = Messaging.directory;
  SendDlgItemMessageA(box, IDC_MSG_DIRECTORY, EM_LIMITTEXT, kMessageDirectorySize - 1, 0);
  SendDlgItemMessageA(box, IDC_MSG_EXTENSION, EM_LIMITTEXT, kScanExtensionSize - 1, 0);
  SendDlgItemMessageA(box, IDC_MSG_MSGIN_EXT, EM_LIMITTEXT, kMsgInExtensionsSize - 1, 0);
  SetDlgItemTextA(box, IDC_MSG_DIRECTORY, directory.c_str());
  SetDlgItemTextA(box, IDC_MSG_EXTENSION, Messaging.scanExtension.c_str());
  SetDlgItemTextA(box, IDC_MSG_MSGIN_EXT, Messaging.msgInExtensions.c_str());
  Check(box, IDC_MSG_USE_SUBDIRS, Messaging.useSubdirectory);
  Check(box, IDC_MSG_DISABLE, !Messaging.enabled);
  Check(box, IDC_MSG_NO_CONFLICT, Messaging.notifyConflict);
  Check(box, IDC_MSG_USE_MSGIN_EXT, Messaging.useMsgInExtensions);
  const tavix::ConfigBlock& c = Config.store.config;
  for (int i = 0; i < kCommModeCount; ++i) {
    if (!kCommModes[i].inAuxPortList) continue;
    AddComboItem(box, IDC_MSG_AUX_PORT, kCommModes[i].code < 0 ? "Inactive" : kCommModes[i].text, kCommModes[i].code);
  }
  SelectComboData(box, IDC_MSG_AUX_PORT, c.auxiliary_port);
  for (int i = 0; i < kSerialSpeedCount; ++i)
    AddComboItem(box, IDC_MSG_AUX_SPEED, kSerialSpeeds[i].text, kSerialSpeeds[i].code);
  SelectComboData(box, IDC_MSG_AUX_SPEED, c.auxiliary_speed);
  Check(box, IDC_MSG_AUX_CR, c.auxiliary_cr_terminate != 0);
  Check(box, IDC_MSG_DISABLE_INPUT, c.auxiliary_read == 0);
}

void MessagingCommand(HWND box, int id, int, void*) {
  if (id == IDC_MSG_HELP) ShowHelpContext(kHelpContext);
  if (id == IDC_MSG_SELECT_FOLDER) {
    FolderChoice choice{DialogText(box, IDC_MSG_DIRECTORY, kMessageDirectorySize)};
    FormDialog form;
    form.fill = FillFolderDialogAndHook;
    form.accept = AcceptFolder;
    form.command = FolderCommand;
    form.data = &choice;
    if (RunFormDialog(box, IDD_MESSAGING_FOLDER, form) == IDOK && !choice.folder.empty())
      SetDlgItemTextA(box, IDC_MSG_DIRECTORY, choice.folder.c_str());
  }
}

bool AcceptMessagingDialog(HWND box, void*) {
  MessagingKeys keys;
  keys.enabled = !Checked(box, IDC_MSG_DISABLE);
  keys.notifyConflict = Checked(box, IDC_MSG_NO_CONFLICT);
  keys.useSubdirectory = Checked(box, IDC_MSG_USE_SUBDIRS);
  keys.scanExtension = DialogText(box, IDC_MSG_EXTENSION, kScanExtensionSize);
  keys.directory = DialogText(box, IDC_MSG_DIRECTORY, kMessageDirectorySize);
  keys.useMsgInExtensions = Checked(box, IDC_MSG_USE_MSGIN_EXT);
  keys.msgInExtensions = DialogText(box, IDC_MSG_MSGIN_EXT, kMsgInExtensionsSize);
  tavix::VariantIni& ini = Config.variantIni;
  // Another instance is the source: only the switches are kept.
  if (keys.enabled && !Messaging.source && !TakeSourceMutex()) {
    MessageBoxA(box, kOnlyOutput, kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
    WriteMessagingKeys(ini, keys, false);
    Messaging.enabled = true;
    Messaging.notifyConflict = keys.notifyConflict;
    UpdateMessageSourceMenu();
    return true;
  }
  if (keys.enabled && !Messaging.source) Messaging.source = true;  // the mutex was free
  if (keys.enabled && !keys.useSubdirectory && keys.scanExtension.empty() &&
      MessageBoxA(box, kUnusualSetup, kProgramTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return false;
  StopMessaging();
  if (!keys.directory.empty()) MakeMessagingFolders(keys.directory, keys.useSubdirectory);
  WriteMessagingKeys(ini, keys);
  tavix::ConfigBlock& c = Config.store.config;
  c.auxiliary_port = static_cast<signed char>(SelectedComboData(box, IDC_MSG_AUX_PORT));
  c.auxiliary_speed = static_cast<signed char>(SelectedComboData(box, IDC_MSG_AUX_SPEED));
  c.auxiliary_cr_terminate = Checked(box, IDC_MSG_AUX_CR) ? 1 : 0;
  c.auxiliary_read = Checked(box, IDC_MSG_DISABLE_INPUT) ? 0 : 1;
  ini.write_int("Config", "Auxiliary port", c.auxiliary_port);
  ini.write_int("Config", "Auxiliary speed", c.auxiliary_speed);
  ini.write_int("Config", "Auxilary cr terminate", c.auxiliary_cr_terminate);
  ini.write_int("Config", "Auxiliary read", c.auxiliary_read);
  // Disabled: the source role goes, so that another instance may take it.
  if (!keys.enabled) ReleaseSourceMutex();
  LoadMessagingSettings();
  StartMessaging();
  CloseAuxiliaryPort();
  OpenAuxiliaryPort();
  return true;
}

}  // namespace

void RunMessagingDialog(HWND owner) {
  FormDialog form;
  form.fill = FillMessagingDialog;
  form.accept = AcceptMessagingDialog;
  form.command = MessagingCommand;
  RunFormDialog(owner, IDD_MESSAGING, form);
}
