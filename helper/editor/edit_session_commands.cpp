// The edit session's commands beyond typing: selection, undo, paste, line
// commands, bookmarks, finds, navigation, host requests and the comment block.
#include <algorithm>

#include "edit_labels.h"
#include "edit_session.h"
#include "edit_syntax.h"
#include "edit_text_ops.h"

namespace {

// Runs a command that may queue many operations as one: the terminal hears
// of them once at the end.
class Bulk {
 public:
  explicit Bulk(EditSession& s) : s_(s) { s_.BeginBulk(); }
  ~Bulk() { s_.EndBulk(); }
  Bulk(const Bulk&) = delete;
  Bulk& operator=(const Bulk&) = delete;

 private:
  EditSession& s_;
};

int LineLength(const EditLines& lines, int line) {
  return lines.Exists(line) ? static_cast<int>(lines.At(line).size()) : 0;
}

}  // namespace

// ---- selection ----

bool EditSession::HasSelection() const {
  if (block_) return blockAnchorColumn_ != blockColumn_;
  return anchorLine_ != caretLine_ || anchorColumn_ != caretColumn_;
}

void EditSession::Select(int anchorLine, int anchorColumn, int line, int column) {
  MoveCaret(line, column);
  const int last = lines_.Count() - 1;
  anchorLine = std::max(0, std::min(anchorLine, last));
  anchorColumn = std::max(0, std::min(anchorColumn, LineLength(lines_, anchorLine)));
  anchorLine_ = anchorLine;
  anchorColumn_ = anchorColumn;
}

void EditSession::ClearSelection() {
  block_ = false;
  anchorLine_ = caretLine_;
  anchorColumn_ = caretColumn_;
}

void EditSession::SelectAll() {
  const int last = lines_.Count() - 1;
  if (last < 0) return;
  Select(0, 0, last, LineLength(lines_, last));
}

void EditSession::SelectionBounds(int& line0, int& column0, int& line1, int& column1) const {
  if (block_) {
    BlockBounds(line0, column0, line1, column1);
    return;
  }
  const bool anchorFirst =
      anchorLine_ < caretLine_ || (anchorLine_ == caretLine_ && anchorColumn_ <= caretColumn_);
  line0 = anchorFirst ? anchorLine_ : caretLine_;
  column0 = anchorFirst ? anchorColumn_ : caretColumn_;
  line1 = anchorFirst ? caretLine_ : anchorLine_;
  column1 = anchorFirst ? caretColumn_ : anchorColumn_;
}

void EditSession::SelectedLines(int& first, int& last) const {
  if (!block_ && !HasSelection()) {
    first = last = caretLine_;
    return;
  }
  int c0 = 0, c1 = 0;
  SelectionBounds(first, c0, last, c1);
  if (!block_ && last > first && c1 == 0) --last;
}

bool EditSession::SelectionSpansLines() const {
  if (!block_ && !HasSelection()) return false;
  int first = 0, last = 0;
  SelectedLines(first, last);
  return last > first;
}

namespace {
// Columns of a block are kept within this (a caret corner far out of reach).
constexpr int kBlockColumnLimit = 1 << 20;
int ClampBlockColumn(int column) { return std::max(0, std::min(column, kBlockColumnLimit)); }
}  // namespace

void EditSession::SelectBlock(int anchorLine, int anchorColumn, int line, int column) {
  if (lines_.Count() == 0) return;
  MoveCaret(line, column);
  anchorLine_ = std::max(0, std::min(anchorLine, lines_.Count() - 1));
  // The stream anchor is the block's anchor corner within its line, where a
  // Shift+arrow selection then starts from.
  anchorColumn_ = std::max(0, std::min(anchorColumn, LineLength(lines_, anchorLine_)));
  block_ = true;
  blockAnchorColumn_ = ClampBlockColumn(anchorColumn);
  blockColumn_ = ClampBlockColumn(column);
}

