// "Helper Applications" (dialog 125, menu command 40191): the user's list of
// named helper programs in [Helpers-32] of the configuration variant.
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "main_window.h"
#include "message_box.h"
#include "resource_ids.h"
#include "shell/config/helper_list.h"
#include "shell_config.h"

namespace {

constexpr int kHelperHelpContext = 44;

std::string ItemText(HWND box, int id) {
  char text[tavix::kHelperNameSize + 200] = "";
  GetDlgItemTextA(box, id, text, sizeof text);
  return text;
}

std::string ListText(HWND list, int index) {
  const LRESULT n = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == LB_ERR || n <= 0) return std::string();
  std::string text(static_cast<size_t>(n) + 1, '\0');
  SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(n));
  return text;
}

std::string CommandOf(const std::string& name) {
  char command[tavix::kHelperCommandSize] = "";
  if (tavix::ReadHelperCommand(Config.variantIni, name.c_str(), command, sizeof command) < 0) return std::string();
  return command;
}

// A guard against the name field's change notice while the dialog itself
// fills the field.
bool filling = false;

void ShowSelection(HWND box) {
  HWND list = GetDlgItem(box, IDC_HELPER_LIST);
  const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return;
  const std::string name = ListText(list, static_cast<int>(index));
  filling = true;
  SetDlgItemTextA(box, IDC_HELPER_NAME, name.c_str());
  filling = false;
  SendDlgItemMessageA(box, IDC_HELPER_NAME, EM_SETSEL, 0, -1);
  SetDlgItemTextA(box, IDC_HELPER_COMMAND, CommandOf(name).c_str());
}

// Typing a name selects the entry of exactly that name.
void NameTyped(HWND box) {
  if (filling) return;
  HWND list = GetDlgItem(box, IDC_HELPER_LIST);
  const std::string name = ItemText(box, IDC_HELPER_NAME);
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    if (ListText(list, i) == name) {
      SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
      SetDlgItemTextA(box, IDC_HELPER_COMMAND, CommandOf(name).c_str());
      return;
    }
  }
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SetDlgItemTextA(box, IDC_HELPER_COMMAND, "");
}

void Add(HWND box) {
  const std::string name = ItemText(box, IDC_HELPER_NAME);
  char command[tavix::kHelperCommandSize] = "";
  GetDlgItemTextA(box, IDC_HELPER_COMMAND, command, sizeof command);
  if (!tavix::IsValidHelperName(name.c_str())) {
    ShowStringMessage(box, IDS_INVALID_NAME);
    return;
  }
  tavix::WriteHelper(Config.variantIni, name.c_str(), command);
  HWND list = GetDlgItem(box, IDC_HELPER_LIST);
  const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  if (index >= 0) SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// The selected entry's name; empty (after the message) when none is selected.
std::string SelectedName(HWND box) {
  HWND list = GetDlgItem(box, IDC_HELPER_LIST);
  const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) {
    ShowStringMessage(box, IDS_NO_HELPER);
    return std::string();
  }
  return ListText(list, static_cast<int>(index));
}

void Update(HWND box) {
  const std::string name = SelectedName(box);
  if (name.empty()) return;
  char command[tavix::kHelperCommandSize] = "";
  GetDlgItemTextA(box, IDC_HELPER_COMMAND, command, sizeof command);
  tavix::WriteHelper(Config.variantIni, name.c_str(), command);
}

void Delete(HWND box) {
  const std::string name = SelectedName(box);
  if (name.empty()) return;
  tavix::DeleteHelper(Config.variantIni, name.c_str());
  HWND list = GetDlgItem(box, IDC_HELPER_LIST);
  SendMessageA(list, LB_DELETESTRING, SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
}

void Browse(HWND box) {
  char path[MAX_PATH] = "";
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = box;
  ofn.lpstrFilter = "Executable files\0*.exe\0All files\0*.*\0";
  ofn.lpstrFile = path;
  ofn.nMaxFile = sizeof path;
  ofn.lpstrTitle = "Helper Command";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
  if (GetOpenFileNameA(&ofn)) SetDlgItemTextA(box, IDC_HELPER_COMMAND, path);
}

void Fill(HWND box) {
  SendDlgItemMessageA(box, IDC_HELPER_NAME, EM_LIMITTEXT, tavix::kHelperNameSize - 1, 0);
  SendDlgItemMessageA(box, IDC_HELPER_COMMAND, EM_LIMITTEXT, tavix::kHelperCommandSize - 1, 0);
  HWND list = GetDlgItem(box, IDC_HELPER_LIST);
  for (const std::string& name : tavix::HelperNames(Config.variantIni))
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

INT_PTR CALLBACK HelperDialogProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Fill(box);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_HELPER_NAME:
          if (HIWORD(wParam) == EN_CHANGE) NameTyped(box);
          return TRUE;
        case IDC_HELPER_LIST:
          if (HIWORD(wParam) == LBN_SELCHANGE) ShowSelection(box);
          return TRUE;
        case IDC_HELPER_ADD: Add(box); return TRUE;
        case IDC_HELPER_DELETE: Delete(box); return TRUE;
        case IDC_HELPER_UPDATE: Update(box); return TRUE;
        case IDC_HELPER_BROWSE: Browse(box); return TRUE;
        case IDC_HELPER_HELP: ShowHelpContext(kHelperHelpContext); return TRUE;
        case IDOK:
        case IDCANCEL:
          CloseHelp();
          EndDialog(box, LOWORD(wParam));
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

void RunHelperApplicationsDialog(HWND owner) {
  DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_HELPER_APPLICATIONS), owner, HelperDialogProc, 0);
}
