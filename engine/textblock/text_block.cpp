#include "text_block.h"

#include <cstdio>
#include <cstring>

#include "block_editors.h"
#include "cell_primitives.h"
#include "edit_reply.h"
#include "edit_relay.h"
#include "engine_context.h"
#include "line_store.h"
#include "parser.h"
#include "render_notify.h"
#include "reply_buffer.h"
#include "screen_model.h"
#include "text_numbering.h"

TextBlockState TextBlock;

namespace {

constexpr uint8_t kEtx = 0x03;
constexpr uint8_t kDle = 0x10;
constexpr int kPlainLineLength = 80;
constexpr int kNumberedLineLength = 75;
constexpr int kProgramLineLength = 80;
constexpr int kWideKindWidth = 80;
constexpr int kMaxTimerSeconds = 63;
// Trailer numbers stop growing here: the host cannot mean more.
constexpr int64_t kTrailerNumberLimit = 1000000000;

int Value(uint8_t byte) { return static_cast<int>(byte) - 32; }

void ClearState(int kind) {
  TextBlock = TextBlockState{};
  TextBlock.kind = kind;
  TextBlock.highestLine = -1;
}

// ESC T ! and ESC T #: an area of the text window, fitted into it.
void AreaFromHost(const uint8_t* p) {
  const WindowState& w = Screen.win;
  int col = w.winLeft + (Value(p[0]) < 0 ? 0 : Value(p[0]));
  int row = w.winTop + (Value(p[1]) < 0 ? 0 : Value(p[1]));
  if (col > w.winRight) col = w.winRight;
  if (row > w.winBottom) row = w.winBottom;
  int width = Value(p[2]);
  if (width > kWideKindWidth) width -= kWideKindWidth;
  if (width < 1) width = 1;
  if (width > w.winRight - col + 1) width = w.winRight - col + 1;
  int rows = Value(p[3]);
  if (rows < 1) rows = 1;
  if (rows > w.winBottom - row + 1) rows = w.winBottom - row + 1;
  TextBlock.areaCol = col;
  TextBlock.areaRow = row;
  TextBlock.width = width;
  TextBlock.rows = rows;
}

void BodyState(uint8_t byte);

void StartBody(int lineLength, int lineLimit) {
  TextBlock.bodyLine = nullptr;
  TextBlock.bodyLineIndex = -1;
  LineStore.Reset(lineLength);
  LineStore.lineLimit = lineLimit;
  SetParseState(BodyState);
}

// ---- Body ---------------------------------------------------------------

// Move to the next line as a continuation of the one before.
void ContinueOnNextLine() {
  ++TextBlock.curLine;
  TextBlock.curCol = 0;
  if (TextBlock.storeFailed) return;
  if (uint8_t* line = LineStore.LineAt(TextBlock.curLine)) line[-1] = kLineContinues;
  if (!LineStore.lineCount) TextBlock.storeFailed = true;
}

void StoreByte(uint8_t byte) {
  TextBlockState& b = TextBlock;
  if (b.curCol >= LineStore.lineLength) ContinueOnNextLine();
  if (b.storeFailed) {
    ++b.curCol;
    return;
  }
  uint8_t* line = b.bodyLineIndex == b.curLine ? b.bodyLine : LineStore.LineAt(b.curLine);
  b.bodyLine = line;
  b.bodyLineIndex = line ? b.curLine : -1;
  if (line) {
    line[b.curCol] = byte;
    if (b.curLine > b.highestLine) b.highestLine = b.curLine;
  } else if (!LineStore.lineCount && (LineStore.lineLimit == 0 || b.curLine < LineStore.lineLimit)) {
    // Memory ran out: the store is gone and the block shows as empty.
    b.storeFailed = true;
    b.highestLine = -1;
  }
  ++b.curCol;
}

void SetColumn(uint8_t byte) {
  TextBlockState& b = TextBlock;
  int col = Value(byte);
  if (col < 0) col = 0;
  // A column past the line goes on in its continuation lines.
  b.curCol = 0;
  while (col >= LineStore.lineLength) {
    col -= LineStore.lineLength;
    ContinueOnNextLine();
  }
  b.curCol = col;
}

void TrailerState(uint8_t byte);

void BodyState(uint8_t byte) {
  TextBlockState& b = TextBlock;
  if (b.dlePending) {
    b.dlePending = false;
    b.bytesReceived += 2;
    SetColumn(byte);
    return;
  }
  switch (byte) {
    case kEtx:
      LineStore.UnlockAll();
      b.numberCount = 0;
      b.fieldStarted = false;
      SetParseState(TrailerState);
      return;
    case '\n':
      ++b.curLine;
      return;
    case '\r':
      b.curCol = 0;
      return;
    case kDle:
      b.dlePending = true;
      return;
    default:
      ++b.bytesReceived;
      StoreByte(byte);
      return;
  }
}

// ---- Trailer ------------------------------------------------------------

void FinishBlock();

void TrailerState(uint8_t byte) {
  TextBlockState& b = TextBlock;
  if (byte >= '0' && byte <= '9') {
    if (!b.fieldStarted) {
      b.fieldStarted = true;
      if (b.numberCount < 4) b.numbers[b.numberCount] = 0;
      ++b.numberCount;
    }
    if (b.numberCount <= 4) {
      int64_t& n = b.numbers[b.numberCount - 1];
      n = n * 10 + (byte - '0');
      if (n > kTrailerNumberLimit) n = kTrailerNumberLimit;
    }
    return;
  }
  if (byte == ',') {
    if (!b.fieldStarted) {
      if (b.numberCount < 4) b.numbers[b.numberCount] = 0;
      ++b.numberCount;
    }
    b.fieldStarted = false;
    return;
  }
  // The first other byte ends the trailer and is consumed. A comma with
  // nothing after it still stood for a number.
  if (b.numberCount > 0 && !b.fieldStarted && b.numberCount < 4) {
    b.numbers[b.numberCount] = 0;
    ++b.numberCount;
  }
  ResetParser();
  FinishBlock();
}

// Lines the area may start at: none past the stored text (or the limit).
int LimitTopLine(int64_t top) {
  int64_t highest = TextBlock.highestLine < 0 ? 0 : TextBlock.highestLine;
  if (top > highest) top = highest;
  if (LineStore.lineLimit > 0 && top > LineStore.lineLimit - TextBlock.rows)
    top = LineStore.lineLimit - TextBlock.rows;
  return top < 0 ? 0 : static_cast<int>(top);
}

void ApplyTrailer() {
  TextBlockState& b = TextBlock;
  b.topLine = LimitTopLine(b.numberCount >= 1 ? b.numbers[0] : 0);
  b.curLine = b.topLine;
  b.curCol = 0;
  b.trailerPresent = b.numberCount >= 2;
  if (!b.trailerPresent) return;
  const int64_t line = b.numbers[1];
  if (line >= b.topLine && line < b.topLine + b.rows) b.curLine = static_cast<int>(line);
  const int64_t col = (b.numberCount >= 3 ? b.numbers[2] : 0) - 1;
  if (col >= 0 && col < LineStore.lineLength) b.curCol = static_cast<int>(col);
  b.cursorLine = static_cast<int>(line);
  b.cursorCol = static_cast<int>(b.numberCount >= 3 ? b.numbers[2] : 0);
  b.byteCount = b.numberCount >= 4 ? b.numbers[3] : -1;
}

bool Refused() {
  const TextBlockState& b = TextBlock;
  if (!b.trailerPresent) return false;
  return b.numberCount < 4 || b.byteCount != b.bytesReceived;
}

void FinishBlock() {
  ApplyTrailer();
  if (TextBlock.kind == kBlockProgram) {
    if (Refused() || !OpenProgramEditor()) {
      AppendByte('0');
      Flush();
    }
    LineStore.FreeAll();
    TextBlock.kind = -1;
    return;
  }
  if (Refused()) {
    SendWholeText(kRefusedCode);
    return;
  }
  ShowBlockRows();
  switch (TextBlock.kind) {
    case kBlockPlain:
    case kBlockNumbered:
      StartLocalEdit();
      break;
    case kBlockArea:
    case kBlockAreaWide:
      StartFullScreenEditor();
      break;
    case kBlockViewer:
      StartBlockViewer();
      break;
    default:
      break;
  }
  FlushRenderNotifications();
}

}  // namespace

