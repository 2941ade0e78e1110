#include "edit_list_window_win32.h"

#include <cstdio>

#include "edit_find.h"
#include "edit_grid.h"
#include "edit_labels.h"
#include "frame_edit_win32.h"
#include "helper_ids.h"

namespace {

const char* const kCaptions[3] = {"Found Strings", "Bookmarks", "Labels"};

}  // namespace

bool EditListWindow::Create(const int placement[4]) {
  if (!CreateFrom(IDD_EDIT_LIST, frame_.FrameHandle())) return false;
  SetWindowTextA(Handle(), kCaptions[kind_]);
  RECT owner;
  GetWindowRect(frame_.FrameHandle(), &owner);
  RECT r;
  GetWindowRect(Handle(), &r);
  int x = placement[0], y = placement[1], w = placement[2], h = placement[3];
  if (w <= 0 || h <= 0) {
    w = r.right - r.left;
    h = r.bottom - r.top;
  }
  if (x < 0 || y < 0) {
    // Beside the edit window, each kind a little lower than the one before,
    // and on the screen.
    x = owner.right - w / 2;
    y = owner.top + 30 * (kind_ + 1);
    const int right = GetSystemMetrics(SM_CXVIRTUALSCREEN) + GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int bottom = GetSystemMetrics(SM_CYVIRTUALSCREEN) + GetSystemMetrics(SM_YVIRTUALSCREEN);
    if (x + w > right) x = right - w;
    if (y + h > bottom) y = bottom - h;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
  }
  SetWindowPos(Handle(), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
  return true;
}

void EditListWindow::OnInit() {}

void EditListWindow::Show() {
  ShowWindow(Handle(), SW_SHOWNA);
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void EditListWindow::Layout() {
  RECT client;
  GetClientRect(Handle(), &client);
  HWND heading = GetDlgItem(Handle(), IDC_LIST_HEADING);
  RECT h;
  GetWindowRect(heading, &h);
  const int headingHeight = h.bottom - h.top;
  MoveWindow(heading, 4, 2, client.right - 8, headingHeight, TRUE);
  const int top = headingHeight + 4;
  MoveWindow(GetDlgItem(Handle(), IDC_LIST_ENTRIES), 4, top, client.right - 8,
             client.bottom - top - 4 > 0 ? client.bottom - top - 4 : 0, TRUE);
}

void EditListWindow::Add(int line, int column) {
  const EditSession& s = frame_.Session();
  std::string entry = GutterText(line);
  entry += s.Lines().At(line);
  const LRESULT at = SendDlgItemMessageA(Handle(), IDC_LIST_ENTRIES, LB_ADDSTRING, 0,
                                         reinterpret_cast<LPARAM>(entry.c_str()));
  if (at >= 0) SendDlgItemMessageA(Handle(), IDC_LIST_ENTRIES, LB_SETITEMDATA, static_cast<WPARAM>(at), line);
  lines_.push_back(line);
  columns_.push_back(column);
}

void EditListWindow::Fill() {
  const EditSession& s = frame_.Session();
  HWND list = GetDlgItem(Handle(), IDC_LIST_ENTRIES);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  lines_.clear();
  columns_.clear();
  const char* heading = "";
  switch (kind_) {
    case kListLabels: {
      const std::vector<EditLabel> labels = CollectLabels(s.Lines(), s.prefs.sortLabels != 0);
      for (const EditLabel& label : labels) Add(label.line, label.column);
      heading = labels.empty() ? kNoLabelsText : "Labels";
      break;
    }
    case kListBookmarks:
      for (int line : s.Bookmarks().Lines())
        if (s.Lines().Exists(line)) Add(line, 0);
      heading = "User bookmarks";
      break;
    default:
      for (int line : s.Founds().Lines())
        if (s.Lines().Exists(line)) Add(line, 0);
      heading = kFoundAndMarkedText;
      break;
  }
  SetDlgItemTextA(Handle(), IDC_LIST_HEADING, heading);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  shownMarks_ = kind_ == kListBookmarks ? s.Bookmarks().Lines() : kind_ == kListFound ? s.Founds().Lines()
                                                                                          : std::vector<int>();
  shownCount_ = s.Lines().Count();
  shownSort_ = s.prefs.sortLabels;
}

void EditListWindow::FillIfChanged() {
  const EditSession& s = frame_.Session();
  bool changed = s.Lines().Count() != shownCount_;
  if (kind_ == kListBookmarks) changed = changed || s.Bookmarks().Lines() != shownMarks_;
  if (kind_ == kListFound) changed = changed || s.Founds().Lines() != shownMarks_;
  if (kind_ == kListLabels) changed = changed || s.prefs.sortLabels != shownSort_;
  if (changed) Fill();
}

void EditListWindow::CapturePlacement(int placement[4]) const {
  if (!Handle()) return;
  RECT r;
  GetWindowRect(Handle(), &r);
  placement[0] = r.left;
  placement[1] = r.top;
  placement[2] = r.right - r.left;
  placement[3] = r.bottom - r.top;
}

bool EditListWindow::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR*) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return true;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_LIST_ENTRIES && HIWORD(wParam) == LBN_DBLCLK) {
        const LRESULT at = SendDlgItemMessageA(Handle(), IDC_LIST_ENTRIES, LB_GETCURSEL, 0, 0);
        if (at >= 0 && static_cast<size_t>(at) < lines_.size()) {
          frame_.Session().RememberPosition();
          frame_.ShowLine(lines_[static_cast<size_t>(at)], columns_[static_cast<size_t>(at)]);
        }
        return true;
      }
      if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) {
        ShowWindow(Handle(), SW_HIDE);
        frame_.ListClosed(static_cast<EditListKind>(kind_));
        return true;
      }
      return false;
    case WM_CLOSE:
      ShowWindow(Handle(), SW_HIDE);
      frame_.ListClosed(static_cast<EditListKind>(kind_));
      return true;
    default:
      return false;
  }
}
