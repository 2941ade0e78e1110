#include "ithumb_win32.h"

#include <algorithm>
#include <cstdio>

#include "framework.h"
#include "thumb_layout.h"

namespace {

constexpr char kThumbClass[] = "CIThumb";
constexpr char kPaneClass[] = "CIThumbPane";
constexpr int kGap = 6;
constexpr COLORREF kRed = RGB(255, 0, 0);

int LineHeight() {
  static int height = 0;
  if (!height) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    height = tm.tmHeight > 0 ? tm.tmHeight : 13;
  }
  return height;
}

// A sidecar file's text (at most 1 MB; "" when there is none).
std::string ReadSidecar(const std::string& path) {
  std::string text;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return text;
  char buffer[4096];
  DWORD got = 0;
  while (text.size() < (1u << 20) && ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

RECT ToRect(const viewer::Box& b) { return RECT{b.left, b.top, b.right, b.bottom}; }

bool RegisterOnce(const char* name, WNDPROC procedure, UINT style) {
  WNDCLASSA existing;
  if (GetClassInfoA(HelperModule(), name, &existing)) return true;
  WNDCLASSA c = {};
  c.style = style;
  c.lpfnWndProc = procedure;
  c.hInstance = HelperModule();
  c.hCursor = LoadCursor(nullptr, IDC_ARROW);
  c.lpszClassName = name;
  return RegisterClassA(&c) != 0;
}

}  // namespace

// ---- CIThumb ---------------------------------------------------------------

CIThumb* CIThumb::Create(HWND pane, int index, const viewer::Entry* entry, int width, int height) {
  if (!RegisterOnce(kThumbClass, Procedure, CS_DBLCLKS)) return nullptr;
  CIThumb* thumb = new CIThumb();
  thumb->index_ = index;
  thumb->entry_ = entry;
  thumb->width_ = width;
  thumb->height_ = height;
  thumb->background_ = GetSysColor(COLOR_3DLIGHT);
  thumb->text_ = GetSysColor(COLOR_BTNTEXT);
  HWND window = CreateWindowExA(0, kThumbClass, "", WS_CHILD | WS_VISIBLE, 0, 0, width, thumb->CellHeight(), pane,
                                nullptr, HelperModule(), thumb);
  if (!window) {
    delete thumb;
    return nullptr;
  }
  return thumb;
}

CIThumb* CIThumb::FromWindow(HWND window) {
  char name[32];
  if (!window || !GetClassNameA(window, name, sizeof name) || lstrcmpA(name, kThumbClass) != 0) return nullptr;
  return reinterpret_cast<CIThumb*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

int CIThumb::CellHeight() const {
  const viewer::ThumbLayout l = viewer::LayoutThumb(0, 0, width_, height_, LineHeight());
  return l.cell.bottom - l.cell.top;
}

ImageLoadStatus CIThumb::Decode(int quality, bool annotations, int* pages) {
  DropPicture();
  decoded_ = true;
  const viewer::ThumbLayout l = viewer::LayoutThumb(0, 0, width_, height_, LineHeight());
  DWORD error = 0;
  status_ = DecodePageScaled(entry_->path.c_str(), 1, l.image.right - l.image.left, l.image.bottom - l.image.top,
                             quality, &picture_, &error);
  if (status_ == kImageLoaded && pages) *pages = picture_.pageCount;
  if (status_ == kImageLoaded && annotations) annotations_ = ParseAnnotations(ReadSidecar(AnnotationPathFor(entry_->path)));
  InvalidateRect(window_, nullptr, FALSE);
  return status_;
}

void CIThumb::DropPicture() {
  FreeScaledPage(&picture_);
  picture_ = ScaledPage();
  annotations_ = AnnotationSet();
  decoded_ = false;
  status_ = kImageEmpty;
}

void CIThumb::SetSelected(bool selected) {
  if (selected_ == selected) return;
  selected_ = selected;
  InvalidateRect(window_, nullptr, FALSE);
}

void CIThumb::Resize(int width, int height) {
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  DropPicture();
  SetWindowPos(window_, nullptr, 0, 0, width_, CellHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CIThumb::SetColors(COLORREF background, COLORREF text) {
  background_ = background;
  text_ = text;
  InvalidateRect(window_, nullptr, FALSE);
}

// Page 1's marks, from the page's own pixels to the picture's.
void CIThumb::DrawAnnotations(HDC dc, int x, int y) {
  if (annotations_.marks.empty() || picture_.sourceWidth <= 0 || picture_.sourceHeight <= 0) return;
  auto mapX = [&](int px) { return x + static_cast<int>(static_cast<long long>(px) * picture_.width / picture_.sourceWidth); };
  auto mapY = [&](int py) { return y + static_cast<int>(static_cast<long long>(py) * picture_.height / picture_.sourceHeight); };
  SetBkMode(dc, TRANSPARENT);
  for (const Annotation& a : annotations_.marks) {
    if (a.page != 1) continue;
    const COLORREF colour = RGB((a.rgb >> 16) & 0xFF, (a.rgb >> 8) & 0xFF, a.rgb & 0xFF);
    if (a.kind == Annotation::kRect) {
      RECT r = {mapX(a.x), mapY(a.y), mapX(a.x + a.width), mapY(a.y + a.height)};
      if (r.right <= r.left) r.right = r.left + 1;
      if (r.bottom <= r.top) r.bottom = r.top + 1;
      HBRUSH brush = CreateSolidBrush(colour);
      FillRect(dc, &r, brush);
      DeleteObject(brush);
    } else {
      SetTextColor(dc, colour);
      TextOutA(dc, mapX(a.x), mapY(a.y), a.text.c_str(), static_cast<int>(a.text.size()));
    }
  }
}

void CIThumb::Notify(int code) {
  HWND pane = GetParent(window_);
  HWND owner = GetParent(pane);
  SendMessageA(owner, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(pane), code), reinterpret_cast<LPARAM>(window_));
}

void CIThumb::Paint(HDC dc) {
  RECT client;
  GetClientRect(window_, &client);
  // Drawn off screen first: no flicker while the cells repaint.
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP canvas = CreateCompatibleBitmap(dc, client.right, client.bottom);
  HGDIOBJ oldCanvas = SelectObject(memory, canvas);
  HBRUSH back = CreateSolidBrush(background_);
  FillRect(memory, &client, back);
  DeleteObject(back);

  const viewer::ThumbLayout l = viewer::LayoutThumb(0, 0, width_, height_, LineHeight());
  RECT image = ToRect(l.image);
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  FillRect(memory, &image, white);
  if (picture_.bitmap) {
    HDC source = CreateCompatibleDC(memory);
    HGDIOBJ old = SelectObject(source, picture_.bitmap);
    const int x = image.left + (image.right - image.left - picture_.width) / 2;
    const int y = image.top + (image.bottom - image.top - picture_.height) / 2;
    BitBlt(memory, x, y, picture_.width, picture_.height, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    DrawAnnotations(memory, x, y);
  }

  // The frame: the selection pen for the selected cell.
  HPEN pen = selected_ ? CreatePen(PS_SOLID, 2, GetSysColor(COLOR_HIGHLIGHT))
                       : CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HGDIOBJ oldPen = SelectObject(memory, pen);
  HGDIOBJ oldBrush = SelectObject(memory, GetStockObject(NULL_BRUSH));
  Rectangle(memory, l.cell.left + 1, l.cell.top + 1, l.image.right + 2, l.image.bottom + 2);
  SelectObject(memory, oldBrush);
  SelectObject(memory, oldPen);
  DeleteObject(pen);

  HGDIOBJ oldFont = SelectObject(memory, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(memory, TRANSPARENT);
  if (entry_) {
    const char* failure = viewer::ThumbnailFailureText(*entry_);
    if (*failure) {
      SetTextColor(memory, kRed);
      RECT r = image;
      DrawTextA(memory, failure, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (entry_->pages > 1) {
      char pages[32];
      std::snprintf(pages, sizeof pages, "%d pages", entry_->pages);
      SetTextColor(memory, text_);
      RECT r = ToRect(l.pages);
      DrawTextA(memory, pages, -1, &r, DT_RIGHT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    }
    SetTextColor(memory, text_);
    RECT r = ToRect(l.description);
    DrawTextA(memory, entry_->description.c_str(), -1, &r,
              DT_CENTER | DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  SelectObject(memory, oldFont);

  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, oldCanvas);
  DeleteObject(canvas);
  DeleteDC(memory);
}

LRESULT CALLBACK CIThumb::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* thumb = static_cast<CIThumb*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    thumb->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(thumb));
  }
  auto* thumb = reinterpret_cast<CIThumb*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!thumb) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    thumb->DropPicture();
    delete thumb;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return thumb->Handle(message, wParam, lParam);
}

LRESULT CIThumb::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window_, &ps);
      Paint(dc);
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      Notify(THUMB_NOTIFY_SELECT);
      break;
    case WM_LBUTTONDBLCLK:
      Notify(THUMB_NOTIFY_SELECT);
      Notify(THUMB_NOTIFY_OPEN);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window_, message, wParam, lParam);
}

// ---- The pane --------------------------------------------------------------

namespace {

struct PaneChildren {
  std::vector<HWND> cells;
};

BOOL CALLBACK CollectCell(HWND child, LPARAM data) {
  if (CIThumb::FromWindow(child)) reinterpret_cast<PaneChildren*>(data)->cells.push_back(child);
  return TRUE;
}

std::vector<HWND> Cells(HWND pane) {
  PaneChildren found;
  EnumChildWindows(pane, CollectCell, reinterpret_cast<LPARAM>(&found));
  // In entry order, whatever the z-order.
  std::sort(found.cells.begin(), found.cells.end(),
            [](HWND a, HWND b) { return CIThumb::FromWindow(a)->Index() < CIThumb::FromWindow(b)->Index(); });
  return found.cells;
}

SCROLLINFO Scroll(UINT mask) {
  SCROLLINFO si = {};
  si.cbSize = sizeof si;
  si.fMask = mask;
  return si;
}

int ScrollPosition(HWND pane) {
  SCROLLINFO si = Scroll(SIF_POS);
  GetScrollInfo(pane, SB_VERT, &si);
  return si.nPos;
}

void ScrollPaneTo(HWND pane, int position) {
  SCROLLINFO si = Scroll(SIF_ALL);
  GetScrollInfo(pane, SB_VERT, &si);
  const int maxPos = std::max(0, si.nMax - static_cast<int>(si.nPage) + 1);
  position = std::max(0, std::min(position, maxPos));
  if (position == si.nPos) return;
  si.fMask = SIF_POS;
  si.nPos = position;
  SetScrollInfo(pane, SB_VERT, &si, TRUE);
  LayoutThumbPane(pane);
}

LRESULT CALLBACK PaneProcedure(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(pane, &r);
      HBRUSH back = CreateSolidBrush(GetSysColor(COLOR_3DLIGHT));
      FillRect(reinterpret_cast<HDC>(wParam), &r, back);
      DeleteObject(back);
      return 1;
    }
    case WM_SIZE:
      LayoutThumbPane(pane);
      return 0;
    case WM_VSCROLL: {
      SCROLLINFO si = Scroll(SIF_ALL);
      GetScrollInfo(pane, SB_VERT, &si);
      int pos = si.nPos;
      switch (LOWORD(wParam)) {
        case SB_LINEUP: pos -= 20; break;
        case SB_LINEDOWN: pos += 20; break;
        case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
        case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = si.nTrackPos; break;
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = si.nMax; break;
        default: break;
      }
      ScrollPaneTo(pane, pos);
      return 0;
    }
    case WM_MOUSEWHEEL:
      ScrollPaneTo(pane, ScrollPosition(pane) - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 40);
      return 0;
    case WM_COMMAND:
      return SendMessageA(GetParent(pane), message, wParam, lParam);
    default:
      break;
  }
  return DefWindowProcA(pane, message, wParam, lParam);
}

}  // namespace

