#include "host_session.h"

#include "message_boxes.h"

std::string HostSessionIni(int port, bool tester, const std::string& extraConfig) {
  return "[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::to_string(port) + "\r\nAutoconnect=1\r\n" +
         (tester ? "userid=tester\r\n" : "") + extraConfig + "[Font]\r\nmode=0\r\n";
}

bool EndAfterHostClosed(TerminalProcess& terminal, HWND main, const char* question) {
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = FindMessageBox(terminal.processId(), question)) != nullptr; }, 120000)) return false;
  PressButton(box, IDNO);
  if (!WaitFor([&] { return !IsWindow(box); }, 10000)) return false;
  PostMessageA(main, WM_CLOSE, 0, 0);
  return terminal.WaitForExit() == 0;
}
