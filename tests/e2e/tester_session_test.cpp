// The terminal driven through MoxelTester.dll against the host simulator (its
// port in TAVIX_HOST_PORT; script scripts/tester_session.host): what the test
// types reaches the host byte for byte, what the host draws can be read back,
// keys typed while the host is busy wait for its ready, and a terminal that
// has gone is reported as such.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host_session.h"
#include "terminal_process.h"
#include "tester_library.h"

namespace {

// The 250 characters the script expects: letters and digits, no line ends.
std::string TypedText() {
  std::string text;
  for (int i = 0; i < 250; ++i) text += "abcdefghijklmnopqrstuvwxyz0123456789"[i % 36];
  return text;
}

TEST(TesterSession, TypesReadsAndFollowsTheHostThroughTheLibrary) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  if (!port) GTEST_SKIP() << "runs under tests/e2e/with_host.sh";
  TesterLibrary lib;
  ASSERT_TRUE(lib.Load());
  TerminalProcess t;
  t.WriteIni(HostSessionIni(std::atoi(port)));
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);

  // Found through the registry, as a harness started after the terminal does.
  lib.SetMoxelWindow(nullptr);
  ASSERT_TRUE(WaitFor([&] { return lib.Text(2, 10, 12) == "Hello tester"; }, 20000))
      << "screen row 2: '" << lib.Text(2, 0, 40) << "', error " << lib.GetTestError();
  EXPECT_EQ(lib.GetMoxelWindow(), main);
  int width = 0, height = 0;
  ASSERT_TRUE(lib.GetTestWindow(&width, &height));
  EXPECT_EQ(width, 80);
  EXPECT_EQ(height, 24);
  int row = -1, column = -1;
  ASSERT_TRUE(lib.GetTestCursor(&row, &column));
  EXPECT_EQ(row, 2);
  EXPECT_EQ(column, 22) << "after the host's text";
  EXPECT_EQ(lib.Text(2, 70, 10), std::string(10, ' ')) << "column + count equal to the width is accepted";
  EXPECT_EQ(lib.Text(2, 71, 10), "");
  EXPECT_EQ(lib.GetTestError(), 3);
  EXPECT_EQ(lib.Text(2, 0, 0), "");
  EXPECT_EQ(lib.GetTestError(), 3);

  // The script expects these bytes exactly.
  ASSERT_TRUE(lib.SetText(TypedText().c_str()));
  ASSERT_TRUE(lib.TypeKeys("shift+f1,a,b,dn,control+f1,f12,home", 1)) << lib.GetTestError();

  // The host turns busy; what is typed now waits for its ready.
  ASSERT_TRUE(WaitFor([&] { return lib.Busy() == 1; }, 20000));
  ASSERT_TRUE(lib.TypeKeys("x,y,\r,\r,dn,dn", 1)) << lib.GetTestError();
  ASSERT_TRUE(WaitFor([&] { return lib.Busy() == 0; }, 20000));
  ASSERT_TRUE(WaitFor([&] { return lib.Text(4, 0, 6) == "Thanks"; }, 20000));

  // The host hangs up; the terminal goes.
  EXPECT_TRUE(EndAfterHostClosed(t, main));
  int busy = 0;
  EXPECT_EQ(lib.HostBusy(&busy), 0);
  EXPECT_EQ(lib.GetTestError(), 2);
  EXPECT_EQ(lib.GetMoxelWindow(), nullptr);
}

}  // namespace
