#include "parser.h"

#include <cstring>

#include "cell_primitives.h"
#include "escape_families.h"
#include "message_line.h"
#include "tones.h"
#include "engine_context.h"
#include "glyph_table.h"
#include "render_notify.h"
#include "screen_model.h"
#include "viewport.h"

ParserRecord Parser = {GroundState, 0};

void SetParseState(ParseHandler handler) { Parser.ParseState = handler; }
void ResetParser() { Parser.ParseState = GroundState; }

void ParseByte(uint8_t byte) { Parser.ParseState(byte); }

namespace {

void Ignore() {}

void StartOfHeader() {
  if (Screen.busy) {
    StartHostMessageLine();
    return;
  }
  Screen.win.cursorCol = Screen.win.winLeft;
  Screen.win.cursorRow = Screen.win.winBottom;
  CursorMoved();
}

void Acknowledge() {
  if (Screen.win.cursorCol < INT16_MAX) ++Screen.win.cursorCol;
  WrapRule();
}

void Bell() {
  EngineShell* shell = Engine.shell;
  if (shell->TonePlaying() || !shell->SoundEnabled()) return;
  shell->QueueTone(Tones.BellLength, Tones.BellFrequency);
}

void Backspace() {
  if (Screen.win.cursorCol > Screen.win.winLeft) --Screen.win.cursorCol;
  CursorMoved();
}

void FormFeed() {
  const WindowState& w = Screen.win;
  ClearWindow(w.winLeft, w.winTop, w.winRight - w.winLeft + 1, w.winBottom - w.winTop + 1,
              CurrentAttribute(), false);
}

void CarriageReturn() {
  Screen.win.cursorCol = Screen.win.winLeft;
  CursorMoved();
}

void ShiftOut() {
  if (Screen.busy) {
    SetParseState(BusyToneState);
  } else {
    Screen.win.curAttrClass = 9;
  }
}

void ShiftIn() {
  if (!Screen.busy) Screen.win.curAttrClass = 2;
}

void ColumnState(uint8_t byte) {
  ResetParser();
  // The host's column, as it comes: it may lie left of the window.
  Screen.win.cursorCol = static_cast<int16_t>(Screen.win.winLeft + byte - 32);
  CursorMoved();
}

void DataLinkEscape() { SetParseState(ColumnState); }

void Substitute() {
  if (Screen.win.cursorRow > Screen.win.winTop) --Screen.win.cursorRow;
  CursorMoved();
}

void Escape() { SetParseState(EscapeState); }


using ControlAction = void (*)();

// The 28 control codes 0x00..0x1B. Null entries are printable characters.
const ControlAction kControls[28] = {
    Ignore,          // 00 NUL
    StartOfHeader,   // 01 SOH
    nullptr,         // 02
    nullptr,         // 03
    nullptr,         // 04
    nullptr,         // 05
    Acknowledge,     // 06 ACK
    Bell,            // 07 BEL
    Backspace,       // 08 BS
    nullptr,         // 09 TAB: keep-lines character
    LineFeed,        // 0A LF
    nullptr,         // 0B
    FormFeed,        // 0C FF
    CarriageReturn,  // 0D CR
    ShiftOut,        // 0E SO
    ShiftIn,         // 0F SI
    DataLinkEscape,  // 10 DLE
    nullptr,         // 11
    nullptr,         // 12
    nullptr,         // 13
    nullptr,         // 14
    nullptr,         // 15
    nullptr,         // 16
    Ignore,          // 17
    Ignore,          // 18
    nullptr,         // 19
    Substitute,      // 1A SUB
    Escape,          // 1B ESC
};

// A run of plain printable bytes (0x1C..0xFE) goes straight into the row when
// no viewport is active and the cursor is inside the window: the same result
// as one PutChar per byte, with one notification for the run.
size_t PrintRun(const uint8_t* bytes, size_t count) {
  WindowState& w = Screen.win;
  int col = w.cursorCol;
  int row = w.cursorRow;
  int right = w.winRight < kScreenCols ? w.winRight : kScreenCols - 1;
  if (w.vpBuffer || col < 0 || col > right || row >= kScreenRows) return 0;
  const size_t room = static_cast<size_t>(right - col + 1);
  const size_t limit = count < room ? count : room;
  // Cells are four bytes (class, level, choice, glyph): on these
  // little-endian targets one 32-bit store writes a whole cell.
  static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "cell stores assume little-endian");
  const uint32_t attribute = w.curAttrClass | w.curLevel << 8 | w.curChoice << 16;
  uint8_t* out = reinterpret_cast<uint8_t*>(CellAt(col, row));
  size_t n = 0;
  for (; n < limit; ++n) {
    const uint8_t b = bytes[n];
    // 0x1C..0xFE: everything but the controls and the ignored 0xFF.
    if (static_cast<uint8_t>(b - 0x1C) > 0xFE - 0x1C) break;
    const uint32_t value = attribute | static_cast<uint32_t>(GlyphTable[b]) << 24;
    std::memcpy(out + 4 * n, &value, 4);
  }
  if (n == 0) return 0;
  InvalidateSpan(row, col, col + static_cast<int>(n) - 1);
  w.cursorCol = static_cast<int16_t>(col + n);
  CursorMoved();
  if (w.cursorCol > w.winRight) WrapRule();
  return n;
}

}  // namespace

