#include "edit_session.h"

#include <climits>
#include <cstdlib>

#include "edit_frame.h"
#include "helper_state.h"

const char kCommunicationErrorText[] =
    "There have been communication errors between the editor and Corvane.\n"
    "Your edit session has been set to View Only";
const char kSaveChangesQuestion[] = "Do you want to save changes to this program?";

namespace {

// A decimal number at text, saturated; advances text past its digits.
long long ReadNumber(const char*& text) {
  long long n = 0;
  while (*text >= '0' && *text <= '9') {
    if (n < LLONG_MAX / 10) n = n * 10 + (*text - '0');
    ++text;
  }
  return n;
}

}  // namespace

bool EditSession::Busy() const {
  return !queue_.Empty() || requestPending_ || LineChangePending() || modified_;
}

void EditSession::Notify() {
  if (Helper.editCallbacks) Helper.editCallbacks->NotifyPending();
}

void EditSession::AfterQueued(bool mustGo) {
  if (mustGo || queue_.Size() >= kNotifyThreshold) {
    if (timer_.Running()) {
      timer_.Stop();
      frame_->StopFlushTimer();
    }
    if (bulk_ > 0) {
      bulkNotify_ = true;
    } else {
      Notify();
    }
    return;
  }
  if (!timer_.Running()) {
    timer_.Start(clock_->NowMs());
    frame_->StartFlushTimer(FlushTimer::kFlushMs);
  }
}

void EditSession::CheckFlushTimer() {
  if (!timer_.Running()) return;
  const long long now = clock_->NowMs();
  if (!timer_.Due(now)) {
    frame_->StartFlushTimer(timer_.Remaining(now));
    return;
  }
  timer_.Stop();
  frame_->StopFlushTimer();
  if (!queue_.Empty()) Notify();
}

void EditSession::EndBulk() {
  if (bulk_ > 0) --bulk_;
  if (bulk_ == 0 && bulkNotify_) {
    bulkNotify_ = false;
    Notify();
  }
}

void EditSession::Enqueue(int code, int a, int b, std::string text) {
  if (viewOnly_) return;
  queue_.Append(code, a, b, std::move(text));
  // Ends of session, host requests and compiles must go at once.
  AfterQueued(code >= kOpEndSession);
}

void EditSession::QueueReplace(int line) {
  if (viewOnly_) return;
  if (queue_.QueueReplace(line)) AfterQueued(false);
}

void EditSession::QueueStructural(int code, int line, int count) {
  queue_.FreezeReplaces(lines_);
  Enqueue(code, line, count);
}

void EditSession::FlushLineChange() {
  if (pendingLine_ < 0) return;
  const int line = pendingLine_;
  pendingLine_ = -1;
  if (viewOnly_ || !lines_.Exists(line)) return;
  if (lines_.At(line) == pendingOriginal_) return;
  QueueReplace(line);
}

bool EditSession::BeginLineEdit() {
  if (EditingRefused()) return false;
  if (lines_.Count() == 0) {
    QueueStructural(kOpInsert, 0, 1);
    lines_.Insert(0, std::string());
    LinesInserted(0, 1);
    caretLine_ = caretColumn_ = 0;
    pendingLine_ = 0;
    pendingOriginal_.clear();
  }
  if (pendingLine_ != caretLine_) {
    FlushLineChange();
    pendingLine_ = caretLine_;
    pendingOriginal_ = lines_.At(caretLine_);
  }
  modified_ = true;
  return true;
}

bool EditSession::TypeCharacterAtCaret(unsigned char c) {
  if (!BeginLineEdit()) return false;
  std::string& line = lines_.At(caretLine_);
  const size_t col = static_cast<size_t>(caretColumn_);
  const char ch = static_cast<char>(c);
  if (insertMode_ || col >= line.size()) {
    line.insert(col, 1, ch);
  } else {
    line[col] = ch;
  }
  ++caretColumn_;
  lines_.NoteWidth(static_cast<int>(line.size()));
  return true;
}

bool EditSession::NewLineAtCaret() {
  if (!BeginLineEdit()) return false;
  const int line = caretLine_;
  std::string& text = lines_.At(line);
  std::string right = text.substr(static_cast<size_t>(caretColumn_));
  text.resize(static_cast<size_t>(caretColumn_));
  size_t indent = 0;
  if (prefs.autoIndent) {
    while (indent < text.size() && text[indent] == ' ') ++indent;
    right.erase(0, right.find_first_not_of(' ') == std::string::npos ? right.size() : right.find_first_not_of(' '));
    if (right.empty() && TrimmedLength(text) == 0) indent = 0;
  }
  FlushLineChange();
  QueueStructural(kOpInsert, line + 1, 1);
  lines_.Insert(line + 1, std::string(indent, ' ') + right);
  LinesInserted(line + 1, 1);
  caretLine_ = line + 1;
  caretColumn_ = static_cast<int>(indent);
  // The new line reaches the host empty; its text follows as a line change.
  pendingLine_ = caretLine_;
  pendingOriginal_.clear();
  return true;
}

