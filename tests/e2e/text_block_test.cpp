// Text blocks through the real terminal against the host simulator (its port
// in TAVIX_HOST_PORT; script scripts/text_blocks.host): local edit records
// and their resend, the full-screen editor's reply, and the user-defined
// screen list shown by Alt in an input field. The simulator checks every
// reply byte for byte; the test waits for each screen before it types.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host_session.h"
#include "terminal_process.h"
#include "tester_library.h"

namespace {

class TextBlocks : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* port = std::getenv("TAVIX_HOST_PORT");
    if (!port) GTEST_SKIP() << "runs under tests/e2e/with_host.sh";
    ASSERT_TRUE(lib.Load());
    terminal.WriteIni(HostSessionIni(std::atoi(port), true, "UDef screens=1\r\n"));
    // The program block of the script must find no helper library.
    ASSERT_TRUE(terminal.StartWithoutHelperLibrary());
    main = terminal.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    lib.SetMoxelWindow(main);
  }

  ::testing::AssertionResult Shows(int row, int column, const std::string& text) {
    if (WaitFor([&] { return lib.Text(row, column, static_cast<int>(text.size())) == text; }, 20000))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "row " << row << " reads '" << lib.Text(row, 0, 80) << "'";
  }

  bool CursorAt(int row, int column) {
    int r = -1, c = -1;
    return lib.GetTestCursor(&r, &c) && r == row && c == column;
  }

  // Alt pressed and released alone, as the keyboard delivers it.
  void PressAlt() {
    PostMessageA(main, WM_SYSKEYDOWN, VK_MENU, 0x20380001);
    PostMessageA(main, WM_SYSKEYUP, VK_MENU, static_cast<LPARAM>(0xE0380001u));
  }

  TesterLibrary lib;
  TerminalProcess terminal;
  HWND main = nullptr;
};

TEST_F(TextBlocks, LocalEditFullScreenEditorAndTheScreenList) {
  // 1. Local edit mode: line 2 overtyped, Esc; the host asks for all again.
  ASSERT_TRUE(Shows(0, 0, "First line of the block"));
  ASSERT_TRUE(Shows(1, 0, "   indented second line"));
  ASSERT_TRUE(lib.TypeKeys("dn,X,\x1b", 1)) << lib.GetTestError();

  // 2. The full-screen editor in its area.
  ASSERT_TRUE(Shows(3, 5, "First line of the block"));
  ASSERT_TRUE(WaitFor([&] { return CursorAt(3, 5); }, 20000));
  ASSERT_TRUE(lib.TypeKeys("\t,Z,\x1b", 1)) << lib.GetTestError();

  // 4. The list over a field, after the program block was refused.
  ASSERT_TRUE(Shows(20, 2, "Orders"));
  ASSERT_TRUE(WaitFor([&] { return CursorAt(22, 10); }, 20000)) << "the field";
  PressAlt();
  ASSERT_TRUE(Shows(10, 23, "Stock enquiry"));
  ASSERT_TRUE(Shows(6, 25, "Assigned User Defined Screens"));
  ScreenShot shot;
  if (shot.Capture()) shot.SavePng(terminal.folder() + "/screen-list.png");
  ASSERT_TRUE(Shows(0, 0, "list seen")) << "the host read the list";
  ASSERT_TRUE(lib.TypeKeys("\x1b", 1)) << lib.GetTestError();
  ASSERT_TRUE(Shows(10, 15, std::string(21, ' '))) << "Esc leaves menu selection and the list";
  ASSERT_TRUE(Shows(0, 0, "list gone"));
  ASSERT_TRUE(lib.TypeKeys("a,b,\r", 1)) << lib.GetTestError();

  EXPECT_TRUE(EndAfterHostClosed(terminal, main));
}

}  // namespace
