#include "dialog_controls.h"

#include <vector>

void AddComboItem(HWND box, int id, const char* text, int data) {
  HWND combo = GetDlgItem(box, id);
  LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

int SelectedComboData(HWND box, int id) {
  HWND combo = GetDlgItem(box, id);
  LRESULT sel = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (sel == CB_ERR) return -1;
  return static_cast<int>(SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(sel), 0));
}

void SelectComboData(HWND box, int id, int value) {
  HWND combo = GetDlgItem(box, id);
  int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    if (static_cast<int>(SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == value) {
      SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return;
    }
  }
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

std::string DialogText(HWND box, int id, int size) {
  std::vector<char> text(static_cast<size_t>(size), '\0');
  int n = GetDlgItemTextA(box, id, text.data(), size);
  return std::string(text.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

bool Checked(HWND box, int id) { return IsDlgButtonChecked(box, id) == BST_CHECKED; }
void Check(HWND box, int id, bool on) { CheckDlgButton(box, id, on ? BST_CHECKED : BST_UNCHECKED); }
