#include "saved_windows.h"

#include <cstring>

#include "cell_primitives.h"
#include "engine_context.h"
#include "render_notify.h"
#include "screen_model.h"
#include "user_screen_list.h"
#include "viewport.h"
#include "whandler.h"
#include "window_border.h"

namespace {

constexpr int kCursorTimer = 4;  // the ESC ^ C timer of the shell
constexpr uint8_t kWindowClass = 2;

// What a pop-up saves of the window state. The border flags and style go
// with it, so that closing a pop-up leaves no trace of its border behind
// (a title sent afterwards must not find a border line that is not there).
struct PopupState {
  int32_t cursorCol;
  int32_t cursorRow;
  int32_t CurrentChoice;
  uint8_t popupOnTop;
  uint8_t curAttrClass, curLevel, curChoice;
  BlockId savedTop;
  BlockId vpBuffer;
  uint8_t hasTopBorder, hasBottomBorder;
  uint8_t windowStyle;
  uint8_t borders[4];
  uint8_t spare;
};
static_assert(sizeof(PopupState) == 32, "pop-up state layout");
static_assert(offsetof(PopupState, savedTop) == 16, "pop-up state layout");

int SavedItems(uint8_t choiceHigh) { return choiceHigh < kMaxChoices ? choiceHigh : kMaxChoices; }

bool OnWorkArea(const OuterRect& o) {
  return o.col >= 0 && o.row >= 0 && o.width >= 1 && o.height >= 1 && o.col + o.width <= kScreenCols &&
         o.row + o.height <= kWorkRows;
}

PopupState CapturePopupState(const WindowState& s) {
  PopupState p{};
  p.cursorCol = s.cursorCol;
  p.cursorRow = s.cursorRow;
  p.CurrentChoice = s.CurrentChoice;
  p.popupOnTop = s.popupOnTop;
  p.curAttrClass = s.curAttrClass;
  p.curLevel = s.curLevel;
  p.curChoice = s.curChoice;
  p.savedTop = s.savedTop;
  p.vpBuffer = s.vpBuffer;
  p.hasTopBorder = s.hasTopBorder;
  p.hasBottomBorder = s.hasBottomBorder;
  p.windowStyle = s.windowStyle;
  std::memcpy(p.borders, s.borders, sizeof p.borders);
  return p;
}

void ApplyPopupState(const PopupState& p) {
  WindowState& s = Screen.win;
  s.cursorCol = static_cast<int16_t>(p.cursorCol);
  s.cursorRow = static_cast<uint8_t>(p.cursorRow);
  s.CurrentChoice = static_cast<uint8_t>(p.CurrentChoice);
  s.popupOnTop = p.popupOnTop;
  s.curAttrClass = p.curAttrClass;
  s.curLevel = p.curLevel;
  s.curChoice = p.curChoice;
  s.savedTop = p.savedTop;
  // A viewport made while the pop-up was up belongs to nobody once it goes.
  if (s.vpBuffer != p.vpBuffer) FreeViewport();
  s.vpBuffer = p.vpBuffer;
  s.hasTopBorder = p.hasTopBorder;
  s.hasBottomBorder = p.hasBottomBorder;
  s.windowStyle = p.windowStyle;
  std::memcpy(s.borders, p.borders, sizeof s.borders);
}

// The covered cells, row by row; a full-width area is one piece.
void SaveCells(_whandler& block, const OuterRect& o) {
  if (o.width == kScreenCols) {
    block.Write(CellAt(0, o.row), sizeof(Cell) * kScreenCols * o.height);
    return;
  }
  for (int row = o.row; row < o.row + o.height; ++row) block.Write(CellAt(o.col, row), sizeof(Cell) * o.width);
}

void RestoreCells(_whandler& block, const OuterRect& o) {
  if (o.width == kScreenCols) {
    block.Read(CellAt(0, o.row), sizeof(Cell) * kScreenCols * o.height);
    return;
  }
  for (int row = o.row; row < o.row + o.height; ++row) block.Read(CellAt(o.col, row), sizeof(Cell) * o.width);
}

// The stack cannot be walked any further (a block that does not match what
// it should hold): forget it rather than put back garbage.
void AbandonStack(_whandler_windows& block) {
  block.Free();
  Screen.win.savedTop = 0;
  Screen.win.popupOnTop = 0;
}

}  // namespace

uint32_t SavedWindowBlockSize(bool popup, int itemCount, int outerWidth, int outerHeight) {
  const uint32_t state =
      popup ? sizeof(PopupState) : sizeof(WindowState) + sizeof(ChoiceItem) * static_cast<uint32_t>(itemCount);
  return 4 + state + sizeof(Cell) * static_cast<uint32_t>(outerWidth) * static_cast<uint32_t>(outerHeight);
}

