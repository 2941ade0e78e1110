#include "keyboard_messages_win32.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "comm.h"
#include "input_mode.h"
#include "clipboard_text_win32.h"
#include "find_dialog_win32.h"
#include "key_codes.h"
#include "key_dispatcher.h"
#include "key_table.h"
#include "keyboard_seam.h"
#include "main_window.h"
#include "mouse_machine.h"
#include "selection_text.h"
#include "shell/render/renderer.h"
#include "shell/render/row_runs.h"
#include "shell_config.h"
#include "render_notify.h"
#include "resource_ids.h"
#include "screen_model.h"
#include "shell_state.h"
#include "test_request_win32.h"

namespace {

void Beep() { MessageBeep(MB_OK); }

// Another program (a clipboard manager, the X bridge) may hold the clipboard
// for a moment: try a few times before giving up.
bool OpenClipboardSoon(HWND window) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(window)) return true;
    Sleep(10);
  }
  return false;
}

// Every dispatched code first clears Alt pending and closes the receive-trace viewer.
void BeforeDispatch() {
  Shell.altPending = false;
  if (TraceViewerOpen()) ToggleTraceViewerCommand();
}

// ---- Mouse -------------------------------------------------------------

void StartClickTimer(int milliseconds) {
  if (Shell.mainWindow) SetTimer(Shell.mainWindow, kMouseClickTimer, static_cast<UINT>(milliseconds), nullptr);
}
void StopClickTimer() {
  if (Shell.mainWindow) KillTimer(Shell.mainWindow, kMouseClickTimer);
}
// The renderer draws the selection; the cells of the old and the new rectangle are repainted.
void SelectionChanged(bool shown) {
  static CellRect painted = {0, 0, -1, -1};
  const CellRect now = SelectionRect();
  tavix::render::CellSelection selection = {shown, Mouse.anchorCol, Mouse.anchorRow, Mouse.col, Mouse.row};
  SetPaintSelection(selection);
  if (painted.right >= painted.left)
    InvalidateCellRect(painted.left, painted.top, painted.right - painted.left + 1, painted.bottom - painted.top + 1);
  if (shown) InvalidateCellRect(now.left, now.top, now.right - now.left + 1, now.bottom - now.top + 1);
  painted = shown ? now : CellRect{0, 0, -1, -1};
}

bool CopySelectionToClipboard() { return PutTextOnClipboard(Shell.mainWindow, SelectionText(SelectionRect())); }
void PostPaste() {
  if (Shell.mainWindow) PostMessageA(Shell.mainWindow, WM_COMMAND, CMD_PASTE, 0);
}

// The mouse settings as the configuration holds them now; out-of-range values count as "Mouse Event".
void ReadMouseSettings() {
  const tavix::ConfigBlock& c = Config.store.config;
  Mouse.middleAction = c.middle_mouse >= 0 && c.middle_mouse <= 5 ? c.middle_mouse : kMouseActionEvent;
  const int secondary = c.secondary_mouse;
  Mouse.secondaryAction =
      secondary >= 0 && secondary <= 5 && secondary != kMouseActionDisable ? secondary : kMouseActionEvent;
  Mouse.wheel = c.wheel != 0;
  Mouse.doubleClickMilliseconds = static_cast<int>(GetDoubleClickTime());
}

bool CellAt(LPARAM lParam, int* col, int* row) {
  const FontRecord* f = Shell.currentFont;
  if (!f) return false;
  return CellFromPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)), f->xOrigin,
                       f->yOrigin, CellWidth(*f), CellRowHeight(*f), col, row);
}

bool MouseMessage(HWND window, UINT message, LPARAM lParam) {
  int button = kNoButton;
  enum { kDown, kUp, kDouble } what;
  switch (message) {
    case WM_LBUTTONDOWN: button = kLeftButton, what = kDown; break;
    case WM_MBUTTONDOWN: button = kMiddleButton, what = kDown; break;
    case WM_RBUTTONDOWN: button = kRightButton, what = kDown; break;
    case WM_LBUTTONUP: button = kLeftButton, what = kUp; break;
    case WM_MBUTTONUP: button = kMiddleButton, what = kUp; break;
    case WM_RBUTTONUP: button = kRightButton, what = kUp; break;
    case WM_LBUTTONDBLCLK: button = kLeftButton, what = kDouble; break;
    case WM_MBUTTONDBLCLK: button = kMiddleButton, what = kDouble; break;
    case WM_RBUTTONDBLCLK: button = kRightButton, what = kDouble; break;
    case WM_MOUSEMOVE: {
      int col, row;
      if (Mouse.buttonHeld && CellAt(lParam, &col, &row)) MouseMoved(col, row);
      return true;
    }
    default:
      return false;
  }
  if (what == kUp) {
    if (GetCapture() == window) ReleaseCapture();
    MouseButtonUp(button);
    return true;
  }
  int col, row;
  if (!CellAt(lParam, &col, &row)) return true;  // outside the grid
  ReadMouseSettings();
  SetCapture(window);
  if (what == kDown) {
    MouseButtonDown(button, col, row);
  } else {
    MouseDoubleClick(button, col, row);
  }
  return true;
}

