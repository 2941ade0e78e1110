#include "mouse_machine.h"

#include "input_mode.h"
#include "key_codes.h"
#include "key_dispatcher.h"
#include "screen_model.h"

namespace {

void NoTimer(int) {}
void Nothing() {}
void NoSelection(bool) {}
bool NoCopy() { return false; }

constexpr MouseHooks kDefaultHooks = {NoTimer, Nothing, NoSelection, NoCopy, Nothing, Nothing};
constexpr int kDefaultDoubleClick = 500;

int ActionOf(int button) {
  if (button == kMiddleButton) return Mouse.middleAction;
  if (button == kRightButton) return Mouse.secondaryAction;
  return kMouseActionEvent;
}

bool IsCopyPaste(int button) { return button != kLeftButton && ActionOf(button) == kMouseActionCopyPaste; }

// The key a button's action stands for (0: none).
int32_t ActionKey(int action) {
  switch (action) {
    case kMouseActionF12: return keycode::kF1 + 11;
    case kMouseActionReturn: return keycode::kEnter;
    case kMouseActionDisable: return keycode::kDisabledButton;
    case kMouseActionEscape: return keycode::kEscape;
    default: return 0;
  }
}

void ShowSelection() {
  Mouse.selectionShown = true;
  MouseEvents.selectionChanged(true);
}

void HideSelection() {
  if (!Mouse.selectionShown) return;
  Mouse.selectionShown = false;
  MouseEvents.selectionChanged(false);
}

void StopTimer() {
  if (!Mouse.clickTimerRunning) return;
  Mouse.clickTimerRunning = false;
  MouseEvents.stopClickTimer();
}

void RecordEvent(int kind) {
  Mouse.lastKind = kind;
  Mouse.eventCol = Mouse.col;
  Mouse.eventRow = Mouse.row;
  Mouse.eventAnchorCol = Mouse.anchorCol;
  Mouse.eventAnchorRow = Mouse.anchorRow;
}

// Only a local mode asks the host for mouse events.
void EventForHost() {
  if (InputMode.localMode) DispatchKey(keycode::kMouseEvent);
}

void DecideClick() {
  const int button = Mouse.button;
  Mouse.button = kNoButton;
  if (Mouse.simpleSelection) return;
  if (Mouse.selectionShown && IsCopyPaste(button)) {
    if (!MouseEvents.copySelection()) MouseEvents.beep();
    HideSelection();
    return;
  }
  RecordEvent(Mouse.selectionShown ? 7 : button);
  HideSelection();
  if (button != kLeftButton && ActionOf(button) != kMouseActionEvent) {
    if (int32_t key = ActionKey(ActionOf(button))) DispatchKey(key);
    return;
  }
  EventForHost();
}

}  // namespace

MouseRecord Mouse = {};
MouseHooks MouseEvents = kDefaultHooks;

void ResetMouse() {
  Mouse = MouseRecord{};
  Mouse.wheel = true;
  Mouse.doubleClickMilliseconds = kDefaultDoubleClick;
}

void ResetMouseHooks() { MouseEvents = kDefaultHooks; }

bool CellFromPoint(int x, int y, int xOrigin, int yOrigin, int cellWidth, int rowHeight, int* col, int* row) {
  if (cellWidth <= 0 || rowHeight <= 0 || x < xOrigin || y < yOrigin) return false;
  const int c = (x - xOrigin) / cellWidth;
  const int r = (y - yOrigin) / rowHeight;
  if (c >= kScreenCols || r >= kScreenRows) return false;
  *col = c;
  *row = r;
  return true;
}

void MouseButtonDown(int button, int col, int row) {
  if (button != kLeftButton && Mouse.simpleSelection) return;
  Mouse.anchorCol = Mouse.col = col;
  Mouse.anchorRow = Mouse.row = row;
  HideSelection();
  StopTimer();
  Mouse.button = button;
  Mouse.doubleClicked = false;
  Mouse.releasedWhileTiming = false;
  MouseEvents.startClickTimer(Mouse.doubleClickMilliseconds);
  Mouse.clickTimerRunning = true;
  Mouse.buttonHeld = true;
  if ((button == kLeftButton && Mouse.simpleSelection) || IsCopyPaste(button)) ShowSelection();
}

void MouseMoved(int col, int row) {
  if (!Mouse.buttonHeld) return;
  if (!Mouse.selectionShown && Mouse.button != kLeftButton) return;
  if (col == Mouse.col && row == Mouse.row) return;
  Mouse.col = col;
  Mouse.row = row;
  ShowSelection();
}

void MouseButtonUp(int button) {
  if (button != Mouse.button || !Mouse.buttonHeld) return;
  Mouse.buttonHeld = false;
  if (Mouse.clickTimerRunning) {
    Mouse.releasedWhileTiming = true;
    return;
  }
  if (!Mouse.doubleClicked) DecideClick();
}

void MouseClickTimerExpired() {
  StopTimer();
  if (!Mouse.releasedWhileTiming) return;
  Mouse.releasedWhileTiming = false;
  DecideClick();
}

void MouseDoubleClick(int button, int col, int row) {
  if (button != Mouse.button) {
    MouseButtonDown(button, col, row);
    return;
  }
  if (button != kLeftButton && Mouse.simpleSelection) return;
  StopTimer();
  Mouse.releasedWhileTiming = false;
  Mouse.doubleClicked = true;
  Mouse.buttonHeld = true;
  Mouse.col = col;
  Mouse.row = row;
  if (IsCopyPaste(button)) {
    HideSelection();
    MouseEvents.postPaste();
    return;
  }
  RecordEvent(button + 3);
  if (!Mouse.simpleSelection) HideSelection();
  EventForHost();
}

void MouseWheel(int delta) {
  if (!Mouse.wheel || delta == 0) return;
  DispatchKey(delta > 0 ? keycode::kUp : keycode::kDown);
}

void ToggleSimpleSelection() {
  Mouse.simpleSelection = !Mouse.simpleSelection;
  if (!Mouse.simpleSelection) HideSelection();
}

int LastMouseEventValues(int values[5]) {
  values[0] = Mouse.lastKind;
  values[1] = Mouse.eventCol;
  values[2] = Mouse.eventRow;
  values[3] = Mouse.eventAnchorCol;
  values[4] = Mouse.eventAnchorRow;
  return Mouse.lastKind == 7 ? 5 : 3;
}

CellRect SelectionRect() {
  CellRect r;
  r.left = Mouse.anchorCol < Mouse.col ? Mouse.anchorCol : Mouse.col;
  r.right = Mouse.anchorCol < Mouse.col ? Mouse.col : Mouse.anchorCol;
  r.top = Mouse.anchorRow < Mouse.row ? Mouse.anchorRow : Mouse.row;
  r.bottom = Mouse.anchorRow < Mouse.row ? Mouse.row : Mouse.anchorRow;
  return r;
}
