// "A&Ttachments" with a file chosen in the open-file dialog: the item waits in
// the queue and reaches the host (scripts/attachment.host checks the bytes):
// the short form of the path, for the long one holds a comma, then 254, the
// empty position text and 254, and the field ends as for a dropped file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <windows.h>
#include <dlgs.h>

#include "host_session.h"
#include "message_boxes.h"
#include "resource_ids.h"
#include "terminal_process.h"

namespace {

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::string ShortForm(const std::string& path) {
  char text[MAX_PATH] = "";
  const DWORD n = GetShortPathNameA(path.c_str(), text, sizeof text);
  return n > 0 && n < sizeof text ? std::string(text, n) : std::string();
}

TEST(Attachment, TheChosenFileReachesTheHostByItsShortForm) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  const char* dirValue = std::getenv("TAVIX_MSG_DIR");
  if (!port || !dirValue) GTEST_SKIP() << "runs under with_message_dir.sh and with_host.sh";
  const std::string dir = WindowsPath(dirValue);
  const std::string chosen = dir + "\\stage\\order, final.txt";
  WriteFileBytes(chosen, "attached");
  const std::string shortForm = ShortForm(chosen);
  ASSERT_FALSE(shortForm.empty());
  ASSERT_EQ(shortForm.find(','), std::string::npos) << shortForm;
  WriteFileBytes(dir + "\\stage\\attachment.expected", shortForm + "\xFE\xFE");

  TerminalProcess terminal;
  terminal.WriteIni(HostSessionIni(std::atoi(port)) + "[Message]\r\nDirectory=" + dir + "\r\n");
  ASSERT_TRUE(terminal.Start());
  HWND main = terminal.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_COMMAND, CMD_ATTACHMENTS, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindDialogTitled(terminal.processId(), "Select file")) != nullptr; }, 15000));
  // The file name box of the open dialog takes the full path.
  HWND name = GetDlgItem(dialog, cmb13);
  if (!name) name = GetDlgItem(dialog, edt1);
  ASSERT_NE(name, nullptr);
  SetWindowTextA(name, chosen.c_str());
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 10000));
  EXPECT_TRUE(EndAfterHostClosed(terminal, main));
  EXPECT_EQ(ReadFileText(chosen), "attached") << "the file itself is left alone";
}

}  // namespace
