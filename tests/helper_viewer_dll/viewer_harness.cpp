#include "viewer_harness.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "message_boxes.h"

#ifndef HELPER_DLL
#error "HELPER_DLL must name the helper.dll under test"
#endif
#ifndef VIEWER_FIXTURES
#error "VIEWER_FIXTURES must name the fixture folder"
#endif

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}

std::string Fixture(const char* name) { return WindowsPath(std::string(VIEWER_FIXTURES) + "/" + name); }

bool ViewerHarness::Load() {
  HMODULE module = LoadLibraryA(WindowsPath(HELPER_DLL).c_str());
  if (!module) return false;
  auto connect = reinterpret_cast<ConnectToHelperFn>(reinterpret_cast<void (*)()>(GetProcAddress(module, "ConnectToHelper")));
  if (!connect) return false;
  helper = connect(&settings);
  return helper != nullptr;
}

void ViewerHarness::Pump(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (helper->PreTranslateMessage(&msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    for (long count = 0; helper->OnIdle(count); ++count) {
      MSG waiting;
      if (PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE)) break;
    }
    Sleep(5);
  } while (GetTickCount() - start < milliseconds);
}

bool ViewerHarness::PumpUntilIdle(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (helper->PreTranslateMessage(&msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (!helper->OnIdle(0)) {
      Pump(50);
      if (!helper->OnIdle(0)) return true;
    }
  }
  return false;
}

HWND ViewerHarness::ViewerWindow() const { return FindWindowA("#32770", "Corvane Attachment Viewer"); }

HWND ViewerHarness::Rows() const {
  HWND viewer = ViewerWindow();
  return viewer ? FindWindowExA(viewer, nullptr, "SysListView32", nullptr) : nullptr;
}

void ViewerHarness::Command(int id) { SendMessageA(ViewerWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

std::vector<std::string> ColumnTitles(HWND rows) {
  std::vector<std::string> titles;
  for (int i = 0;; ++i) {
    char text[64] = "";
    LVCOLUMNA c = {};
    c.mask = LVCF_TEXT;
    c.pszText = text;
    c.cchTextMax = sizeof text;
    if (!SendMessageA(rows, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&c))) break;
    titles.push_back(text);
  }
  return titles;
}

int ColumnWidth(HWND rows, int column) { return static_cast<int>(SendMessageA(rows, LVM_GETCOLUMNWIDTH, column, 0)); }

std::vector<std::vector<std::string>> RowTexts(HWND rows) {
  std::vector<std::vector<std::string>> out;
  const int columns = static_cast<int>(ColumnTitles(rows).size());
  const int count = static_cast<int>(SendMessageA(rows, LVM_GETITEMCOUNT, 0, 0));
  for (int r = 0; r < count; ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < columns; ++c) {
      char text[512] = "";
      LVITEMA item = {};
      item.iSubItem = c;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      SendMessageA(rows, LVM_GETITEMTEXTA, r, reinterpret_cast<LPARAM>(&item));
      row.push_back(text);
    }
    out.push_back(row);
  }
  return out;
}

void ClickColumn(HWND rows, int column) {
  NMLISTVIEW n = {};
  n.hdr.hwndFrom = rows;
  n.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(rows));
  n.hdr.code = LVN_COLUMNCLICK;
  n.iItem = -1;
  n.iSubItem = column;
  SendMessageA(GetParent(rows), WM_NOTIFY, n.hdr.idFrom, reinterpret_cast<LPARAM>(&n));
}

int SortArrow(HWND rows, int column) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(rows, LVM_GETHEADER, 0, 0));
  HDITEMA h = {};
  h.mask = HDI_FORMAT;
  SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&h));
  return (h.fmt & HDF_SORTUP) ? 1 : (h.fmt & HDF_SORTDOWN) ? -1 : 0;
}

namespace {

void CollectCells(HWND parent, std::vector<std::pair<int, HWND>>* out) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[32];
    GetClassNameA(child, name, sizeof name);
    if (std::strcmp(name, "CIThumb") == 0) {
      RECT r;
      GetWindowRect(child, &r);
      out->push_back({r.top * 10000 + r.left, child});
    }
    CollectCells(child, out);
  }
}

}  // namespace

std::vector<HWND> ThumbCells(HWND viewer) {
  std::vector<std::pair<int, HWND>> found;
  CollectCells(viewer, &found);
  std::sort(found.begin(), found.end());  // in reading order: row by row
  std::vector<HWND> cells;
  for (const auto& f : found) cells.push_back(f.second);
  return cells;
}

int Pixels::CountIn(uint32_t rgb, int x0, int y0, int x1, int y1) const {
  int n = 0;
  for (int y = std::max(0, y0); y < std::min(height, y1); ++y)
    for (int x = std::max(0, x0); x < std::min(width, x1); ++x)
      if (At(x, y) == rgb) ++n;
  return n;
}

int Pixels::Count(uint32_t rgb, RECT* box) const {
  int n = 0;
  RECT b = {width, height, -1, -1};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (At(x, y) == rgb) {
        ++n;
        b.left = std::min<LONG>(b.left, x);
        b.top = std::min<LONG>(b.top, y);
        b.right = std::max<LONG>(b.right, x + 1);
        b.bottom = std::max<LONG>(b.bottom, y + 1);
      }
  if (box) *box = n ? b : RECT{0, 0, 0, 0};
  return n;
}

Pixels PaintedPixels(HWND window) {
  Pixels p;
  RECT r;
  GetClientRect(window, &r);
  p.width = r.right;
  p.height = r.bottom;
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = p.width;
  bi.bmiHeader.biHeight = -p.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  GdiFlush();
  const uint32_t* px = static_cast<const uint32_t*>(bits);
  p.data.assign(px, px + static_cast<size_t>(p.width) * p.height);
  for (uint32_t& v : p.data) v &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return p;
}

int TextWidth(const char* text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE size = {};
  GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

MessageBoxWatch::MessageBoxWatch(const char* text) : text_(text) {
  thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

MessageBoxWatch::~MessageBoxWatch() {
  InterlockedExchange(&stop_, 1);
  if (thread_) {
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
  }
}

bool MessageBoxWatch::Seen() {
  for (int i = 0; i < 500 && !seen_; ++i) Sleep(10);
  return seen_ != 0;
}

DWORD WINAPI MessageBoxWatch::Run(void* self) {
  auto* w = static_cast<MessageBoxWatch*>(self);
  while (!w->stop_) {
    HWND box = FindMessageBox(GetCurrentProcessId(), w->text_.c_str());
    if (box) {
      InterlockedExchange(&w->seen_, 1);
      PressButton(box, IDOK);
      return 0;
    }
    Sleep(10);
  }
  return 0;
}
