// What the terminal draws, pixel for pixel: the status row in the Status
// colours and code page 437 box glyphs from the program's own raster font.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "message_boxes.h"
#include "terminal_process.h"

#ifndef TAVIX_FONT_DIR
#error "TAVIX_FONT_DIR must name the generated fonts"
#endif

namespace {

constexpr int kCellWidth = 10, kCellHeight = 18;

// The glyph as our DOS10x18 face draws it, in the given colours.
std::vector<uint32_t> ReferenceGlyph(unsigned char glyph, COLORREF fg, COLORREF bg) {
  static bool added = false;
  if (!added) {
    std::string path = WindowsPath(std::string(TAVIX_FONT_DIR) + "/DOS10x18.fon");
    added = AddFontResourceExA(path.c_str(), FR_PRIVATE, nullptr) > 0;
  }
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kCellWidth, -kCellHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HFONT font = CreateFontA(kCellHeight, kCellWidth, 0, 0, 0, 0, 0, 0, OEM_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 3, "DOS10x18");
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetTextColor(dc, fg);
  SetBkColor(dc, bg);
  RECT r = {0, 0, kCellWidth, kCellHeight};
  char text = static_cast<char>(glyph);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, &text, 1, nullptr);
  GdiFlush();
  std::vector<uint32_t> out(static_cast<const uint32_t*>(bits),
                            static_cast<const uint32_t*>(bits) + kCellWidth * kCellHeight);
  for (uint32_t& p : out) p &= 0xFFFFFF;
  SelectObject(dc, oldFont);
  SelectObject(dc, oldBitmap);
  DeleteObject(font);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return out;
}

std::vector<uint32_t> CellPixels(const ScreenShot& shot, POINT origin, int col, int row) {
  std::vector<uint32_t> out;
  for (int y = 0; y < kCellHeight; ++y)
    for (int x = 0; x < kCellWidth; ++x)
      out.push_back(shot.At(origin.x + col * kCellWidth + x, origin.y + row * kCellHeight + y));
  return out;
}

TEST(ScreenPixels, StatusRowColoursAndBoxGlyphsFromOurFont) {
  const char* port = std::getenv("TAVIX_HOST_PORT");
  if (!port) GTEST_SKIP() << "runs under tests/e2e/with_host.sh";
  TerminalProcess t;
  // Status: navy (1) on yellow (12), so the row stands out from the white grid.
  t.WriteIni("[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=" + std::string(port) +
             "\r\nAutoconnect=1\r\n[Font]\r\nmode=0\r\n[Color]\r\nStatusF=1\r\nStatusB=12\r\n");
  ASSERT_TRUE(t.Start());
  HWND main = t.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  SetForegroundWindow(main);
  POINT origin = {0, 0};
  ClientToScreen(main, &origin);

  // Class 0 cells are black on white; the box is drawn in them.
  const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
  const unsigned char box[3][5] = {{201, 205, 205, 205, 187}, {186, ' ', 'A', ' ', 186}, {200, 205, 205, 205, 188}};
  ScreenShot shot;
  bool drawn = WaitFor([&] {
    return shot.Capture() && CellPixels(shot, origin, 5, 3) == ReferenceGlyph(201, black, white);
  }, 20000);
  if (!drawn) shot.SavePng(t.folder() + "\\..\\tavix-screen-pixels.png");
  ASSERT_TRUE(drawn) << "the box corner never matched the font's glyph";
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 5; ++c)
      EXPECT_EQ(CellPixels(shot, origin, 5 + c, 3 + r), ReferenceGlyph(box[r][c], black, white))
          << "cell " << 5 + c << "," << 3 + r;

  // The status row: "LEDGER" in navy on yellow, the rest yellow.
  const COLORREF navy = RGB(0, 0, 128), yellow = RGB(255, 255, 0);
  const char* status = "LEDGER";
  for (int c = 0; c < 6; ++c)
    EXPECT_EQ(CellPixels(shot, origin, c, 24), ReferenceGlyph(static_cast<unsigned char>(status[c]), navy, yellow))
        << "status cell " << c;
  for (int c = 30; c < 80; c += 7)
    EXPECT_EQ(CellPixels(shot, origin, c, 24), ReferenceGlyph(' ', navy, yellow)) << "status cell " << c;

  HWND boxWindow = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (boxWindow = FindMessageBox(t.processId(), "Connection terminated")); }, 30000));
  PressButton(boxWindow, IDNO);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(boxWindow); }, 10000));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(t.WaitForExit(), 0);
}

}  // namespace