void EditSession::ExtendBlock(int lines, int columns) {
  const int anchorLine = block_ ? anchorLine_ : caretLine_;
  const int anchorColumn = block_ ? blockAnchorColumn_ : caretColumn_;
  const int column = ClampBlockColumn(CaretShownColumn()) + columns;
  SelectBlock(anchorLine, anchorColumn, caretLine_ + lines, column);
}

void EditSession::BlockBounds(int& line0, int& column0, int& line1, int& column1) const {
  if (!block_) {
    line0 = line1 = caretLine_;
    column0 = column1 = caretColumn_;
    return;
  }
  line0 = std::min(anchorLine_, caretLine_);
  line1 = std::max(anchorLine_, caretLine_);
  column0 = std::min(blockAnchorColumn_, blockColumn_);
  column1 = std::max(blockAnchorColumn_, blockColumn_);
}

std::string EditSession::SelectedText() const {
  if (!HasSelection()) return std::string();
  int l0, c0, l1, c1;
  SelectionBounds(l0, c0, l1, c1);
  std::string out;
  for (int l = l0; l <= l1 && lines_.Exists(l); ++l) {
    const std::string& text = lines_.At(l);
    if (block_) {
      // One row per line; no spaces are added past a line's end.
      const size_t from = std::min(static_cast<size_t>(c0), text.size());
      const size_t to = std::min(static_cast<size_t>(c1), text.size());
      out.append(text, from, to - from);
      if (l < l1) out += "\r\n";
      continue;
    }
    const size_t from = l == l0 ? std::min(static_cast<size_t>(c0), text.size()) : 0;
    const size_t to = l == l1 ? std::min(static_cast<size_t>(c1), text.size()) : text.size();
    out.append(text, from, to > from ? to - from : 0);
    if (l < l1) out += "\r\n";
  }
  return out;
}

bool EditSession::DeleteSelection() {
  if (!HasSelection() || EditingRefused()) return false;
  int l0, c0, l1, c1;
  if (block_) return DeleteBlock();
  SelectionBounds(l0, c0, l1, c1);
  Bulk bulk(*this);
  MoveCaret(l0, c0);
  if (l0 == l1) {
    if (!BeginLineEdit()) return false;
    lines_.At(l0).erase(static_cast<size_t>(c0), static_cast<size_t>(c1 - c0));
  } else {
    const std::string joined = lines_.At(l0).substr(0, static_cast<size_t>(c0)) +
                               lines_.At(l1).substr(std::min(static_cast<size_t>(c1), lines_.At(l1).size()));
    ReplaceLine(l0, joined);
    DeleteLines(l0 + 1, l1 - l0);
  }
  caretLine_ = l0;
  caretColumn_ = c0;
  ClearSelection();
  return true;
}

bool EditSession::DeleteBlock() {
  int l0, c0, l1, c1;
  BlockBounds(l0, c0, l1, c1);
  Bulk bulk(*this);
  // Each line that reaches into the block loses its columns: one "r" each.
  for (int l = l0; l <= l1 && lines_.Exists(l); ++l) {
    std::string text = lines_.At(l);
    if (text.size() <= static_cast<size_t>(c0)) continue;
    text.erase(static_cast<size_t>(c0), std::min(static_cast<size_t>(c1), text.size()) - static_cast<size_t>(c0));
    if (!ReplaceLine(l, text)) return false;
  }
  MoveCaret(l0, c0);
  return true;
}

// ---- editing commands ----

bool EditSession::CanUndo() const { return !EditingRefused() && pendingLine_ >= 0 && pendingLine_ == caretLine_; }

bool EditSession::Undo() {
  if (!CanUndo()) return false;
  lines_.At(caretLine_) = pendingOriginal_;
  pendingLine_ = -1;
  caretColumn_ = std::min(caretColumn_, LineLength(lines_, caretLine_));
  ClearSelection();
  return true;
}

