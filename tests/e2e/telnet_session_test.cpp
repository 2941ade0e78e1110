// Telnet sessions: against the host simulator (its port in TAVIX_HOST_PORT)
// and against a port where nobody listens.
#include <gtest/gtest.h>
#include <winsock2.h>

#include <cstdlib>
#include <string>

#include "message_boxes.h"
#include "terminal_process.h"

namespace {

std::string ProxyIni(int port) {
  return "[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::to_string(port) +
         "\r\nAutoconnect=1\r\nuserid=tester\r\n[Font]\r\nmode=0\r\n";
}

// A loopback port where nothing listens: bind one, note it, close it.
int UnusedPort() {
  WSADATA data;
  WSAStartup(MAKEWORD(2, 2), &data);
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a = {};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  int length = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &length);
  closesocket(s);
  return ntohs(a.sin_port);
}

std::string Title(HWND window) {
  char text[256];
  GetWindowTextA(window, text, sizeof text);
  return text;
}

TEST(TelnetSession, ConnectsDrawsTheHostScreenAndAnswersIdentification) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  if (!port) GTEST_SKIP() << "runs under tests/e2e/with_host.sh";
  TerminalProcess t;
  t.WriteIni(ProxyIni(std::atoi(port)));
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitFor([&] { return Title(main) == "Moxel 127.0.0.1"; }, 20000)) << Title(main);
  // The script checks the screen and the identification, then hangs up.
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(t.processId(), "Connection terminated, reconnect?")); },
                      30000));
  EXPECT_EQ(Title(main), "Moxel") << "titles go back on close";
  PressButton(box, IDNO);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 10000));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(t.WaitForExit(), 0);
}

TEST(TelnetSession, ARefusedPortOffersARetry) {
  TerminalProcess t;
  t.WriteIni(ProxyIni(UnusedPort()));
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    return (box = FindMessageBox(t.processId(), "Unable to connect to specified host. Retry?"));
  }, 20000));
  PressButton(box, IDNO);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 10000));
  EXPECT_EQ(Title(main), "Moxel");
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(t.WaitForExit(), 0);
}

}  // namespace
