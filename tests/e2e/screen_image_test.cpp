// The screen saved as a TIFF file through the real terminal ("To File" and
// "To File With Debug"), against the host simulator (scripts/screen_image.host).
// The files go to TAVIX_TIFF_DIR, where screen_image_checks.sh reads them
// with libtiff's tools and ImageMagick afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "message_boxes.h"
#include "resource_ids.h"
#include "terminal_process.h"
#include "tester_library.h"

namespace {

class ScreenImage : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* port = std::getenv("TAVIX_HOST_PORT");
    const char* out = std::getenv("TAVIX_TIFF_DIR");
    if (!port || !out) GTEST_SKIP() << "runs under tests/e2e/screen_image_checks.sh and with_host.sh";
    out_ = WindowsPath(out);
    ASSERT_TRUE(lib.Load());
    terminal.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::string(port) +
                      "\r\nAutoconnect=1\r\nuserid=tester\r\ndebug=1\r\n[Font]\r\nmode=0\r\n");
    ASSERT_TRUE(terminal.Start());
    main = terminal.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    lib.SetMoxelWindow(main);
  }

  // The command, its save dialog answered with the name; the milliseconds
  // from the answer until the file is in place.
  DWORD Save(int command, const std::string& name) {
    PostMessageA(main, WM_COMMAND, static_cast<WPARAM>(command), 0);
    HWND dialog = nullptr;
    EXPECT_TRUE(WaitFor([&] { return (dialog = FindDialogTitled(terminal.processId(), "Save screen image")); }, 20000));
    if (!dialog) return 0;
    const std::string path = out_ + "\\" + name;
    SetDlgItemTextA(dialog, 1148, path.c_str());  // the file name box
    DWORD start = GetTickCount();
    PressButton(dialog, IDOK);
    EXPECT_TRUE(WaitFor([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000)) << path;
    DWORD took = GetTickCount() - start;
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 10000));
    EXPECT_EQ(GetFileAttributesA((path + ".part").c_str()), INVALID_FILE_ATTRIBUTES) << "no work file left";
    return took;
  }

  std::string out_;
  TesterLibrary lib;
  TerminalProcess terminal;
  HWND main = nullptr;
};

TEST_F(ScreenImage, SavesTheScreenAndTheTracePages) {
  ASSERT_TRUE(WaitFor([&] { return lib.Text(0, 0, 5) == "BLANK"; }, 20000));
  DWORD blankMs = Save(CMD_SCREEN_TO_FILE, "blank.tif");
  PostMessageA(main, WM_CHAR, 's', 0);
  ASSERT_TRUE(WaitFor([&] { return lib.Text(23, 0, 80) == std::string(80, '\xDB'); }, 20000));
  DWORD blocksMs = Save(CMD_SCREEN_TO_FILE, "blocks.tif");
  DWORD debugMs = Save(CMD_SCREEN_TO_FILE_DEBUG, "debug.tif");
  std::printf("screen images saved in %lu ms (near blank), %lu ms (blocks), %lu ms (with the 25 trace pages)\n",
              static_cast<unsigned long>(blankMs), static_cast<unsigned long>(blocksMs),
              static_cast<unsigned long>(debugMs));
  PostMessageA(main, WM_CHAR, 'b', 0);
  ASSERT_TRUE(AnswerMessageBox(terminal.processId(), "Connection terminated, reconnect?", IDNO, 30000));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(terminal.WaitForExit(), 0);
}

}  // namespace
