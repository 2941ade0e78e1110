// The view window ("Extended select") of the real terminal against the host
// simulator (scripts/view_window.host): opened and closed by its commands,
// a drag selection copied to the clipboard, auto-scroll past the edge, the
// wheel, the Ctrl+Alt command behind [Config] "Edit", and the mouse buttons
// dialog saving its keys.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <string>

#include "host_session.h"
#include "message_boxes.h"
#include "resource_ids.h"
#include "terminal_process.h"
#include "tester_library.h"

namespace {

constexpr int kMiddleActionBase = 1400;  // dialog 126: radio buttons by action value
constexpr int kMouseWheelBox = 1420;

std::string ClipboardText() {
  bool opened = false;
  for (int attempt = 0; attempt < 20 && !(opened = OpenClipboard(nullptr)); ++attempt) Sleep(20);
  if (!opened) return "<closed>";
  std::string text = "<none>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void ClearClipboard() {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

HWND ViewWindowOf(HWND main) { return FindWindowExA(main, nullptr, "WTermS3Class", nullptr); }

// The view window covers the host's 80 x 24 work rows: a page cell's centre
// in its client coordinates.
struct ViewGeometry {
  int cellWidth, rowHeight;
  explicit ViewGeometry(HWND view) {
    RECT r;
    GetWindowRect(view, &r);
    cellWidth = (r.right - r.left) / 80;
    rowHeight = (r.bottom - r.top) / 24;
  }
  LPARAM Cell(int col, int row) const {
    return MAKELPARAM((2 * col + 1) * cellWidth / 2, (2 * row + 1) * rowHeight / 2);
  }
};

TEST(ViewWindow, SelectsCopiesScrollsAndClosesThroughTheRealCommands) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  if (!port) GTEST_SKIP() << "runs under tests/e2e/with_host.sh";
  TesterLibrary lib;
  ASSERT_TRUE(lib.Load());
  TerminalProcess t;
  t.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::string(port) +
             "\r\nAutoconnect=1\r\nEdit=1\r\n[Font]\r\nmode=0\r\n");
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  lib.SetMoxelWindow(nullptr);
  ASSERT_TRUE(WaitFor([&] { return lib.Text(23, 0, 13) == "Last row text" && lib.Text(0, 0, 7) == "R0 line"; }, 20000));

  // Open: a child window over the host's rows. (Its menu check mark cannot be
  // read from another process under Wine.)
  SendMessageA(main, WM_COMMAND, CMD_EXTENDED_SELECT, 0);
  HWND view = ViewWindowOf(main);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(IsWindowVisible(view));
  const ViewGeometry g(view);
  ASSERT_GT(g.cellWidth, 0);

