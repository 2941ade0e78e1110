// The edit window's commands through the real terminal, each against a host
// script that checks every record the terminal relays (scripts/edit_*.host):
// batching of line changes, the numeric pad's drawing bytes, the save with
// the host's own changes, closing, finds and the colours on the screen.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "helper_ids.h"
#include "host_session.h"
#include "message_boxes.h"
#include "terminal_process.h"
#include "tester_library.h"

namespace {

void Key(WORD vk, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

// A key pressed and released, with Ctrl or Shift held when asked.
void Press(WORD vk, bool control = false, bool shift = false) {
  if (control) Key(VK_CONTROL, false);
  if (shift) Key(VK_SHIFT, false);
  Key(vk, false);
  Key(vk, true);
  if (shift) Key(VK_SHIFT, true);
  if (control) Key(VK_CONTROL, true);
  Sleep(25);
}

std::string WindowText(HWND window) {
  char text[512] = "";
  SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

bool SaveEnabled(HWND frame) {
  HWND toolbar = FindWindowExA(frame, nullptr, "ToolbarWindow32", nullptr);
  return toolbar && SendMessageA(toolbar, TB_ISBUTTONENABLED, ID_EDIT_SAVE, 0) != 0;
}

std::string ClipboardText() {
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
class EditSession : public ::testing::Test {
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

  void End() { EXPECT_TRUE(EndAfterHostClosed(terminal_, main_)); }

  std::string extraIni_;
  TesterLibrary lib_;
  TerminalProcess terminal_;
  HWND main_ = nullptr;
};

class EditBatching : public EditSession {};

TEST_F(EditBatching, TwentyFiveLinesOneNoticeThenPadByteAndTheHostsSave) {
  HWND frame = EditWindow();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(HostSays("LOADED"));
  for (int line = 1; line <= 24; ++line) {
    Press(VK_END);
    Press('X');
    Press(VK_DOWN);
  }
  Sleep(2000);
  EXPECT_NE(lib_.Text(1, 0, 8), "NOTIFIED") << "24 changes wait for the minute";
  Press(VK_END);
  Press('X');
  Press(VK_DOWN);
  ASSERT_TRUE(HostSays("NOTIFIED")) << "the 25th change tells the terminal at once";
  ASSERT_TRUE(HostSays("FETCHED", 10)) << "the host did not get the 25 lines in order";

  // Numeric pad 7 at the start of line 26 inserts the corner 0xDA; Ctrl+S.
  Press(VK_HOME);
  Press(VK_NUMPAD7);
  Press('S', true);
  ASSERT_TRUE(HostSays("SAVED", 20));
  ASSERT_TRUE(WaitFor([&] { return SaveEnabled(frame); }, 10000)) << "the right count ends the save";
  EXPECT_EQ(FindMessageBox(terminal_.processId(), "communication errors"), nullptr);

  // The host's r, i and d are in the editor's lines.
  Press('A', true);
  Press('C', true);
  std::string expected = "NEW ONE\r\n  INSERTED\r\n";
  for (int k = 2; k <= 25; ++k) expected += "A" + std::to_string(k) + "x\r\n";
  expected += "\xDA" "A26\r\nA27\r\nA28\r\nA29";
  std::string copied;
  WaitFor([&] { return (copied = ClipboardText()) == expected; }, 5000);
  EXPECT_EQ(copied, expected);

  // Line 3 changed, saved, and the host counts wrong: view-only, "ev", the box.
  Press(VK_HOME, true);
  Press(VK_DOWN);
  Press(VK_DOWN);
  Press(VK_END);
  Press('Y');
  Press('S', true);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(terminal_.processId(), "communication errors")) != nullptr; },
                      30000));
  EXPECT_NE(DialogText(box).find("Your edit session has been set to View Only"), std::string::npos);
  PressButton(box, IDOK);
  EXPECT_FALSE(SaveEnabled(frame));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 30000));
  End();
}

class EditMinute : public EditSession {};

