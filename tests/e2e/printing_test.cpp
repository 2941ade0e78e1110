// Printing through the real terminal onto a private print server
// (tests/e2e/with_cups.sh: CUPS_SERVER, TAVIX_CUPS_SPOOL) against the host
// simulator (scripts/printing.host). Each job's bytes land in the spool
// folder as d0000N-001; the test reads them there. The system's print
// dialogs are answered through the window list.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "message_boxes.h"
#include "printing_dialog_ids.h"
#include "resource_ids.h"
#include "terminal_process.h"
#include "tester_library.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::string bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::string();
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  std::fclose(f);
  return bytes;
}

class Printing : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* port = std::getenv("TAVIX_HOST_PORT");
    const char* spool = std::getenv("TAVIX_CUPS_SPOOL");
    if (!port || !spool) GTEST_SKIP() << "runs under tests/e2e/with_cups.sh and with_host.sh";
    spool_ = WindowsPath(spool);
    ASSERT_TRUE(lib.Load());
    terminal.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::string(port) +
                      "\r\nAutoconnect=1\r\nuserid=tester\r\nCharacter printscreen=1\r\n[Font]\r\nmode=0\r\n");
    ASSERT_TRUE(terminal.Start());
    main = terminal.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    lib.SetMoxelWindow(main);
  }

  std::string SpoolFile(int job, const char* kind = "d") {
    char name[32];
    std::snprintf(name, sizeof name, "\\%s%05d%s", kind, job, kind[0] == 'd' ? "-001" : "");
    return spool_ + name;
  }
  // A finished job's bytes (its file exists and stays the same a moment).
  std::string Job(int job) {
    std::string bytes, last = "(none)";
    WaitFor([&] {
      bytes = ReadFile(SpoolFile(job));
      bool steady = !bytes.empty() && bytes == last;
      last = bytes;
      return steady;
    }, 20000);
    return bytes;
  }
  void PrintScreen() {
    PostMessageA(main, WM_COMMAND, CMD_PRINT_SCREEN, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FindDialogTitled(terminal.processId(), "Print")); }, 20000));
    PressButton(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 10000));
  }

  std::string spool_;
  TesterLibrary lib;
  TerminalProcess terminal;
  HWND main = nullptr;
};

