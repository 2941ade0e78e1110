// Menus and forms driven through MoxelTester.dll against the host simulator
// (its port in TAVIX_HOST_PORT; script scripts/pick_form.host). The test moves
// and chooses in the host's pick lists and fills its input fields; the
// simulator checks each reply byte for byte. Closing the windows must give
// back what lay underneath, read here with GetText.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "host_session.h"
#include "terminal_process.h"
#include "tester_library.h"

namespace {

// The text the host writes at column 10 of screen rows 2..13 before the
// windows open: the row number, then the alphabet turned by the row.
std::string Underneath(int row) {
  const std::string a = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string turned = a.substr(row) + a.substr(0, row);
  std::string number = std::to_string(row);
  if (number.size() < 2) number = "0" + number;
  return number + " " + turned.substr(0, 57);
}

class PickForm : public ::testing::Test {
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

  // The cursor's place in the current text window, or (-1, -1).
  std::pair<int, int> Cursor() {
    int row = -1, column = -1;
    if (!lib.GetTestCursor(&row, &column)) return {-1, -1};
    return {row, column};
  }

  // Waits until `text` stands at (row, column) of the current window and,
  // read after it, the cursor is at (cursorRow, cursorColumn): the host has
  // drawn everything before its request and the request has run.
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

  ::testing::AssertionResult WindowIs(int width, int height) {
    int w = 0, h = 0;
    if (!lib.GetTestWindow(&w, &h)) return ::testing::AssertionFailure() << "GetTestWindow failed";
    if (w == width && h == height) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "window " << w << "x" << h;
  }

  void EndSession() { EXPECT_TRUE(EndAfterHostClosed(terminal, main)); }

  TesterLibrary lib;
  TerminalProcess terminal;
  HWND main = nullptr;
};

TEST_F(PickForm, ChoosesFillsFieldsAndClosesBackToTheScreen) {
  // The menu window over the host's screen: its interior is the text window.
  ASSERT_TRUE(WaitForRequest(6, 1, "Arrows, Enter or hot key", 2, 3)) << "first selection";
  EXPECT_TRUE(WindowIs(32, 10)) << "the menu's frame, borders included";
  EXPECT_EQ(lib.Text(0, 1, 13), "Customer menu");
  // Each move takes the cursor to the new item's first cell.
  ASSERT_TRUE(lib.TypeKeys("dn", 1)) << lib.GetTestError();
  EXPECT_EQ(Cursor(), std::make_pair(3, 3));
  ASSERT_TRUE(lib.TypeKeys("dn,up", 1)) << lib.GetTestError();
  EXPECT_EQ(Cursor(), std::make_pair(3, 3));
  ASSERT_TRUE(lib.TypeKeys("\r", 1)) << lib.GetTestError();

  // Navigation only: down from the last item ends at the edge.
  ASSERT_TRUE(WaitFor([&] { return Cursor() == std::make_pair(4, 3); }, 20000)) << "second selection";
  ASSERT_TRUE(lib.TypeKeys("dn", 1)) << lib.GetTestError();

  // A hot key in lower case.
  ASSERT_TRUE(WaitFor([&] { return Cursor() == std::make_pair(2, 3); }, 20000)) << "third selection";
  ASSERT_TRUE(lib.TypeKeys("c", 1)) << lib.GetTestError();

  // The form window over the menu; the first field starts on the old name.
  ASSERT_TRUE(WaitForRequest(3, 10, "   1250.00", 2, 10)) << "name field";
  EXPECT_TRUE(WindowIs(52, 8));
  EXPECT_EQ(lib.Text(2, 10, 13), "Harbour Light");
  ASSERT_TRUE(lib.SetText("Ada Lovelace")) << lib.GetTestError();
  EXPECT_EQ(lib.Text(2, 10, 30), "Ada Lovelace" + std::string(18, ' ')) << "the first key blanks the field";
  ASSERT_TRUE(lib.TypeKeys("\r", 1)) << lib.GetTestError();

  // The numeric field: the cursor rests on its last cell.
  ASSERT_TRUE(WaitFor([&] { return Cursor() == std::make_pair(3, 19); }, 20000)) << "credit field";
  ASSERT_TRUE(lib.SetText("12.5+7.25*2=")) << lib.GetTestError();
  EXPECT_EQ(lib.Text(3, 10, 10), "     39.50");
  ASSERT_TRUE(lib.TypeKeys("\r", 1)) << lib.GetTestError();

  // ESC W C closes the form: the menu shows again in full, its interior the
  // text window once more.
  ASSERT_TRUE(WaitFor([&] { return WindowIs(32, 10); }, 20000)) << "the form did not close";
  EXPECT_EQ(lib.Text(0, 1, 13), "Customer menu");
  EXPECT_EQ(lib.Text(2, 3, 12), "Add customer");
  EXPECT_EQ(lib.Text(3, 3, 15), "Change customer");
  EXPECT_EQ(lib.Text(4, 3, 15), "Delete customer");
  EXPECT_EQ(lib.Text(6, 1, 24), "Arrows, Enter or hot key");
  ASSERT_TRUE(lib.TypeKeys("x", 1)) << lib.GetTestError();

  // And the menu: the whole screen is back as it was before either window.
  ASSERT_TRUE(WaitFor([&] { return WindowIs(80, 24); }, 20000)) << "the menu did not close";
  EXPECT_EQ(lib.Text(0, 0, 11), "ORDER ENTRY");
  for (int row = 2; row <= 13; ++row) EXPECT_EQ(lib.Text(row, 10, 60), Underneath(row)) << "row " << row;
  EXPECT_EQ(lib.Text(14, 0, 80), std::string(80, ' ')) << "the form's bottom border is gone";
  ASSERT_TRUE(lib.TypeKeys("q", 1)) << lib.GetTestError();

  EndSession();
}

}  // namespace