TEST_F(EditMinute, OneChangedLineGoesWhenTheMinuteHasPassed) {
  HWND frame = EditWindow();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(HostSays("LOADED"));
  Press(VK_END);
  Press('M');
  const DWORD changed = GetTickCount();
  Press(VK_DOWN);  // the change is queued; the flush timer starts
  ASSERT_TRUE(HostSays("NOTIFIED", 0, 80000));
  const DWORD waited = GetTickCount() - changed;
  EXPECT_GE(waited, 59000u) << "told before the minute";
  EXPECT_LE(waited, 70000u) << "told long after the minute";
  ASSERT_TRUE(HostSays("FETCHED", 10));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 30000));
  End();
}

class EditExit : public EditSession {};

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

class EditFind : public EditSession {};

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

class EditColours : public EditSession {
 protected:
  EditColours() { extraIni_ = "[Edit~BP]\r\nEdit width=1000\r\nEdit height=240\r\nEdit bold=1\r\nCheck syntax=1\r\n"; }
};

// Pixels of one colour inside a rectangle of a screen shot.
int CountColour(const ScreenShot& shot, const RECT& r, uint32_t colour) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += shot.At(x, y) == colour;
  return n;
}

TEST_F(EditColours, ReservedWordsLiteralsCommentsAndTheMarker) {
  HWND frame = EditWindow();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(HostSays("LOADED"));
  HWND view = FindWindowExA(frame, nullptr, "CViewEdit", nullptr);
  ASSERT_NE(view, nullptr);
  Sleep(500);
  const RECT r = ClientOnScreen(view);
  ScreenShot shot;
  ASSERT_TRUE(shot.Capture());
  if (const char* dir = std::getenv("TAVIX_SHOT_DIR")) shot.SavePng(std::string(dir) + "\\edit_colours.png");
  EXPECT_GT(CountColour(shot, r, Rgb(255, 0, 255)), 20) << "PRINT, GOSUB and RETURN in magenta";
  EXPECT_GT(CountColour(shot, r, Rgb(0, 128, 0)), 20) << "the literal in green";
  EXPECT_GT(CountColour(shot, r, Rgb(255, 255, 0)), 200) << "the comment line on yellow";
  // The marker: a column red over the view's whole height.
  int markers = 0;
  for (int x = r.left; x < r.right; ++x) {
    bool red = true;
    for (int y = r.top; y < r.bottom && red; ++y) red = shot.At(x, y) == Rgb(255, 0, 0);
    markers += red;
  }
  EXPECT_EQ(markers, 2) << "a 2-pixel line (bold font) at display column 80";

  // "Syntax colors": reserved words in custom colour 13, blue.
  PostMessageA(frame, WM_COMMAND, ID_EDIT_COLORS, 0);
  HWND colours = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (colours = FindDialogTitled(terminal_.processId(), "Syntax colors")) != nullptr; },
                      10000));
  HWND elements = GetDlgItem(colours, IDC_COLORS_ELEMENTS);
  EXPECT_EQ(SendMessageA(elements, LB_GETCOUNT, 0, 0), 8);
  EXPECT_EQ(SendMessageA(GetDlgItem(colours, IDC_COLORS_TEXT), CB_GETCOUNT, 0, 0), 17) << "16 colours and Windows";
  SendMessageA(elements, LB_SETCURSEL, 3, 0);
  PostMessageA(colours, WM_COMMAND, MAKEWPARAM(IDC_COLORS_ELEMENTS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(elements));
  Sleep(200);
  HWND text = GetDlgItem(colours, IDC_COLORS_TEXT);
  EXPECT_EQ(SendMessageA(text, CB_GETCURSEL, 0, 0), 14) << "reserved words start in colour 14";
  SendMessageA(text, CB_SETCURSEL, 13, 0);
  PostMessageA(colours, WM_COMMAND, MAKEWPARAM(IDC_COLORS_TEXT, CBN_SELCHANGE), reinterpret_cast<LPARAM>(text));
  Sleep(200);
  // "Set color selections": 16 buttons, each opening the system colour chooser.
  PressButton(colours, IDC_COLORS_SET);
  HWND swatches = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (swatches = FindDialogTitled(terminal_.processId(), "Color selections")); }, 10000));
  for (int i = 0; i < 16; ++i) EXPECT_NE(GetDlgItem(swatches, IDC_CUSTOM_FIRST + i), nullptr) << i;
  PressButton(swatches, IDC_CUSTOM_FIRST + 13);
  HWND chooser = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (chooser = FindDialogTitled(terminal_.processId(), "Color")); }, 10000));
  PressButton(chooser, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(chooser); }, 5000));
  PressButton(swatches, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(swatches); }, 5000));
  PressButton(colours, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(colours); }, 5000));
  Sleep(500);
  ASSERT_TRUE(shot.Capture());
  EXPECT_EQ(CountColour(shot, r, Rgb(255, 0, 255)), 0) << "no magenta left";
  EXPECT_GT(CountColour(shot, r, Rgb(0, 0, 255)), 20) << "reserved words in blue";
  EXPECT_GT(CountColour(shot, r, Rgb(0, 128, 0)), 20) << "literals unchanged";

  // User bookmarks on lines 1 and 3: the gutter on cyan, F2 goes on to the
  // next, the bookmark list shows both.
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }, 5000));
  // Select All: the text in inverse video (the automatic selection colours).
  ASSERT_TRUE(shot.Capture());
  const int blackBefore = CountColour(shot, r, Rgb(0, 0, 0));
  Press('A', true);
  Sleep(300);
  ASSERT_TRUE(shot.Capture());
  EXPECT_GT(CountColour(shot, r, Rgb(0, 0, 0)), blackBefore + 2000) << "selected cells on black";
  Press(VK_HOME, true);
  Press(VK_F2, true);
  Press(VK_DOWN);
  Press(VK_DOWN);
  Press(VK_F2, true);
  Press(VK_HOME, true);
  Press(VK_F2);
  HWND status = FindWindowExA(frame, nullptr, STATUSCLASSNAMEA, nullptr);
  EXPECT_TRUE(WaitFor([&] { return WindowText(status) == "Ln 3 Col 1"; }, 5000)) << WindowText(status);
  Sleep(300);
  ASSERT_TRUE(shot.Capture());
  const RECT gutter = {r.left, r.top, r.left + 40, r.bottom};
  EXPECT_GT(CountColour(shot, gutter, Rgb(0, 255, 255)), 100) << "bookmarked lines' numbers on cyan";
  PostMessageA(frame, WM_COMMAND, ID_EDIT_BOOKMARK_LIST, 0);
  HWND marks = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (marks = FindDialogTitled(terminal_.processId(), "Bookmarks")) != nullptr; }, 10000));
  EXPECT_EQ(SendMessageA(GetDlgItem(marks, IDC_LIST_ENTRIES), LB_GETCOUNT, 0, 0), 2);

  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }, 5000));
  Press(VK_F12);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 30000));
  // The window wrote its preferences as it closed (the suffix saves always).
  std::string ini;
  WaitFor([&] {
    ini = ReadFileText(terminal_.folder() + "\\Corvane\\corvane.ini");
    return ini.find("ReservedFg=13") != std::string::npos;
  }, 5000);
  EXPECT_NE(ini.find("ReservedFg=13"), std::string::npos) << ini;
  End();
}

