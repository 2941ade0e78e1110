// The terminal side of the flood benchmarks: starts tavix.exe connected to the
// host simulator (port in TAVIX_HOST_PORT), or with "serial" on COM1 at 57600
// baud sending "HELLO" when the line opens, and ends it once the host has
// hung up. The host side measures and prints the time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "message_boxes.h"
#include "terminal_process.h"

int main(int argc, char** argv) {
  TerminalProcess t;
  if (argc > 1 && std::string(argv[1]) == "serial") {
    t.WriteIni("[Config]\r\nmode=1\r\nspeed1=7\r\nconnect1=HELLO^M\r\nAutoconnect=1\r\n[Font]\r\nmode=0\r\n");
  } else {
    const char* port = std::getenv("TAVIX_HOST_PORT");
    if (!port) {
      std::printf("TAVIX_HOST_PORT is not set\n");
      return 2;
    }
    t.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::string(port) +
               "\r\nAutoconnect=1\r\n[Font]\r\nmode=0\r\n");
  }
  if (!t.Start()) return 1;
  HWND main = t.WaitForMainWindow();
  if (!main) return 1;
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = FindMessageBox(t.processId(), "Connection terminated")); }, 120000)) return 1;
  PressButton(box, IDNO);
  WaitFor([&] { return !IsWindow(box); }, 10000);
  PostMessageA(main, WM_CLOSE, 0, 0);
  return t.WaitForExit(10000) == 0 ? 0 : 1;
}
