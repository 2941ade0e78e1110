// The login report: the test is the report server named in corvane.gdl.
#include <gtest/gtest.h>
#include <winsock2.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "message_boxes.h"
#include "terminal_process.h"

namespace {

class ReportServer {
 public:
  ReportServer() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    listen(listener_, 4);
    int length = sizeof a;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &length);
    port_ = ntohs(a.sin_port);
  }
  ~ReportServer() { closesocket(listener_); }
  int port() const { return port_; }

  // One record from the next connection: the message without its framing,
  // after checking the framing; empty on time-out or bad framing.
  std::string NextRecord(int seconds) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(listener_, &set);
    timeval limit = {seconds, 0};
    if (select(0, &set, nullptr, nullptr, &limit) != 1) return {};
    SOCKET s = accept(listener_, nullptr, nullptr);
    std::string bytes;
    char buffer[512];
    DWORD timeout = 5000;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    // The terminal sends one record and waits for us to close.
    for (;;) {
      int n = recv(s, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      bytes.append(buffer, static_cast<size_t>(n));
      if (bytes.size() >= 2) {
        size_t length = static_cast<uint8_t>(bytes[0]) | static_cast<uint8_t>(bytes[1]) << 8;
        if (bytes.size() >= length + 4) break;
      }
    }
    closesocket(s);
    if (bytes.size() < 4) return {};
    size_t length = static_cast<uint8_t>(bytes[0]) | static_cast<uint8_t>(bytes[1]) << 8;
    if (bytes.size() != length + 4 || bytes[length + 2] != 0 || bytes[length + 3] != 0) return "bad framing";
    return bytes.substr(2, length);
  }

 private:
  SOCKET listener_;
  int port_ = 0;
};

std::vector<std::string> Fields(const std::string& message) {
  std::vector<std::string> out(1);
  for (char c : message) {
    if (static_cast<uint8_t>(c) == 254) {
      out.emplace_back();
    } else {
      out.back() += c;
    }
  }
  return out;
}

TEST(LoginReport, LoginAndLogoutReachTheReportServer) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  if (!port) GTEST_SKIP() << "runs under tests/e2e/with_host.sh";
  ReportServer server;
  TerminalProcess t;
  t.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::string(port) +
             "\r\nAutoconnect=1\r\n[Font]\r\nmode=0\r\n");
  // The report server as corvane.gdl names it (external address).
  std::string gdl = "[Report]\r\nExt ip=127.0.0.1\r\nExt port=" + std::to_string(server.port()) + "\r\n";
  FILE* f = std::fopen((t.folder() + "\\corvane.gdl").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(gdl.data(), 1, gdl.size(), f);
  std::fclose(f);
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);

  std::string login = server.NextRecord(30);
  std::vector<std::string> li = Fields(login);
  ASSERT_EQ(li.size(), 3u) << login;
  EXPECT_EQ(li[0], "LIjones");
  EXPECT_NE(li[1].find('~'), std::string::npos) << "identity is address~process id: " << li[1];
  EXPECT_EQ(li[2], "Moxel 127.0.0.1");

  std::string logout = server.NextRecord(30);
  std::vector<std::string> lo = Fields(logout);
  ASSERT_EQ(lo.size(), 3u) << logout;
  EXPECT_EQ(lo[0], "LO");
  EXPECT_EQ(lo[1], li[1]);

  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(t.processId(), "Connection terminated")); }, 30000));
  PressButton(box, IDNO);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 10000));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(t.WaitForExit(), 0);
}

}  // namespace
