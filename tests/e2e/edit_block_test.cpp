// The edit window's column block and Tab through the real terminal
// (scripts/edit_block.host): Alt+Shift+arrows select a block, painted
// inverse also past a short line's end; Copy puts its rows on the clipboard;
// Cut takes its columns out of each line; Tab goes to the indentation stop.
#include "edit_host_session.h"

namespace {

class EditBlock : public EditHostSession {};

// Pixels of the automatic selection background (the window-text colour).
int SelectionPixels(HWND view) {
  const RECT r = ClientOnScreen(view);
  ScreenShot shot;
  if (!shot.Capture()) return -1;
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  const uint32_t colour = Rgb(GetRValue(text), GetGValue(text), GetBValue(text));
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += shot.At(x, y) == colour;
  return n;
}

void AltShift(WORD vk) {
  Key(VK_MENU, false);
  Key(VK_SHIFT, false);
  Key(vk, false);
  Key(vk, true);
  Key(VK_SHIFT, true);
  Key(VK_MENU, true);
  Sleep(50);
}

TEST_F(EditBlock, AltShiftArrowsCopyCutAndTab) {
  HWND frame = EditWindow();
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(HostSays("LOADED"));
  HWND view = FindWindowExA(frame, nullptr, "CViewEdit", nullptr);
  ASSERT_NE(view, nullptr);
  Sleep(300);
  const int before = SelectionPixels(view);
  ASSERT_GE(before, 0);

  Press(VK_RIGHT);
  Press(VK_RIGHT);
  AltShift(VK_DOWN);
  AltShift(VK_DOWN);
  AltShift(VK_RIGHT);
  AltShift(VK_RIGHT);  // columns 3-4 of lines 1-3; line 2 ("EF") ends before them
  Sleep(300);
  // Six cells in inverse video, two of them past the end of "EF".
  EXPECT_GT(SelectionPixels(view) - before, 100) << "the block is painted inverse";

  Press('C', true);
  std::string copied;
  WaitFor([&] { return (copied = ClipboardText()) == "1C\r\n\r\n2I"; }, 5000);
  EXPECT_EQ(copied, "1C\r\n\r\n2I") << "one row per line, nothing added past a line's end";
  Press('X', true);  // "ABD", "EF", "GHJ"; the caret at column 3 of line 1
  Press(VK_TAB);     // to the first stop: "AB        D"
  Press('S', true);
  ASSERT_TRUE(HostSays("SAVED", 10)) << "lines 1 and 3 changed, line 2 not sent, the save";
  ASSERT_TRUE(WaitFor([&] { return SaveEnabled(frame); }, 10000));
  SetForegroundWindow(frame);
  Press(VK_F12);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(frame); }, 30000));
  End();
}

}  // namespace