void LineFeed() {
  WindowState& w = Screen.win;
  if (w.cursorRow < w.winBottom) {
    ++w.cursorRow;
    CursorMoved();
  } else {
    ScrollRect(w.winLeft, w.winTop, w.winRight - w.winLeft + 1, w.winBottom - w.winTop + 1, 1, -1, ' ');
  }
}

void WrapRule() {
  WindowState& w = Screen.win;
  if (w.cursorCol > w.winRight) {
    if (Screen.AutoWrap && !w.vpBuffer) {
      LineFeed();
      w.cursorCol = w.winLeft;
      CursorMoved();
    }
  } else {
    CursorMoved();
  }
}

void PrintableCharacter(uint8_t ch) {
  WindowState& w = Screen.win;
  const int col = w.cursorCol;
  // The common case, inline: no viewport, the cursor inside the window and
  // the grid, not the keep-lines TAB.
  if (!w.vpBuffer && ch != '\t' && col >= 0 && col <= w.winRight && col < kScreenCols &&
      w.cursorRow < kScreenRows) {
    *CellAt(col, w.cursorRow) = Cell{w.curAttrClass, w.curLevel, w.curChoice, GlyphTable[ch]};
    InvalidateSpan(w.cursorRow, col, col);
    w.cursorCol = static_cast<int16_t>(col + 1);
    CursorMoved();
    if (col + 1 > w.winRight) WrapRule();
    return;
  }
  if (w.vpBuffer && ViewportTakesCharacter(ch)) return;
  if (w.cursorCol > w.winRight) {
    if (w.cursorCol < INT16_MAX) ++w.cursorCol;
    return;
  }
  PutChar(ch, CurrentAttribute());
  WrapRule();
}

void GroundState(uint8_t byte) {
  if (byte < 28) {
    if (ControlAction action = kControls[byte]) {
      action();
      return;
    }
  } else if (byte == 0xFF) {
    return;
  }
  PrintableCharacter(byte);
}

void ParseBytes(const uint8_t* bytes, size_t count) {
  size_t i = 0;
  while (i < count) {
    const uint8_t b = bytes[i];
    if (Parser.ParseState == GroundState) {
      if (b < 28) {
        if (ControlAction action = kControls[b]) {
          ++i;
          action();
          continue;
        }
      } else if (b != 0xFF) {
        size_t n = PrintRun(bytes + i, count - i);
        if (n) {
          i += n;
          continue;
        }
      }
    }
    Parser.ParseState(bytes[i++]);
  }
  FlushRenderNotifications();
}
