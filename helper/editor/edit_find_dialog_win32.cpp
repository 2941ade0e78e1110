#include "edit_find_dialog_win32.h"

#include "edit_find.h"
#include "frame_edit_win32.h"
#include "helper_ids.h"

namespace {

constexpr size_t kFieldHistory = 20;

void Check(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

}  // namespace

bool EditFindDialog::Create() { return CreateFrom(IDD_EDIT_FIND, frame_.FrameHandle()); }

void EditFindDialog::OnInit() {
  const EditPreferences& p = frame_.Session().prefs;
  Check(Handle(), IDC_FIND_FROM_TOP, p.fromTop != 0);
  Check(Handle(), IDC_FIND_MATCH_CASE, p.matchCase != 0);
  Check(Handle(), IDC_FIND_WHOLE_WORD, p.wholeWord != 0);
  Check(Handle(), IDC_FIND_DOWN, p.down != 0);
  Check(Handle(), IDC_FIND_UP, p.down == 0);
}

void EditFindDialog::Show(bool replace) {
  EditSession& s = frame_.Session();
  std::string what;
  if (s.HasSelection()) {
    int l0, c0, l1, c1;
    s.SelectionBounds(l0, c0, l1, c1);
    if (l0 == l1) what = s.SelectedText();
  }
  if (what.empty()) what = s.WordAtCaret();
  if (!what.empty()) SetDlgItemTextA(Handle(), IDC_FIND_WHAT, what.c_str());
  Check(Handle(), IDC_FIND_SELECTION, false);
  continuing_ = false;
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  HWND focus = GetDlgItem(Handle(), replace ? IDC_FIND_REPLACE_WITH : IDC_FIND_WHAT);
  SetFocus(focus);
  SendMessageA(focus, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

std::string EditFindDialog::FieldText(int id) const {
  HWND field = GetDlgItem(Handle(), id);
  const int length = GetWindowTextLengthA(field);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(field, &text[0], length + 1);
  text.resize(static_cast<size_t>(length));
  return text;
}

void EditFindDialog::Remember(int id, std::vector<std::string>& history, const std::string& text) {
  if (text.empty()) return;
  for (size_t i = 0; i < history.size(); ++i) {
    if (history[i] == text) {
      history.erase(history.begin() + static_cast<long>(i));
      break;
    }
  }
  history.insert(history.begin(), text);
  if (history.size() > kFieldHistory) history.resize(kFieldHistory);
  HWND field = GetDlgItem(Handle(), id);
  SendMessageA(field, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : history) SendMessageA(field, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  SetWindowTextA(field, text.c_str());
}

void EditFindDialog::StoreOptions() {
  EditPreferences& p = frame_.Session().prefs;
  p.fromTop = Checked(Handle(), IDC_FIND_FROM_TOP) ? 1 : 0;
  p.matchCase = Checked(Handle(), IDC_FIND_MATCH_CASE) ? 1 : 0;
  p.wholeWord = Checked(Handle(), IDC_FIND_WHOLE_WORD) ? 1 : 0;
  p.down = Checked(Handle(), IDC_FIND_UP) ? 0 : 1;
}

FindRequest EditFindDialog::Request(bool keepHistory) {
  StoreOptions();
  const EditPreferences& p = frame_.Session().prefs;
  FindRequest r;
  r.what = FieldText(IDC_FIND_WHAT);
  r.options.matchCase = p.matchCase != 0;
  r.options.wholeWord = p.wholeWord != 0;
  r.options.down = p.down != 0;
  r.fromTop = p.fromTop != 0 && !continuing_;
  r.inSelection = Checked(Handle(), IDC_FIND_SELECTION);
  if (keepHistory) Remember(IDC_FIND_WHAT, findHistory_, r.what);
  return r;
}

void EditFindDialog::NotFound() { frame_.Box(kStringNotFoundText, MB_OK | MB_ICONINFORMATION); }

void EditFindDialog::FindNext() {
  const FindRequest r = Request(true);
  if (r.what.empty()) return;
  CFrameEdit::Busy busy(frame_);
  if (frame_.Session().Find(r)) {
    continuing_ = true;
    frame_.Refresh();
  } else {
    NotFound();
  }
}

void EditFindDialog::Replace() {
  const FindRequest r = Request(true);
  if (r.what.empty()) return;
  const std::string with = FieldText(IDC_FIND_REPLACE_WITH);
  Remember(IDC_FIND_REPLACE_WITH, replaceHistory_, with);
  CFrameEdit::Busy busy(frame_);
  EditSession& s = frame_.Session();
  if (s.EditingRefused()) {
    frame_.Beep();
    return;
  }
  const bool found = s.ReplaceNext(r, with);
  continuing_ = true;
  frame_.Refresh();
  if (!found) NotFound();
}

void EditFindDialog::ReplaceAll() {
  const FindRequest r = Request(true);
  if (r.what.empty()) return;
  const std::string with = FieldText(IDC_FIND_REPLACE_WITH);
  Remember(IDC_FIND_REPLACE_WITH, replaceHistory_, with);
  CFrameEdit::Busy busy(frame_);
  EditSession& s = frame_.Session();
  if (s.EditingRefused()) {
    frame_.Beep();
    return;
  }
  const int changed = s.ReplaceAll(r, with);
  frame_.Refresh();
  if (changed == 0) NotFound();
}

void EditFindDialog::MarkAll() {
  const FindRequest r = Request(true);
  if (r.what.empty()) return;
  CFrameEdit::Busy busy(frame_);
  const int marked = frame_.Session().MarkAll(r);
  frame_.Refresh();
  if (marked == 0) {
    NotFound();
    return;
  }
  frame_.ShowList(kListFound);
}

bool EditFindDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR*) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_FIND_NEXT:
        case IDOK: FindNext(); return true;
        case IDC_FIND_REPLACE: Replace(); return true;
        case IDC_FIND_REPLACE_ALL: ReplaceAll(); return true;
        case IDC_FIND_MARK_ALL: MarkAll(); return true;
        case IDCANCEL:
          StoreOptions();
          ShowWindow(Handle(), SW_HIDE);
          SetFocus(frame_.View().Handle());
          return true;
        case IDC_FIND_WHAT:
          if (HIWORD(wParam) == CBN_EDITCHANGE || HIWORD(wParam) == CBN_SELCHANGE) continuing_ = false;
          return true;
        case IDC_FIND_FROM_TOP:
        case IDC_FIND_SELECTION:
        case IDC_FIND_UP:
        case IDC_FIND_DOWN:
          continuing_ = false;
          return false;
        default: return false;
      }
    case WM_CLOSE:
      StoreOptions();
      ShowWindow(Handle(), SW_HIDE);
      return true;
    default:
      return false;
  }
}
