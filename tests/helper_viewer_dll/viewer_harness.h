// helper.dll loaded in the test's own process with a recording
// HelperToMoxel, the loading program's message loop, and readers for the
// attachment viewer's windows.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "helper/interfaces/helper_interfaces.h"
#include "recording_settings.h"

// Linux paths become Wine's Z: paths.
std::string WindowsPath(const std::string& path);
// The fixture folder's file (made by make_fixtures.sh).
std::string Fixture(const char* name);

class ViewerHarness {
 public:
  bool Load();
  MoxelToHelper* helper = nullptr;
  RecordingSettings settings;

  // The loop for `milliseconds`: every message offered to the library
  // first, its idle work while none waits.
  void Pump(DWORD milliseconds);
  // Pumps until the library reports no idle work (or the time runs out).
  bool PumpUntilIdle(DWORD milliseconds);
  // The list window, or null.
  HWND ViewerWindow() const;
  HWND Rows() const;
  // The dialog's command (as from its menus).
  void Command(int id);
};

// The list view's column titles and widths, and its rows' texts.
std::vector<std::string> ColumnTitles(HWND rows);
int ColumnWidth(HWND rows, int column);
std::vector<std::vector<std::string>> RowTexts(HWND rows);
// A header click (the notice the list view sends its parent).
void ClickColumn(HWND rows, int column);
// The header's sort arrow: 1 up, -1 down, 0 none.
int SortArrow(HWND rows, int column);

// The thumbnail cells in entry order.
std::vector<HWND> ThumbCells(HWND viewer);

// A window painted into a 32-bit bitmap through WM_PRINTCLIENT.
struct Pixels {
  int width = 0, height = 0;
  std::vector<uint32_t> data;  // 0xRRGGBB, top row first
  uint32_t At(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
  // Pixels of exactly this colour inside (x0, y0) - (x1, y1), and their box.
  int Count(uint32_t rgb, RECT* box = nullptr) const;
  int CountIn(uint32_t rgb, int x0, int y0, int x1, int y1) const;
};
Pixels PaintedPixels(HWND window);

// The width of a text in the dialog font the cells use.
int TextWidth(const char* text);

// Waits on another thread for a message box of this process whose text
// contains `text`, reads it and presses OK.
class MessageBoxWatch {
 public:
  explicit MessageBoxWatch(const char* text);
  ~MessageBoxWatch();
  // After the command that shows the box: whether it came.
  bool Seen();
  // Whether it came up to now (no waiting).
  bool SeenSoFar() const { return seen_ != 0; }

 private:
  static DWORD WINAPI Run(void* self);
  std::string text_;
  HANDLE thread_ = nullptr;
  volatile LONG seen_ = 0;
  volatile LONG stop_ = 0;
};