// Command 40186: copy the simple selection.
void CopyCommand() {
  if (!Mouse.simpleSelection) {
    Beep();
    return;
  }
  if (!CopySelectionToClipboard()) Beep();
  ToggleSimpleSelection();  // leaving the mode hides the selection
}

// Alt pressed alone while the host drives the keyboard and pick-list items exist.
bool AltAlone(WPARAM key, LPARAM lParam) {
  if (key != VK_MENU || (lParam & (1 << 30))) return false;  // not auto-repeat
  if (!(InputMode.localMode || Screen.busy) || Screen.win.choiceCount == 0 || TraceViewerOpen()) return false;
  if (Shell.altPending) return true;
  DispatchKey(keycode::kAltAlone);
  Shell.altPending = true;
  return true;
}
bool ChannelReady(void (*callback)()) { return Channels.current->when_drained(callback); }

void LocalCaret(bool on) {
  if (on) {
    AddCaretHideBits(kCaretHiddenPickList);
  } else {
    RemoveCaretHideBits(kCaretHiddenPickList);
  }
}

// Command 40183: the clipboard's text becomes the paste buffer.
void PasteFromClipboard(HWND window) {
  std::string text;
  if (OpenClipboardSoon(window)) {
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      if (const char* p = static_cast<const char*>(GlobalLock(data))) {
        // Never past the block, even without its terminating zero.
        SIZE_T size = GlobalSize(data);
        SIZE_T n = 0;
        while (n < size && p[n]) ++n;
        text.assign(p, n);
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
  }
  PasteText(text);  // beeps when there was nothing
}

int KeyCommand(WPARAM wParam) {
  // Menu and accelerator commands only (not control notifications).
  if (HIWORD(wParam) > 1) return 0;
  return KeyCodeForCommand(LOWORD(wParam));
}

void OpenFindDialogForEditor() { OpenFindDialog(Shell.mainWindow); }

bool FindDialogRequest(char* text, int size, uint8_t* flags) {
  if (size <= 0 || !FindDialog.findText[0]) return false;
  std::snprintf(text, static_cast<size_t>(size), "%s", FindDialog.findText);
  *flags = FindDialog.requestFlags;
  return true;
}

}  // namespace

KeyboardSeam* AttachKeyboardToShell() {
  KeyboardEvents.beep = Beep;
  KeyboardEvents.beforeDispatch = BeforeDispatch;
  KeyboardEvents.channelReady = ChannelReady;
  KeyboardEvents.localCaret = LocalCaret;
  KeyboardEvents.openFindDialog = OpenFindDialogForEditor;
  KeyboardEvents.findRequest = FindDialogRequest;
  ResetMouse();
  MouseEvents.startClickTimer = StartClickTimer;
  MouseEvents.stopClickTimer = StopClickTimer;
  MouseEvents.selectionChanged = SelectionChanged;
  MouseEvents.copySelection = CopySelectionToClipboard;
  MouseEvents.postPaste = PostPaste;
  MouseEvents.beep = Beep;
  return &KeyboardSeamForShell;
}

bool KeyboardWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  if (Shell.msgTester && message == Shell.msgTester) {
    *result = AnswerTestRequest(Shell.mainWindow);
    FlushRenderNotifications();
    return true;
  }
  switch (message) {
    case WM_CHAR:
      Shell.altPending = false;
      DispatchKey(static_cast<unsigned char>(wParam));
      FlushRenderNotifications();
      return true;
    case WM_COMMAND:
      if (int32_t code = KeyCommand(wParam)) {
        DispatchKey(code);
        FlushRenderNotifications();
        return true;
      }
      if (LOWORD(wParam) == CMD_PASTE) {
        PasteFromClipboard(window);
        FlushRenderNotifications();
        return true;
      }
      if (LOWORD(wParam) == CMD_SELECT) {
        if (!Shell.viewWindow) ToggleSimpleSelection();
        CheckMenuItem(GetMenu(Shell.mainWindow), CMD_SELECT,
                      MF_BYCOMMAND | (Mouse.simpleSelection ? MF_CHECKED : MF_UNCHECKED));
        return true;
      }
      if (LOWORD(wParam) == CMD_COPY && !Shell.viewWindow) {
        CopyCommand();
        CheckMenuItem(GetMenu(Shell.mainWindow), CMD_SELECT, MF_BYCOMMAND | MF_UNCHECKED);
        return true;
      }
      if (LOWORD(wParam) == CMD_CLEAR_TYPE_AHEAD) ClearTypeAhead();  // the shell clears the busy flag
      return false;
    case WM_TIMER:
      if (wParam != kMouseClickTimer) return false;
      MouseClickTimerExpired();
      FlushRenderNotifications();
      return true;
    case WM_MOUSEWHEEL:
      if (Shell.viewWindow) return false;
      ReadMouseSettings();
      MouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      FlushRenderNotifications();
      return true;
    case WM_SYSKEYDOWN:
      if (!AltAlone(wParam, lParam)) return false;
      FlushRenderNotifications();
      return true;
    default:
      if (!MouseMessage(window, message, lParam)) return false;
      FlushRenderNotifications();
      return true;
  }
}
