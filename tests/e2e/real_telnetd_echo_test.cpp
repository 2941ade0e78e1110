// A user at Debian's telnet server, typing through MoxelTester.dll: the
// login prompt of the first connection lands on the full work area, the host
// echoes what is typed (the terminal has no echo of its own) but not the
// password, and a shell command's output comes back.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "message_boxes.h"
#include "terminal_process.h"
#include "tester_library.h"

namespace {

// The whole work area as the library reads it, row after row.
std::string Screen(TesterLibrary& lib) {
  std::string all;
  for (int row = 0; row < 24; ++row) all += lib.Text(row, 0, 80) + "\n";
  return all;
}

bool ScreenHas(TesterLibrary& lib, const std::string& text) { return Screen(lib).find(text) != std::string::npos; }

TEST(RealTelnetServer, TheUserLogsInByHandAndTheHostEchoes) {
  const char* port = std::getenv("TAVIX_TELNETD_PORT");
  const char* marker = std::getenv("TAVIX_LOGIN_MARKER");
  if (!port || !marker) GTEST_SKIP() << "runs under tests/e2e/with_telnetd.sh";
  const std::string markerPath = WindowsPath(marker);
  DeleteFileA(markerPath.c_str());
  TesterLibrary lib;
  ASSERT_TRUE(lib.Load());
  TerminalProcess t;
  t.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::string(port) +
             "\r\nAutoconnect=1\r\n[Font]\r\nmode=0\r\n");
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  lib.SetMoxelWindow(main);

  // The first connection's prompt, on row 0 of the whole 80 x 24 work area.
  ASSERT_TRUE(WaitFor([&] { return lib.Text(0, 0, 80).find("login:") != std::string::npos; }, 30000))
      << "screen:\n" << Screen(lib) << "error " << lib.GetTestError();
  int width = 0, height = 0;
  ASSERT_TRUE(lib.GetTestWindow(&width, &height));
  EXPECT_EQ(width, 80);
  EXPECT_EQ(height, 24);

  // The user name shows only because the host echoes it.
  ASSERT_TRUE(lib.SetText("tavixtest"));
  ASSERT_TRUE(WaitFor([&] { return lib.Text(0, 0, 80).find("login: tavixtest") != std::string::npos; }, 15000))
      << "row 0: '" << lib.Text(0, 0, 80) << "'";
  ASSERT_TRUE(lib.TypeKeys("\r", 1)) << lib.GetTestError();
  ASSERT_TRUE(WaitFor([&] { return ScreenHas(lib, "Password:"); }, 15000)) << Screen(lib);
  ASSERT_TRUE(lib.SetText("Secret-42"));
  ASSERT_TRUE(lib.TypeKeys("\r", 1)) << lib.GetTestError();
  ASSERT_TRUE(WaitFor([&] { return GetFileAttributesA(markerPath.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000))
      << "the login never ran; screen:\n" << Screen(lib);
  EXPECT_FALSE(ScreenHas(lib, "Secret-42")) << "the password was echoed:\n" << Screen(lib);

  // A shell command and its output.
  ASSERT_TRUE(lib.SetText("echo z$((40+2))z"));
  ASSERT_TRUE(lib.TypeKeys("\r", 1)) << lib.GetTestError();
  ASSERT_TRUE(WaitFor([&] { return ScreenHas(lib, "echo z$((40+2))z") && ScreenHas(lib, "z42z"); }, 15000))
      << Screen(lib);

  PostMessageA(main, WM_CLOSE, 0, 0);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(t.processId(), "Close current connection?")); }, 10000));
  PressButton(box, IDYES);
  EXPECT_EQ(t.WaitForExit(), 0);
}

}  // namespace
