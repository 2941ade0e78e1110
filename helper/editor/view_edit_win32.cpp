// CViewEdit: the program's lines in a grid of fixed cells, each line led by
// its number ("%-5d"), with the caret and the first editing keys.
#include <cstdio>

#include "frame_edit_win32.h"
#include "helper_ids.h"

namespace {

constexpr char kViewClass[] = "CViewEdit";
constexpr int kNumberCells = 5;

}  // namespace

CViewEdit::~CViewEdit() {
  if (font_) DeleteObject(font_);
}

bool CViewEdit::Create(HWND parent) {
  WNDCLASSA existing;
  if (!GetClassInfoA(HelperModule(), kViewClass, &existing)) {
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = HelperModule();
    wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
    wc.lpszClassName = kViewClass;
    if (!RegisterClassA(&wc)) return false;
  }
  window_ = CreateWindowExA(WS_EX_CLIENTEDGE, kViewClass, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0,
                            0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_EDIT_VIEW)),
                            HelperModule(), this);
  if (!window_) return false;
  ApplyFont();
  return true;
}

void CViewEdit::ApplyFont() {
  if (!window_) return;
  const EditPreferences& p = frame_->Session().prefs;
  HDC dc = GetDC(window_);
  const int height = -MulDiv(p.pointSize > 0 ? p.pointSize : 10, GetDeviceCaps(dc, LOGPIXELSY), 72);
  HFONT font = CreateFontA(height, 0, 0, 0, p.bold ? FW_BOLD : FW_NORMAL, p.italic ? TRUE : FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           FIXED_PITCH | FF_MODERN, p.font);
  if (font) {
    if (font_) DeleteObject(font_);
    font_ = font;
  }
  HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(ANSI_FIXED_FONT));
  TEXTMETRICA tm;
  if (GetTextMetricsA(dc, &tm)) {
    cellWidth_ = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 8;
    cellHeight_ = tm.tmHeight > 0 ? tm.tmHeight : 16;
  }
  SelectObject(dc, old);
  ReleaseDC(window_, dc);
  if (hasCaret_) {
    DestroyCaret();
    hasCaret_ = false;
    if (GetFocus() == window_) {
      CreateCaret(window_, nullptr, 2, cellHeight_);
      ShowCaret(window_);
      hasCaret_ = true;
    }
  }
  Refresh();
}

int CViewEdit::VisibleRows() const {
  RECT r;
  GetClientRect(window_, &r);
  const int rows = (r.bottom - r.top) / cellHeight_;
  return rows > 0 ? rows : 1;
}

int CViewEdit::VisibleColumns() const {
  RECT r;
  GetClientRect(window_, &r);
  const int columns = (r.right - r.left) / cellWidth_ - kNumberCells;
  return columns > 0 ? columns : 1;
}

void CViewEdit::CaretIntoView() {
  const EditSession& s = frame_->Session();
  const int rows = VisibleRows(), columns = VisibleColumns();
  if (s.CaretLine() < firstLine_) firstLine_ = s.CaretLine();
  if (s.CaretLine() >= firstLine_ + rows) firstLine_ = s.CaretLine() - rows + 1;
  if (s.CaretColumn() < firstColumn_) firstColumn_ = s.CaretColumn();
  if (s.CaretColumn() >= firstColumn_ + columns) firstColumn_ = s.CaretColumn() - columns + 1;
}

void CViewEdit::Refresh() {
  if (!window_) return;
  CaretIntoView();
  UpdateScrollBars();
  InvalidateRect(window_, nullptr, FALSE);
  PlaceCaret();
}

void CViewEdit::PlaceCaret() {
  if (!hasCaret_) return;
  const EditSession& s = frame_->Session();
  SetCaretPos((s.CaretColumn() - firstColumn_ + kNumberCells) * cellWidth_, (s.CaretLine() - firstLine_) * cellHeight_);
}

void CViewEdit::UpdateScrollBars() {
  const EditSession& s = frame_->Session();
  SCROLLINFO v = {sizeof v, SIF_RANGE | SIF_PAGE | SIF_POS, 0, s.Lines().Count(), static_cast<UINT>(VisibleRows()),
                  firstLine_, 0};
  SetScrollInfo(window_, SB_VERT, &v, TRUE);
  SCROLLINFO h = {sizeof h, SIF_RANGE | SIF_PAGE | SIF_POS, 0, s.Lines().Widest() + 1,
                  static_cast<UINT>(VisibleColumns()), firstColumn_, 0};
  SetScrollInfo(window_, SB_HORZ, &h, TRUE);
}