bool EditSession::Paste(const std::string& text) {
  if (EditingRefused()) return false;
  Bulk bulk(*this);
  if (HasSelection() && !DeleteSelection()) return false;
  const std::vector<std::string> pieces = SplitPastedText(text);
  if (!BeginLineEdit()) return false;
  const int line = caretLine_;
  std::string& current = lines_.At(line);
  const size_t column = std::min(static_cast<size_t>(caretColumn_), current.size());
  if (pieces.size() == 1) {
    current.insert(column, pieces[0]);
    caretColumn_ = static_cast<int>(column + pieces[0].size());
    lines_.NoteWidth(static_cast<int>(current.size()));
    ClearSelection();
    return true;
  }
  const std::string tail = current.substr(column);
  current.resize(column);
  current += pieces[0];
  lines_.NoteWidth(static_cast<int>(current.size()));
  FlushLineChange();
  std::vector<std::string> rest(pieces.begin() + 1, pieces.end());
  const int lastColumn = static_cast<int>(rest.back().size());
  rest.back() += tail;
  InsertLines(line + 1, rest);
  caretLine_ = line + static_cast<int>(rest.size());
  caretColumn_ = lastColumn;
  ClearSelection();
  return true;
}

namespace {
template <typename Change>
bool ChangeSelectedLines(EditSession& s, Change change) {
  if (s.EditingRefused() || s.Lines().Count() == 0) return false;
  int first = 0, last = 0;
  s.SelectedLines(first, last);
  s.BeginBulk();
  for (int l = first; l <= last; ++l) {
    std::string text = s.Lines().At(l);
    if (change(text)) s.ReplaceLine(l, text);
  }
  s.EndBulk();
  return true;
}
}  // namespace

bool EditSession::Indent() {
  return ChangeSelectedLines(*this, [](std::string& t) {
    t = WithIndent(t, NextIndentStop(IndentOf(t)));
    return true;
  });
}

bool EditSession::Unindent() {
  // A line without indentation stays as it is; the other lines still move.
  return ChangeSelectedLines(*this, [](std::string& t) {
    const int indent = IndentOf(t);
    if (indent == 0) return false;
    t = WithIndent(t, PreviousIndentStop(indent));
    return true;
  });
}

bool EditSession::Tab() {
  if (EditingRefused()) return false;
  if (SelectionSpansLines()) return Indent();
  if (HasSelection() && !DeleteSelection()) return false;
  ClearSelection();
  const int stop = NextIndentStop(caretColumn_);
  if (insertMode_) {
    while (caretColumn_ < stop) {
      if (!TypeCharacterAtCaret(' ')) return false;
    }
    return true;
  }
  const int length = LineLength(lines_, caretLine_);
  if (lines_.Count() == 0 || stop > length) {
    if (!BeginLineEdit()) return false;
    std::string& line = lines_.At(caretLine_);
    if (static_cast<int>(line.size()) < stop) line.resize(static_cast<size_t>(stop), ' ');
    lines_.NoteWidth(static_cast<int>(line.size()));
  }
  caretColumn_ = stop;
  ClearSelection();
  return true;
}

bool EditSession::BackTab() {
  if (SelectionSpansLines()) return Unindent();
  MoveCaret(caretLine_, PreviousIndentStop(caretColumn_));
  return true;
}

bool EditSession::CommentLines() {
  return ChangeSelectedLines(*this, [](std::string& t) {
    t = CommentedLine(t);
    return true;
  });
}

bool EditSession::UncommentLines() {
  return ChangeSelectedLines(*this, [](std::string& t) { return UncommentLine(t); });
}

bool EditSession::CopyLines(std::string& out, size_t limit) const {
  out.clear();
  if (lines_.Count() == 0) return true;
  int first = 0, last = 0;
  SelectedLines(first, last);
  std::vector<std::string> texts;
  for (int l = first; l <= last; ++l) texts.push_back(lines_.At(l));
  return CopyLinesText(texts, first, limit, out);
}

bool EditSession::TypeNumPad(int key, bool ctrl, bool alt) {
  const int byte = NumPadByte(key, ctrl, alt, prefs.numPad != 0);
  if (byte < 0) return false;
  return TypeCharacter(static_cast<unsigned char>(byte));
}

