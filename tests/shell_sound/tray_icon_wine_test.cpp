// The tray icon on the real shell: only while the main window is minimised.
#include <windows.h>

#include <gtest/gtest.h>

#include "shell/dialogs/tray_icon_win32.h"

namespace {

class TrayIconOnWine : public ::testing::Test {
 protected:
  void SetUp() override {
    TrayIcon = TrayIconState{};
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TavixTrayTest";
    RegisterClassA(&windowClass);
  }
  HWND MakeWindow(DWORD style) {
    return CreateWindowExA(0, "TavixTrayTest", "Moxel", WS_OVERLAPPEDWINDOW | style, 0, 0, 200,
                           100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
};

TEST_F(TrayIconOnWine, NothingWhileTheWindowIsNotMinimised) {
  HWND window = MakeWindow(0);
  ASSERT_NE(window, nullptr);
  ShowOrUpdateTrayIcon(GetModuleHandleA(nullptr), window, "New message");
  EXPECT_FALSE(TrayIcon.shown);
  DestroyWindow(window);
}

TEST_F(TrayIconOnWine, AddedWhileMinimisedAndRemovedOnRestore) {
  HWND window = MakeWindow(WS_MINIMIZE);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(IsIconic(window));
  ShowOrUpdateTrayIcon(GetModuleHandleA(nullptr), window, "New message");
  if (!TrayIcon.shown) {
    DestroyWindow(window);
    GTEST_SKIP() << "no notification area under this Wine (Shell_NotifyIcon failed)";
  }
  ShowOrUpdateTrayIcon(GetModuleHandleA(nullptr), window, "Another message");  // modify
  EXPECT_TRUE(TrayIcon.shown);
  RemoveTrayIcon(window);
  EXPECT_FALSE(TrayIcon.shown);
  DestroyWindow(window);
}

}  // namespace
