// The terminal side of the resend benchmark: starts tavix.exe connected to
// the host simulator (port in TAVIX_HOST_PORT), presses Esc through
// MoxelTester.dll once the block's first line shows, and ends the terminal
// once the host has hung up. The simulator measures and prints the times.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host_session.h"
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
  t.WriteIni(HostSessionIni(std::atoi(port), false));
  if (!t.Start()) return 1;
  HWND main = t.WaitForMainWindow();
  if (!main) return 1;
  lib.SetMoxelWindow(main);
  if (!WaitFor([&] { return lib.Text(0, 0, 5) == "00010"; }, 60000)) return 1;
  if (!lib.TypeKeys("\x1b", 1)) return 1;
  return EndAfterHostClosed(t, main, "Connection terminated") ? 0 : 1;
}