TEST_F(Printing, TransparentPrintLocalPrinterTextAndImagePrintScreenAndExit) {
  const std::string scripts = WindowsPath(TAVIX_E2E_SCRIPTS "/transfers/");
  EXPECT_EQ(Job(1), ReadFile(scripts + "transparent.bin")) << "the transparent print, byte for byte";
  EXPECT_EQ(Job(2), ReadFile(scripts + "blocks.bin")) << "the download to the printer";
  ASSERT_TRUE(WaitFor([&] { return lib.Text(2, 0, 9) == "JOBS SENT"; }, 20000));

  // Print screen as text: three line feeds, the 25 rows, the footer, a form feed.
  PrintScreen();
  std::string text = Job(3);
  ASSERT_GE(text.size(), 3u + 25 * 82 + 3);
  EXPECT_EQ(text.substr(0, 3), "\n\n\n");
  auto row = [&](int r) { return text.substr(3 + 82 * r, 82); };
  auto padded = [](std::string s) { return s + std::string(80 - s.size(), ' ') + "\r\n"; };
  EXPECT_EQ(row(0), padded("PRINT SCREEN TEST"));
  EXPECT_EQ(row(1), padded("Row one\xAE\xAF")) << "30 and 31 print as 174 and 175";
  EXPECT_EQ(row(10), padded("     Middle of the screen"));
  EXPECT_EQ(row(23), padded(std::string(79, ' ') + "Z"));
  EXPECT_EQ(row(24), padded("PRINTS")) << "the status row is the 25th";
  const std::string footer = text.substr(3 + 25 * 82);
  EXPECT_EQ(footer.substr(0, 8), "tester  ");
  EXPECT_EQ(footer.substr(footer.size() - 3), "\r\n\x0c");
  // The user id, two blanks, the 24-character local time, then the window
  // title without "Moxel ".
  EXPECT_EQ(footer[8 + 3], ' ') << footer;
  EXPECT_EQ(footer[8 + 13], ':') << footer;
  EXPECT_EQ(footer.substr(8 + 24, 13), "  127.0.0.1\r\n") << footer;

  // The printing dialog: print screen as an image.
  PostMessageA(main, WM_COMMAND, CMD_PRINTING, 0);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindDialogTitled(terminal.processId(), "Configure Printing")); }, 20000));
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PRINT_TEXT), BST_CHECKED);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_PRINT_ROUTE_LPT1)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_PRINT_SELECT_PRINTER))) << "only for a selected printer";
  SendMessageA(GetDlgItem(dialog, IDC_PRINT_IMAGE), BM_CLICK, 0, 0);
  PressButton(dialog, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 10000));
  PrintScreen();
  const std::string image = Job(4);
  EXPECT_TRUE(WaitFor([&] { return ReadFile(SpoolFile(4, "c")).find("Corvane print screen") != std::string::npos; },
                      10000))
      << "the image print's document name";
  EXPECT_EQ(image.compare(0, 4, "%!PS"), 0) << "a page from the printer driver";
  EXPECT_EQ(image.find("PRINT SCREEN TEST"), std::string::npos) << "drawn, not sent as text";

  // A selected transparent printer: chosen in the print-setup dialog, stored
  // as device, driver and port, and reachable (no "unavailable" message).
  PostMessageA(main, WM_COMMAND, CMD_PRINTING, 0);
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindDialogTitled(terminal.processId(), "Configure Printing")); }, 20000));
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PRINT_IMAGE), BST_CHECKED) << "the choice was kept";
  SendMessageA(GetDlgItem(dialog, IDC_PRINT_SELECTED_PRINTER), BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_PRINT_SELECT_PRINTER)));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PRINT_SELECT_PRINTER, BN_CLICKED), 0);
  HWND setup = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (setup = FindDialogTitled(terminal.processId(), "Print Setup")); }, 20000));
  PressButton(setup, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(setup); }, 10000));
  char shown[128] = "";
  ASSERT_TRUE(WaitFor([&] {
    GetDlgItemTextA(dialog, IDC_PRINT_PRINTER_NAME, shown, sizeof shown);
    return shown[0] != 0;
  }, 10000));
  const std::string queue = std::getenv("TAVIX_CUPS_QUEUE") ? std::getenv("TAVIX_CUPS_QUEUE") : "";
  EXPECT_EQ(std::string(shown).substr(0, queue.size() + 1), queue + "\r") << shown;
  PressButton(dialog, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 10000));
  Sleep(500);
  EXPECT_EQ(FindMessageBox(terminal.processId(), "Selected transparent printer unavailable"), nullptr);
  char stored[128] = "";
  const std::string ini = terminal.folder() + "\\Corvane\\corvane.ini";
  GetPrivateProfileStringA("Config", "Transparent name", "", stored, sizeof stored, ini.c_str());
  EXPECT_EQ(std::string(stored).substr(0, queue.size() + 1), queue + ":") << stored;
  EXPECT_EQ(GetPrivateProfileIntA("Config", "Transparent_selected", 0, ini.c_str()), 1);
  EXPECT_EQ(GetPrivateProfileIntA("Config", "Character printscreen", 1, ini.c_str()), 0);

  // The host opens a transparent print and never ends it; the exit does.
  PostMessageA(main, WM_CHAR, 'a', 0);
  ASSERT_TRUE(WaitFor([&] { return lib.Text(3, 0, 8) == "LAST JOB"; }, 20000));
  Sleep(500);
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(AnswerMessageBox(terminal.processId(), "Close current connection?", IDYES, 20000));
  EXPECT_EQ(terminal.WaitForExit(), 0);
  EXPECT_EQ(Job(5), "unfinished");
}

}  // namespace
