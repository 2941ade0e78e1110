// A host download to the auxiliary port through the real terminal
// (tests/e2e/with_serial.sh maps a pseudo-terminal as COM2, whose far end
// checks every byte; the host is the simulator over telnet on TAVIX_POOL_PORT,
// script scripts/aux_download.host).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "message_boxes.h"
#include "terminal_process.h"

namespace {

TEST(AuxDownload, TheDeviceOnTheAuxiliaryPortGetsTheBytes) {
  const char* port = std::getenv("TAVIX_POOL_PORT");
  if (!port || !std::getenv("TAVIX_SERIAL_DIR")) GTEST_SKIP() << "runs under tests/e2e/with_serial.sh";
  TerminalProcess terminal;
  terminal.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::string(port) +
                    "\r\nAutoconnect=1\r\nuserid=tester\r\nAuxiliary port=2\r\nAuxiliary speed=7\r\n"
                    "Auxiliary read=0\r\n[Font]\r\nmode=0\r\n[Message]\r\nMessageing enabled=1\r\nDirectory=" +
                    terminal.folder() + "\\msg\\\r\nUse subdirectory=1\r\n");
  ASSERT_TRUE(terminal.Start());
  HWND main = terminal.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(AnswerMessageBox(terminal.processId(), "Connection terminated, reconnect?", IDNO, 60000));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(terminal.WaitForExit(), 0);
}

}  // namespace
