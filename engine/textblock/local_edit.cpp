#include "local_edit.h"

#include <cctype>
#include <cstring>

#include "block_editors.h"
#include "cell_primitives.h"
#include "edit_reply.h"
#include "engine_context.h"
#include "key_codes.h"
#include "line_store.h"
#include "local_mode.h"
#include "render_notify.h"
#include "reply_buffer.h"
#include "saved_windows.h"
#include "screen_model.h"
#include "status_row.h"
#include "text_block.h"
#include "text_numbering.h"
#include "window_placement.h"

LocalEditState LocalEdit;

namespace {

constexpr uint8_t kStateGlyphs[6] = {124, 197, 215, 216, 206, 219};
constexpr char kFindPrompt[] = "String to locate:";
constexpr int kPromptTextCol = sizeof kFindPrompt;  // after the prompt and a blank

// Local names for the commands of this mode.
constexpr int32_t kInsertLine = 1074;
constexpr int32_t kDeleteLine = 1075;
constexpr int32_t kFindFromTop = 1076;
constexpr int32_t kFindFromHere = 1077;
constexpr int32_t kFindAgain = 1078;
constexpr int32_t kCopyLine = 1079;
constexpr int32_t kMoveLine = 1080;
constexpr int32_t kPasteLine = 1081;
constexpr int32_t kFindDialog = 1093;
constexpr int32_t kContinuationRefused = 1022;

LocalEditState& E = LocalEdit;
TextBlockState& B = TextBlock;

bool Still() { return E.active && !E.prompting; }
bool Numbered() { return B.kind == kBlockNumbered; }
int Length() { return LineStore.lineLength; }
// The column the cursor may reach: the numbered kind may stand past the end
// (typing there goes on in a continuation line).
int LastColumn() { return Numbered() ? Length() : Length() - 1; }

void ShowState() {
  Screen.statusGlyph = LocalEditStatusGlyph();
  UpdateSpinner();
}

bool IsContinuation(int line) {
  if (line <= 0 || line >= LineStore.lineCount) return false;
  uint8_t* text = LineStore.LineAt(line);
  bool continues = text && LineFlag(text) == kLineContinues;
  LineStore.UnlockAll();
  return continues;
}

// The pending change goes into the queue when the cursor leaves its group.
void FlushChange() {
  if (E.changedGroup < 0) return;
  QueueLineRecord(E.changedGroup);
  E.changedGroup = -1;
}

void MarkChanged(int line) {
  const int group = GroupStart(line);
  if (E.changedGroup >= 0 && E.changedGroup != group) FlushChange();
  E.changedGroup = group;
  if (line > B.highestLine) B.highestLine = line;
}

void MoveTo(int line, int col) {
  if (line < 0) line = 0;
  const int limit = B.highestLine + 1 < kLineStoreMaxLines - 1 ? B.highestLine + 1 : kLineStoreMaxLines - 1;
  if (line > limit) line = limit < 0 ? 0 : limit;
  if (col < 0) col = 0;
  if (col > LastColumn()) col = LastColumn();
  if (E.changedGroup >= 0 && GroupStart(line) != E.changedGroup) FlushChange();
  B.curLine = line;
  B.curCol = col;
  ScrollToCursor();
}

void Scroll(int by) {
  int top = B.topLine + by;
  if (top < 0) top = 0;
  const int moved = top - B.topLine;
  B.topLine = top;
  ShowBlockRows();
  MoveTo(B.curLine + moved, B.curCol);
}

// ---- Typing ----------------------------------------------------------------

// Put ch at col of line in insert state; what falls off the end goes on into
// the continuation lines (numbered kind) or is lost.
void InsertInto(int line, int col, uint8_t ch) {
  const int length = Length();
  for (;;) {
    uint8_t* text = LineStore.LineAt(line);
    if (!text) return;
    const uint8_t out = text[length - 1];
    std::memmove(text + col + 1, text + col, static_cast<size_t>(length - col - 1));
    text[col] = ch;
    ShowBlockLine(line);
    if (!Numbered()) break;
    if (IsContinuation(line + 1)) {
      ++line;
    } else if (out != ' ') {
      LineStore.InsertLine(line + 1);
      if (uint8_t* added = LineStore.LineAt(line + 1)) added[-1] = kLineContinues;
      ++line;
      ++B.highestLine;
      ShowBlockRows();
    } else {
      break;
    }
    col = 0;
    ch = out;
  }
  LineStore.UnlockAll();
}

// Overtype past the end of a "*** " comment line: its last word moves to a
// new comment line below, and typing goes on after it.
bool CommentWrap(uint8_t ch) {
  const int line = B.curLine;
  if (IsContinuation(line) || IsContinuation(line + 1)) return false;
  uint8_t* text = LineStore.LineAt(line);
  if (!text || std::memcmp(text, "*** ", 4) != 0) return false;
  int blank = Length() - 1;
  while (blank >= 4 && text[blank] != ' ') --blank;
  if (blank < 4) return false;
  uint8_t word[256];
  const int wordLength = Length() - 1 - blank;
  std::memcpy(word, text + blank + 1, static_cast<size_t>(wordLength));
  std::memset(text + blank + 1, ' ', static_cast<size_t>(wordLength));
  MarkChanged(line);
  FlushChange();
  LineStore.InsertLine(line + 1);
  QueueInsertRecord(line + 1);
  uint8_t* next = LineStore.LineAt(line + 1);
  if (!next) return true;
  std::memcpy(next, "*** ", 4);
  std::memcpy(next + 4, word, static_cast<size_t>(wordLength));
  int col = 4 + wordLength;
  if (col < Length()) next[col++] = ch;
  LineStore.UnlockAll();
  ++B.highestLine;
  MarkChanged(line + 1);
  ShowBlockRows();
  MoveTo(line + 1, col);
  return true;
}

void TypeCharacter(uint8_t ch) {
  if (B.curCol >= Length()) {
    // Past the end (numbered kind only).
    if (!E.insert && CommentWrap(ch)) return;
    if (!IsContinuation(B.curLine + 1)) {
      LineStore.InsertLine(B.curLine + 1);
      if (uint8_t* added = LineStore.LineAt(B.curLine + 1)) added[-1] = kLineContinues;
      ++B.highestLine;
      ShowBlockRows();
    }
    B.curLine += 1;
    B.curCol = 0;
  }
  uint8_t* text = LineStore.LineAt(B.curLine);
  if (!text) {
    LocalBell();
    return;
  }
  if (E.insert) {
    InsertInto(B.curLine, B.curCol, ch);
  } else {
    text[B.curCol] = ch;
    ShowBlockLine(B.curLine);
  }
  LineStore.UnlockAll();
  MarkChanged(B.curLine);
  MoveTo(B.curLine, B.curCol + 1);
}

// Remove the character at col; the rest of the line moves left.
void DeleteAt(int line, int col) {
  uint8_t* text = LineStore.LineAt(line);
  if (!text || col >= Length()) return;
  std::memmove(text + col, text + col + 1, static_cast<size_t>(Length() - col - 1));
  text[Length() - 1] = ' ';
  LineStore.UnlockAll();
  MarkChanged(line);
  ShowBlockLine(line);
}

void Backspace() {
  if (B.curCol == 0) return;
  const int col = B.curCol - 1;
  if (E.insert) {
    DeleteAt(B.curLine, col);
  } else if (uint8_t* text = LineStore.LineAt(B.curLine)) {
    if (col < Length()) text[col] = ' ';
    LineStore.UnlockAll();
    MarkChanged(B.curLine);
    ShowBlockLine(B.curLine);
  }
  MoveTo(B.curLine, col);
}

// ---- Lines -------------------------------------------------------------------

void InsertBlankLine() {
  FlushChange();
  const int at = GroupStart(B.curLine);
  if (!LineStore.LineAt(at)) {
    LocalBell();
    return;
  }
  LineStore.InsertLine(at);
  QueueInsertRecord(at);
  ++B.highestLine;
  ShowBlockRows();
  MoveTo(at, 0);
}

void DeleteGroup(bool record) {
  const int at = GroupStart(B.curLine);
  const int n = GroupLength(at);
  if (E.changedGroup == at) E.changedGroup = -1;
  FlushChange();
  if (record) QueueDeleteRecord(at);
  for (int i = 0; i < n; ++i) LineStore.DeleteLine(at);
  B.highestLine -= n;
  if (B.highestLine < -1) B.highestLine = -1;
  ShowBlockRows();
  MoveTo(at, 0);
}

void CopyGroup() {
  const int at = GroupStart(B.curLine);
  int n = GroupLength(at);
  if (n > 4) n = 4;
  E.copiedLines = 0;
  for (int i = 0; i < n; ++i) {
    uint8_t* text = LineStore.LineAt(at + i);
    if (!text) break;
    std::memcpy(E.copied[i], text, static_cast<size_t>(Length()));
    E.copiedFlags[i] = LineFlag(text);
    ++E.copiedLines;
  }
  LineStore.UnlockAll();
}

void PasteGroup() {
  if (E.copiedLines == 0) return;
  FlushChange();
  const int at = GroupStart(B.curLine);
  for (int i = 0; i < E.copiedLines; ++i) {
    LineStore.InsertLine(at + i);
    uint8_t* text = LineStore.LineAt(at + i);
    if (!text) break;
    std::memcpy(text, E.copied[i], static_cast<size_t>(Length()));
    text[-1] = i == 0 ? kLineFresh : E.copiedFlags[i];
    ++B.highestLine;
  }
  LineStore.UnlockAll();
  QueueInsertRecord(at);
  QueueLineRecord(at);
  ShowBlockRows();
  MoveTo(at, 0);
}

// ---- Search ----------------------------------------------------------------

bool WordCharacter(uint8_t c) { return std::isalnum(c) || c == '.'; }

bool MatchAt(const uint8_t* text, int col, const char* pattern, int n) {
  if (col + n > Length()) return false;
  for (int i = 0; i < n; ++i) {
    uint8_t a = text[col + i];
    uint8_t b = static_cast<uint8_t>(pattern[i]);
    if (!E.matchCase) {
      a = static_cast<uint8_t>(std::tolower(a));
      b = static_cast<uint8_t>(std::tolower(b));
    }
    if (a != b) return false;
  }
  if (E.wholeWord) {
    if (col > 0 && WordCharacter(text[col - 1])) return false;
    if (col + n < Length() && WordCharacter(text[col + n])) return false;
  }
  return true;
}

// Forward (or backward) from (line, col) through the following lines.
void Search(int line, int col, bool up) {
  const int n = static_cast<int>(std::strlen(E.findText));
  E.notFound = false;
  if (n == 0) return;
  const int last = B.highestLine;
  for (int l = line; l >= 0 && l <= last; l += up ? -1 : 1) {
    uint8_t* text = LineStore.LineAt(l);
    if (!text) break;
    int from = l == line ? col : (up ? Length() - 1 : 0);
    for (int c = from; up ? c >= 0 : c < Length(); c += up ? -1 : 1) {
      if (c >= 0 && MatchAt(text, c, E.findText, n)) {
        LineStore.UnlockAll();
        MoveTo(l, c);
        return;
      }
    }
  }
  LineStore.UnlockAll();
  E.notFound = true;
  LocalBell();
}

void ShowPrompt() {
  uint8_t row[kScreenCols];
  std::memset(row, ' ', sizeof row);
  std::memcpy(row, kFindPrompt, sizeof kFindPrompt - 1);
  const int n = static_cast<int>(std::strlen(E.entry));
  std::memcpy(row + kPromptTextCol, E.entry, static_cast<size_t>(n));
  WriteText(0, 0, row, kScreenCols);
  Screen.win.cursorCol = static_cast<int16_t>(kPromptTextCol + n < kScreenCols ? kPromptTextCol + n : kScreenCols - 1);
  Screen.win.cursorRow = 0;
  CursorMoved();
}

int FindPromptKey(int32_t code);

void OpenPrompt(int fromLine) {
  WindowPlacement w{0, 0, kScreenCols, 1, kNoBorderStyle, {1, 1, 1, 1}};
  FitPlacement(w, false);
  if (!OpenSavedWindow(w, true)) return;
  E.prompting = true;
  E.promptFresh = true;
  E.searchFrom = fromLine;
  std::memcpy(E.entry, E.findText, sizeof E.entry);
  ShowPrompt();
  ShowState();
  TakeKeyboard(FindPromptKey, kFindPromptMode);
}

void ClosePrompt(bool search) {
  E.prompting = false;
  CloseOneWindowStep();
  TakeKeyboard(LocalEditKey, kLocalEditMode);
  if (search) {
    if (E.entry[0]) std::memcpy(E.findText, E.entry, sizeof E.findText);
    const int col = E.searchFrom == B.curLine ? B.curCol : 0;
    Search(E.searchFrom, col, false);
  }
  PlaceBlockCursor();
  ShowState();
}

void PromptKey(int32_t code) {
  const int room = kScreenCols - kPromptTextCol - 1;
  int n = static_cast<int>(std::strlen(E.entry));
  if (code == keycode::kEnter) {
    ClosePrompt(true);
  } else if (code == keycode::kEscape) {
    ClosePrompt(false);
  } else if (code == keycode::kBackspace) {
    if (n > 0) E.entry[n - 1] = 0;
    E.promptFresh = false;
    ShowPrompt();
  } else if (code >= 32 && code <= 255 && code != 127) {
    if (E.promptFresh) {
      E.entry[0] = 0;
      n = 0;
      E.promptFresh = false;
    }
    if (n < room && n < kFindTextSize - 1) {
      E.entry[n] = static_cast<char>(code);
      E.entry[n + 1] = 0;
    }
    ShowPrompt();
  }
}

int FindPromptKey(int32_t code) {
  if (E.active && E.prompting) PromptKey(code);
  FinishKey();
  return 1;
}

void FindRequest() {
  char find[kFindTextSize];
  uint8_t flags = 0;
  if (!Engine.keyboard->TakeFindRequest(find, sizeof find, &flags)) return;
  find[sizeof find - 1] = 0;
  std::memcpy(E.findText, find, sizeof E.findText);
  E.matchCase = (flags & 8) != 0;
  E.wholeWord = (flags & 16) != 0;
  const bool up = (flags & 1) != 0;
  Search(B.curLine, up ? B.curCol - 1 : B.curCol + 1, up);
}

// ---- Ending ------------------------------------------------------------------

void EndEdit(int code) {
  FlushChange();
  E.active = false;
  E.insert = false;
  E.altPrefix = false;
  ReleaseKeyboard();
  Engine.keyboard->SetLocalEditing(false);
  Screen.statusGlyph = 0;
  UpdateSpinner();
  SendEditRecords(code);
}

int EndingCode(int32_t code) {
  if (code == keycode::kEscape) return 27;
  if (code >= keycode::kCtrlF1 && code <= keycode::kCtrlF12) return code - 911;
  if (code >= keycode::kAltF1 && code <= keycode::kAltF12) return code - 935;
  if (code == keycode::kDdeRequest) return 153;
  return -1;
}

// 1070 makes the next letter its Alt form; the Alt forms and Alt+Insert /
// Alt+Delete are the mode's commands.
int32_t Normalise(int32_t code) {
  if (E.altPrefix) {
    E.altPrefix = false;
    if (code >= 'a' && code <= 'z') code -= 'a' - 'A';
    if (code >= 'A' && code <= 'Z') code += keycode::kAltBase;
  }
  switch (code) {
    case keycode::kAltBase + 'L': return kFindFromTop;
    case keycode::kAltBase + 'S': return kFindFromHere;
    case keycode::kAltBase + 'A': return kFindAgain;
    case keycode::kAltBase + 'C': return kCopyLine;
    case keycode::kAltBase + 'M': return kMoveLine;
    case keycode::kAltBase + 'P': return kPasteLine;
    case keycode::kAltBase + 'R': return kFindDialog;
    case keycode::kAltInsert: return kInsertLine;
    case keycode::kAltDelete: return kDeleteLine;
    default: return code;
  }
}

void HandleKey(int32_t raw) {
  if (raw == keycode::kAltAlone) {
    E.altPrefix = !E.altPrefix;
    return;
  }
  const int32_t code = Normalise(raw);
  const int ending = EndingCode(code);
  if (ending >= 0) {
    EndEdit(ending);
    return;
  }
  const int half = B.rows / 2 > 0 ? B.rows / 2 : 1;
  switch (code) {
    case keycode::kHostEot: {
      static const uint8_t kAck[] = {0x06, '\n'};
      AppendBytes(kAck, 2);
      return;
    }
    case keycode::kInsert: E.insert = !E.insert; return;
    case keycode::kPageUp: Scroll(-B.rows); return;
    case keycode::kPageDown: Scroll(B.rows); return;
    case keycode::kShiftPageUp: Scroll(-half); return;
    case keycode::kShiftPageDown: Scroll(half); return;
    case keycode::kDown: MoveTo(B.curLine + 1, B.curCol); return;
    case keycode::kUp: MoveTo(B.curLine - 1, B.curCol); return;
    case keycode::kLeft: MoveTo(B.curLine, B.curCol - 1); return;
    case keycode::kRight: MoveTo(B.curLine, B.curCol + 1); return;
    case keycode::kHome: MoveTo(B.curLine, 0); return;
    case keycode::kEnd: {
      uint8_t* text = LineStore.LineAt(B.curLine);
      const int end = text ? LineTextLength(text, Length()) : 0;
      LineStore.UnlockAll();
      MoveTo(B.curLine, end);
      return;
    }
    case keycode::kShiftHome: MoveTo(0, 0); return;
    case keycode::kShiftEnd: MoveTo(B.highestLine < 0 ? 0 : B.highestLine, 0); return;
    case keycode::kEnter: {
      const int group = GroupStart(B.curLine);
      MoveTo(group + GroupLength(group), 0);
      return;
    }
    case keycode::kBackspace: Backspace(); return;
    case keycode::kDelete: DeleteAt(B.curLine, B.curCol); return;
    case kContinuationRefused:
      if (Numbered() && IsContinuation(B.curLine)) LocalBell();
      return;
    case kInsertLine: InsertBlankLine(); return;
    case kDeleteLine: DeleteGroup(true); return;
    case kCopyLine: CopyGroup(); return;
    case kMoveLine:
      CopyGroup();
      DeleteGroup(true);
      return;
    case kPasteLine: PasteGroup(); return;
    case kFindFromTop: OpenPrompt(0); return;
    case kFindFromHere: OpenPrompt(B.curLine); return;
    case kFindAgain: Search(B.curLine, B.curCol + 1, false); return;
    case kFindDialog: Engine.keyboard->OpenFindDialog(); return;
    case keycode::kFindRequest: FindRequest(); return;
    default: break;
  }
  if (code >= 32 && code <= 255 && code != 127) TypeCharacter(static_cast<uint8_t>(code));
}

}  // namespace