bool EditSession::ReplaceLine(int line, const std::string& text) {
  if (EditingRefused() || !lines_.Exists(line)) return false;
  FlushLineChange();
  if (lines_.At(line) == text) return true;
  lines_.At(line) = text;
  lines_.NoteWidth(static_cast<int>(text.size()));
  modified_ = true;
  QueueReplace(line);
  if (caretLine_ == line) caretColumn_ = std::min(caretColumn_, static_cast<int>(text.size()));
  return true;
}

bool EditSession::InsertLines(int at, const std::vector<std::string>& texts) {
  if (EditingRefused() || texts.empty()) return false;
  at = std::max(0, std::min(at, lines_.Count()));
  const int count = static_cast<int>(texts.size());
  Bulk bulk(*this);
  FlushLineChange();
  QueueStructural(kOpInsert, at, count);
  for (int i = 0; i < count; ++i) lines_.Insert(at + i, std::string());
  LinesInserted(at, count);
  if (caretLine_ >= at && lines_.Count() > count) caretLine_ += count;
  modified_ = true;
  // The host inserts empty lines; the texts follow as replaces.
  for (int i = 0; i < count; ++i) {
    if (texts[static_cast<size_t>(i)].empty()) continue;
    lines_.At(at + i) = texts[static_cast<size_t>(i)];
    lines_.NoteWidth(static_cast<int>(texts[static_cast<size_t>(i)].size()));
    QueueReplace(at + i);
  }
  ClearSelection();
  return true;
}

bool EditSession::DeleteLines(int at, int count) {
  if (EditingRefused() || !lines_.Exists(at) || count <= 0) return false;
  count = std::min(count, lines_.Count() - at);
  FlushLineChange();
  QueueStructural(kOpDelete, at, count);
  for (int i = 0; i < count; ++i) lines_.Erase(at);
  LinesDeleted(at, count);
  if (caretLine_ >= at + count) {
    caretLine_ -= count;
  } else if (caretLine_ >= at) {
    caretLine_ = at;
    caretColumn_ = 0;
  }
  if (caretLine_ >= lines_.Count()) caretLine_ = std::max(0, lines_.Count() - 1);
  caretColumn_ = std::min(caretColumn_, LineLength(lines_, caretLine_));
  modified_ = true;
  ClearSelection();
  return true;
}

void EditSession::LinesInserted(int at, int count) {
  bookmarks_.LinesInserted(at, count);
  founds_.LinesInserted(at, count);
  for (int& l : history_) {
    if (l >= at) l += count;
  }
  lastHit_ = FindHit();
}

void EditSession::LinesDeleted(int at, int count) {
  bookmarks_.LinesDeleted(at, count);
  founds_.LinesDeleted(at, count);
  std::vector<int> kept;
  for (int l : history_) {
    if (l < at) kept.push_back(l);
    else if (l >= at + count) kept.push_back(l - count);
  }
  history_.swap(kept);
  lastHit_ = FindHit();
}

// ---- bookmarks ----

bool EditSession::GoToNextBookmark() {
  const int line = bookmarks_.NextAfter(caretLine_);
  if (line < 0) return false;
  MoveCaret(line, 0);
  return true;
}

// ---- find and replace ----

bool EditSession::SelectMatch(const FindHit& hit) {
  Select(hit.line, hit.column, hit.line, hit.column + hit.length);
  lastHit_ = hit;
  return true;
}

namespace {
bool SelectionIsHit(const EditSession& s, const FindHit& hit) {
  if (hit.line < 0) return false;
  int l0, c0, l1, c1;
  s.SelectionBounds(l0, c0, l1, c1);
  return l0 == hit.line && l1 == hit.line && c0 == hit.column && c1 == hit.column + hit.length;
}
}  // namespace

