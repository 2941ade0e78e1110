// The one character-cell picture of the host session: 80 x 25 cells, the
// cursor, the text window, the current attribute and the small state that host
// windows, pick lists and the status row need.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kScreenCols = 80;
constexpr int kScreenRows = 25;     // rows 0..23 are the host's, row 24 the status row
constexpr int kWorkRows = 24;
constexpr int kStatusRow = 24;
constexpr int kMaxChoices = 160;
constexpr int kHostMessageMax = 1024;
constexpr int kUserScreens = 10;
constexpr int kUserScreenTitleSize = 41;

// Movable memory blocks are referred to by 32-bit ids (0 = none), so that the
// window state block has the same layout on every build.
using BlockId = uint32_t;

struct Cell {
  uint8_t attrClass;  // attribute class 0..15
  uint8_t level;      // window level the cell was written at
  uint8_t choice;     // pick-list item (1-based), 0 = none
  uint8_t glyph;      // already passed through GlyphTable
};
static_assert(sizeof(Cell) == 4, "cells are four bytes");

// The window state block. A host window saves and restores it whole, so the
// order and widths of its fields are fixed.
struct WindowState {
  uint8_t cursorRow;
  uint8_t winLeft, winRight, winTop, winBottom;
  uint8_t frameCol, frameWidth, frameRow, frameHeight;
  uint8_t CurrentChoice;
  uint8_t popupOnTop;
  uint8_t hasTopBorder, hasBottomBorder;
  uint8_t savedCol, savedRow;
  int8_t pendingLevel;
  uint8_t choiceCount;
  uint8_t choiceHigh;
  uint8_t windowStyle;
  uint8_t borders[4];  // top, right, bottom, left
  char userScreenTitles[kUserScreens][kUserScreenTitleSize];
  uint8_t curAttrClass, curLevel, curChoice;
  int16_t cursorCol;
  int16_t vpCol, vpRow, vpWidth, vpHeight, vpLineLength, vpOffset;
  BlockId vpBuffer;
  BlockId savedTop;
};
static_assert(sizeof(WindowState) == 460, "the saved window state is 460 bytes");
static_assert(offsetof(WindowState, userScreenTitles) == 23, "window state layout");
static_assert(offsetof(WindowState, curAttrClass) == 433, "window state layout");
static_assert(offsetof(WindowState, cursorCol) == 436, "window state layout");
static_assert(offsetof(WindowState, vpBuffer) == 452, "window state layout");
static_assert(offsetof(WindowState, savedTop) == 456, "window state layout");

struct ChoiceItem {
  uint8_t col, row, width, hotOffset;
  uint16_t keyCode;
};
static_assert(sizeof(ChoiceItem) == 6, "pick-list item records are six bytes");

struct HostMessageLine {
  char text[kHostMessageMax];
  int length;
  int reserved;       // cells kept free at the right end for a caller's counter
  int marqueeOffset;  // first character shown while the marquee runs
  bool marqueeRunning;
};

// The three attribute bytes a written cell receives.
struct CellAttribute {
  uint8_t attrClass, level, choice;
};

struct ScreenModel {
  Cell cells[kScreenRows * kScreenCols];
  WindowState win;
  int32_t WindowLevel;
  ChoiceItem ChoiceItems[kMaxChoices];
  uint8_t AutoWrap;
  uint8_t busy;
  uint8_t menuSelection;
  uint8_t spinnerPhase;
  uint8_t statusGlyph;  // a local editor's state at the spinner's cell, 0: the spinner shows
  HostMessageLine message;
};

// The process-wide ScreenModel, owned by screen_model.cpp. Zero at start.
extern ScreenModel Screen;

// Back to the all-zero start state (tests and start-up).
void ResetScreenModel();

inline CellAttribute CurrentAttribute() {
  return CellAttribute{Screen.win.curAttrClass, Screen.win.curLevel, Screen.win.curChoice};
}

inline bool InGrid(int col, int row) {
  return col >= 0 && col < kScreenCols && row >= 0 && row < kScreenRows;
}
