// The messaging watcher on real folders (Windows builds, under Wine): one
// 1031 per outbox change until the main thread says the outbox is drained,
// then one more for the changes absorbed meanwhile; "Msg-in" served all the
// while, its notices announced by 1031 with kNoticesQueued; a bounded stop.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "host_items.h"
#include "messaging_files_win32.h"
#include "watcher_win32.h"

namespace {

constexpr UINT kArrived = WM_USER + 7;

class Watcher : public ::testing::Test {
 protected:
  std::string root;
  HWND window = nullptr;

  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    root = std::string(temp) + "tavix-watcher-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(root.c_str(), nullptr);
    for (const char* f : {"FromPC", "Msg-in", "Msg-ack"}) CreateDirectoryA((root + f).c_str(), nullptr);
    window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    UseGlobalHostItemMemory();
  }
  void TearDown() override {
    StopWatcher();
    ClearHostItems();
    DestroyWindow(window);
    for (const char* f : {"FromPC\\", "Msg-in\\", "Msg-ack\\"}) {
      WIN32_FIND_DATAA found;
      HANDLE h = FindFirstFileA((root + f + "*").c_str(), &found);
      if (h != INVALID_HANDLE_VALUE) {
        do DeleteFileA((root + f + found.cFileName).c_str());
        while (FindNextFileA(h, &found));
        FindClose(h);
      }
      RemoveDirectoryA((root + f).c_str());
    }
    RemoveDirectoryA(root.c_str());
  }

  static void Write(const std::string& path, const char* text) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD n = 0;
    WriteFile(f, text, static_cast<DWORD>(strlen(text)), &n, nullptr);
    CloseHandle(f);
  }
  // The next 1031 within the time, its wParam; -1 when none came.
  int Next1031(DWORD ms) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < ms) {
      if (PeekMessageA(&msg, window, kArrived, kArrived, PM_REMOVE)) return static_cast<int>(msg.wParam);
      Sleep(10);
    }
    return -1;
  }
};

TEST_F(Watcher, OneReportPerDrainMsgInServedMeanwhileAndABoundedStop) {
  WatcherSettings s;
  s.window = window;
  s.message = kArrived;
  s.outbox = root + "FromPC\\";
  s.msgIn = root + "Msg-in\\";
  s.msgAck = root + "Msg-ack\\";
  ASSERT_TRUE(StartWatcher(s));
  Sleep(300);
  Write(root + "FromPC\\a.txt", "one");
  EXPECT_EQ(Next1031(5000), 0) << "the outbox changed";
  // Not drained yet: further changes are absorbed...
  Write(root + "FromPC\\b.txt", "two");
  EXPECT_EQ(Next1031(1500), -1) << "absorbed until the outbox is drained";
  // ...but "Msg-in" is served meanwhile.
  Write(root + "Msg-in\\n.txt", "notice");
  EXPECT_EQ(Next1031(5000), static_cast<int>(kNoticesQueued));
  EXPECT_NE(GetFileAttributesA((root + "Msg-ack\\n.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  std::string text, position;
  int kind = -1;
  ASSERT_TRUE(PopHostItem(&text, &position, &kind));
  EXPECT_EQ(text, root + "Msg-ack\\n.txt");
  EXPECT_EQ(kind, kNoticeKind);
  // Drained: the absorbed change is told once more.
  WatcherOutboxDrained();
  EXPECT_EQ(Next1031(5000), 0);
  EXPECT_TRUE(StopWatcher()) << "the thread ends within the bound";
  EXPECT_FALSE(WatcherRunning());
}

}  // namespace
