#include "monitors_win32.h"

namespace {

using MonitorFromRectFn = HMONITOR(WINAPI*)(LPCRECT, DWORD);
using MonitorFromWindowFn = HMONITOR(WINAPI*)(HWND, DWORD);
using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

// The monitor facts recorded at library start-up.
struct MonitorFunctions {
  bool detected = false;
  bool available = false;
  RECT workArea = {0, 0, 0, 0};
  MonitorFromRectFn fromRect = nullptr;
  MonitorFromWindowFn fromWindow = nullptr;
  GetMonitorInfoFn info = nullptr;
};

MonitorFunctions Monitors;

// A system function looked up by name (through the generic function type, so
// the cast says what it means).
template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Windows 98 or later, or an NT system after 4.
bool SystemHasMonitorFunctions() {
  OSVERSIONINFOA v = {};
  v.dwOSVersionInfoSize = sizeof v;
  if (!GetVersionExA(&v)) return false;
  if (v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return v.dwMinorVersion != 0;
  return v.dwPlatformId == VER_PLATFORM_WIN32_NT && v.dwMajorVersion > 4;
}

bool MonitorInfoOf(HWND window, DWORD fallback, MONITORINFO* info) {
  if (!Monitors.available) return false;
  HMONITOR monitor = Monitors.fromWindow(window, fallback);
  if (!monitor) return false;
  info->cbSize = sizeof *info;
  return Monitors.info(monitor, info) != FALSE;
}

}  // namespace

void DetectMonitors() {
  Monitors = MonitorFunctions();
  Monitors.detected = true;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &Monitors.workArea, 0);
  if (!SystemHasMonitorFunctions() || GetSystemMetrics(SM_CMONITORS) <= 1) return;
  HMODULE user = GetModuleHandleA("User32.dll");
  if (!user) return;
  Monitors.fromRect = Lookup<MonitorFromRectFn>(user, "MonitorFromRect");
  Monitors.fromWindow = Lookup<MonitorFromWindowFn>(user, "MonitorFromWindow");
  Monitors.info = Lookup<GetMonitorInfoFn>(user, "GetMonitorInfoA");
  if (!Monitors.fromRect || !Monitors.fromWindow || !Monitors.info) return;
  Monitors.available = true;
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  Monitors.workArea = {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool MonitorSizeOf(HWND window, int* width, int* height) {
  MONITORINFO info = {};
  if (!width || !height || !MonitorInfoOf(window, MONITOR_DEFAULTTONULL, &info)) return false;
  *width = info.rcMonitor.right - info.rcMonitor.left;
  *height = info.rcMonitor.bottom - info.rcMonitor.top;
  return true;
}

RECT WorkAreaFor(HWND window) {
  if (!Monitors.detected) DetectMonitors();
  MONITORINFO info = {};
  if (window && MonitorInfoOf(window, MONITOR_DEFAULTTONEAREST, &info)) return info.rcWork;
  return Monitors.workArea;
}
