// The edit window's colours on the screen (scripts/edit_colours.host):
// reserved words, literals, comment lines, the marker, the Syntax colors
// dialog, selection and bookmarks, read from screen shots.
#include "edit_host_session.h"

namespace {

class EditColours : public EditHostSession {
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

}  // namespace
