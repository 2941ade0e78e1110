// The terminal side of the telnet flood benchmark: starts tavix.exe connected
// to the host simulator (port in TAVIX_HOST_PORT) and ends it once the host
// has hung up. The simulator measures and prints the time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "message_boxes.h"
#include "terminal_process.h"

int main() {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  if (!port) {
    std::printf("TAVIX_HOST_PORT is not set\n");
    return 2;
  }
  TerminalProcess t;
  t.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::string(port) +
             "\r\nAutoconnect=1\r\n[Font]\r\nmode=0\r\n");
  if (!t.Start()) return 1;
  HWND main = t.WaitForMainWindow();
  if (!main) return 1;
  return CloseAfterHostHungUp(t, main, 120000) ? 0 : 1;
}