bool EditSession::Find(const FindRequest& request, bool repeat, bool reverse) {
  if (request.what.empty() || lines_.Count() == 0) return false;
  FlushLineChange();
  FindRequest r = request;
  if (reverse) r.options.down = !r.options.down;
  const TextSearch search(r.what, r.options);
  int first = 0, last = lines_.Count() - 1;
  int line = caretLine_, column = caretColumn_;
  const bool atMatch = SelectionIsHit(*this, lastHit_);
  const bool down = r.options.down;
  if (request.inSelection) {
    // The selected lines when the search began; a match selected since
    // does not narrow them.
    if (!atMatch) {
      findFirst_ = 0, findLast_ = lines_.Count() - 1;
      if (HasSelection()) SelectedLines(findFirst_, findLast_);
    }
    first = std::max(0, findFirst_);
    last = std::min(lines_.Count() - 1, findLast_);
  }
  if (atMatch) {
    // From a match the search goes on past it (before it, going up).
    line = lastHit_.line;
    column = down ? lastHit_.column + 1 : lastHit_.column;
  } else if ((request.fromTop && !repeat) || request.inSelection) {
    line = down ? first : last;
    column = down ? 0 : -1;
  } else if (!down && HasSelection()) {
    int l1, c1;
    SelectionBounds(line, column, l1, c1);
  }
  lastFind_ = request;
  FindHit hit;
  if (!FindFrom(lines_, search, line, column, first, last, repeat, hit)) return false;
  return SelectMatch(hit);
}

bool EditSession::FindAgain(bool reverse) {
  if (!HasLastFind()) return false;
  const FindRequest request = lastFind_;
  return Find(request, true, reverse);
}

int EditSession::MarkAll(const FindRequest& request) {
  if (request.what.empty()) return 0;
  FlushLineChange();
  int first = 0, last = lines_.Count() - 1;
  if (request.inSelection && HasSelection()) SelectedLines(first, last);
  const std::vector<int> found = MatchingLines(lines_, TextSearch(request.what, request.options), first, last);
  for (int l : found) founds_.Set(l);
  lastFind_ = request;
  return static_cast<int>(found.size());
}

bool EditSession::ReplaceNext(const FindRequest& request, const std::string& with) {
  if (EditingRefused()) return false;
  const TextSearch search(request.what, request.options);
  if (!search.Valid()) return false;
  bool replaced = false;
  if (SelectionIsHit(*this, lastHit_) && search.Forward(lines_.At(lastHit_.line), lastHit_.column) == lastHit_.column) {
    const FindHit hit = lastHit_;
    std::string text = lines_.At(hit.line);
    text.replace(static_cast<size_t>(hit.column), static_cast<size_t>(hit.length), with);
    ReplaceLine(hit.line, text);
    const int after = hit.column + static_cast<int>(with.size());
    MoveCaret(hit.line, request.options.down ? after : hit.column);
    lastHit_ = FindHit();
    replaced = true;
  }
  FindRequest next = request;
  next.fromTop = false;
  return Find(next) || replaced;
}

int EditSession::ReplaceAll(const FindRequest& request, const std::string& with) {
  if (EditingRefused()) return 0;
  const TextSearch search(request.what, request.options);
  if (!search.Valid()) return 0;
  FlushLineChange();
  int first = 0, last = lines_.Count() - 1;
  if (request.inSelection && HasSelection()) SelectedLines(first, last);
  Bulk bulk(*this);
  int changed = 0;
  std::string text;
  for (int l = first; l <= last; ++l) {
    if (search.First(lines_.At(l)) < 0) continue;
    text = lines_.At(l);
    if (ReplaceInLine(text, search, with) > 0 && ReplaceLine(l, text)) ++changed;
  }
  lastFind_ = request;
  lastHit_ = FindHit();
  return changed;
}

// ---- navigation ----

bool EditSession::GoToLine(int number) {
  if (lines_.Count() == 0) return false;
  number = std::max(1, std::min(number, lines_.Count()));
  MoveCaret(number - 1, 0);
  return true;
}

void EditSession::RememberPosition() {
  history_.push_back(caretLine_);
  if (static_cast<int>(history_.size()) > kHistoryDepth) history_.erase(history_.begin());
}

bool EditSession::GoToLastPosition() {
  if (history_.empty()) return false;
  const int line = history_.back();
  history_.pop_back();
  MoveCaret(line, 0);
  return true;
}