class EditComments : public EditSession {
 protected:
  // A dialog of the terminal's process with this title, once it shows.
  HWND Dialog(const char* title) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindDialogTitled(terminal_.processId(), title)) != nullptr; }, 10000);
    return found;
  }
  void SetText(HWND dialog, int id, const char* text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
};

TEST_F(EditComments, OkWritesTheBlockAsQueuedLines) {
  HWND frame = EditWindow();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(HostSays("LOADED"));
  PostMessageA(frame, WM_COMMAND, ID_EDIT_COMMENTS, 0);
  HWND comments = Dialog("Comments");
  ASSERT_NE(comments, nullptr);
  SetText(comments, IDC_COMMENTS_ROUTINE, "MYSUB");

  PressButton(comments, IDC_COMMENTS_EDIT_DESCRIPTION);
  HWND description = Dialog("Edit Description");
  ASSERT_NE(description, nullptr);
  SetText(description, IDC_TEXT_BODY, "Adds up the day's totals.");
  PressButton(description, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(description); }, 5000));

  // A variable without a name is refused; then one with a good name.
  PressButton(comments, IDC_COMMENTS_NEW);
  HWND name = Dialog("New variable");
  ASSERT_NE(name, nullptr);
  PressButton(name, IDOK);
  EXPECT_TRUE(AnswerMessageBox(terminal_.processId(), "Invalid variable name", IDOK, 10000));
  ASSERT_TRUE(IsWindow(name)) << "the name dialog stays for another try";
  SetText(name, IDC_NAME_TEXT, "X.IN");
  PressButton(name, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(name); }, 5000));
  HWND variables = GetDlgItem(comments, IDC_COMMENTS_VARIABLES);
  EXPECT_EQ(SendMessageA(variables, LB_GETCOUNT, 0, 0), 1);

  PressButton(comments, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(comments); }, 5000));
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }, 5000));
  Press('S', true);
  ASSERT_TRUE(HostSays("SAVED")) << "the block's lines and the save";
  ASSERT_TRUE(WaitFor([&] { return SaveEnabled(frame); }, 10000));
  Press(VK_F12);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 30000)) << "saved: Exit asks nothing";
  End();
}

