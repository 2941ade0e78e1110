// The terminal's main window under Wine on a 1024 x 768 display.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "terminal_process.h"

namespace {

// A configured channel keeps the Communications dialog from opening at start.
const char kConfigured[] = "[Config]\r\nmode=6\r\nhost=127.0.0.1\r\n";

std::string Ini(const std::string& extra) { return std::string(kConfigured) + extra; }

SIZE ClientSize(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

TEST(TerminalWindow, RasterTenByEighteenGivesAn800By450ClientArea) {
  TerminalProcess t;
  t.WriteIni(Ini("[Font]\r\nmode=0\r\n"));
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  char title[64];
  GetWindowTextA(main, title, sizeof title);
  EXPECT_STREQ(title, "Moxel");
  SIZE size = ClientSize(main);
  EXPECT_EQ(size.cx, 800);
  EXPECT_EQ(size.cy, 450);
}

TEST(TerminalWindow, RasterSevenByTwelveGivesA560By300ClientArea) {
  TerminalProcess t;
  t.WriteIni(Ini("[Font]\r\nmode=1\r\n"));
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  SIZE size = ClientSize(main);
  EXPECT_EQ(size.cx, 560);
  EXPECT_EQ(size.cy, 300);
}

TEST(TerminalWindow, ConfigurationVariantSectionsWin) {
  TerminalProcess t;
  // The variant holds a stored placement and another font; the base has neither.
  t.WriteIni(Ini("[Config-shop]\r\nSave placement=1\r\nScreen resolution=1024\r\nFont height=12\r\n"
                 "Font width=7\r\nWindow x=17\r\nWindow y=23\r\n[Font]\r\nmode=0\r\n[Font-shop]\r\nmode=1\r\n"));
  // A switch's value is the rest of its token: "-Cshop".
  ASSERT_TRUE(t.Start("-Cshop"));
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(ClientSize(main).cx, 560) << "[Font-shop] mode=1 wins";
  RECT r;
  GetWindowRect(main, &r);
  EXPECT_EQ(r.left, 17) << "[Config-shop] placement is used";
  EXPECT_EQ(r.top, 23);
}

TEST(TerminalWindow, WithoutTheVariantTheBaseSectionsHold) {
  TerminalProcess t;
  t.WriteIni(Ini("[Config-shop]\r\nSave placement=1\r\nScreen resolution=1024\r\nFont height=12\r\n"
                 "Font width=7\r\nWindow x=17\r\nWindow y=23\r\n[Font]\r\nmode=0\r\n[Font-shop]\r\nmode=1\r\n"));
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(ClientSize(main).cx, 800);
  RECT r;
  GetWindowRect(main, &r);
  EXPECT_EQ((r.left + r.right) / 2, 1024 / 2) << "centred";
}

TEST(TerminalWindow, LwindowHoldsTheMainWindowHandle) {
  TerminalProcess t;
  t.WriteIni(Ini(""));
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  const DWORD expected = static_cast<DWORD>(reinterpret_cast<uintptr_t>(main));
  DWORD value = 0;
  // The handle is stored right after the window is shown: wait for it.
  EXPECT_TRUE(WaitFor([&] {
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, "Software\\Corvane\\Corvane Terminal Emulator", "lwindow",
                        RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS && value == expected;
  }, 10000)) << "lwindow holds " << value << ", the window is " << expected;
}

TEST(TerminalWindow, ClosingWithNoChannelExitsWithCodeZero) {
  TerminalProcess t;
  t.WriteIni(Ini(""));
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(t.WaitForExit(), 0);
}

TEST(TerminalWindow, FullScreenGridIs960By750At32And9) {
  TerminalProcess t;
  t.WriteIni(Ini("[Font]\r\nmode=0\r\n"));
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_COMMAND, 40197, 0);
  HWND full = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (full = t.FindWindowOfClass("WTermF3Class")) && IsWindowVisible(full); }, 10000));
  // The blank grid is white (class 0: black on white) on the black window.
  ScreenShot shot;
  uint32_t white = Rgb(255, 255, 255), black = 0;
  ASSERT_TRUE(WaitFor([&] { return shot.Capture() && shot.At(32, 9) == white && shot.At(991, 758) == white; }, 10000));
  EXPECT_EQ(shot.At(31, 9), black);
  EXPECT_EQ(shot.At(32, 8), black);
  EXPECT_EQ(shot.At(992, 758), black);
  EXPECT_EQ(shot.At(991, 759), black);
  EXPECT_FALSE(IsWindowVisible(main)) << "the main window hides while full screen is on";
  PostMessageA(main, WM_COMMAND, 40197, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) && !t.FindWindowOfClass("WTermF3Class"); }, 10000));
}

}  // namespace
