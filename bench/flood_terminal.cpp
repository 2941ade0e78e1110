// The terminal side of the flood benchmarks: starts tavix.exe connected to the
// host simulator (port in TAVIX_HOST_PORT), or with "serial" on COM1 at 57600
// baud sending "HELLO" when the line opens, and ends it once the host has
// hung up. The host side measures and prints the time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host_session.h"
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
    t.WriteIni(HostSessionIni(std::atoi(port), false));
  }
  if (!t.Start()) return 1;
  HWND main = t.WaitForMainWindow();
  if (!main) return 1;
  return EndAfterHostClosed(t, main, "Connection terminated") ? 0 : 1;
}
