#include "view_window_win32.h"

#include <cstring>
#include <string>
#include <vector>

#include "clipboard_text_win32.h"
#include "key_codes.h"
#include "key_dispatcher.h"
#include "main_window.h"
#include "mouse_machine.h"
#include "resource_ids.h"
#include "shell/render/color_table.h"
#include "shell/render/render_state.h"
#include "shell/render/renderer.h"
#include "shell_state.h"
#include "view_window_model.h"

namespace {

constexpr UINT_PTR kAutoScrollTimer = 1;
constexpr UINT kAutoScrollMilliseconds = 200;

// The dispatcher's hook as it was before the view window opened: every
// dispatched key closes the view window first, then does what it did.
void (*previousBeforeDispatch)() = nullptr;
// The last mouse position while dragging, in page cells (may lie outside).
int dragCol = 0, dragRow = 0;

void Beep() { MessageBeep(MB_OK); }

const FontRecord* Font() { return Shell.currentFont; }
int CellW() { return Font() ? CellWidth(*Font()) : 8; }
int RowH() { return Font() ? CellRowHeight(*Font()) : 16; }

// Page cell of a client point; points left of or above the window give negative cells.
int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

void CloseBeforeDispatch() {
  CloseViewWindow();
  if (KeyboardEvents.beforeDispatch) KeyboardEvents.beforeDispatch();
}

void SetMenuCheck(bool on) {
  if (Shell.mainWindow)
    CheckMenuItem(GetMenu(Shell.mainWindow), CMD_EXTENDED_SELECT, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

RECT AreaRect() {
  const ViewArea& a = ViewWindow.content.area;
  const int x = (Font() ? Font()->xOrigin : 0) + a.col * CellW();
  const int y = (Font() ? Font()->yOrigin : 0) + a.row * RowH();
  return RECT{x, y, x + a.cols * CellW(), y + a.rows * RowH()};
}

void UpdateScrollBars(HWND window) {
  SCROLLINFO info = {};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = static_cast<int>(ViewWindow.content.lines.size()) - 1;
  info.nPage = static_cast<UINT>(ViewWindow.pageRows);
  info.nPos = ViewWindow.topLine;
  SetScrollInfo(window, SB_VERT, &info, TRUE);
  info.nMax = ViewWindow.width - 1;
  info.nPage = static_cast<UINT>(ViewWindow.pageCols);
  info.nPos = ViewWindow.leftCol;
  SetScrollInfo(window, SB_HORZ, &info, TRUE);
}

void PageFromClient(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  SetViewPage(client.right / CellW(), client.bottom / RowH());
  UpdateScrollBars(window);
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (!dc) return;
  RECT client;
  GetClientRect(window, &client);
  const tavix::render::ColorRoleEntry& role = tavix::render::Colors.roles[tavix::render::kRoleView];
  const COLORREF fg = PaletteColor(role.fg), bg = PaletteColor(role.bg);
  const int cw = CellW(), rh = RowH(), gap = Font() ? Font()->lineGap : 0;
  const int saved = SaveDC(dc);
  if (Font() && Font()->font) SelectObject(dc, Font()->font);
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  const int cols = client.right / cw + 1, rows = client.bottom / rh + 1;
  std::vector<INT> dx(static_cast<size_t>(cols), cw);
  for (int r = 0; r < rows; ++r) {
    const int line = ViewWindow.topLine + r;
    const bool inContent = line < static_cast<int>(ViewWindow.content.lines.size());
    const std::string empty;
    const std::string& text = inContent ? ViewWindow.content.lines[static_cast<size_t>(line)] : empty;
    // Runs of cells that are all selected or all not.
    int c = 0;
    while (c < cols) {
      const bool selected = inContent && ViewCellSelected(ViewWindow.leftCol + c, line);
      int end = c;
      std::string run;
      while (end < cols && (inContent && ViewCellSelected(ViewWindow.leftCol + end, line)) == selected) {
        const size_t at = static_cast<size_t>(ViewWindow.leftCol + end);
        run += at < text.size() ? text[at] : ' ';
        ++end;
      }
      SetTextColor(dc, selected ? bg : fg);
      SetBkColor(dc, selected ? fg : bg);
      RECT box{c * cw, r * rh, end * cw, (r + 1) * rh};
      ExtTextOutA(dc, c * cw, r * rh + gap, ETO_OPAQUE | ETO_CLIPPED, &box, run.data(),
                  static_cast<UINT>(run.size()), dx.data());
      c = end;
    }
  }
  RestoreDC(dc, saved);
  EndPaint(window, &ps);
}

bool Scroll(HWND window, int bar, WPARAM wParam) {
  ViewScroll how;
  int position = 0;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: how = ViewScroll::kLineBack; break;
    case SB_LINEDOWN: how = ViewScroll::kLineForward; break;
    case SB_PAGEUP: how = ViewScroll::kPageBack; break;
    case SB_PAGEDOWN: how = ViewScroll::kPageForward; break;
    case SB_TOP: how = ViewScroll::kStart; break;
    case SB_BOTTOM: how = ViewScroll::kEnd; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info = {};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(window, bar, &info);
      how = ViewScroll::kTo;
      position = info.nTrackPos;
      break;
    }
    default: return false;
  }
  const bool moved = bar == SB_VERT ? ScrollViewRows(how, position) : ScrollViewCols(how, position);
  if (!moved) return false;
  // While dragging, the selection's corner stays under the mouse.
  if (ViewWindow.selecting) ViewSelectMove(dragCol, dragRow);
  UpdateScrollBars(window);
  InvalidateRect(window, nullptr, FALSE);
  return true;
}

void MouseAt(LPARAM lParam) {
  dragCol = FloorDiv(static_cast<short>(LOWORD(lParam)), CellW());
  dragRow = FloorDiv(static_cast<short>(HIWORD(lParam)), RowH());
}

void AutoScroll(HWND window) {
  if (!ViewWindow.selecting) {
    KillTimer(window, kAutoScrollTimer);
    return;
  }
  const int down = AutoScrollStep(dragRow, ViewWindow.pageRows);
  const int right = AutoScrollStep(dragCol, ViewWindow.pageCols);
  if (down) PostMessageA(window, WM_VSCROLL, down < 0 ? SB_LINEUP : SB_LINEDOWN, 0);
  if (right) PostMessageA(window, WM_HSCROLL, right < 0 ? SB_LINEUP : SB_LINEDOWN, 0);
}


}  // namespace

