// The host's attachment lists reach the helper library's viewer through the
// real terminal (scripts/viewer.host): ESC M B, three ESC M N and ESC M D
// give three entries; a list of one opens it by itself ("AutoLaunch") in
// the "Image Information" window, which shows the image's pixels; the
// viewer's settings land in the terminal's [ImaveView] section.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>

#include "host_session.h"
#include "terminal_process.h"
#include "tester_library.h"

namespace {

struct Found {
  DWORD pid;
  const char* title;
  HWND window;
};

BOOL CALLBACK MatchTitle(HWND w, LPARAM p) {
  Found* f = reinterpret_cast<Found*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  char text[128] = "";
  GetWindowTextA(w, text, sizeof text);
  if (owner != f->pid || !IsWindowVisible(w) || std::strcmp(text, f->title) != 0) return TRUE;
  f->window = w;
  return FALSE;
}

// A visible top-level window of the process with exactly this title.
HWND FindTitled(DWORD pid, const char* title) {
  Found f{pid, title, nullptr};
  EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&f));
  return f.window;
}

int CountCells(HWND parent) {
  int n = 0;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[32] = "";
    GetClassNameA(child, name, sizeof name);
    if (std::strcmp(name, "CIThumb") == 0 && IsWindowVisible(child)) ++n;
    n += CountCells(child);
  }
  return n;
}

// Red pixels on the screen inside the window.
int RedPixelsOn(HWND window) {
  ScreenShot shot;
  if (!shot.Capture()) return -1;
  RECT r;
  GetWindowRect(window, &r);
  int n = 0;
  for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, shot.height); ++y)
    for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, shot.width); ++x)
      if (shot.At(x, y) == Rgb(255, 0, 0)) ++n;
  return n;
}

TEST(ViewerSeam, HostListsAttachmentsAndASingleOneOpensByItself) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  if (!port || !std::getenv("TAVIX_VIEWER_THREE")) GTEST_SKIP() << "runs under tests/e2e/with_host.sh with the viewer's fixtures";
  TesterLibrary lib;
  ASSERT_TRUE(lib.Load());
  TerminalProcess t;
  t.WriteIni(HostSessionIni(std::atoi(port)));
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  lib.SetMoxelWindow(main);
  auto hostSays = [&](const char* word) {
    return WaitFor([&] { return lib.Text(1, 0, static_cast<int>(std::strlen(word))) == word; }, 20000);
  };

  ASSERT_TRUE(hostSays("LISTED"));
  HWND viewer = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (viewer = FindTitled(t.processId(), "Corvane Attachment Viewer")) != nullptr; }, 20000))
      << "no attachment viewer";
  EXPECT_TRUE(WaitFor([&] { return CountCells(viewer) == 3; }, 10000)) << CountCells(viewer) << " entries";
  EXPECT_EQ(FindTitled(t.processId(), "Image Information"), nullptr) << "three entries: nothing opens by itself";

  SetForegroundWindow(main);
  ASSERT_TRUE(lib.TypeKeys("n,e,x,t", 1)) << lib.GetTestError();
  ASSERT_TRUE(hostSays("SINGLE"));
  HWND image = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (image = FindTitled(t.processId(), "Image Information")) != nullptr; }, 20000))
      << "the single attachment did not open";
  EXPECT_EQ(CountCells(viewer), 1);
  // The image's red quadrant, painted in the image window.
  SetWindowPos(image, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_TRUE(WaitFor([&] { return RedPixelsOn(image) > 500; }, 10000)) << RedPixelsOn(image);

  // The viewer read its settings through the terminal: the background is
  // written back as read.
  std::string ini;
  EXPECT_TRUE(WaitFor([&] {
    ini = ReadFileText(t.folder() + "\\Corvane\\corvane.ini");
    return ini.find("[ImaveView]") != std::string::npos && ini.find("MainBackground=-1") != std::string::npos;
  }, 5000)) << ini;

  SetForegroundWindow(main);
  ASSERT_TRUE(lib.TypeKeys("d,o,n,e", 1)) << lib.GetTestError();
  EXPECT_TRUE(EndAfterHostClosed(t, main));
  EXPECT_FALSE(IsWindow(viewer)) << "the viewer goes with the terminal";
}

}  // namespace
