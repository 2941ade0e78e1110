// The edit session's commands beyond typing: selection, undo, paste, line
// commands, bookmarks, finds, navigation, host requests and the comment block.
#include <algorithm>

#include "edit_labels.h"
#include "edit_session.h"
#include "edit_syntax.h"
#include "edit_text_ops.h"

bool EditSession::HasSelection() const { return anchorLine_ != caretLine_ || anchorColumn_ != caretColumn_; }
void EditSession::Select(int, int, int, int) {}
void EditSession::ClearSelection() {
  anchorLine_ = caretLine_;
  anchorColumn_ = caretColumn_;
}
void EditSession::SelectAll() {}
void EditSession::SelectionBounds(int& line0, int& column0, int& line1, int& column1) const {
  line0 = line1 = caretLine_;
  column0 = column1 = caretColumn_;
}
void EditSession::SelectedLines(int& first, int& last) const { first = last = caretLine_; }
std::string EditSession::SelectedText() const { return std::string(); }
bool EditSession::DeleteSelection() { return false; }
bool EditSession::CanUndo() const { return false; }
bool EditSession::Undo() { return false; }
bool EditSession::Paste(const std::string&) { return false; }
bool EditSession::Indent() { return false; }
bool EditSession::Unindent() { return false; }
bool EditSession::CommentLines() { return false; }
bool EditSession::UncommentLines() { return false; }
bool EditSession::CopyLines(std::string& out, size_t) const {
  out.clear();
  return false;
}
bool EditSession::TypeNumPad(int, bool, bool) { return false; }
bool EditSession::ReplaceLine(int, const std::string&) { return false; }
bool EditSession::InsertLines(int, const std::vector<std::string>&) { return false; }
bool EditSession::DeleteLines(int, int) { return false; }
bool EditSession::GoToNextBookmark() { return false; }
bool EditSession::Find(const FindRequest&, bool, bool) { return false; }
bool EditSession::FindAgain(bool) { return false; }
int EditSession::MarkAll(const FindRequest&) { return 0; }
bool EditSession::ReplaceNext(const FindRequest&, const std::string&) { return false; }
int EditSession::ReplaceAll(const FindRequest&, const std::string&) { return 0; }
bool EditSession::GoToLine(int) { return false; }
void EditSession::RememberPosition() {}
bool EditSession::GoToLastPosition() { return false; }
std::string EditSession::WordAtCaret() const { return std::string(); }
bool EditSession::GoToLabel(const std::string&) { return false; }
bool EditSession::RequestHelp() { return false; }
bool EditSession::RequestFunction() { return false; }
bool EditSession::RequestEditProgram() { return false; }
bool EditSession::RequestViewProgram() { return false; }
ProgramComment EditSession::ReadComment(int* consumed) const {
  ProgramComment c;
  const int n = ReadCommentBlock(lines_, c);
  if (consumed) *consumed = n;
  return c;
}
bool EditSession::ApplyComment(const ProgramComment&) { return false; }
EditStatus EditSession::Status() const {
  return EditStatus{caretLine_ + 1, caretColumn_ + 1, insertMode_, LineChangePending() || !queue_.Empty(),
                    !queue_.Empty(), modified_ || !queue_.Empty(), viewOnly_};
}
void EditSession::CheckFlushTimer() {}
void EditSession::EndBulk() {
  if (bulk_ > 0) --bulk_;
}
void EditSession::LinesInserted(int, int) {}
void EditSession::LinesDeleted(int, int) {}
bool EditSession::SelectMatch(const FindHit&) { return false; }
