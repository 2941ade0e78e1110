#include "view_edit_win32.h"

#include "edit_grid.h"
#include "edit_labels.h"
#include "edit_text_ops.h"
#include "frame_edit_win32.h"
#include "helper_ids.h"
#include "helper_state.h"

namespace {

constexpr char kViewClass[] = "CViewEdit";
constexpr UINT_PTR kDragScrollTimer = 1;

bool KeyDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

// The numeric-pad key of a virtual key, or -1.
int PadKey(WPARAM vk) {
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return kPad0 + static_cast<int>(vk - VK_NUMPAD0);
  if (vk == VK_DECIMAL) return kPadDecimal;
  return -1;
}

// Characters the key already put in the queue (TranslateMessage runs before
// the key is dispatched) are dropped: the key inserted its own byte.
void DropQueuedCharacters(HWND window) {
  MSG m;
  while (PeekMessageA(&m, window, WM_CHAR, WM_DEADCHAR, PM_REMOVE)) {
  }
  while (PeekMessageA(&m, window, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE)) {
  }
}

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
  const int points = SanitisePointSize(p.pointSize);
  const int height = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
  HFONT font = CreateFontA(height, 0, 0, 0, p.bold ? FW_BOLD : FW_NORMAL, p.italic ? TRUE : FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           FIXED_PITCH | FF_MODERN, p.font);
  if (font) {
    if (font_) DeleteObject(font_);
    font_ = font;
  }
  bold_ = p.bold != 0;
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
      caretInsert_ = frame_->Session().InsertMode();
      CreateCaret(window_, nullptr, caretInsert_ ? 2 : cellWidth_, cellHeight_);
      ShowCaret(window_);
      hasCaret_ = true;
    }
  }
  UpdatePalette();
  Refresh();
}

void CViewEdit::UpdatePalette() {
  const EditPreferences& p = frame_->Session().prefs;
  int foreground[8], background[7];
  for (int i = 0; i < 8; ++i) foreground[i] = SanitiseColourCode(p.foreground[i]);
  for (int i = 0; i < 7; ++i) background[i] = SanitiseColourCode(p.background[i]);
  if (palette_.Update(foreground, background, Helper.customColors, MarkerPenWidth(bold_)) && window_)
    InvalidateRect(window_, nullptr, FALSE);
}

void CViewEdit::ApplyColours() {
  UpdatePalette();
  if (window_) InvalidateRect(window_, nullptr, FALSE);
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
  const int columns = (r.right - r.left) / cellWidth_ - kGutterCells;
  return columns > 0 ? columns : 1;
}

void CViewEdit::CaretIntoView() {
  const EditSession& s = frame_->Session();
  const int rows = VisibleRows(), columns = VisibleColumns();
  if (s.CaretLine() < firstLine_) firstLine_ = s.CaretLine();
  if (s.CaretLine() >= firstLine_ + rows) firstLine_ = s.CaretLine() - rows + 1;
  const int column = s.CaretShownColumn();
  if (column < firstColumn_) firstColumn_ = column;
  if (column >= firstColumn_ + columns) firstColumn_ = column - columns + 1;
}

