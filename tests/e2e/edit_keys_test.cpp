// Keys of the edit window through the real terminal (scripts/edit_keys.host):
// the numeric pad with screen drawing off, Undo, Cut and Paste, the font dialog.
#include <cstdio>
#include <vector>

#include "edit_host_session.h"

namespace {

class EditKeys : public EditHostSession {};

TEST_F(EditKeys, NumPadWithDrawingOffUndoCutAndPaste) {
  HWND frame = EditWindow();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(HostSays("LOADED"));
  PostMessageA(frame, WM_COMMAND, ID_EDIT_NUMPAD, 0);  // "Use Num Pad for Screen Draw" off
  Sleep(100);
  Press(VK_NUMPAD7);        // "7"
  Press(VK_NUMPAD7, true);  // Ctrl: 0xD6 all the same
  Key(VK_MENU, false);      // Alt: 0xD5, and no menu when Alt goes up
  Press(VK_NUMPAD7);
  Key(VK_MENU, true);
  Sleep(100);
  Press(VK_DOWN);

  Press('Q');
  Press('Z', true);  // Undo: line 2 as it was, nothing for the host
  Press(VK_DOWN);
  Press(VK_HOME);
  Press(VK_END, false, true);  // Shift+End selects LINE3
  Press('X', true);
  std::string copied;
  WaitFor([&] { return (copied = ClipboardText()) == "LINE3"; }, 5000);
  EXPECT_EQ(copied, "LINE3");
  Press('V', true);
  Press('V', true);
  Press('S', true);
  ASSERT_TRUE(HostSays("SAVED", 10)) << "line 1 with the pad's bytes, line 3 pasted twice, the save";
  ASSERT_TRUE(WaitFor([&] { return SaveEnabled(frame); }, 10000));

  // "&Font": the system's font dialog offers fixed-pitch faces only.
  PostMessageA(frame, WM_COMMAND, ID_EDIT_FONT, 0);
  HWND font = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (font = FindDialogTitled(terminal_.processId(), "Font")) != nullptr; }, 10000));
  HWND faces = GetDlgItem(font, 0x470);  // the dialog's face list (cmb1)
  ASSERT_NE(faces, nullptr);
  std::vector<std::string> names;
  WaitFor([&] { return SendMessageW(faces, CB_GETCOUNT, 0, 0) > 0; }, 5000);
  for (LRESULT i = 0, n = SendMessageW(faces, CB_GETCOUNT, 0, 0); i < n; ++i) {
    wchar_t wide[LF_FACESIZE + 8] = L"";
    SendMessageW(faces, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
    char name[LF_FACESIZE + 8] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, name, sizeof name, nullptr, nullptr);
    names.push_back(name);
  }
  EXPECT_FALSE(names.empty());
  for (const std::string& name : names) EXPECT_NE(name, "Liberation Sans") << "a proportional face offered";
  PressButton(font, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(font); }, 5000));
  SetForegroundWindow(frame);
  Press(VK_F12);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 30000));
  End();
}

}  // namespace