bool EditSession::WordBounds(int& start, int& end) const {
  if (!lines_.Exists(caretLine_)) return false;
  const std::string& text = lines_.At(caretLine_);
  size_t a = std::min(static_cast<size_t>(caretColumn_), text.size());
  size_t b = a;
  while (a > 0 && IsIdentifierChar(static_cast<unsigned char>(text[a - 1]))) --a;
  while (b < text.size() && IsIdentifierChar(static_cast<unsigned char>(text[b]))) ++b;
  start = static_cast<int>(a);
  end = static_cast<int>(b);
  return b > a;
}

std::string EditSession::WordAtCaret() const {
  int start = 0, end = 0;
  if (!WordBounds(start, end)) return std::string();
  return lines_.At(caretLine_).substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

bool EditSession::SearchWordAtCaret(bool wholeFile, const FindOptions& options) {
  FindRequest r;
  r.what = WordAtCaret();
  if (r.what.empty()) return false;
  r.options = options;
  r.options.wholeWord = true;
  r.options.down = true;
  r.fromTop = wholeFile;
  int start = 0, end = 0;
  WordBounds(start, end);
  // From the top, or on past the word the caret is in.
  MoveCaret(caretLine_, end);
  return Find(r);
}

bool EditSession::CanReplaceWordAtCaret() const {
  int start = 0, end = 0;
  return !EditingRefused() && WordBounds(start, end);
}

bool EditSession::ReplaceWordAtCaret(const std::string& text) {
  int start = 0, end = 0;
  if (!CanReplaceWordAtCaret() || !WordBounds(start, end)) return false;
  std::string line = lines_.At(caretLine_);
  line.replace(static_cast<size_t>(start), static_cast<size_t>(end - start), text);
  const int lineIndex = caretLine_;
  if (!ReplaceLine(lineIndex, line)) return false;
  MoveCaret(lineIndex, start + static_cast<int>(text.size()));
  return true;
}

bool EditSession::GoToLabel(const std::string& name) {
  const int line = FindLabelLine(lines_, name);
  if (line < 0) return false;
  RememberPosition();
  MoveCaret(line, 0);
  return true;
}

// ---- host requests ----

bool EditSession::QueueRequest(int code, int type) {
  if (viewOnly_ || requestPending_) return false;
  FlushLineChange();
  Enqueue(code, 0, 0, WordAtCaret());
  if (type >= 0) {
    requestPending_ = true;
    requestType_ = type;
  }
  return true;
}

// Help sets no request pending: its answer goes to the terminal's own window.
bool EditSession::RequestHelp() { return QueueRequest(kOpHelp, -1); }
bool EditSession::RequestFunction() { return QueueRequest(kOpFunction, kRequestFunction); }
bool EditSession::RequestEditProgram() { return QueueRequest(kOpEditProgram, kRequestMessage); }
bool EditSession::RequestViewProgram() { return QueueRequest(kOpViewProgram, kRequestMessage); }

// ---- the comment block ----

ProgramComment EditSession::ReadComment(int* consumed) const {
  ProgramComment c;
  const int n = ReadCommentBlock(lines_, c);
  if (consumed) *consumed = n;
  return c;
}

bool EditSession::ApplyComment(const ProgramComment& comment) {
  if (EditingRefused()) return false;
  FlushLineChange();
  int consumed = 0;
  ReadComment(&consumed);
  const std::vector<std::string> block = WriteCommentBlock(comment);
  const int written = static_cast<int>(block.size());
  Bulk bulk(*this);
  const int common = std::min(consumed, written);
  for (int i = 0; i < common; ++i) ReplaceLine(i, block[static_cast<size_t>(i)]);
  if (written > consumed) {
    InsertLines(consumed, std::vector<std::string>(block.begin() + consumed, block.end()));
  } else if (consumed > written) {
    DeleteLines(written, consumed - written);
  }
  return true;
}

EditStatus EditSession::Status() const {
  return EditStatus{caretLine_ + 1, caretColumn_ + 1, insertMode_, LineChangePending() || !queue_.Empty(),
                    !queue_.Empty(), modified_ || !queue_.Empty(), viewOnly_};
}
