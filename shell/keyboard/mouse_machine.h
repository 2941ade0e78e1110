// The mouse: clicks, drags and double clicks of the three buttons become a
// mouse event for the host (1069, kind 1-7), a button's configured key, or a
// selection that is copied; timer 7 tells a single click from a double one.
// Windows messages arrive already turned into cells; the timer and the
// selection's display are hooks, so tests run the machine on a fake clock.
#pragma once

#include <cstdint>

// [Config] "Middle mouse" and "Secondary mouse".
enum MouseButtonAction : int {
  kMouseActionEvent = 0,     // "Mouse Event"
  kMouseActionF12 = 1,       // "F12"
  kMouseActionReturn = 2,    // "Return"
  kMouseActionDisable = 3,   // "Disable" (middle button only)
  kMouseActionEscape = 4,    // "Escape"
  kMouseActionCopyPaste = 5  // "Copy/Paste"
};

enum MouseButton : int { kNoButton = 0, kLeftButton = 1, kMiddleButton = 2, kRightButton = 3 };

constexpr int kMouseClickTimer = 7;

struct MouseHooks {
  void (*startClickTimer)(int milliseconds);
  void (*stopClickTimer)();
  // The selection rectangle (anchor to current cell) appears, changes or goes.
  void (*selectionChanged)(bool shown);
  // Copy the shown selection to the clipboard; false when that failed.
  bool (*copySelection)();
  // Post the paste command.
  void (*postPaste)();
  void (*beep)();
};

struct MouseRecord {
  int col, row;              // current cell
  int anchorCol, anchorRow;  // where the button went down
  int button;                // MouseButton that is down or being decided
  int lastKind;              // 1-7, 0 before the first event
  int eventCol, eventRow, eventAnchorCol, eventAnchorRow;  // cells of the last event
  bool selectionShown;
  bool clickTimerRunning;
  bool releasedWhileTiming;
  bool doubleClicked;
  bool buttonHeld;
  // Settings.
  int middleAction;
  int secondaryAction;
  bool wheel;
  bool simpleSelection;  // menu "&Select"
  int doubleClickMilliseconds;
};

// Owned by mouse_machine.cpp.
extern MouseRecord Mouse;
extern MouseHooks MouseEvents;

// Start state with the default settings; hooks back to do-nothing.
void ResetMouse();
void ResetMouseHooks();

// The cell under a client-area point, false outside the 80 x 25 grid.
bool CellFromPoint(int x, int y, int xOrigin, int yOrigin, int cellWidth, int rowHeight, int* col, int* row);

void MouseButtonDown(int button, int col, int row);
void MouseMoved(int col, int row);
void MouseButtonUp(int button);
void MouseDoubleClick(int button, int col, int row);
// Timer 7 ran out.
void MouseClickTimerExpired();
// One wheel message: forward (delta > 0) is Up, backward Down.
void MouseWheel(int delta);

// Menu "&Select": toggles simple selection mode; leaving it hides a shown selection.
void ToggleSimpleSelection();

// The last event for the host: kind, column, row, and for kind 7 the anchor
// column and row. Returns how many values are meaningful (3 or 5).
int LastMouseEventValues(int values[5]);

// The selection rectangle with its corners in order.
struct CellRect {
  int left, top, right, bottom;
};
CellRect SelectionRect();
