// What the edit window's end-to-end tests share: keys typed with SendInput,
// texts of another process's windows, the clipboard, and a fixture with one
// terminal connected to the host simulator (tests/e2e/with_host.sh), whose
// host script checks every record the terminal relays.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include <windows.h>
#include <commctrl.h>

#include "helper_ids.h"
#include "host_session.h"
#include "message_boxes.h"
#include "terminal_process.h"
#include "tester_library.h"

inline void Key(WORD vk, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

// A key pressed and released, with Ctrl or Shift held when asked.
inline void Press(WORD vk, bool control = false, bool shift = false) {
  if (control) Key(VK_CONTROL, false);
  if (shift) Key(VK_SHIFT, false);
  Key(vk, false);
  Key(vk, true);
  if (shift) Key(VK_SHIFT, true);
  if (control) Key(VK_CONTROL, true);
  Sleep(25);
}

inline std::string WindowText(HWND window) {
  char text[512] = "";
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

inline bool SaveEnabled(HWND frame) {
  HWND toolbar = FindWindowExA(frame, nullptr, "ToolbarWindow32", nullptr);
  return toolbar && SendMessageA(toolbar, TB_ISBUTTONENABLED, ID_EDIT_SAVE, 0) != 0;
}

inline std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "(clipboard busy)";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* at = static_cast<const char*>(GlobalLock(data))) {
      text = at;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}


// One terminal connected to the simulator, with the MoxelTester library
// reading the host's words on row 1.
class EditHostSession : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* port = std::getenv("TAVIX_HOST_PORT");
    if (!port) GTEST_SKIP() << "runs under tests/e2e/with_host.sh";
    ASSERT_TRUE(lib_.Load());
    terminal_.WriteIni(HostSessionIni(std::atoi(port)) + extraIni_);
    ASSERT_TRUE(terminal_.Start());
    main_ = terminal_.WaitForMainWindow();
    ASSERT_NE(main_, nullptr);
    lib_.SetMoxelWindow(main_);
  }

  // The host writes a word on row 1 (at `column`) after each step of its own.
  bool HostSays(const char* word, int column = 0, DWORD ms = 30000) {
    const int n = static_cast<int>(std::strlen(word));
    return WaitFor([&] { return lib_.Text(1, column, n) == word; }, ms);
  }

  // A new visible edit window (not `previous`), in the foreground.
  HWND EditWindow(HWND previous = nullptr) {
    HWND frame = nullptr;
    if (!WaitFor([&] {
          frame = terminal_.FindWindowOfClass("CFrameEdit");
          return frame && frame != previous && IsWindowVisible(frame);
        }, 20000))
      return nullptr;
    SetForegroundWindow(frame);
    if (!WaitFor([&] { return GetForegroundWindow() == frame; }, 5000)) return nullptr;
    Sleep(100);
    return frame;
  }

  // A dialog of the terminal's process with this title, once it shows.
  HWND Dialog(const char* title) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindDialogTitled(terminal_.processId(), title)) != nullptr; }, 10000);
    return found;
  }
  static void SetText(HWND dialog, int id, const char* text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }

  void End() { EXPECT_TRUE(EndAfterHostClosed(terminal_, main_)); }

  std::string extraIni_;
  TesterLibrary lib_;
  TerminalProcess terminal_;
  HWND main_ = nullptr;
};
