// The edit window's host requests through the real terminal
// (scripts/edit_requests.host): help, function text and its dialog, Edit
// Program and its message, the label list, the context searches and history.
#include "edit_host_session.h"

namespace {

class EditRequests : public EditHostSession {
 protected:
  EditRequests() { extraIni_ = "[Edit~BP]\r\nEdit auto-labels=1\r\n"; }
};

TEST_F(EditRequests, HelpFunctionAndItsReplaceEditProgramLabelsAndHistory) {
  HWND frame = EditWindow();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(HostSays("LOADED"));
  HWND shown = Dialog("Labels");
  ASSERT_NE(shown, nullptr) << "\"Auto show\": the label list comes with the program";
  EXPECT_TRUE(IsWindowVisible(shown));
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }, 5000));
  for (int i = 0; i < 10; ++i) Press(VK_RIGHT);  // onto OCONV
  Press(VK_F9);
  ASSERT_TRUE(HostSays("HELP", 10)) << "\"v\" with the word at the caret";

  Press(VK_F10);
  HWND function = Dialog("FunctionDefinition");
  ASSERT_NE(function, nullptr) << "the host's answer is shown";
  EXPECT_EQ(WindowText(GetDlgItem(function, IDC_FUNCTION_TEXT)), "OCONV(EXPRESSION, CONVERSION)");
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(function, IDC_FUNCTION_REPLACE))) << "a word at the caret to replace";
  RECT box, view;
  GetWindowRect(function, &box);
  GetWindowRect(FindWindowExA(frame, nullptr, "CViewEdit", nullptr), &view);
  EXPECT_GT(box.top, view.top) << "placed under the caret line";
  PressButton(function, IDC_FUNCTION_REPLACE);  // the text goes over OCONV
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(function); }, 5000));

  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }, 5000));
  Press(VK_HOME);  // onto MAIN
  PostMessageA(frame, WM_COMMAND, ID_EDIT_EDIT_PROGRAM, 0);
  HWND message = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (message = FindMessageBox(terminal_.processId(), "PROGRAM OCONV IS LOCKED")); },
                      20000));
  EXPECT_EQ(WindowText(message), "REQUESTS 127.0.0.1") << "captioned with the window title";
  PressButton(message, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(message); }, 5000));
  ASSERT_TRUE(HostSays("LOCKED", 30));

  // The label list; a double click goes to the label's line, after its colon.
  PostMessageA(frame, WM_COMMAND, ID_EDIT_LABELS, 0);
  HWND labels = Dialog("Labels");
  ASSERT_NE(labels, nullptr);
  HWND entries = GetDlgItem(labels, IDC_LIST_ENTRIES);
  ASSERT_EQ(SendMessageA(entries, LB_GETCOUNT, 0, 0), 2) << "MAIN and DONE";
  SendMessageA(entries, LB_SETCURSEL, 1, 0);
  PostMessageA(labels, WM_COMMAND, MAKEWPARAM(IDC_LIST_ENTRIES, LBN_DBLCLK), reinterpret_cast<LPARAM>(entries));
  HWND status = FindWindowExA(frame, nullptr, STATUSCLASSNAMEA, nullptr);
  EXPECT_TRUE(WaitFor([&] { return WindowText(status) == "Ln 3 Col 6"; }, 5000)) << WindowText(status);
  RECT placed;
  GetWindowRect(labels, &placed);

  // The context menu's "Goto Label" on DONE in line 2, then "LastPosition".
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }, 5000));
  Press(VK_UP);
  Press(VK_END);
  EXPECT_TRUE(WaitFor([&] { return WindowText(status) == "Ln 2 Col 17"; }, 5000)) << WindowText(status);
  // "Search Forward" finds the next DONE (the label), "Search File" the first.
  PostMessageA(frame, WM_COMMAND, ID_EDIT_SEARCH_FORWARD, 0);
  EXPECT_TRUE(WaitFor([&] { return WindowText(status) == "Ln 3 Col 5"; }, 5000)) << WindowText(status);
  PostMessageA(frame, WM_COMMAND, ID_EDIT_SEARCH_FILE, 0);
  EXPECT_TRUE(WaitFor([&] { return WindowText(status) == "Ln 2 Col 17"; }, 5000)) << WindowText(status);
  PostMessageA(frame, WM_COMMAND, ID_EDIT_GOTO_LABEL, 0);
  EXPECT_TRUE(WaitFor([&] { return WindowText(status) == "Ln 3 Col 1"; }, 5000)) << WindowText(status);
  PostMessageA(frame, WM_COMMAND, ID_EDIT_LAST_POSITION, 0);
  EXPECT_TRUE(WaitFor([&] { return WindowText(status).compare(0, 5, "Ln 2 ") == 0; }, 5000)) << WindowText(status);

  // Changed: Exit asks, and No closes without saving ("ea").
  Press(VK_F12);
  EXPECT_TRUE(AnswerMessageBox(terminal_.processId(), "Do you want to save changes to this program?", IDNO, 10000));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 30000));
  // The label list's place is kept in its own section.
  std::string ini;
  WaitFor([&] {
    ini = ReadFileText(terminal_.folder() + "\\Corvane\\corvane.ini");
    return ini.find("[EditLables~BP]") != std::string::npos;
  }, 5000);
  const size_t section = ini.find("[EditLables~BP]");
  ASSERT_NE(section, std::string::npos) << ini;
  EXPECT_NE(ini.find("X=" + std::to_string(placed.left), section), std::string::npos) << ini.substr(section);
  End();
}

}  // namespace