// ---- Shared with the editors ----------------------------------------------

int TextColumn() { return TextBlock.areaCol + (TextBlock.kind == kBlockNumbered ? kNumberMargin : 0); }

int LastTextLine() {
  for (int i = LineStore.lineCount - 1; i >= 0; --i) {
    uint8_t* line = LineStore.LineAt(i);
    if (line && LineTextLength(line, LineStore.lineLength) > 0) {
      LineStore.UnlockAll();
      return i;
    }
  }
  LineStore.UnlockAll();
  return -1;
}

namespace {

// One visible row: the line's characters from the viewer's offset, blanks
// past the stored lines; in the numbered kind the margin first.
void ShowRow(int row, int line, int* number) {
  const TextBlockState& b = TextBlock;
  uint8_t text[kScreenCols];
  std::memset(text, ' ', sizeof text);
  const int screenRow = b.areaRow + row;
  const uint8_t* stored = line < LineStore.lineCount ? LineStore.LineAt(line) : nullptr;
  if (b.kind == kBlockNumbered) {
    uint8_t margin[kNumberMargin + 1];
    std::memset(margin, ' ', sizeof margin);
    const bool first = !stored || LineFlag(stored) != kLineContinues || line == 0;
    if (first) ++*number;
    if (first && line <= b.highestLine) {
      char digits[16];
      int n = std::snprintf(digits, sizeof digits, "%-5d", *number);
      std::memcpy(margin, digits, static_cast<size_t>(n < kNumberMargin ? n : kNumberMargin));
    }
    WriteText(b.areaCol, screenRow, margin, kNumberMargin);
  }
  const int offset = BlockViewOffset();
  if (stored) {
    for (int i = 0; i < b.width && offset + i < LineStore.lineLength; ++i) text[i] = stored[offset + i];
  }
  WriteText(TextColumn(), screenRow, text, b.width);
}

}  // namespace

