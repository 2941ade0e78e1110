// The README's demo host (tools/hostsim/scripts/demo.host, port in
// TAVIX_HOST_PORT) driven through MoxelTester.dll: its actions menu is
// chosen from with the arrows, Enter, a hot key and Esc, both pop-up forms are
// filled in, and the enquiry screen comes back as it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "host_session.h"
#include "terminal_process.h"
#include "tester_library.h"

namespace {

const char kPrompt[] = "Command (N next, P previous, A actions, Q quit):";
const int kPromptEnd = 6 + sizeof kPrompt;  // after the prompt and its blank

class DemoMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* port = std::getenv("TAVIX_HOST_PORT");
    if (!port) GTEST_SKIP() << "runs under tests/e2e/with_host.sh";
    ASSERT_TRUE(lib.Load());
    terminal.WriteIni(HostSessionIni(std::atoi(port)));
    ASSERT_TRUE(terminal.Start());
    main = terminal.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    lib.SetMoxelWindow(main);
  }

  std::pair<int, int> Cursor() {
    int row = -1, column = -1;
    if (!lib.GetTestCursor(&row, &column)) return {-1, -1};
    return {row, column};
  }

  // `text` at (row, column) of the current window and then the cursor at
  // (cursorRow, cursorColumn): the host has drawn and its request has run.
  ::testing::AssertionResult WaitForRequest(int row, int column, const std::string& text, int cursorRow,
                                            int cursorColumn) {
    bool ok = WaitFor(
        [&] {
          return lib.Text(row, column, static_cast<int>(text.size())) == text &&
                 Cursor() == std::make_pair(cursorRow, cursorColumn);
        },
        20000);
    if (ok) return ::testing::AssertionSuccess();
    std::pair<int, int> c = Cursor();
    return ::testing::AssertionFailure() << "wanted '" << text << "' at " << row << "," << column
                                         << " and the cursor at " << cursorRow << "," << cursorColumn
                                         << "; the row reads '" << lib.Text(row, 0, 30) << "', the cursor is at "
                                         << c.first << "," << c.second;
  }

  std::vector<std::string> Screen() {
    std::vector<std::string> rows;
    for (int row = 0; row < 24; ++row) rows.push_back(lib.Text(row, 0, 80));
    return rows;
  }

  int WindowWidth() {
    int w = 0, h = 0;
    return lib.GetTestWindow(&w, &h) ? w : -1;
  }

  TesterLibrary lib;
  TerminalProcess terminal;
  HWND main = nullptr;
};

TEST_F(DemoMenu, ActionsMenuFormsAndBackToTheEnquiry) {
  ASSERT_TRUE(WaitForRequest(20, 6, kPrompt, 20, kPromptEnd)) << "the enquiry's prompt";
  ASSERT_TRUE(WaitFor([&] { return lib.Text(5, 24, 28) == "Harbour Light Chandlery Ltd."; }, 20000));
  const std::vector<std::string> enquiry = Screen();
  ASSERT_TRUE(lib.TypeKeys("a,\r", 1)) << lib.GetTestError();

  // The menu: item 1 current, the cursor on its first cell.
  ASSERT_TRUE(WaitForRequest(8, 2, "Esc leaves the menu.", 1, 2)) << "the actions menu";
  EXPECT_EQ(WindowWidth(), 42);
  EXPECT_EQ(lib.Text(2, 3, 11), "Order value");
  ASSERT_TRUE(lib.TypeKeys("dn", 1)) << lib.GetTestError();
  EXPECT_EQ(Cursor(), std::make_pair(2, 2));
  ASSERT_TRUE(lib.TypeKeys("\r", 1)) << lib.GetTestError();

  // The order form: a calculator field, the cursor on its last cell.
  ASSERT_TRUE(WaitForRequest(5, 3, "Order value (qty * price):", 5, 36)) << "the order form";
  ASSERT_TRUE(lib.SetText("12*3.5=")) << lib.GetTestError();
  EXPECT_EQ(lib.Text(5, 30, 7), "  42.00");
  ASSERT_TRUE(lib.TypeKeys("\r", 1)) << lib.GetTestError();

  // Back in the menu: the pop-up's cells are the menu's blank rows again.
  ASSERT_TRUE(WaitForRequest(5, 2, std::string(36, ' '), 1, 2)) << "the menu after the order form";
  EXPECT_EQ(lib.Text(4, 0, 40), std::string(40, ' '));
  EXPECT_EQ(lib.Text(6, 0, 40), std::string(40, ' '));
  EXPECT_EQ(lib.Text(7, 2, 38), "Arrows and Enter, or the first letter.");

  // The telephone form by its hot key, in lower case.
  ASSERT_TRUE(lib.TypeKeys("t", 1)) << lib.GetTestError();
  ASSERT_TRUE(WaitForRequest(5, 3, "New telephone:", 5, 18)) << "the telephone form";
  ASSERT_TRUE(lib.SetText("01632 555 0199")) << lib.GetTestError();
  EXPECT_EQ(lib.Text(5, 18, 19), "01632 555 0199     ");
  ASSERT_TRUE(lib.TypeKeys("\r", 1)) << lib.GetTestError();
  ASSERT_TRUE(WaitForRequest(5, 2, std::string(36, ' '), 1, 2)) << "the menu after the telephone form";

  // Esc leaves the menu: the enquiry is back cell for cell, and the prompt
  // waits again.
  ASSERT_TRUE(lib.TypeKeys("\x1b", 1)) << lib.GetTestError();
  ASSERT_TRUE(WaitFor([&] { return WindowWidth() == 80 && Cursor() == std::make_pair(20, kPromptEnd); }, 20000))
      << "the menu did not close";
  std::vector<std::string> after = Screen();
  for (int row = 0; row < 24; ++row) EXPECT_EQ(after[row], enquiry[row]) << "row " << row;

  ASSERT_TRUE(lib.TypeKeys("q,\r", 1)) << lib.GetTestError();
  EXPECT_TRUE(EndAfterHostClosed(terminal, main));
}

}  // namespace
