#include "image_fixtures.h"

#include <cstring>

std::string Fixture(const char* name) {
  std::string path = std::string("Z:") + IMAGE_FIXTURES + "/" + name;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string TempPath(const char* name) {
  char dir[MAX_PATH] = "";
  GetTempPathA(sizeof dir, dir);
  return std::string(dir) + name;
}

bool PumpUntil(const std::function<bool()>& done, int milliseconds, const std::function<bool(MSG*)>& offer) {
  const DWORD start = GetTickCount();
  // One message at a time, as a program's loop takes them.
  for (;;) {
    if (done()) return true;
    if (static_cast<int>(GetTickCount() - start) > milliseconds) return false;
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (offer && offer(&msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
  }
}

void PumpFor(int milliseconds, const std::function<bool(MSG*)>& offer) {
  PumpUntil([] { return false; }, milliseconds, offer);
}

HWND MakeHostWindow(int width, int height) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "ImageTestHost";
    RegisterClassA(&wc);
    registered = true;
  }
  HWND window = CreateWindowExA(WS_EX_TOPMOST, "ImageTestHost", "image test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                0, 0, width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  PumpFor(50);
  return window;
}

std::uint32_t Rgb(std::uint32_t bgra) { return bgra & 0xFFFFFF; }

bool Near(std::uint32_t bgra, std::uint32_t rgb, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = static_cast<int>((bgra >> shift) & 0xFF), b = static_cast<int>((rgb >> shift) & 0xFF);
    if (a - b > tolerance || b - a > tolerance) return false;
  }
  return true;
}

std::uint32_t ScreenPixel(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  // COLORREF is 0x00BBGGRR.
  return (c & 0xFF) << 16 | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

bool ClipboardDibPixel(int x, int y, std::uint32_t* rgb, int* width, int* height) {
  if (!OpenClipboard(nullptr)) return false;
  bool found = false;
  if (HANDLE data = GetClipboardData(CF_DIB)) {
    if (auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(data))) {
      *width = header->biWidth;
      *height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
      if (header->biBitCount == 32 && x >= 0 && y >= 0 && x < *width && y < *height) {
        const auto* rows = reinterpret_cast<const unsigned char*>(header) + header->biSize;
        const int row = header->biHeight > 0 ? *height - 1 - y : y;
        std::uint32_t pixel;
        std::memcpy(&pixel, rows + (static_cast<size_t>(row) * static_cast<size_t>(*width) + static_cast<size_t>(x)) * 4,
                    4);
        *rgb = pixel & 0xFFFFFF;
        found = true;
      }
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return found;
}
