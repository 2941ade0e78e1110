#include "moxel_to_helper.h"
#include "image_item_win32.h"

#include <windows.h>

#include "frame_edit_win32.h"
#include "helper_state.h"
#include "image_item_win32.h"
#include "image_list_display_win32.h"

MoxelToHelperI TheMoxelToHelper;

namespace {

using MonitorFromRectFn = HMONITOR(WINAPI*)(LPCRECT, DWORD);
using MonitorFromWindowFn = HMONITOR(WINAPI*)(HWND, DWORD);
using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

// The monitor facts recorded at library start-up.
struct MonitorFunctions {
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

}  // namespace

void DetectMonitors() {
  Monitors = MonitorFunctions();
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

int MoxelToHelperI::OnIdle(long count) {
  // The first pass brings every edit window's command states and status
  // texts up to date; every pass decodes one more thumbnail of the viewer
  // while some are left.
  if (count == 0) Helper.AllEdits.ForEach([](EditFrame& frame) { static_cast<CFrameEdit&>(frame).UpdateUserInterface(); });
  return viewer_ && viewer_->IdleStep() ? 1 : 0;
}

int MoxelToHelperI::PreTranslateMessage(MSG* message) {
  if (!message) return 0;
  if (viewer_ && viewer_->PreTranslate(message)) return 1;
  int taken = 0;
  Helper.AllEdits.ForEach([&](EditFrame& frame) {
    if (!taken && static_cast<CFrameEdit&>(frame).PreTranslate(*message)) taken = 1;
  });
  // The image windows: Ctrl+C and dialog keys.
  if (!taken && ImageItemsPreTranslate(message)) taken = 1;
  return taken;
}

int MoxelToHelperI::ClearList() {
  if (viewer_) {
    viewer_->Clear();
    return 1;
  }
  viewer_ = CImageListDisplay::Create(Helper.viewerCallbacks);
  shown_ = false;
  return viewer_ ? 1 : 0;
}

void MoxelToHelperI::AddItem(const char* entry) {
  if (viewer_ && entry) viewer_->Add(entry);
}

void MoxelToHelperI::ShowList() {
  if (!viewer_) return;
  const bool first = !shown_;
  shown_ = true;
  viewer_->Show(first);
}

void MoxelToHelperI::CloseList() {
  if (!viewer_) return;
  CImageListDisplay* closing = viewer_;
  viewer_ = nullptr;
  shown_ = false;
  closing->Destroy();
}

void MoxelToHelperI::GetMonitorSize(HWND window, int* width, int* height) {
  if (!Monitors.available || !width || !height) return;
  HMONITOR monitor = Monitors.fromWindow(window, MONITOR_DEFAULTTONULL);
  if (!monitor) return;
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!Monitors.info(monitor, &info)) return;
  *width = info.rcMonitor.right - info.rcMonitor.left;
  *height = info.rcMonitor.bottom - info.rcMonitor.top;
}
