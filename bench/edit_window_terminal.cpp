// The terminal side of the edit-window benchmark (bench/edit_window.host):
// the time from the host's request to the shown edit window with a
// 20,000-line program, then 1,000 line changes and the save for the host's
// polls, which the simulator times.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host_session.h"
#include "message_boxes.h"
#include "terminal_process.h"

namespace {

constexpr int kSaveCommand = 3101;

bool SaveEnabled(HWND frame) {
  HWND toolbar = FindWindowExA(frame, nullptr, "ToolbarWindow32", nullptr);
  return toolbar && SendMessageA(toolbar, TB_ISBUTTONENABLED, kSaveCommand, 0) != 0;
}

}  // namespace

int main() {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  if (!port) {
    std::printf("TAVIX_HOST_PORT is not set\n");
    return 2;
  }
  TerminalProcess t;
  t.WriteIni(HostSessionIni(std::atoi(port), false));
  if (!t.Start()) return 1;
  HWND main = t.WaitForMainWindow();
  if (!main) return 1;
  // Connected once the title names the host.
  if (!WaitFor([&] {
        char title[128] = "";
        GetWindowTextA(main, title, sizeof title);
        return std::string(title).find("127.0.0.1") != std::string::npos;
      }, 20000))
    return 1;
  Sleep(200);
  const DWORD start = GetTickCount();
  PostMessageA(main, WM_CHAR, 'g', 0);
  HWND frame = nullptr;
  if (!WaitFor([&] { return (frame = t.FindWindowOfClass("CFrameEdit")) && IsWindowVisible(frame); }, 30000)) {
    std::printf("no edit window\n");
    return 1;
  }
  std::printf("20,000-line program to the shown edit window: %lu ms\n", GetTickCount() - start);
  HWND view = FindWindowExA(frame, nullptr, "CViewEdit", nullptr);
  for (int i = 0; i < 1000; ++i) {
    PostMessageA(view, WM_CHAR, 'x', 0);
    PostMessageA(view, WM_KEYDOWN, VK_DOWN, 0);
  }
  PostMessageA(frame, WM_COMMAND, kSaveCommand, 0);
  if (!WaitFor([&] { return !SaveEnabled(frame); }, 30000)) return 1;
  PostMessageA(main, WM_CHAR, 'g', 0);
  return EndAfterHostClosed(t, main, "Connection terminated") ? 0 : 1;
}
