// The full-screen text editor (mode 10): free text in a rectangle of the
// window, possibly longer than the rectangle; every ending key sends the whole
// text back with the key's code.
#include <cstring>

#include "block_editors.h"
#include "edit_reply.h"
#include "engine_context.h"
#include "key_codes.h"
#include "line_store.h"
#include "local_mode.h"
#include "menu_selection.h"
#include "reply_buffer.h"
#include "screen_model.h"
#include "text_block.h"

namespace {

constexpr int kEditorMode = 10;
constexpr int kTabStop = 5;
constexpr int kTabEndsOption = 4;

struct FullScreenEditorState {
  bool active;
  bool insert;
};
FullScreenEditorState F;
TextBlockState& B = TextBlock;

bool Still() { return F.active; }
int Width() { return B.width; }

// The last line the cursor may reach: the limit's last, or one past the text.
int LastLine() {
  if (LineStore.lineLimit > 0) return LineStore.lineLimit - 1;
  return B.highestLine + 1 < kLineStoreMaxLines - 1 ? B.highestLine + 1 : kLineStoreMaxLines - 1;
}

uint8_t* Line(int index) { return LineStore.LineAt(index); }

int TextEnd(int index) {
  uint8_t* text = Line(index);
  int end = text ? LineTextLength(text, Width()) : 0;
  LineStore.UnlockAll();
  return end;
}

void MoveTo(int line, int col) {
  if (line < 0) line = 0;
  if (line > LastLine()) line = LastLine();
  if (col < 0) col = 0;
  if (col > Width() - 1) col = Width() - 1;
  B.curLine = line;
  B.curCol = col;
  ScrollToCursor();
}

void Touched(int line) {
  if (line > B.highestLine) B.highestLine = line;
}

void End(int code) {
  F.active = false;
  F.insert = false;
  if (Screen.menuSelection) SetMenuSelection(false);
  ReleaseKeyboard();
  SendWholeText(code);
}

void TypeCharacter(uint8_t ch) {
  uint8_t* text = Line(B.curLine);
  if (!text) {
    LocalBell();
    return;
  }
  if (F.insert) std::memmove(text + B.curCol + 1, text + B.curCol, static_cast<size_t>(Width() - B.curCol - 1));
  text[B.curCol] = ch;
  LineStore.UnlockAll();
  Touched(B.curLine);
  ShowBlockLine(B.curLine);
  // Past the right edge the cursor goes on at the start of the next line.
  if (B.curCol + 1 >= Width() && B.curLine < LastLine()) {
    MoveTo(B.curLine + 1, 0);
  } else {
    MoveTo(B.curLine, B.curCol + 1);
  }
}

void DeleteAt(int line, int col) {
  uint8_t* text = Line(line);
  if (!text) return;
  std::memmove(text + col, text + col + 1, static_cast<size_t>(Width() - col - 1));
  text[Width() - 1] = ' ';
  LineStore.UnlockAll();
  ShowBlockLine(line);
}

// The next line's text joins this one when it fits.
bool JoinNext(int line) {
  if (line + 1 > B.highestLine) return false;
  const int end = TextEnd(line);
  const int nextEnd = TextEnd(line + 1);
  if (end + nextEnd > Width()) return false;
  uint8_t* to = Line(line);
  uint8_t* from = Line(line + 1);
  if (!to || !from) return false;
  std::memcpy(to + end, from, static_cast<size_t>(nextEnd));
  LineStore.DeleteLine(line + 1);
  if (B.highestLine > line) --B.highestLine;
  ShowBlockRows();
  return true;
}

void Backspace() {
  if (B.curCol > 0) {
    const int col = B.curCol - 1;
    if (F.insert) {
      DeleteAt(B.curLine, col);
    } else if (uint8_t* text = Line(B.curLine)) {
      text[col] = ' ';
      LineStore.UnlockAll();
      ShowBlockLine(B.curLine);
    }
    MoveTo(B.curLine, col);
    return;
  }
  if (B.curLine == 0) return;
  const int previous = B.curLine - 1;
  const int end = TextEnd(previous);
  if (F.insert) JoinNext(previous);
  MoveTo(previous, end);
}

void Enter() {
  if (B.curLine >= LastLine()) {
    LocalBell();
    return;
  }
  if (F.insert) {
    // Split: the rest of the line goes to a new line below.
    uint8_t rest[256];
    const int n = Width() - B.curCol;
    uint8_t* text = Line(B.curLine);
    if (!text) return;
    std::memcpy(rest, text + B.curCol, static_cast<size_t>(n));
    std::memset(text + B.curCol, ' ', static_cast<size_t>(n));
    LineStore.InsertLine(B.curLine + 1);
    if (uint8_t* next = Line(B.curLine + 1)) std::memcpy(next, rest, static_cast<size_t>(n));
    LineStore.UnlockAll();
    Touched(B.highestLine + 1);
    ShowBlockRows();
  }
  MoveTo(B.curLine + 1, 0);
}

void Tab() {
  const int next = (B.curCol / kTabStop + 1) * kTabStop;
  if (next < Width()) {
    MoveTo(B.curLine, next);
  } else if (B.option & kTabEndsOption) {
    End(9);
  }
}

void Click() {
  int values[5] = {0, 0, 0, 0, 0};
  Engine.keyboard->LastMouseEvent(values);
  const int col = values[1], row = values[2];
  if (col >= TextColumn() && col < TextColumn() + Width() && row >= B.areaRow && row < B.areaRow + B.rows) {
    MoveTo(B.topLine + row - B.areaRow, col - TextColumn());
    return;
  }
  const WindowState& w = Screen.win;
  if (col >= w.winLeft && col <= w.winRight && row >= w.winTop && row <= w.winBottom) End(16);
}

int EndingCode(int32_t code) {
  namespace key = keycode;
  if (code == key::kEscape) return 27;
  if (code >= key::kF1 && code <= key::kShiftF12) return code - 875;
  if (code >= key::kCtrlF1 && code <= key::kCtrlF12) return code - 911;
  if (code >= key::kAltF1 && code <= key::kAltF12) return code - 935;
  switch (code) {
    case key::kDdeRequest: return 153;
    case key::kMessageArrived: return 154;
    case key::kItemQueued: return 155;
    case key::kShiftTab: return 11;
    default: return -1;
  }
}

void HandleKey(int32_t code) {
  namespace key = keycode;
  if (code == key::kAltInsert) code = 1074;
  if (code == key::kAltDelete) code = 1075;
  if (Screen.menuSelection) {
    if (code == key::kAltAlone || code == key::kEscape) {
      SetMenuSelection(false);
      return;
    }
    if (int item = MenuSelectionChoice(code)) {
      End(item + 32);
      return;
    }
    if (code < 1000 || code <= key::kRight || code == key::kMouseEvent) return;
  }
  if (code == key::kAltAlone) {
    SetMenuSelection(true);
    return;
  }
  const int ending = EndingCode(code);
  if (ending >= 0) {
    End(ending);
    return;
  }
  switch (code) {
    case key::kHostEot: {
      static const uint8_t kAck[] = {0x06, '\n'};
      AppendBytes(kAck, 2);
      return;
    }
    case key::kTab: Tab(); return;
    case key::kMouseEvent: Click(); return;
    case key::kPageUp:
      B.topLine = B.topLine > B.rows ? B.topLine - B.rows : 0;
      ShowBlockRows();
      MoveTo(B.curLine - B.rows, B.curCol);
      return;
    case key::kPageDown: {
      int top = B.topLine + B.rows;
      if (top > LastLine()) top = LastLine();
      B.topLine = top;
      ShowBlockRows();
      MoveTo(B.curLine + B.rows, B.curCol);
      return;
    }
    case key::kShiftHome: MoveTo(0, 0); return;
    case key::kShiftEnd: MoveTo(B.highestLine < 0 ? 0 : B.highestLine, 0); return;
    case key::kHome: {
      uint8_t* text = Line(B.curLine);
      int col = 0;
      while (text && col < Width() && text[col] == ' ') ++col;
      LineStore.UnlockAll();
      MoveTo(B.curLine, col < Width() ? col : 0);
      return;
    }
    case key::kEnd: MoveTo(B.curLine, TextEnd(B.curLine)); return;
    case key::kShiftInsert:
      F.insert = !F.insert;
      if (F.insert) {
        if (uint8_t* text = Line(B.curLine)) {
          std::memmove(text + B.curCol + 1, text + B.curCol, static_cast<size_t>(Width() - B.curCol - 1));
          text[B.curCol] = ' ';
          LineStore.UnlockAll();
          ShowBlockLine(B.curLine);
        }
      }
      return;
    case key::kInsert: F.insert = !F.insert; return;
    case key::kDelete:
      if (B.curCol >= TextEnd(B.curLine)) {
        JoinNext(B.curLine);
      } else {
        DeleteAt(B.curLine, B.curCol);
      }
      PlaceBlockCursor();
      return;
    case key::kDown:
      if (B.curLine >= LastLine()) {
        End(10);
      } else {
        MoveTo(B.curLine + 1, B.curCol);
      }
      return;
    case key::kUp:
      if (B.curLine == 0) {
        End(26);
      } else {
        MoveTo(B.curLine - 1, B.curCol);
      }
      return;
    case key::kLeft: MoveTo(B.curLine, B.curCol - 1); return;
    case key::kRight: MoveTo(B.curLine, B.curCol + 1); return;
    case key::kEnter: Enter(); return;
    case key::kBackspace: Backspace(); return;
    case 1074:
      if (B.curLine < LastLine()) {
        LineStore.InsertLine(B.curLine);
        Touched(B.highestLine + 1);
        ShowBlockRows();
      }
      return;
    case 1075:
      LineStore.DeleteLine(B.curLine);
      if (B.highestLine >= B.curLine) --B.highestLine;
      ShowBlockRows();
      return;
    default:
      break;
  }
  if (code >= 32 && code <= 255 && code != 127) TypeCharacter(static_cast<uint8_t>(code));
}

}  // namespace

int FullScreenEditorKey(int32_t code) {
  if (Still()) HandleKey(code);
  FinishKey();
  return 1;
}

void StartFullScreenEditor() {
  F = FullScreenEditorState{};
  F.active = true;
  if (B.curCol > Width() - 1) B.curCol = Width() - 1;
  MarkHostBusy();
  TakeKeyboard(FullScreenEditorKey, kEditorMode);
  PlaceBlockCursor();
  DeliverBlockStartInput(FullScreenEditorKey, Still);
  FinishKey();
}

void AbandonFullScreenEditor(bool release) {
  if (!F.active) return;
  F = FullScreenEditorState{};
  if (Screen.menuSelection) SetMenuSelection(false);
  if (release) ReleaseKeyboard();
}