bool OpenSavedWindow(const WindowPlacement& w, bool popup) {
  WindowState& s = Screen.win;
  const OuterRect o = OuterOf(w);
  if (!OnWorkArea(o)) return false;
  const int items = popup ? 0 : SavedItems(s.choiceHigh);

  _whandler_windows block;
  if (!block.Allocate(SavedWindowBlockSize(popup, items, o.width, o.height))) {
    Engine.shell->FailureNotice();
    return false;
  }
  const uint8_t outer[4] = {static_cast<uint8_t>(o.col), static_cast<uint8_t>(o.row), static_cast<uint8_t>(o.width),
                            static_cast<uint8_t>(o.height)};
  block.Write(outer, sizeof outer);
  if (popup) {
    const PopupState p = CapturePopupState(s);
    block.Write(&p, sizeof p);
  } else {
    block.Write(&s, sizeof s);
    block.Write(Screen.ChoiceItems, sizeof(ChoiceItem) * items);
  }
  SaveCells(block, o);
  s.savedTop = block.Handle();
  s.vpBuffer = 0;  // a viewport belongs to the window it was made in

  if (!popup) {
    InvalidateFrame();  // the old frame's cells now belong to a lower level
    ++Screen.WindowLevel;
    // The new window's title lines are its own.
    s.hasTopBorder = 0;
    s.hasBottomBorder = 0;
  }
  s.curAttrClass = kWindowClass;
  s.curLevel = static_cast<uint8_t>(Screen.WindowLevel);
  s.curChoice = 0;
  for (int row = w.row; row < w.row + w.height; ++row) FillCells(w.col, row, w.width, ' ', false);
  DrawWindowBorder(w);
  s.cursorCol = static_cast<int16_t>(w.col);
  s.cursorRow = static_cast<uint8_t>(w.row);

  if (!popup) {
    s.winLeft = static_cast<uint8_t>(w.col);
    s.winRight = static_cast<uint8_t>(w.col + w.width - 1);
    s.winTop = static_cast<uint8_t>(w.row);
    s.winBottom = static_cast<uint8_t>(w.row + w.height - 1);
    s.frameCol = static_cast<uint8_t>(o.col);
    s.frameRow = static_cast<uint8_t>(o.row);
    s.frameWidth = static_cast<uint8_t>(o.width);
    s.frameHeight = static_cast<uint8_t>(o.height);
    s.choiceCount = 0;
    s.choiceHigh = 0;
    s.CurrentChoice = 0;
    std::memset(s.userScreenTitles, 0, sizeof s.userScreenTitles);
  }
  s.popupOnTop = popup ? 1 : 0;
  s.windowStyle = static_cast<uint8_t>(w.style);
  std::memcpy(s.borders, w.borders, sizeof s.borders);
  InvalidateCells(o.col, o.row, o.width, o.height);
  CursorMoved();
  return true;
}

bool CloseOneWindowStep() {
  WindowState& s = Screen.win;
  if (!s.savedTop) return false;
  _whandler_windows block;
  if (!block.Attach(s.savedTop)) {
    s.savedTop = 0;
    s.popupOnTop = 0;
    return false;
  }
  uint8_t outer[4];
  block.Read(outer, sizeof outer);
  const OuterRect o{outer[0], outer[1], outer[2], outer[3]};
  const bool popup = s.popupOnTop != 0;

  if (popup) {
    PopupState p;
    if (!OnWorkArea(o) || block.Size() != SavedWindowBlockSize(true, 0, o.width, o.height) ||
        !block.Read(&p, sizeof p)) {
      AbandonStack(block);
      return false;
    }
    ApplyPopupState(p);
  } else {
    WindowState saved;
    if (!OnWorkArea(o) || !block.Read(&saved, sizeof saved) ||
        block.Size() != SavedWindowBlockSize(false, SavedItems(saved.choiceHigh), o.width, o.height)) {
      AbandonStack(block);
      return false;
    }
    if (saved.pendingLevel < 0) Engine.shell->StopTimer(kCursorTimer);
    FreeViewport();  // the closing window's own viewport
    std::memcpy(&s, &saved, sizeof s);
    block.Read(Screen.ChoiceItems, sizeof(ChoiceItem) * SavedItems(saved.choiceHigh));
    --Screen.WindowLevel;
    InvalidateFrame();
  }
  RestoreCells(block, o);
  InvalidateCells(o.col, o.row, o.width, o.height);
  block.Free();
  CursorMoved();
  return true;
}

void CloseAllWindowSteps() {
  HideUserScreenList();
  while (CloseOneWindowStep()) {
  }
}

void ClosePopupCommand() {
  if (!Screen.win.popupOnTop) return;
  HideUserScreenList();
  CloseOneWindowStep();
}

void CloseWindowsCommand() {
  HideUserScreenList();
  if (!Screen.win.savedTop) return;
  while (Screen.win.popupOnTop && CloseOneWindowStep()) {
  }
  CloseOneWindowStep();
}