HWND CreateThumbPane(HWND parent, int id, const RECT& at) {
  if (!RegisterOnce(kPaneClass, PaneProcedure, 0)) return nullptr;
  return CreateWindowExA(0, kPaneClass, "", WS_CHILD | WS_VSCROLL | WS_CLIPCHILDREN, at.left, at.top,
                         at.right - at.left, at.bottom - at.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), HelperModule(), nullptr);
}

void LayoutThumbPane(HWND pane) {
  RECT client;
  GetClientRect(pane, &client);
  const std::vector<HWND> cells = Cells(pane);
  int cellWidth = 115, cellHeight = 149;
  if (!cells.empty()) {
    CIThumb* first = CIThumb::FromWindow(cells.front());
    cellWidth = first->CellWidth();
    cellHeight = first->CellHeight();
  }
  const int perRow = viewer::ThumbsPerRow(client.right, cellWidth, kGap);
  const int rows = (static_cast<int>(cells.size()) + perRow - 1) / perRow;
  const int total = kGap + rows * (cellHeight + kGap);
  SCROLLINFO si = Scroll(SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL);
  si.nMin = 0;
  si.nMax = total > 0 ? total - 1 : 0;
  si.nPage = static_cast<UINT>(std::max<LONG>(client.bottom, 1));
  SetScrollInfo(pane, SB_VERT, &si, TRUE);
  const int top = ScrollPosition(pane);
  HDWP moves = BeginDeferWindowPos(static_cast<int>(cells.size()));
  for (size_t i = 0; i < cells.size(); ++i) {
    const int row = static_cast<int>(i) / perRow, col = static_cast<int>(i) % perRow;
    const int x = kGap + col * (cellWidth + kGap), y = kGap + row * (cellHeight + kGap) - top;
    if (moves) moves = DeferWindowPos(moves, cells[i], nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (moves) EndDeferWindowPos(moves);
  InvalidateRect(pane, nullptr, TRUE);
}

bool ThumbVisible(HWND pane, HWND cell) {
  RECT client, r;
  GetClientRect(pane, &client);
  GetWindowRect(cell, &r);
  MapWindowPoints(nullptr, pane, reinterpret_cast<POINT*>(&r), 2);
  return r.bottom > client.top && r.top < client.bottom;
}

void ScrollThumbIntoView(HWND pane, HWND cell) {
  RECT client, r;
  GetClientRect(pane, &client);
  GetWindowRect(cell, &r);
  MapWindowPoints(nullptr, pane, reinterpret_cast<POINT*>(&r), 2);
  const int pos = ScrollPosition(pane);
  if (r.top < 0) ScrollPaneTo(pane, pos + r.top - kGap);
  else if (r.bottom > client.bottom) ScrollPaneTo(pane, pos + r.bottom - client.bottom + kGap);
}
