// Start to first paint: how long from starting tavix.exe until its status row
// shows on the screen (the Status colour is set to green so the first paint
// is unmistakable). Runs under Wine; prints each run and the median.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "terminal_process.h"

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 5;
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    TerminalProcess t;
    t.WriteIni("[Config]\r\nmode=6\r\nhost=127.0.0.1\r\n[Font]\r\nmode=0\r\n[Color]\r\nStatusB=4\r\n");
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!t.Start()) {
      std::printf("cannot start tavix.exe\n");
      return 1;
    }
    HWND main = nullptr;
    bool painted = WaitFor([&] {
      if (!main) main = t.FindWindowOfClass("WTermW3Class");
      if (!main || !IsWindowVisible(main)) return false;
      RECT client = ClientOnScreen(main);
      HDC screen = GetDC(nullptr);
      COLORREF c = GetPixel(screen, client.left + 795, client.bottom - 2);
      ReleaseDC(nullptr, screen);
      return c == RGB(0, 255, 0);
    }, 20000);
    QueryPerformanceCounter(&now);
    double seconds = static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
    std::printf("run %d: %s %.3f s\n", i + 1, painted ? "first paint after" : "no paint within", seconds);
    if (painted) times.push_back(seconds);
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
    t.WaitForExit(10000);
  }
  if (times.empty()) return 1;
  std::sort(times.begin(), times.end());
  std::printf("start to first paint: median %.3f s, best %.3f s (%zu runs)\n", times[times.size() / 2], times[0],
              times.size());
  return 0;
}