void ToggleViewWindowCommand() {
  if (Shell.viewWindow) {
    CloseViewWindow();
    return;
  }
  if (FullScreenOn() || Mouse.simpleSelection || !Shell.mainWindow) {
    Beep();
    return;
  }
  const ViewContent content = ViewContentFromScreen();
  if (content.lines.empty() || !Font()) {
    DispatchKey(keycode::kNoViewWindow);
    return;
  }
  OpenViewContent(content, content.area.cols, content.area.rows);
  const RECT r = AreaRect();
  HWND window = CreateWindowExA(0, kViewClass, "", WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL, r.left,
                                r.top, r.right - r.left, r.bottom - r.top, Shell.mainWindow, nullptr, Shell.instance,
                                nullptr);
  if (!window) {
    CloseViewContent();
    DispatchKey(keycode::kNoViewWindow);
    return;
  }
  Shell.viewWindow = window;
  PageFromClient(window);
  previousBeforeDispatch = KeyboardEvents.beforeDispatch;
  KeyboardEvents.beforeDispatch = CloseBeforeDispatch;
  SetMenuCheck(true);
  ShowWindow(window, SW_SHOWNA);
  UpdateWindow(window);
}

void CloseViewWindow() {
  HWND window = Shell.viewWindow;
  if (!window) return;
  Shell.viewWindow = nullptr;
  if (KeyboardEvents.beforeDispatch == CloseBeforeDispatch) KeyboardEvents.beforeDispatch = previousBeforeDispatch;
  previousBeforeDispatch = nullptr;
  if (GetCapture() == window) ReleaseCapture();
  DestroyWindow(window);
  CloseViewContent();
  SetMenuCheck(false);
}

void ViewWindowCopyCommand() {
  if (!Shell.viewWindow) return;
  const std::string text = ViewSelectionText();
  if (text.empty() || !PutTextOnClipboard(Shell.mainWindow, text)) Beep();
  ClearViewSelection();
  KillTimer(Shell.viewWindow, kAutoScrollTimer);
  InvalidateRect(Shell.viewWindow, nullptr, FALSE);
}

void FitViewWindowToCells() {
  if (!Shell.viewWindow) return;
  const RECT r = AreaRect();
  MoveWindow(Shell.viewWindow, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  PageFromClient(Shell.viewWindow);
  InvalidateRect(Shell.viewWindow, nullptr, FALSE);
}

LRESULT ViewWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Messages before the window became the open view window (creation) or after it closed.
  if (window != Shell.viewWindow) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // every cell is painted opaque
    case WM_SIZE:
      PageFromClient(window);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) break;
      SetCursor(LoadCursor(nullptr, IDC_ARROW));
      return TRUE;
    case WM_VSCROLL:
    case WM_HSCROLL:
      Scroll(window, message == WM_VSCROLL ? SB_VERT : SB_HORZ, wParam);
      return 0;
    case WM_MOUSEWHEEL:
      Scroll(window, SB_VERT, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN);
      return 0;
    case WM_LBUTTONDOWN:
      MouseAt(lParam);
      SetCapture(window);
      ViewSelectStart(dragCol, dragRow);
      SetTimer(window, kAutoScrollTimer, kAutoScrollMilliseconds, nullptr);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_MOUSEMOVE:
      if (!ViewWindow.selecting) return 0;
      MouseAt(lParam);
      if (ViewSelectMove(dragCol, dragRow)) InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP:
      if (!ViewWindow.selecting) return 0;
      MouseAt(lParam);
      if (ViewSelectMove(dragCol, dragRow)) InvalidateRect(window, nullptr, FALSE);
      ViewSelectEnd();
      KillTimer(window, kAutoScrollTimer);
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window) {
        ViewSelectEnd();
        KillTimer(window, kAutoScrollTimer);
      }
      return 0;
    case WM_TIMER:
      if (wParam == kAutoScrollTimer) AutoScroll(window);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