void CViewEdit::ScrollTo(int line) {
  const int last = frame_->Session().Lines().Count() - 1;
  firstLine_ = line > last ? last : line;
  if (firstLine_ < 0) firstLine_ = 0;
  UpdateScrollBars();
  InvalidateRect(window_, nullptr, FALSE);
  PlaceCaret();
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
  // A bar in insert mode, a block over the character when overtyping.
  const bool insert = s.InsertMode();
  if (insert != caretInsert_) {
    caretInsert_ = insert;
    DestroyCaret();
    CreateCaret(window_, nullptr, insert ? 2 : cellWidth_, cellHeight_);
    ShowCaret(window_);
  }
  SetCaretPos((s.CaretShownColumn() - firstColumn_ + kGutterCells) * cellWidth_, (s.CaretLine() - firstLine_) * cellHeight_);
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
  int limit = bar == SB_VERT ? s.Lines().Count() - 1 : s.Lines().Widest();
  if (bar == SB_HORZ && s.CaretShownColumn() > limit) limit = s.CaretShownColumn();
  switch (request) {
    case SB_LINEUP: --first; break;
    case SB_LINEDOWN: ++first; break;
    case SB_PAGEUP: first -= page; break;
    case SB_PAGEDOWN: first += page; break;
    case SB_THUMBTRACK: first = thumb; break;
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
  const EditSession& s = frame_->Session();
  EditPaintRequest r;
  r.lines = &s.Lines();
  r.bookmarks = &s.Bookmarks();
  r.found = &s.Founds();
  if (s.BlockSelected()) {
    if (s.HasSelection()) s.BlockBounds(r.block.line0, r.block.column0, r.block.line1, r.block.column1);
  } else if (s.HasSelection()) {
    s.SelectionBounds(r.selection.startLine, r.selection.startColumn, r.selection.endLine, r.selection.endColumn);
  }
  // Only the rows the update area touches are painted (and scanned).
  const int fromRow = ps.rcPaint.top / cellHeight_;
  const int toRow = (ps.rcPaint.bottom + cellHeight_ - 1) / cellHeight_;
  r.firstLine = firstLine_ + fromRow;
  r.firstColumn = firstColumn_;
  r.rows = toRow - fromRow;
  r.columns = (client.right + cellWidth_ - 1) / cellWidth_ - kGutterCells + 1;
  if (r.columns < 1) r.columns = 1;
  r.cellWidth = cellWidth_;
  r.cellHeight = cellHeight_;
  r.left = 0;
  r.top = fromRow * cellHeight_;
  r.right = client.right;
  r.bottom = ps.rcPaint.bottom > client.bottom ? ps.rcPaint.bottom : client.bottom;
  r.colouring = s.prefs.checkSyntax != 0;
  r.marker = s.prefs.columnWarning != 0;
  // The marker runs over the full height: with a partial update, the rows
  // outside it keep the line they already show.
  painter_.Paint(dc, r, palette_);
  SelectObject(dc, old);
  EndPaint(window_, &ps);
}

template <typename Move>
void CViewEdit::MoveWith(bool extend, Move move) {
  EditSession& s = frame_->Session();
  const bool had = s.HasSelection();
  const int anchorLine = had ? s.AnchorLine() : s.CaretLine();
  const int anchorColumn = had ? s.AnchorColumn() : s.CaretColumn();
  if (had) InvalidateRect(window_, nullptr, FALSE);
  if (!extend) s.ClearSelection();
  move(s);
  if (extend) {
    s.Select(anchorLine, anchorColumn, s.CaretLine(), s.CaretColumn());
    InvalidateRect(window_, nullptr, FALSE);
  }
}

bool CViewEdit::OnKey(WPARAM key) {
  EditSession& s = frame_->Session();
  const int page = VisibleRows();
  const bool shift = KeyDown(VK_SHIFT);
  const bool control = KeyDown(VK_CONTROL);
  switch (key) {
    case VK_LEFT: MoveWith(shift, [](EditSession& e) { e.MoveBy(0, -1); }); return true;
    case VK_RIGHT: MoveWith(shift, [](EditSession& e) { e.MoveBy(0, 1); }); return true;
    case VK_UP: MoveWith(shift, [](EditSession& e) { e.MoveBy(-1, 0); }); return true;
    case VK_DOWN: MoveWith(shift, [](EditSession& e) { e.MoveBy(1, 0); }); return true;
    case VK_PRIOR: MoveWith(shift, [page](EditSession& e) { e.MoveBy(-page, 0); }); return true;
    case VK_NEXT: MoveWith(shift, [page](EditSession& e) { e.MoveBy(page, 0); }); return true;
    case VK_HOME:
      MoveWith(shift, [control](EditSession& e) { control ? e.MoveCaret(0, 0) : e.Home(); });
      return true;
    case VK_END:
      MoveWith(shift, [control](EditSession& e) {
        if (control) e.MoveCaret(e.Lines().Count() - 1, 0);
        e.End();
      });
      return true;
    case VK_INSERT:
      if (!shift && !control) s.ToggleInsert();
      return true;
    case VK_DELETE: {
      const bool done = s.HasSelection() ? s.DeleteSelection() : s.DeleteRight();
      if (!done) frame_->Beep();
      InvalidateRect(window_, nullptr, FALSE);
      return true;
    }
    default: return false;
  }
}

bool CViewEdit::OnNumPad(WPARAM key, bool alt) {
  const int pad = PadKey(key);
  if (pad < 0) return false;
  const bool control = KeyDown(VK_CONTROL);
  EditSession& s = frame_->Session();
  DropQueuedCharacters(window_);
  if (alt) altPad_ = true;
  if (NumPadByte(pad, control, alt, s.prefs.numPad != 0) < 0) return true;  // no byte for this key
  if (s.HasSelection() && !s.EditingRefused()) s.DeleteSelection();
  if (!s.TypeNumPad(pad, control, alt)) frame_->Beep();
  return true;
}

bool CViewEdit::OnChar(WPARAM ch) {
  EditSession& s = frame_->Session();
  bool done = true;
  if (ch == '\b') {
    done = s.HasSelection() ? s.DeleteSelection() : s.Backspace();
  } else if (ch == '\r') {
    if (s.HasSelection() && !s.EditingRefused()) s.DeleteSelection();
    done = s.NewLine();
  } else if (ch == '\t') {
    done = KeyDown(VK_SHIFT) ? s.BackTab() : s.Tab();
  } else if (ch >= 32 && ch <= 255 && ch != 127) {
    if (s.HasSelection() && !s.EditingRefused()) s.DeleteSelection();
    done = s.TypeCharacter(static_cast<unsigned char>(ch));
  } else {
    return false;  // other control characters are not text
  }
  if (!done) frame_->Beep();
  InvalidateRect(window_, nullptr, FALSE);
  return true;
}

void CViewEdit::CellAt(LPARAM lParam, int& line, int& column) const {
  column = static_cast<short>(LOWORD(lParam)) / cellWidth_ - kGutterCells + firstColumn_;
  line = static_cast<short>(HIWORD(lParam)) / cellHeight_ + firstLine_;
}

void CViewEdit::OnMouse(LPARAM lParam, bool extend) {
  int line, column;
  CellAt(lParam, line, column);
  MoveWith(extend, [line, column](EditSession& e) { e.MoveCaret(line, column); });
  frame_->Refresh();
}

bool CViewEdit::OnBlockKey(WPARAM key) {
  if (!KeyDown(VK_SHIFT)) return false;
  int lines = 0, columns = 0;
  switch (key) {
    case VK_LEFT: columns = -1; break;
    case VK_RIGHT: columns = 1; break;
    case VK_UP: lines = -1; break;
    case VK_DOWN: lines = 1; break;
    default: return false;
  }
  altPad_ = true;
  frame_->Session().ExtendBlock(lines, columns);
  InvalidateRect(window_, nullptr, FALSE);
  return true;
}

void CViewEdit::DragTo(int line, int column) {
  EditSession& s = frame_->Session();
  if (blockDrag_) {
    s.SelectBlock(dragLine_, dragColumn_, line, column);
    InvalidateRect(window_, nullptr, FALSE);
  } else {
    MoveWith(true, [line, column](EditSession& e) { e.MoveCaret(line, column); });
  }
  frame_->Refresh();
}

void CViewEdit::DragScroll(int x, int y) {
  RECT client;
  GetClientRect(window_, &client);
  int lines = 0, columns = 0;
  DragScrollStep(x, y, client.right, client.bottom, kGutterCells * cellWidth_, lines, columns);
  if (lines == 0 && columns == 0) {
    if (dragTimer_) KillTimer(window_, kDragScrollTimer);
    dragTimer_ = false;
  } else if (!dragTimer_) {
    dragTimer_ = SetTimer(window_, kDragScrollTimer, kDragScrollMs, nullptr) != 0;
  }
  // The selection goes one cell past the edge the mouse is beyond; keeping
  // the caret in view then scrolls one step.
  int line, column;
  CellAt(MAKELPARAM(x, y), line, column);
  if (lines < 0) line = firstLine_ - 1;
  if (lines > 0) line = firstLine_ + VisibleRows();
  if (columns < 0) column = firstColumn_ - 1;
  if (columns > 0) column = firstColumn_ + VisibleColumns();
  if (line < 0) line = 0;
  if (column < 0) column = 0;
  DragTo(line, column);
}

void CViewEdit::StopDrag() {
  if (dragTimer_) KillTimer(window_, kDragScrollTimer);
  dragTimer_ = false;
  dragging_ = false;
  blockDrag_ = false;
}

void CViewEdit::SelectWordAt(LPARAM lParam) {
  int line, column;
  CellAt(lParam, line, column);
  EditSession& s = frame_->Session();
  s.MoveCaret(line, column);
  if (!s.Lines().Exists(s.CaretLine())) return;
  const std::string& text = s.Lines().At(s.CaretLine());
  int start = s.CaretColumn(), end = s.CaretColumn();
  while (start > 0 && IsIdentifierChar(static_cast<unsigned char>(text[static_cast<size_t>(start - 1)]))) --start;
  while (static_cast<size_t>(end) < text.size() && IsIdentifierChar(static_cast<unsigned char>(text[static_cast<size_t>(end)])))
    ++end;
  if (end > start) s.Select(s.CaretLine(), start, s.CaretLine(), end);
  InvalidateRect(window_, nullptr, FALSE);
  frame_->Refresh();
}

void CViewEdit::OnContextMenu(LPARAM lParam) {
  POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  EditSession& s = frame_->Session();
  if (at.x == -1 && at.y == -1) {  // from the keyboard: at the caret
    at.x = (s.CaretColumn() - firstColumn_ + kGutterCells) * cellWidth_;
    at.y = (s.CaretLine() - firstLine_ + 1) * cellHeight_;
    ClientToScreen(window_, &at);
  } else if (!s.HasSelection()) {
    POINT client = at;
    ScreenToClient(window_, &client);
    int line, column;
    CellAt(MAKELPARAM(client.x, client.y), line, column);
    s.MoveCaret(line, column);
    frame_->Refresh();
  }
  HMENU menus = LoadMenuA(HelperModule(), MAKEINTRESOURCEA(IDR_EDIT_CONTEXT));
  if (!menus) return;
  const std::string word = s.WordAtCaret();
  HMENU popup = GetSubMenu(menus, word.empty() ? 1 : 0);
  const bool history = !s.History().empty();
  if (word.empty()) {
    if (!history) DeleteMenu(popup, ID_EDIT_LAST_POSITION, MF_BYCOMMAND);
  } else {
    if (FindLabelLine(s.Lines(), word) < 0) EnableMenuItem(popup, ID_EDIT_GOTO_LABEL, MF_BYCOMMAND | MF_GRAYED);
    if (!history) EnableMenuItem(popup, ID_EDIT_LAST_POSITION, MF_BYCOMMAND | MF_GRAYED);
  }
  TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, frame_->FrameHandle(), nullptr);
  DestroyMenu(menus);
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
    case WM_SYSCOLORCHANGE:
      palette_.Invalidate();
      UpdatePalette();
      return 0;
    case WM_SETFOCUS:
      caretInsert_ = frame_->Session().InsertMode();
      CreateCaret(window_, nullptr, caretInsert_ ? 2 : cellWidth_, cellHeight_);
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
      if (!OnNumPad(wParam, false) && !OnKey(wParam)) break;
      frame_->Refresh();
      return 0;
    }
    case WM_SYSKEYDOWN: {
      CFrameEdit::Busy busy(*frame_);
      if (!OnNumPad(wParam, true) && !OnBlockKey(wParam)) break;
      frame_->Refresh();
      return 0;
    }
    case WM_SYSKEYUP:
      if (wParam == VK_MENU && altPad_) {
        // Alt was held for the drawing keys: no menu, no character code.
        altPad_ = false;
        DropQueuedCharacters(window_);
        return 0;
      }
      break;
    case WM_SYSCHAR:
      if (altPad_) return 0;
      break;
    case WM_CHAR: {
      CFrameEdit::Busy busy(*frame_);
      if (!OnChar(wParam)) return 0;
      frame_->Refresh();
      return 0;
    }
    case WM_LBUTTONDOWN:
      SetFocus(window_);
      SetCapture(window_);
      dragging_ = true;
      blockDrag_ = KeyDown(VK_MENU);
      if (blockDrag_) {
        // Alt+drag: a column block from the cell under the mouse.
        altPad_ = true;
        CellAt(lParam, dragLine_, dragColumn_);
        if (dragColumn_ < 0) dragColumn_ = 0;
        DragTo(dragLine_, dragColumn_);
        return 0;
      }
      OnMouse(lParam, (wParam & MK_SHIFT) != 0);
      return 0;
    case WM_LBUTTONDBLCLK:
      SelectWordAt(lParam);
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_ && (wParam & MK_LBUTTON))
        DragScroll(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_TIMER:
      if (wParam != kDragScrollTimer) break;
      if (dragging_ && KeyDown(VK_LBUTTON)) {
        POINT at;
        GetCursorPos(&at);
        ScreenToClient(window_, &at);
        DragScroll(at.x, at.y);
      } else {
        StopDrag();
      }
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) ReleaseCapture();
      StopDrag();
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window_) StopDrag();
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(lParam);
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: {
      SCROLLINFO info = {sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      const int bar = message == WM_VSCROLL ? SB_VERT : SB_HORZ;
      GetScrollInfo(window_, bar, &info);
      // The track position has all 32 bits while the thumb is dragged; a
      // final position comes in the message itself.
      Scroll(bar, LOWORD(wParam), LOWORD(wParam) == SB_THUMBTRACK ? info.nTrackPos : HIWORD(wParam));
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
