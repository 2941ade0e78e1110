// Finds in the edit window through the real terminal (scripts/edit_find.host):
// Mark all and its list, Replace All and the replaced lines, Go to.
#include "edit_host_session.h"

namespace {

class EditFind : public EditHostSession {};

TEST_F(EditFind, MarkAllFillsTheListReplaceAllQueuesTheLinesGoToMoves) {
  HWND frame = EditWindow();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(HostSays("LOADED"));
  Press('F', true);
  HWND find = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (find = FindDialogTitled(terminal_.processId(), "Find/Replace")) != nullptr; }, 10000));
  SendMessageA(GetDlgItem(find, IDC_FIND_WHAT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("count"));
  SendMessageA(GetDlgItem(find, IDC_FIND_WHOLE_WORD), BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(GetDlgItem(find, IDC_FIND_MATCH_CASE), BM_SETCHECK, BST_UNCHECKED, 0);
  PressButton(find, IDC_FIND_MARK_ALL);
  HWND list = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (list = FindDialogTitled(terminal_.processId(), "Found Strings")) != nullptr; }, 10000));
  EXPECT_EQ(WindowText(GetDlgItem(list, IDC_LIST_HEADING)), "Found and marked");
  HWND entries = GetDlgItem(list, IDC_LIST_ENTRIES);
  ASSERT_EQ(SendMessageA(entries, LB_GETCOUNT, 0, 0), 3) << "whole words only: not DISCOUNT";
  const char* wanted[3] = {"1    10 COUNT = 0", "2    20 PRINT count", "4    40 COUNT = COUNT + 1"};
  for (int i = 0; i < 3; ++i) {
    // Read as wide text: Wine hands another process's list box text over so.
    wchar_t wide[256] = L"";
    SendMessageW(entries, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide));
    char text[256] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    EXPECT_STREQ(text, wanted[i]);
  }

  SendMessageA(GetDlgItem(find, IDC_FIND_REPLACE_WITH), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("TOTAL"));
  PressButton(find, IDC_FIND_REPLACE_ALL);
  Sleep(500);
  EXPECT_EQ(FindMessageBox(terminal_.processId(), "String not found"), nullptr);
  PressButton(find, IDCANCEL);
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }, 5000));
  Press('S', true);
  ASSERT_TRUE(HostSays("SAVED")) << "the replaced lines and the save";

  Press('G', true);
  HWND go = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (go = FindDialogTitled(terminal_.processId(), "Go to")) != nullptr; }, 10000));
  SendMessageA(GetDlgItem(go, IDC_GOTO_LINE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("5"));
  PressButton(go, IDOK);
  HWND status = FindWindowExA(frame, nullptr, STATUSCLASSNAMEA, nullptr);
  ASSERT_NE(status, nullptr);
  EXPECT_TRUE(WaitFor([&] { return WindowText(status) == "Ln 5 Col 1"; }, 5000)) << WindowText(status);
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }, 5000));
  Press(VK_F12);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 30000));
  End();
}

}  // namespace