  // A drag over two rows, copied with the Copy command.
  ClearClipboard();
  SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, g.Cell(0, 3));
  SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, g.Cell(4, 4));
  SendMessageA(view, WM_LBUTTONUP, 0, g.Cell(4, 4));
  SendMessageA(main, WM_COMMAND, CMD_COPY, 0);
  EXPECT_EQ(ClipboardText(), "Alpha\r\nBravo\r\n");
  // The selection ended with the copy: copying again only beeps.
  ClearClipboard();
  SendMessageA(main, WM_COMMAND, CMD_COPY, 0);
  EXPECT_EQ(ClipboardText(), "<none>");

  // Dragging below the window scrolls it (timer 1) down to the last row; back
  // inside, the corner follows the scrolled content. (Another process cannot
  // read the scroll bars under Wine: the copied text shows where it stands.)
  RECT client;
  GetClientRect(view, &client);
  const int pageRows = client.bottom / g.rowHeight;
  ASSERT_LT(pageRows, 24) << "the scroll bar leaves fewer than 24 rows";
  const int lastTop = 24 - pageRows;
  auto rowText = [](int line, int width) {
    std::string text = line <= 2 ? "R" + std::to_string(line) + " line" : line == 3 ? "Alpha" : line == 4 ? "Bravo"
                                                                        : line == 23 ? "Last row" : "";
    text.resize(static_cast<size_t>(width), ' ');
    return text + "\r\n";
  };
  SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, g.Cell(0, 20));
  SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(g.Cell(3, 0) & 0xFFFF, client.bottom + 5));
  // Timer 1 steps one row per 200 ms; waiting longer only overruns the end, and
  // a loaded machine delays timers, so the wait is generous.
  Sleep(200 * lastTop + 6000);
  SendMessageA(view, WM_MOUSEMOVE, MK_LBUTTON, g.Cell(3, 2));
  SendMessageA(view, WM_LBUTTONUP, 0, g.Cell(3, 2));
  SendMessageA(main, WM_COMMAND, CMD_COPY, 0);
  std::string expected;
  for (int line = std::min(20, lastTop + 2); line <= 20; ++line) expected += rowText(line, 4);
  EXPECT_EQ(ClipboardText(), expected);

  // The wheel on the main window scrolls the view window one line back.
  SendMessageA(main, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, g.Cell(0, 0));
  SendMessageA(view, WM_LBUTTONUP, 0, g.Cell(1, 0));
  SendMessageA(main, WM_COMMAND, CMD_COPY, 0);
  EXPECT_EQ(ClipboardText(), rowText(lastTop - 1, 2));

  // The command again closes it.
  SendMessageA(main, WM_COMMAND, CMD_EXTENDED_SELECT, 0);
  EXPECT_FALSE(IsWindow(view));
  EXPECT_EQ(ViewWindowOf(main), nullptr);

  // Refused while simple selection is on.
  SendMessageA(main, WM_COMMAND, CMD_SELECT, 0);
  SendMessageA(main, WM_COMMAND, CMD_EXTENDED_SELECT, 0);
  EXPECT_EQ(ViewWindowOf(main), nullptr);
  SendMessageA(main, WM_COMMAND, CMD_SELECT, 0);

  // Ctrl+Alt+E ([Config] "Edit" is on here) toggles it as well.
  SendMessageA(main, WM_COMMAND, CMD_EDIT_EXTENDED_SELECT, 0);
  view = ViewWindowOf(main);
  EXPECT_NE(view, nullptr);
  // Any key closes it: Home (which sends the host nothing) from the accelerator table.
  SendMessageA(main, WM_COMMAND, 30000 + 1063, 0);
  EXPECT_EQ(ViewWindowOf(main), nullptr);

  // Mouse Buttons: the middle button set to "Return" and the wheel on are saved.
  PostMessageA(main, WM_COMMAND, CMD_MOUSE_BUTTONS, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindWindowA("#32770", "Configure Mouse Buttons")) != nullptr; }, 10000));
  EXPECT_EQ(IsDlgButtonChecked(dialog, kMiddleActionBase + 0), static_cast<UINT>(BST_CHECKED));
  SendMessageA(GetDlgItem(dialog, kMiddleActionBase + 2), BM_CLICK, 0, 0);
  SendMessageA(GetDlgItem(dialog, kMouseWheelBox), BM_CLICK, 0, 0);
  EXPECT_EQ(IsDlgButtonChecked(dialog, kMiddleActionBase + 0), static_cast<UINT>(BST_UNCHECKED));
  PressButton(dialog, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 10000));
  std::string ini;
  WaitFor([&] {
    ini = ReadFileText(t.folder() + "\\Corvane\\corvane.ini");  // the per-user copy
    return ini.find("Middle mouse=2") != std::string::npos && ini.find("Wheel=1") != std::string::npos;
  }, 5000);
  EXPECT_NE(ini.find("Middle mouse=2"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Wheel=1"), std::string::npos) << ini;

  ASSERT_TRUE(lib.SetText("done"));  // the script ends the session on this
  EXPECT_TRUE(EndAfterHostClosed(t, main));
}

}  // namespace
