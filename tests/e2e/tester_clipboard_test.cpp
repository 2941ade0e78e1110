// Paste from and copy to the X clipboard (the display Wine runs on): the
// host simulator's script is scripts/tester_clipboard.host. xclip runs as a
// Unix program started from this Windows test.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "host_session.h"
#include "message_boxes.h"
#include "resource_ids.h"
#include "terminal_process.h"
#include "tester_library.h"

namespace {

// Runs a shell command line on the Linux side and returns its output. Wine
// starts Unix programs without a process handle to wait on, so the command
// leaves a mark when it is done.
std::string RunUnix(const std::string& command) {
  const std::string dir = "/tmp/tavix-e2e-unix-" + std::to_string(GetCurrentProcessId());
  const std::string outFile = dir + "/out", doneFile = dir + "/done";
  CreateDirectoryA(WindowsPath(dir).c_str(), nullptr);
  DeleteFileA(WindowsPath(outFile).c_str());
  DeleteFileA(WindowsPath(doneFile).c_str());
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::string line = "/bin/sh -c \"(" + command + ") >" + outFile + " 2>&1; echo >" + doneFile + "\"";
  if (!CreateProcessA("Z:\\bin\\sh", &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return "<failed>";
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  if (!WaitFor([&] { return GetFileAttributesA(WindowsPath(doneFile).c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000))
    return "<timed out>";
  std::string text;
  if (FILE* f = std::fopen(WindowsPath(outFile).c_str(), "rb")) {
    char buffer[512];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    std::fclose(f);
  }
  return text;
}

std::string WithoutCarriageReturns(std::string s) {
  std::string out;
  for (char c : s)
    if (c != '\r') out += c;
  return out;
}

std::string WindowsClipboardText() {
  std::string text = "<closed>";
  if (!OpenClipboard(nullptr)) return text;
  text = "<none>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// The client-area point in the middle of a cell.
LPARAM CellPoint(HWND window, int col, int row) {
  RECT client;
  GetClientRect(window, &client);
  const int x = (2 * col + 1) * (client.right / 80) / 2;
  const int y = (2 * row + 1) * (client.bottom / 25) / 2;
  return MAKELPARAM(x, y);
}

TEST(TesterClipboard, APasteFromTheXClipboardReachesTheHostAndACopyCanBeReadBack) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  if (!port) GTEST_SKIP() << "runs under tests/e2e/with_host.sh";
  TesterLibrary lib;
  ASSERT_TRUE(lib.Load());
  TerminalProcess t;
  t.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::string(port) +
             "\r\nAutoconnect=1\r\n[Font]\r\nmode=0\r\n");
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  lib.SetMoxelWindow(nullptr);
  ASSERT_TRUE(WaitFor([&] { return lib.Text(3, 5, 14) == "Copy me please"; }, 20000));

  // Paste: the X clipboard's text is typed to the host.
  RunUnix("printf 'pasted from X' | xclip -selection clipboard -i");
  Sleep(300);  // the desktop process takes the new X selection over
  SendMessageA(main, WM_COMMAND, CMD_PASTE, 0);

  // Copy: simple selection of "Copy me", then the Copy command.
  SendMessageA(main, WM_COMMAND, CMD_SELECT, 0);
  SendMessageA(main, WM_LBUTTONDOWN, MK_LBUTTON, CellPoint(main, 5, 3));
  SendMessageA(main, WM_MOUSEMOVE, MK_LBUTTON, CellPoint(main, 11, 3));
  SendMessageA(main, WM_LBUTTONUP, 0, CellPoint(main, 11, 3));
  SendMessageA(main, WM_COMMAND, CMD_COPY, 0);
  std::string copied;
  WaitFor([&] {
    copied = WithoutCarriageReturns(RunUnix("timeout 2 xclip -selection clipboard -o"));
    return copied == "Copy me\n";
  }, 15000);
  EXPECT_EQ(copied, "Copy me\n") << "Windows clipboard: '" << WindowsClipboardText() << "'; X targets: "
                                 << RunUnix("timeout 2 xclip -selection clipboard -o -t TARGETS; echo rc=$?");

  ASSERT_TRUE(lib.SetText("ok"));  // the script ends the session on this
  EXPECT_TRUE(EndAfterHostClosed(t, main));
}

}  // namespace