uint8_t LocalEditStatusGlyph() {
  int state = E.insert ? 1 : 0;
  if (E.altPrefix) state += 2;
  if (E.prompting) state = 4;
  if (E.notFound) state = 5;
  return kStateGlyphs[state];
}

int LocalEditKey(int32_t code) {
  if (Still()) {
    // A failed search shows until the next key.
    E.notFound = false;
    HandleKey(code);
    if (E.active) ShowState();
  }
  FinishKey();
  return 1;
}

void StartLocalEdit() {
  // The last search text stays for the next block.
  char findText[kFindTextSize];
  std::memcpy(findText, E.findText, sizeof findText);
  E = LocalEditState{};
  std::memcpy(E.findText, findText, sizeof findText);
  E.active = true;
  E.changedGroup = -1;
  MarkHostBusy();
  Engine.keyboard->SetLocalEditing(true);
  TakeKeyboard(LocalEditKey, kLocalEditMode);
  ShowState();
  PlaceBlockCursor();
  DeliverBlockStartInput(LocalEditKey, Still);
  FinishKey();
}

void AbandonLocalEdit(bool release) {
  if (!E.active) return;
  if (E.prompting) CloseOneWindowStep();
  E.active = false;
  E.prompting = false;
  if (release) {
    ReleaseKeyboard();
    Engine.keyboard->SetLocalEditing(false);
  }
  Screen.statusGlyph = 0;
  UpdateSpinner();
}
