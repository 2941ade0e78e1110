// The edit view's brushes follow the system colours: a program in the edit
// window (the library loaded by path, as in helper_boundary_test.cpp), a
// cell past the end of a line read back from the screen, the window colour
// changed with SetSysColors, the cell read again.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "boundary_tables.h"

namespace {

std::string DllPath() {
  std::string out = HELPER_DLL;
  if (!out.empty() && out[0] == '/') {
    out = "Z:" + out;
    for (char& c : out)
      if (c == '/') c = '\\';
  }
  return out;
}

void RunLoop(BoundaryObject* helper) {
  for (int round = 0; round < 5; ++round) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (HelperPreTranslateMessage(helper, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    for (long count = 0; HelperOnIdle(helper, count); ++count) {
    }
    Sleep(20);
  }
}

// The colour on the screen at a point of the view's first row, `column`
// times 8 pixels in: with cells 8 to 12 pixels wide and at least 9 high,
// column 20 lands well past a one-character line and before the marker.
COLORREF CellColour(HWND view, int column) {
  HDC screen = GetDC(nullptr);
  POINT at = {column * 8 + 2, 8};
  ClientToScreen(view, &at);
  const COLORREF c = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return c;
}

TEST(EditViewColours, PlainTextBackgroundFollowsTheSystemWindowColour) {
  BoundaryExports exports;
  ASSERT_TRUE(BoundaryLoad(DllPath().c_str(), &exports));
  BoundaryObject* helper = exports.connect(BoundaryHelperToMoxel());
  int index = -1;
  BoundaryObject* edit = exports.createEditWindow(BoundaryEditToMoxel(), &index, "COLOURS", 31, 0, "BP");
  ASSERT_NE(edit, nullptr);
  const std::string line = "X";
  std::string record(1, '\0');
  record += line;
  EditAddLoadedLine(edit, index, record.data() + 1, 1);
  EditEndOfLoad(edit, index);
  RunLoop(helper);
  HWND frame = FindWindowA("CFrameEdit", "COLOURS");
  ASSERT_NE(frame, nullptr);
  HWND view = FindWindowExA(frame, nullptr, "CViewEdit", nullptr);
  ASSERT_NE(view, nullptr);
  SetWindowPos(frame, HWND_TOP, 0, 0, 600, 300, 0);
  RunLoop(helper);

  // Past the end of "X": a plain-text cell.
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(CellColour(view, 20), window);
  const int element = COLOR_WINDOW;
  const COLORREF navy = RGB(0, 0, 128);
  ASSERT_TRUE(SetSysColors(1, &element, &navy));
  RunLoop(helper);
  UpdateWindow(view);
  const COLORREF after = CellColour(view, 20);
  SetSysColors(1, &element, &window);
  RunLoop(helper);
  EXPECT_EQ(after, navy) << "the brushes were made again from the new system colour";
  EditCloseAll(edit);
  RunLoop(helper);
}

}  // namespace