class EditRequests : public EditComments {};

TEST_F(EditRequests, HelpFunctionAndItsReplaceEditProgramLabelsAndHistory) {
  HWND frame = EditWindow();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(HostSays("LOADED"));
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

class EditKeys : public EditSession {};

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

class EditPrint : public EditSession {};

// The text a page of the printer driver's PostScript draws: its glyph names
// ("/P glyphshow", "/one glyphshow") read back as characters.
std::string PageText(const std::string& job, int page) {
  const std::string mark = "%%Page: " + std::to_string(page) + " ";
  size_t at = job.find(mark);
  if (at == std::string::npos) return std::string();
  const size_t end = job.find("%%Page: ", at + mark.size());
  static const char* const kDigits[10] = {"zero", "one", "two", "three", "four",
                                          "five", "six", "seven", "eight", "nine"};
  std::string text;
  while ((at = job.find(" glyphshow", at)) != std::string::npos && at < end) {
    const size_t slash = job.rfind('/', at);
    const std::string name = job.substr(slash + 1, at - slash - 1);
    at += 10;
    if (name.size() == 1) { text += name; continue; }
    if (name == "space" || name == "uni00A0") { text += ' '; continue; }
    if (name == "period") { text += '.'; continue; }
    char c = '?';
    for (int d = 0; d < 10; ++d)
      if (name == kDigits[d]) c = static_cast<char>('0' + d);
    text += c;
  }
  return text;
}

TEST_F(EditPrint, PagesHeadedWithTheTitleAndNumber) {
  const char* spool = std::getenv("TAVIX_CUPS_SPOOL");
  if (!spool) GTEST_SKIP() << "runs under tests/e2e/with_cups.sh";
  HWND frame = EditWindow();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(HostSays("LOADED"));
  Press('P', true);
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindDialogTitled(terminal_.processId(), "Print")); }, 20000));
  PressButton(dialog, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 10000));
  const std::string file = WindowsPath(spool) + "\\d00001-001";
  std::string job, last = "(none)";
  WaitFor([&] {
    job = ReadFileText(file);
    const bool steady = !job.empty() && job == last;
    last = job;
    return steady;
  }, 30000);
  ASSERT_FALSE(job.empty()) << "no print job";
  EXPECT_EQ(job.compare(0, 4, "%!PS"), 0);
  EXPECT_NE(job.find("%%Page: 2"), std::string::npos) << "100 lines take two pages";
  EXPECT_EQ(job.find("%%Page: 3"), std::string::npos);
  EXPECT_EQ(PageText(job, 1).substr(0, 24), "PRINTS 127.0.0.1 Page 11") << "the header, then line 1";
  EXPECT_EQ(PageText(job, 2).substr(0, 23), "PRINTS 127.0.0.1 Page 2");
  if (const char* dump = std::getenv("TAVIX_PRINT_DUMP")) {
    if (FILE* f = std::fopen(dump, "wb")) {
      std::fwrite(job.data(), 1, job.size(), f);
      std::fclose(f);
    }
  }
  SetForegroundWindow(frame);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == frame; }, 5000));
  Press(VK_F12);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 30000));
  End();
}

}  // namespace
