// The terminal side of the messaging benchmark: starts tavix.exe connected to
// the host simulator (port in TAVIX_HOST_PORT) on the message directory given,
// and until the host hangs up makes the window invalid every 20 ms and waits
// for it to be painted, printing the longest wait: the window must keep
// painting while a large outbox file goes to the host.
//   bench_messaging_terminal MESSAGE_DIRECTORY
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host_session.h"
#include "message_boxes.h"
#include "terminal_process.h"

int main(int argc, char** argv) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  if (!port || argc != 2) {
    std::printf("usage: bench_messaging_terminal MESSAGE_DIRECTORY (under with_host.sh)\n");
    return 2;
  }
  TerminalProcess t;
  t.WriteIni(HostSessionIni(std::atoi(port), false) + "[Message]\r\nDirectory=" + argv[1] + "\r\n");
  if (!t.Start()) return 1;
  HWND main = t.WaitForMainWindow();
  if (!main) return 1;
  DWORD longest = 0;
  HWND box = nullptr;
  const DWORD start = GetTickCount();
  while (!(box = FindMessageBox(t.processId(), "Connection terminated")) && GetTickCount() - start < 300000) {
    // Painted when the window has no update region left.
    const DWORD before = GetTickCount();
    InvalidateRect(main, nullptr, FALSE);
    while (GetUpdateRect(main, nullptr, FALSE) && GetTickCount() - before < 10000) Sleep(1);
    const DWORD took = GetTickCount() - before;
    if (took > longest) longest = took;
    Sleep(20);
  }
  std::printf("terminal: the window answered and painted within %lu ms at the longest\n",
              static_cast<unsigned long>(longest));
  if (!box) return 1;
  PressButton(box, IDNO);
  WaitFor([&] { return !IsWindow(box); }, 10000);
  PostMessageA(main, WM_CLOSE, 0, 0);
  return t.WaitForExit() == 0 ? 0 : 1;
}
