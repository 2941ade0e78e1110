// Closing the edit window through the real terminal (scripts/edit_exit.host):
// Compile and View Program first, then Exit unchanged, Exit changed with
// the question, and Escape on a read-only program.
#include "edit_host_session.h"

namespace {

class EditExit : public EditHostSession {};

TEST_F(EditExit, UnchangedAsksNothingChangedAsksAndReadOnlyDiscards) {
  HWND first = EditWindow();
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(HostSays("FIRST"));
  PostMessageA(first, WM_COMMAND, ID_EDIT_COMPILE, 0);
  ASSERT_TRUE(HostSays("COMPILED", 10));
  PostMessageA(first, WM_COMMAND, ID_EDIT_VIEW_PROGRAM, 0);
  ASSERT_TRUE(HostSays("VIEWED", 20));
  Sleep(300);
  EXPECT_EQ(FindMessageBox(terminal_.processId(), ""), nullptr) << "an empty answer shows no box";
  ASSERT_TRUE(WaitFor([&] { return SaveEnabled(first); }, 5000)) << "the answer ended the request";
  SetForegroundWindow(first);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == first; }, 5000));
  Press(VK_F12);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(first); }, 30000)) << "\"ea\" and the host's close";
  EXPECT_EQ(FindMessageBox(terminal_.processId(), "Do you want to save"), nullptr);

  ASSERT_TRUE(HostSays("SECOND"));
  HWND second = EditWindow(first);
  ASSERT_NE(second, nullptr);
  Press(VK_END);
  Press('2');
  Press(VK_F12);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    return (box = FindMessageBox(terminal_.processId(), "Do you want to save changes to this program?")) != nullptr;
  }, 10000));
  HWND no = GetDlgItem(box, IDNO);
  ASSERT_NE(no, nullptr);
  EXPECT_TRUE((GetWindowLongA(no, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON) << "No is the default button";
  ASSERT_NE(GetDlgItem(box, IDCANCEL), nullptr);
  PressButton(box, IDYES);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(second); }, 30000)) << "the line, \"es\" and the host's close";

  ASSERT_TRUE(HostSays("THIRD"));
  HWND third = EditWindow(second);
  ASSERT_NE(third, nullptr);
  EXPECT_FALSE(SaveEnabled(third)) << "read-only";
  Press(VK_ESCAPE);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(third); }, 30000)) << "\"ea\" for a read-only window";
  End();
}

}  // namespace