bool EditSession::BackspaceAtCaret() {
  if (EditingRefused()) return false;
  if (caretColumn_ > 0) {
    if (!BeginLineEdit()) return false;
    lines_.At(caretLine_).erase(static_cast<size_t>(caretColumn_ - 1), 1);
    --caretColumn_;
    return true;
  }
  if (caretLine_ == 0 || !lines_.Exists(caretLine_)) return false;
  const int line = caretLine_;
  const int above = line - 1;
  if (pendingLine_ == line) pendingLine_ = -1;  // the line goes; its change travels in the join
  FlushLineChange();
  std::string& target = lines_.At(above);
  const int column = static_cast<int>(target.size());
  target += lines_.At(line);
  lines_.NoteWidth(static_cast<int>(target.size()));
  modified_ = true;
  QueueReplace(above);
  QueueStructural(kOpDelete, line, 1);
  lines_.Erase(line);
  LinesDeleted(line, 1);
  caretLine_ = above;
  caretColumn_ = column;
  return true;
}

bool EditSession::DeleteRightAtCaret() {
  if (EditingRefused() || !lines_.Exists(caretLine_)) return false;
  std::string& text = lines_.At(caretLine_);
  if (static_cast<size_t>(caretColumn_) < text.size()) {
    if (!BeginLineEdit()) return false;
    lines_.At(caretLine_).erase(static_cast<size_t>(caretColumn_), 1);
    return true;
  }
  const int next = caretLine_ + 1;
  if (!lines_.Exists(next)) return false;
  FlushLineChange();
  text += lines_.At(next);
  lines_.NoteWidth(static_cast<int>(text.size()));
  modified_ = true;
  QueueReplace(caretLine_);
  QueueStructural(kOpDelete, next, 1);
  lines_.Erase(next);
  LinesDeleted(next, 1);
  return true;
}

bool EditSession::TypeCharacter(unsigned char c) {
  if (HasSelection() && !DeleteSelection()) return false;
  const bool done = TypeCharacterAtCaret(c);
  ClearSelection();
  return done;
}

bool EditSession::NewLine() {
  if (HasSelection() && !DeleteSelection()) return false;
  const bool done = NewLineAtCaret();
  ClearSelection();
  return done;
}

bool EditSession::Backspace() {
  if (HasSelection()) return DeleteSelection();
  const bool done = BackspaceAtCaret();
  ClearSelection();
  return done;
}

bool EditSession::DeleteRight() {
  if (HasSelection()) return DeleteSelection();
  const bool done = DeleteRightAtCaret();
  ClearSelection();
  return done;
}

void EditSession::MoveCaret(int line, int column) {
  const int last = lines_.Count() - 1;
  if (line > last) line = last;
  if (line < 0) line = 0;
  const int length = lines_.Exists(line) ? static_cast<int>(lines_.At(line).size()) : 0;
  if (column > length) column = length;
  if (column < 0) column = 0;
  if (line != caretLine_) FlushLineChange();
  caretLine_ = line;
  caretColumn_ = column;
  ClearSelection();
}

void EditSession::MoveBy(int lines, int columns) {
  if (lines != 0) {
    MoveCaret(caretLine_ + lines, caretColumn_);
    return;
  }
  int column = caretColumn_ + columns;
  if (column < 0 && caretLine_ > 0) {
    const int above = caretLine_ - 1;
    MoveCaret(above, static_cast<int>(lines_.At(above).size()));
    return;
  }
  const int length = lines_.Exists(caretLine_) ? static_cast<int>(lines_.At(caretLine_).size()) : 0;
  if (column > length && lines_.Exists(caretLine_ + 1)) {
    MoveCaret(caretLine_ + 1, 0);
    return;
  }
  MoveCaret(caretLine_, column);
}

void EditSession::End() {
  const int length = lines_.Exists(caretLine_) ? static_cast<int>(lines_.At(caretLine_).size()) : 0;
  MoveCaret(caretLine_, length);
}

bool EditSession::Save() {
  if (viewOnly_) return true;
  if (closing_ || requestPending_ || readOnly) return false;
  FlushLineChange();
  Enqueue(kOpEndSession, kEndSaveStay, 0);
  requestPending_ = true;
  requestType_ = kRequestSave;
  return true;
}