void CViewEdit::Scroll(int bar, int request, int thumb) {
  int& first = bar == SB_VERT ? firstLine_ : firstColumn_;
  const int page = bar == SB_VERT ? VisibleRows() : VisibleColumns();
  const EditSession& s = frame_->Session();
  const int limit = bar == SB_VERT ? s.Lines().Count() - 1 : s.Lines().Widest();
  switch (request) {
    case SB_LINEUP: --first; break;
    case SB_LINEDOWN: ++first; break;
    case SB_PAGEUP: first -= page; break;
    case SB_PAGEDOWN: first += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: first = thumb; break;
    case SB_TOP: first = 0; break;
    case SB_BOTTOM: first = limit; break;
    default: return;
  }
  if (first > limit) first = limit;
  if (first < 0) first = 0;
  UpdateScrollBars();
  InvalidateRect(window_, nullptr, FALSE);
  PlaceCaret();
}

void CViewEdit::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  RECT client;
  GetClientRect(window_, &client);
  HGDIOBJ old = SelectObject(dc, font_ ? font_ : GetStockObject(ANSI_FIXED_FONT));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  const EditSession& s = frame_->Session();
  const int rows = VisibleRows() + 1;
  const int columns = VisibleColumns() + 1;
  int y = 0;
  for (int row = 0; row < rows; ++row, y += cellHeight_) {
    const int line = firstLine_ + row;
    RECT cells = {client.left, y, client.right, y + cellHeight_};
    if (!s.Lines().Exists(line)) {
      FillRect(dc, &cells, GetSysColorBrush(COLOR_WINDOW));
      continue;
    }
    char number[16];
    std::snprintf(number, sizeof number, "%-5d", line + 1);
    std::string text(number, kNumberCells);
    const std::string& body = s.Lines().At(line);
    if (static_cast<size_t>(firstColumn_) < body.size()) text += body.substr(static_cast<size_t>(firstColumn_));
    text.resize(static_cast<size_t>(kNumberCells + columns), ' ');
    ExtTextOutA(dc, 0, y, ETO_OPAQUE, &cells, text.data(), static_cast<UINT>(text.size()), nullptr);
  }
  SelectObject(dc, old);
  EndPaint(window_, &ps);
}

bool CViewEdit::OnKey(WPARAM key) {
  EditSession& s = frame_->Session();
  const int page = VisibleRows();
  switch (key) {
    case VK_LEFT: s.MoveBy(0, -1); return true;
    case VK_RIGHT: s.MoveBy(0, 1); return true;
    case VK_UP: s.MoveBy(-1, 0); return true;
    case VK_DOWN: s.MoveBy(1, 0); return true;
    case VK_PRIOR: s.MoveBy(-page, 0); return true;
    case VK_NEXT: s.MoveBy(page, 0); return true;
    case VK_HOME: s.Home(); return true;
    case VK_END: s.End(); return true;
    case VK_INSERT: s.ToggleInsert(); return true;
    case VK_DELETE:
      if (!s.DeleteRight()) frame_->Beep();
      return true;
    default: return false;
  }
}

bool CViewEdit::OnChar(WPARAM ch) {
  EditSession& s = frame_->Session();
  bool done = true;
  if (ch == '\b') {
    done = s.Backspace();
  } else if (ch == '\r') {
    done = s.NewLine();
  } else if (ch >= 32 && ch <= 255 && ch != 127) {
    done = s.TypeCharacter(static_cast<unsigned char>(ch));
  } else {
    return false;  // other control characters are not text
  }
  if (!done) frame_->Beep();
  return true;
}

LRESULT CALLBACK CViewEdit::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<CViewEdit*>(create->lpCreateParams)->window_ = window;
  }
  auto* self = reinterpret_cast<CViewEdit*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

LRESULT CViewEdit::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      Refresh();
      return 0;
    case WM_SETFOCUS:
      CreateCaret(window_, nullptr, 2, cellHeight_);
      hasCaret_ = true;
      PlaceCaret();
      ShowCaret(window_);
      return 0;
    case WM_KILLFOCUS:
      if (hasCaret_) DestroyCaret();
      hasCaret_ = false;
      return 0;
    case WM_KEYDOWN: {
      CFrameEdit::Busy busy(*frame_);
      if (!OnKey(wParam)) break;
      frame_->Refresh();
      return 0;
    }
    case WM_CHAR: {
      CFrameEdit::Busy busy(*frame_);
      if (!OnChar(wParam)) return 0;
      frame_->Refresh();
      return 0;
    }
    case WM_LBUTTONDOWN: {
      SetFocus(window_);
      const int column = static_cast<short>(LOWORD(lParam)) / cellWidth_ - kNumberCells + firstColumn_;
      const int line = static_cast<short>(HIWORD(lParam)) / cellHeight_ + firstLine_;
      frame_->Session().MoveCaret(line, column);
      frame_->Refresh();
      return 0;
    }
    case WM_VSCROLL:
    case WM_HSCROLL: {
      SCROLLINFO info = {sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      const int bar = message == WM_VSCROLL ? SB_VERT : SB_HORZ;
      GetScrollInfo(window_, bar, &info);
      Scroll(bar, LOWORD(wParam), info.nTrackPos);
      return 0;
    }
    case WM_MOUSEWHEEL:
      for (int n = 0; n < 3; ++n)
        Scroll(SB_VERT, static_cast<short>(HIWORD(wParam)) > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}
