#include "edit_function_dialog_win32.h"

#include "frame_edit_win32.h"
#include "helper_ids.h"

namespace {

// The host's lines may end in LF alone; the edit box wants CR LF.
std::string WithBreaks(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += c;
  }
  return out;
}

}  // namespace

bool EditFunctionDialog::Create() { return CreateFrom(IDD_EDIT_FUNCTION, frame_.FrameHandle()); }

void EditFunctionDialog::Show(const std::string& text) {
  text_ = text;
  SetDlgItemTextA(Handle(), IDC_FUNCTION_TEXT, WithBreaks(text).c_str());
  EditSession& s = frame_.Session();
  const bool replaceable = !s.readOnly && s.CanReplaceWordAtCaret();
  EnableWindow(GetDlgItem(Handle(), IDC_FUNCTION_REPLACE), replaceable);
  Place();
  ShowWindow(Handle(), SW_SHOW);
  SetFocus(GetDlgItem(Handle(), IDCANCEL));
}

void EditFunctionDialog::Place() {
  CViewEdit& view = frame_.View();
  RECT client;
  GetClientRect(view.Handle(), &client);
  int width = client.right - client.left;
  const int limit = frame_.Session().prefs.functionWidth;
  if (limit > 0 && limit < width) width = limit;
  POINT below = {0, (frame_.Session().CaretLine() - view.FirstLine() + 1) * view.CellHeight()};
  ClientToScreen(view.Handle(), &below);
  RECT r;
  GetWindowRect(Handle(), &r);
  SetWindowPos(Handle(), HWND_TOP, below.x, below.y, width, r.bottom - r.top, SWP_NOACTIVATE);
  Layout();
}

void EditFunctionDialog::Layout() {
  RECT c;
  GetClientRect(Handle(), &c);
  HWND close = GetDlgItem(Handle(), IDCANCEL), replace = GetDlgItem(Handle(), IDC_FUNCTION_REPLACE);
  RECT b;
  GetWindowRect(close, &b);
  const int bw = b.right - b.left, bh = b.bottom - b.top;
  MoveWindow(close, c.right - bw - 4, c.bottom - bh - 4, bw, bh, TRUE);
  MoveWindow(replace, c.right - 2 * bw - 10, c.bottom - bh - 4, bw, bh, TRUE);
  MoveWindow(GetDlgItem(Handle(), IDC_FUNCTION_TEXT), 4, 4, c.right - 8, c.bottom - bh - 12, TRUE);
}

bool EditFunctionDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR*) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return true;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_FUNCTION_REPLACE:
          if (!frame_.ReplaceWordAtCaret(text_)) frame_.Beep();
          ShowWindow(Handle(), SW_HIDE);
          SetFocus(frame_.View().Handle());
          return true;
        case IDCANCEL:
        case IDOK:
          ShowWindow(Handle(), SW_HIDE);
          SetFocus(frame_.View().Handle());
          return true;
        default:
          return false;
      }
    case WM_CLOSE:
      ShowWindow(Handle(), SW_HIDE);
      return true;
    default:
      return false;
  }
}