void EditSession::StartClosing() {
  closing_ = true;
  if (prefs.saveOnExit != kSavePrompt || !Helper.editCallbacks) return;
  frame_->CapturePlacement(prefs);
  EditPreferences now;
  COLORREF storedCustom[16];
  ReadPreferences(*Helper.editCallbacks, suffix.c_str(), now, storedCustom);
  bool same = prefs.SameValues(now);
  for (int i = 0; i < 16 && same; ++i) same = storedCustom[i] == Helper.customColors[i];
  savePrefsAnswer = same ? 0 : (frame_->AskYesNo(kSavePreferencesQuestion, kSavePreferencesCaption) ? 1 : 0);
}

bool EditSession::SaveAndClose() {
  if (viewOnly_) return Exit();
  if (closing_ || requestPending_) return false;
  FlushLineChange();
  // "Close" on a read-only window: there is nothing the editor may save.
  Enqueue(kOpEndSession, readOnly ? kEndDiscard : kEndSaveClose, 0);
  StartClosing();
  return true;
}

bool EditSession::Exit() {
  if (viewOnly_) {
    closeRequested = true;
    if (Helper.editCallbacks) Helper.editCallbacks->RequestClose(session);
    return true;
  }
  if (closing_) return false;
  const bool unsaved = modified_ || !queue_.Empty() || LineChangePending();
  if (unsaved && !readOnly) {
    const int answer = frame_->AskYesNoCancel(kSaveChangesQuestion);
    if (answer < 0) return true;
    if (answer > 0) {
      FlushLineChange();
      Enqueue(kOpEndSession, kEndSaveClose, 0);
    } else {
      Enqueue(kOpEndSession, kEndDiscard, 0);
    }
  } else {
    Enqueue(kOpEndSession, kEndDiscard, 0);
  }
  StartClosing();
  return true;
}

bool EditSession::WritesPreferencesAtClose() const {
  switch (prefs.saveOnExit) {
    case kSaveAlways: return true;
    case kSavePrompt: return savePrefsAnswer == 1;
    default: return false;
  }
}

void EditSession::HostReply(const char* reply) {
  if (!reply || !*reply || !requestPending_) return;
  if (reply[0] == ' ') return;  // not an answer yet: the request stays outstanding
  requestAnswer_ = reply + 1;
  switch (requestType_) {
    case kRequestSave: ApplySaveItem(reply + 1); break;
    case kRequestMessage:
      requestPending_ = false;
      if (!requestAnswer_.empty()) frame_->ShowMessageLater(requestAnswer_);
      break;
    default:
      // The function text is kept as the request's answer.
      requestPending_ = false;
      break;
  }
  frame_->Refresh();
}

void EditSession::ApplySaveItem(const char* item) {
  const char letter = *item;
  if (!letter) return;
  const char* p = item + 1;
  const long long n = ReadNumber(p);
  const char* text = *p == ',' ? p + 1 : "";
  const long long count = lines_.Count();
  const int at = n >= 1 && n <= count + 1 ? static_cast<int>(n - 1) : -1;
  switch (letter) {
    case 'd':
      if (at < 0 || !lines_.Exists(at)) return;
      lines_.Erase(at);
      LinesDeleted(at, 1);
      if (pendingLine_ == at) pendingLine_ = -1;
      if (pendingLine_ > at) --pendingLine_;
      if (caretLine_ > at) --caretLine_;
      MoveCaret(caretLine_, caretColumn_);
      break;
    case 'i':
      if (at < 0) return;
      lines_.Insert(at, text);
      LinesInserted(at, 1);
      if (caretLine_ >= at && caretLine_ + 1 < lines_.Count()) ++caretLine_;
      ClearSelection();
      if (pendingLine_ >= at) ++pendingLine_;
      break;
    case 'r':
      if (at < 0 || !lines_.Exists(at)) return;
      lines_.At(at) = text;
      lines_.NoteWidth(static_cast<int>(lines_.At(at).size()));
      MoveCaret(caretLine_, caretColumn_);
      break;
    case 's': {
      const long long own = lines_.TrimmedCharacterCount();
      modified_ = false;
      requestPending_ = false;
      if (own != n) CommunicationError();
      break;
    }
    default:
      break;
  }
}

void EditSession::CommunicationError() {
  readOnly = true;
  Enqueue(kOpEndSession, kEndViewOnly, 0);
  frame_->ShowMessageLater(kCommunicationErrorText);
}

void EditSession::SetViewOnly() {
  viewOnly_ = true;
  readOnly = true;
  modified_ = false;
  requestPending_ = false;
  pendingLine_ = -1;
  queue_.Clear();
  if (timer_.Running()) {
    timer_.Stop();
    frame_->StopFlushTimer();
  }
}
