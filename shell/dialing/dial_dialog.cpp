// The Dial dialog (119): the entries of both directories in an owner-drawn
// list, the name at the left and the phone or host text from two thirds of
// the width on, local entries marked "L "; "Search for:" filters by name.
#include <string>
#include <vector>

#include "dial_entry.h"
#include "dialing_shell.h"
#include "dialog_controls.h"
#include "main_window.h"
#include "message_box.h"
#include "resource_ids.h"
#include "shell_config.h"

namespace {

constexpr int kDialHelpContext = 5;
constexpr size_t kShownPhoneMax = 199;

struct DialDialogState {
  std::vector<DirectoryEntry> entries;
  std::string search;      // the command line's, for the first opening
  bool dialAtOnce = false;
  const DirectoryEntry* chosen = nullptr;
  bool save = false;
};

DialDialogState dial;
bool commandLineSearchUsed = false;

void LoadEntries() {
  dial.entries.clear();
  std::vector<DirectoryEntry> global;
  ReadGlobalDirectory("./corvane.gdl", GlobalDirectoryFile(), "./corvane.nam", &global);
  std::vector<DirectoryEntry> local;
  _dial_file_ldl ldl(LocalDirectoryFile());
  ldl.read_all(&local);
  dial.entries = global;
  dial.entries.insert(dial.entries.end(), local.begin(), local.end());
}

// Fills the list with the entries whose name holds the search text; false
// when the list ran out of room.
bool Filter(HWND box) {
  HWND list = GetDlgItem(box, IDC_DIAL_LIST);
  std::string search = DialogText(box, IDC_DIAL_SEARCH, 100);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < dial.entries.size(); ++i) {
    if (!NameMatches(dial.entries[i].name, search)) continue;
    LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, static_cast<LPARAM>(i));
    if (at == LB_ERR || at == LB_ERRSPACE) return false;
  }
  if (SendMessageA(list, LB_GETCOUNT, 0, 0) > 0) SendMessageA(list, LB_SETCURSEL, 0, 0);
  return true;
}

const DirectoryEntry* Selected(HWND box) {
  HWND list = GetDlgItem(box, IDC_DIAL_LIST);
  LRESULT sel = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (sel == LB_ERR) return nullptr;
  size_t i = static_cast<size_t>(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(sel), 0));
  return i < dial.entries.size() ? &dial.entries[i] : nullptr;
}

void DrawEntry(const DRAWITEMSTRUCT* d) {
  if (d->itemID == static_cast<UINT>(-1)) return;
  size_t i = static_cast<size_t>(d->itemData);
  if (i >= dial.entries.size()) return;
  const DirectoryEntry& e = dial.entries[i];
  const bool selected = (d->itemState & ODS_SELECTED) != 0;
  FillRect(d->hDC, &d->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetBkMode(d->hDC, TRANSPARENT);
  SetTextColor(d->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT name = d->rcItem;
  const int width = d->rcItem.right - d->rcItem.left;
  name.left += 2;
  name.right = d->rcItem.left + width * 2 / 3 - 4;
  std::string text = (e.local ? "L " : "") + e.name;
  DrawTextA(d->hDC, text.c_str(), static_cast<int>(text.size()), &name, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  RECT phone = d->rcItem;
  phone.left = d->rcItem.left + width * 2 / 3;
  std::string p = e.phone.substr(0, kShownPhoneMax);
  DrawTextA(d->hDC, p.c_str(), static_cast<int>(p.size()), &phone, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  if (d->itemState & ODS_FOCUS) DrawFocusRect(d->hDC, &d->rcItem);
}

void Choose(HWND box, bool save) {
  const DirectoryEntry* e = Selected(box);
  if (!e) {
    ShowStringMessage(box, IDS_NO_DESTINATION);
    return;
  }
  dial.chosen = e;
  dial.save = save;
  EndDialog(box, IDOK);
}

INT_PTR CALLBACK DialProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      LoadEntries();
      SendDlgItemMessageA(box, IDC_DIAL_SEARCH, EM_LIMITTEXT, 99, 0);
      SetDlgItemTextA(box, IDC_DIAL_SEARCH, dial.search.c_str());
      if (!Filter(box)) {
        ShowStringMessage(box, IDS_INSUFFICIENT_MEMORY);
        EndDialog(box, IDCANCEL);
        return TRUE;
      }
      // A search text from the command line that leaves one entry dials it.
      if (dial.dialAtOnce && SendDlgItemMessageA(box, IDC_DIAL_LIST, LB_GETCOUNT, 0, 0) == 1)
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      return TRUE;
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      TEXTMETRICA tm;
      HDC dc = GetDC(box);
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
      GetTextMetricsA(dc, &tm);
      ReleaseDC(box, dc);
      m->itemHeight = static_cast<UINT>(tm.tmHeight + 2);
      return TRUE;
    }
    case WM_DRAWITEM:
      DrawEntry(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_DIAL_SEARCH:
          if (HIWORD(wParam) == EN_CHANGE && !Filter(box)) ShowStringMessage(box, IDS_INSUFFICIENT_MEMORY);
          return TRUE;
        case IDC_DIAL_LIST:
          if (HIWORD(wParam) == LBN_DBLCLK) Choose(box, false);
          return TRUE;
        case IDOK:
          Choose(box, false);
          return TRUE;
        case IDC_DIAL_SAVE:
          Choose(box, true);
          return TRUE;
        case IDC_DIAL_DIRECTORY:
          RunDirectoryDialog(box);
          LoadEntries();
          Filter(box);
          return TRUE;
        case IDC_DIAL_HELP:
          ShowHelpContext(kDialHelpContext);
          return TRUE;
        case IDCANCEL:
          EndDialog(box, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

void RunDialDialog(HWND owner) {
  dial = DialDialogState{};
  if (!commandLineSearchUsed) {
    commandLineSearchUsed = true;
    dial.search = Config.commandLine.dial_profile;
    dial.dialAtOnce = !dial.search.empty();
  }
  if (DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DIAL), owner, DialProc, 0) != IDOK) return;
  DirectoryEntry chosen = *dial.chosen;
  DialEntry(owner, &chosen, dial.save);
}
