// The terminal side of the telnet flood benchmark: starts tavix.exe connected
// to the host simulator (port in TAVIX_HOST_PORT) and ends it once the host
// has hung up. The simulator measures and prints the time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host_session.h"
#include "terminal_process.h"

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
  return EndAfterHostClosed(t, main, "Connection terminated") ? 0 : 1;
}
