// Against Debian's telnet server: every option is refused and the session
// still works; -U and -P answer the real "login:" and "Password:" prompts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "message_boxes.h"
#include "terminal_process.h"

namespace {

TEST(RealTelnetServer, AutoLoginThroughTheRealPrompts) {
  const char* port = std::getenv("TAVIX_TELNETD_PORT");
  const char* marker = std::getenv("TAVIX_LOGIN_MARKER");
  if (!port || !marker) GTEST_SKIP() << "runs under tests/e2e/with_telnetd.sh";
  const std::string markerPath = WindowsPath(marker);
  DeleteFileA(markerPath.c_str());
  TerminalProcess t;
  t.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::string(port) +
             "\r\n[Font]\r\nmode=0\r\n");
  // With -U the terminal connects at once and logs in.
  ASSERT_TRUE(t.Start("-Utavixtest -PSecret-42"));
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitFor([&] { return GetFileAttributesA(markerPath.c_str()) != INVALID_FILE_ATTRIBUTES; }, 40000))
      << "the test user's login never ran";
  // Closing with the connection open asks first.
  PostMessageA(main, WM_CLOSE, 0, 0);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(t.processId(), "Close current connection?")); }, 10000));
  PressButton(box, IDYES);
  EXPECT_EQ(t.WaitForExit(), 0);
}

}  // namespace
