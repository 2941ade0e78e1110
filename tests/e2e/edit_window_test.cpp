// The helper library's edit window opened by the host through the real
// terminal (scripts/edit_window.host checks every byte): its caption and
// place, typing and Ctrl+S through the keyboard, the save answered right and
// wrong, the host's close, and the preferences written when it closes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <windows.h>
#include <commctrl.h>

#include "host_session.h"
#include "message_boxes.h"
#include "terminal_process.h"
#include "tester_library.h"

namespace {

constexpr int kSaveCommand = 3101;  // the edit frame's "&Save"

void Key(WORD vk, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

// A key pressed and released, optionally with Ctrl held.
void Press(WORD vk, bool control = false) {
  if (control) Key(VK_CONTROL, false);
  Key(vk, false);
  Key(vk, true);
  if (control) Key(VK_CONTROL, true);
  Sleep(30);
}

// The tool bar's Save button follows the command's state (menus cannot be
// read from another process here).
bool SaveEnabled(HWND frame) {
  HWND toolbar = FindWindowExA(frame, nullptr, "ToolbarWindow32", nullptr);
  return toolbar && SendMessageA(toolbar, TB_ISBUTTONENABLED, kSaveCommand, 0) != 0;
}

std::string Caption(HWND window) {
  char text[256] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

TEST(EditWindow, HostOpensEditsSavesAndClosesAProgram) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  if (!port) GTEST_SKIP() << "runs under tests/e2e/with_host.sh";
  TesterLibrary lib;
  ASSERT_TRUE(lib.Load());
  TerminalProcess t;
  t.WriteIni(HostSessionIni(std::atoi(port)));
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  lib.SetMoxelWindow(main);
  // The host writes a word on row 1 after each step of its own.
  auto hostSays = [&](const char* word) {
    return WaitFor([&] { return lib.Text(1, 0, static_cast<int>(std::strlen(word))) == word; }, 20000);
  };

  HWND frame = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (frame = t.FindWindowOfClass("CFrameEdit")) && IsWindowVisible(frame); }, 20000))
      << "no edit window";
  // The title prefix and the main window's title from its first blank on.
  EXPECT_EQ(Caption(frame), "PROG1 127.0.0.1");
  RECT r;
  GetWindowRect(frame, &r);
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(r.left, (sw - 400) / 2);
  EXPECT_EQ(r.top, (sh - 400) / 2);
  EXPECT_EQ(r.right - r.left, 400);
  EXPECT_EQ(r.bottom - r.top, 400);
  if (sw == 1024 && sh == 768) {
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{312, 184, 712, 584}));
  }
  char viewClass[32] = "";
  HWND view = FindWindowExA(frame, nullptr, "CViewEdit", nullptr);
  ASSERT_NE(view, nullptr);
  GetClassNameA(view, viewClass, sizeof viewClass);
  EXPECT_STREQ(viewClass, "CViewEdit");

  // Line 2 gets a "0" at its end; Ctrl+S. The caret starts at line 1, column 1.
  ASSERT_TRUE(SaveEnabled(frame));
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }, 5000));
  Press(VK_DOWN);
  Press(VK_END);
  Press('0');
  Press('S', true);
  // The host polls, then answers the save with the right count.
  ASSERT_TRUE(hostSays("SAVED")) << "the save was not answered";
  EXPECT_TRUE(SaveEnabled(frame)) << "the count was right: saving is possible again";

  // Line 3 gets a "!"; Ctrl+S; the host answers with a wrong count.
  Press(VK_DOWN);
  Press(VK_END);
  Key(VK_SHIFT, false);
  Press('1');
  Key(VK_SHIFT, true);
  Press('S', true);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(t.processId(), "communication errors")) != nullptr; }, 20000));
  EXPECT_NE(DialogText(box).find("Your edit session has been set to View Only"), std::string::npos) << DialogText(box);
  char boxCaption[128] = "";
  GetWindowTextA(box, boxCaption, sizeof boxCaption);
  EXPECT_STREQ(boxCaption, "PROG1 127.0.0.1");
  PressButton(box, IDOK);
  EXPECT_FALSE(SaveEnabled(frame)) << "read-only now";

  // The host closes the session: the window goes and its preferences are kept.
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 20000));
  std::string ini;
  WaitFor([&] {
    ini = ReadFileText(t.folder() + "\\Corvane\\corvane.ini");
    return ini.find("[Edit~BP]") != std::string::npos;
  }, 5000);
  const size_t section = ini.find("[Edit~BP]");
  ASSERT_NE(section, std::string::npos) << ini;
  const std::string keys = ini.substr(section);
  EXPECT_NE(keys.find("X=" + std::to_string(r.left)), std::string::npos) << keys;
  EXPECT_NE(keys.find("Edit width=400"), std::string::npos) << keys;
  EXPECT_NE(keys.find("SaveOnExit=1"), std::string::npos) << keys;
  EXPECT_NE(ini.find("[EditFind~BP]"), std::string::npos) << ini;

  // The script ends the session.
  EXPECT_TRUE(EndAfterHostClosed(t, main));
}

// The connection goes while the window holds an unsent change: the window
// stays, view-only, the user is told (string 28), and closing it afterwards
// goes through the terminal outside the window's own command.
TEST(EditWindowLoss, ChangedWindowOutlivesTheConnection) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  if (!port) GTEST_SKIP() << "runs under tests/e2e/with_host.sh";
  TerminalProcess t;
  t.WriteIni(HostSessionIni(std::atoi(port)));
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  HWND frame = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (frame = t.FindWindowOfClass("CFrameEdit")) && IsWindowVisible(frame); }, 20000));
  EXPECT_EQ(Caption(frame), "PROG2 127.0.0.1") << "no comma: all of the text is the title";
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }, 5000));
  Press(VK_END);
  Press('X');  // the caret stays on the line: the change is not even queued
  Sleep(200);
  PostMessageA(main, WM_CHAR, 'k', 0);  // the host hangs up on this key

  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(t.processId(), "Edit sessions with modifications")); },
                      20000));
  EXPECT_NE(DialogText(box).find("You may copy data from them to the clipboard to save it."), std::string::npos);
  PressButton(box, IDOK);
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(t.processId(), "Connection terminated, reconnect?")); },
                      20000));
  PressButton(box, IDNO);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 10000));
  ASSERT_TRUE(IsWindow(frame)) << "a window with a change survives the loss";
  EXPECT_FALSE(SaveEnabled(frame)) << "view-only";

  // F12 on the view-only window: the terminal closes it.
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }, 5000));
  Press(VK_F12);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 10000));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(t.WaitForExit(), 0);
}

}  // namespace