void ShowBlockRows() {
  const TextBlockState& b = TextBlock;
  int number = b.kind == kBlockNumbered ? RecordNumber(b.topLine) - 1 : 0;
  for (int r = 0; r < b.rows; ++r) ShowRow(r, b.topLine + r, &number);
  LineStore.UnlockAll();
  PlaceBlockCursor();
}

void ShowBlockLine(int line) {
  const TextBlockState& b = TextBlock;
  if (line < b.topLine || line >= b.topLine + b.rows) return;
  int number = b.kind == kBlockNumbered ? RecordNumber(line) - 1 : 0;
  ShowRow(line - b.topLine, line, &number);
  LineStore.UnlockAll();
}

void PlaceBlockCursor() {
  const TextBlockState& b = TextBlock;
  int col = TextColumn() + b.curCol - BlockViewOffset();
  if (col > TextColumn() + b.width - 1) col = TextColumn() + b.width - 1;
  int row = b.areaRow + b.curLine - b.topLine;
  if (row < b.areaRow) row = b.areaRow;
  if (row > b.areaRow + b.rows - 1) row = b.areaRow + b.rows - 1;
  Screen.win.cursorCol = static_cast<int16_t>(col < 0 ? 0 : col > kScreenCols - 1 ? kScreenCols - 1 : col);
  Screen.win.cursorRow = static_cast<uint8_t>(row < 0 ? 0 : row > kWorkRows - 1 ? kWorkRows - 1 : row);
  CursorMoved();
}

void ScrollToCursor() {
  TextBlockState& b = TextBlock;
  int top = b.topLine;
  if (b.curLine < top) top = b.curLine;
  if (b.curLine >= top + b.rows) top = b.curLine - b.rows + 1;
  if (top != b.topLine) {
    b.topLine = top;
    ShowBlockRows();
  }
  PlaceBlockCursor();
}

void DropTextBlock(bool releaseKeyboard) {
  AbandonBlockEditors(releaseKeyboard);
  CancelReply();
  ClearRecords();
  if (Parser.ParseState == BodyState || Parser.ParseState == TrailerState) ResetParser();
  LineStore.FreeAll();
  ClearState(-1);
}

void FinishTextBlock() {
  ClearRecords();
  LineStore.FreeAll();
  ClearState(-1);
}

void ResetTextBlocks() {
  DropTextBlock(false);
  ResetEditReply();
  LineStore.Reset(0);
}

// ---- The parser's service --------------------------------------------------

void TextBlocks::OpenTextBlock(char kind, const uint8_t* p, int, const char* text) {
  if (kind == 'I') {
    const int seconds = Value(p[0]);
    if (seconds > 0)
      Engine.shell->StartTimer(kIdleTimer, (seconds < kMaxTimerSeconds ? seconds : kMaxTimerSeconds) * 1000);
    return;
  }
  // A block still open (an editor running, a reply paused) goes first.
  DropTextBlock(true);
  switch (kind) {
    case ' ':
    case '"': {
      const bool numbered = kind == '"';
      ClearState(numbered ? kBlockNumbered : kBlockPlain);
      TextBlock.areaCol = 0;
      TextBlock.areaRow = 0;
      TextBlock.width = numbered ? kNumberedLineLength : kPlainLineLength;
      TextBlock.rows = kWorkRows;
      StartBody(numbered ? kNumberedLineLength : kPlainLineLength, 0);
      return;
    }
    case '!': {
      ClearState(Value(p[2]) > kWideKindWidth ? kBlockAreaWide : kBlockArea);
      AreaFromHost(p);
      int limit = Value(p[4]);
      if (limit < 0) limit = 0;
      if (limit > 0 && limit < TextBlock.rows) limit = TextBlock.rows;
      TextBlock.option = Value(p[5]);
      StartBody(TextBlock.width + 1, limit);
      return;
    }
    case '#': {
      ClearState(kBlockViewer);
      AppendByte('\r');
      Flush();
      AreaFromHost(p);
      // A line length below 1 means the area's width.
      int length = Value(p[4]);
      if (length < 1) length = TextBlock.width;
      StartBody(length, 0);
      return;
    }
    case '$':
    case '%': {
      ClearState(kBlockProgram);
      if (kind == '$') {
        TextBlock.session = Value(p[0]);
        TextBlock.readOnly = Value(p[1]);
      }
      std::snprintf(TextBlock.request, sizeof TextBlock.request, "%s", text);
      StartBody(kProgramLineLength, 0);
      return;
    }
    default:
      return;
  }
}

void TextBlocks::StartViewportBrowse(bool lowerForm) { StartHostBrowse(lowerForm); }
void TextBlocks::PollEditWindows() { PollEditSessions(); }
void TextBlocks::CloseRememberedEditSession() { CloseRememberedSession(); }
void TextBlocks::CloseEditSession(int session) { CloseSessionForHost(session); }
void TextBlocks::AnswerEditSession(int session, const char* answer) { AnswerSessionForHost(session, answer); }
void TextBlocks::FreeLineStore() { DropTextBlock(false); }
