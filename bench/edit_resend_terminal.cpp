// The terminal side of the resend benchmark: starts tavix.exe connected to
// the host simulator (port in TAVIX_HOST_PORT), presses Esc through
// MoxelTester.dll once the block's first line shows, and ends the terminal
// once the host has hung up. The simulator measures and prints the times.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "message_boxes.h"
#include "terminal_process.h"
#include "tester_library.h"

int main() {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  if (!port) {
    std::printf("TAVIX_HOST_PORT is not set\n");
    return 2;
  }
  TesterLibrary lib;
  if (!lib.Load()) return 1;
  TerminalProcess t;
  t.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::string(port) +
             "\r\nAutoconnect=1\r\n[Font]\r\nmode=0\r\n");
  if (!t.Start()) return 1;
  HWND main = t.WaitForMainWindow();
  if (!main) return 1;
  lib.SetMoxelWindow(main);
  if (!WaitFor([&] { return lib.Text(0, 0, 5) == "00010"; }, 60000)) return 1;
  if (!lib.TypeKeys("\x1b", 1)) return 1;
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = FindMessageBox(t.processId(), "Connection terminated")); }, 120000)) return 1;
  PressButton(box, IDNO);
  WaitFor([&] { return !IsWindow(box); }, 10000);
  PostMessageA(main, WM_CLOSE, 0, 0);
  return t.WaitForExit(10000) == 0 ? 0 : 1;
}
