// Opening one very large bilevel page in the image window: time from the
// open to the page's pixels complete, the longest stretch the message loop
// was held up, and the memory the process grew by. The floor is the plain
// scaled decode of the same page. Prints figures; not a test.
//   bench_big_page PAGE.tif [QUALITY: 0 fast, 1 precise, 2 optimized]
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

#include "image_control_win32.h"
#include "image_decode_win32.h"
#include "image_item_win32.h"

namespace {

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency) {
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

SIZE_T PeakBytes() {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakPagefileUsage > counters.PeakWorkingSetSize ? counters.PeakPagefileUsage
                                                                   : counters.PeakWorkingSetSize;
}

SIZE_T NowBytes() {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PagefileUsage > counters.WorkingSetSize ? counters.PagefileUsage : counters.WorkingSetSize;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_big_page PAGE.tif\n");
    return 2;
  }
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  // Warm the imaging component once on a tiny decode of the same file's
  // header, so the figures are the page's own.
  CountImagePages(argv[1]);
  const SIZE_T baseline = NowBytes();

  QueryPerformanceCounter(&start);
  ImageLoadStatus status = kImageEmpty;
  ImageItemSettings settings;
  settings.fitMode = 1;  // the whole page in the window
  if (argc > 2) settings.quality = std::atoi(argv[2]);
  HWND window = OpenImageItem(nullptr, argv[1], settings, &status);
  if (!window) {
    std::printf("big page: could not open (status %d)\n", status);
    return 1;
  }
  CImageControl* control = nullptr;
  for (HWND child = GetWindow(window, GW_CHILD); child && !control; child = GetWindow(child, GW_HWNDNEXT))
    control = CImageControl::FromWindow(child);
  double longest = 0;
  LARGE_INTEGER before, after;
  while (control && control->Status() == kImageDecoding) {
    MSG msg;
    QueryPerformanceCounter(&before);
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!ImageItemsPreTranslate(&msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    QueryPerformanceCounter(&after);
    if (Seconds(before, after, frequency) > longest) longest = Seconds(before, after, frequency);
  }
  QueryPerformanceCounter(&end);
  const double open = Seconds(start, end, frequency);
  const SIZE_T peak = PeakBytes();
  const ViewGeometry g = control ? control->Geometry() : ViewGeometry();
  std::printf("big page: opened in %.2f s (status %d), shown %d x %d, longest loop stall %.0f ms, "
              "memory +%.1f MB over %.1f MB (peak %.1f MB)\n",
              open, control ? control->Status() : -1, g.imageWidth, g.imageHeight, longest * 1000,
              (static_cast<double>(peak) - static_cast<double>(baseline)) / 1048576.0,
              static_cast<double>(baseline) / 1048576.0, static_cast<double>(peak) / 1048576.0);
  CloseImageItems();

  QueryPerformanceCounter(&start);
  ScaledPage page;
  status = DecodePageScaled(argv[1], 1, g.imageWidth, g.imageHeight, settings.quality, &page);
  QueryPerformanceCounter(&end);
  std::printf("big page floor: plain scaled decode %.2f s (status %d, %d x %d)\n", Seconds(start, end, frequency),
              status, page.width, page.height);
  FreeScaledPage(&page);
  return 0;
}
