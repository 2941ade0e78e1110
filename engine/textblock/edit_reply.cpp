#include "edit_reply.h"

#include <cstdio>
#include <vector>

#include "line_store.h"
#include "parser.h"
#include "reply_buffer.h"
#include "text_block.h"
#include "text_numbering.h"

namespace {

constexpr uint8_t kDle = 0x10;
constexpr uint8_t kResendAll = 0x01;

enum class ReplyKind { kNone, kRecords, kResend, kWholeText };

struct EditReplyState {
  std::vector<std::string> records;  // built when queued
  ReplyKind kind = ReplyKind::kNone;
  int code = 0;
  // Progress: the piece being sent and where in it.
  std::string piece;
  size_t pos = 0;
  size_t nextRecord = 0;
  int nextLine = 0;
  int lastLine = -1;
  int logical = 0;        // numbered kind: logical number of the group being resent
  int heldBlank = 0;      // whole text: blank lines held back
  int64_t textSent = 0;   // whole text: characters of text sent
  bool endSent = false;
  bool sending = false;
  bool awaitingAck = false;  // after the reply, the host's byte
};
EditReplyState Out;

void Append(std::string* s, const char* format, long long a, long long b = 0, long long c = 0, long long d = 0) {
  char buffer[96];
  int n = std::snprintf(buffer, sizeof buffer, format, a, b, c, d);
  if (n > 0) s->append(buffer, static_cast<size_t>(n < static_cast<int>(sizeof buffer) ? n : sizeof buffer - 1));
}

// "text" or, with the trailer, "length," then the text.
void AppendText(std::string* s, const std::string& text) {
  if (TextBlock.trailerPresent) Append(s, "%lld,", static_cast<long long>(text.size()));
  s->append(text);
  s->push_back('\n');
}

int LeadingBlanks(const uint8_t* line, int length) {
  int n = 0;
  while (n < length && line[n] == ' ') ++n;
  return n == length ? 0 : n;
}

// The record of a line's group: "N,0,text" for the plain kinds; in the
// numbered kind "N,lead,text" for the group's first line and "c text" for
// each continuation line.
void BuildLineRecord(int first, int number, std::string* s) {
  const int length = LineStore.lineLength;
  uint8_t* line = LineStore.LineAt(first);
  std::string text;
  if (!line) {
    Append(s, "%lld,0,", number);
    AppendText(s, text);
    return;
  }
  if (TextBlock.kind != kBlockNumbered) {
    CompressLineText(line, 0, length, &text);
    Append(s, "%lld,0,", number);
    AppendText(s, text);
    LineStore.UnlockAll();
    return;
  }
  const int lead = LeadingBlanks(line, length);
  CompressLineText(line, lead, length, &text);
  Append(s, "%lld,%lld,", number, lead);
  AppendText(s, text);
  for (int i = first + 1; i < LineStore.lineCount; ++i) {
    uint8_t* next = LineStore.LineAt(i);
    if (!next || LineFlag(next) != kLineContinues) break;
    text.clear();
    CompressLineText(next, 0, length, &text);
    s->push_back('c');
    AppendText(s, text);
  }
  LineStore.UnlockAll();
}

void BuildEndRecord(std::string* s) {
  s->push_back('e');
  s->push_back(static_cast<char>(Out.code + 32));
  const TextBlockState& b = TextBlock;
  if (Out.kind == ReplyKind::kWholeText) {
    if (b.trailerPresent) {
      Append(s, "%lld,%lld,%lld,%lld", b.topLine, b.curLine, b.curCol + 1, static_cast<long long>(Out.textSent));
    } else {
      s->push_back('0');
    }
  } else if (b.trailerPresent) {
    Append(s, "%lld,%lld,%lld", b.topLine, b.curLine, b.curCol + 1);
  } else {
    Append(s, "%lld", b.topLine);
  }
  s->push_back('\n');
}

// The whole text: blank lines held back until text follows.
bool NextWholeTextLine(std::string* s) {
  const int length = LineStore.lineLength;
  while (Out.nextLine <= Out.lastLine) {
    const int index = Out.nextLine++;
    uint8_t* line = LineStore.LineAt(index);
    const int end = line ? LineTextLength(line, length) : 0;
    if (end == 0) {
      ++Out.heldBlank;
      continue;
    }
    for (int held = index - Out.heldBlank; held < index; ++held) Append(s, "%lld,%lld,\n", held + 1, TextBlock.width);
    Out.heldBlank = 0;
    int lead = 0;
    while (line[lead] == ' ') ++lead;
    Append(s, "%lld,%lld,", index + 1, lead);
    s->append(reinterpret_cast<const char*>(line + lead), static_cast<size_t>(end - lead));
    s->push_back('\n');
    Out.textSent += end - lead;
    LineStore.UnlockAll();
    return true;
  }
  LineStore.UnlockAll();
  return false;
}

// Every line again as line records (the host's 0x01).
bool NextResentLine(std::string* s) {
  while (Out.nextLine <= Out.lastLine) {
    const int index = Out.nextLine++;
    if (TextBlock.kind == kBlockNumbered) {
      uint8_t* line = LineStore.LineAt(index);
      const bool continues = line && LineFlag(line) == kLineContinues && index > 0;
      LineStore.UnlockAll();
      if (continues) continue;  // sent with its group
      BuildLineRecord(index, ++Out.logical, s);
    } else {
      BuildLineRecord(index, index + 1, s);
    }
    return true;
  }
  return false;
}

bool NextPiece(std::string* s) {
  s->clear();
  switch (Out.kind) {
    case ReplyKind::kRecords:
      if (Out.nextRecord < Out.records.size()) {
        *s = Out.records[Out.nextRecord++];
        return true;
      }
      break;
    case ReplyKind::kResend:
      if (NextResentLine(s)) return true;
      break;
    case ReplyKind::kWholeText:
      if (NextWholeTextLine(s)) return true;
      break;
    case ReplyKind::kNone:
      return false;
  }
  if (Out.endSent) return false;
  Out.endSent = true;
  BuildEndRecord(s);
  return true;
}

void AckState(uint8_t byte);
void ReplySent();

void ContinueReply() {
  if (!Out.sending) return;
  for (;;) {
    if (Out.pos >= Out.piece.size()) {
      if (!NextPiece(&Out.piece)) break;
      Out.pos = 0;
      continue;
    }
    if (!::Append(static_cast<uint8_t>(Out.piece[Out.pos]))) {
      WaitForDrain(ContinueReply);
      return;
    }
    ++Out.pos;
  }
  Flush();
  ReplySent();
}

void StartReply(ReplyKind kind, int code) {
  Out.kind = kind;
  Out.code = code;
  Out.piece.clear();
  Out.pos = 0;
  Out.nextRecord = 0;
  Out.nextLine = 0;
  Out.lastLine = LastTextLine();
  Out.logical = 0;
  Out.heldBlank = 0;
  Out.textSent = 0;
  Out.endSent = false;
  Out.sending = true;
  // With a trailer the host answers the reply once it is out. Until then the
  // parser stays at ground: a new block from the host drops this one.
  Out.awaitingAck = TextBlock.trailerPresent;
  ContinueReply();
}

void EndExchange() {
  ResetParser();
  FinishTextBlock();
}

void HandleAck(uint8_t byte) {
  if (byte == kResendAll) {
    StartReply(Out.kind == ReplyKind::kWholeText ? ReplyKind::kWholeText : ReplyKind::kResend, Out.code);
    return;
  }
  // The whole-text reply waits for LF and ignores anything else.
  if (Out.kind == ReplyKind::kWholeText && byte != '\n') return;
  Out.awaitingAck = false;
  EndExchange();
}

void AckState(uint8_t byte) { HandleAck(byte); }

void ReplySent() {
  Out.sending = false;
  if (Out.awaitingAck) {
    SetParseState(AckState);
    return;
  }
  // Without a trailer the exchange is over: the whole text frees the store,
  // records leave the lines until the next block.
  const bool whole = Out.kind == ReplyKind::kWholeText;
  Out.kind = ReplyKind::kNone;
  Out.records.clear();
  if (whole) FinishTextBlock();
}

}  // namespace

void CompressLineText(const uint8_t* line, int from, int lineLength, std::string* out) {
  const int end = LineTextLength(line, lineLength);
  int col = from;
  while (col < end) {
    if (line[col] != ' ') {
      out->push_back(static_cast<char>(line[col++]));
      continue;
    }
    int run = col;
    while (run < end && line[run] == ' ') ++run;
    if (run - col >= 3) {
      out->push_back(static_cast<char>(kDle));
      out->push_back(static_cast<char>(run + 32 > 255 ? 255 : run + 32));
    } else {
      out->append(static_cast<size_t>(run - col), ' ');
    }
    col = run;
  }
}

void QueueLineRecord(int line) {
  const int first = GroupStart(line);
  std::string s;
  BuildLineRecord(first, RecordNumber(first), &s);
  Out.records.push_back(std::move(s));
}

void QueueInsertRecord(int line) {
  std::string s;
  Append(&s, "i,%lld\n", RecordNumber(line));
  Out.records.push_back(std::move(s));
}

void QueueDeleteRecord(int line) {
  std::string s;
  Append(&s, "d,%lld\n", RecordNumber(line));
  Out.records.push_back(std::move(s));
}

int QueuedRecordCount() { return static_cast<int>(Out.records.size()); }
void ClearRecords() { Out.records.clear(); }

void SendEditRecords(int code) { StartReply(ReplyKind::kRecords, code); }
void SendWholeText(int code) { StartReply(ReplyKind::kWholeText, code); }

bool ReplyPending() { return Out.sending || Out.awaitingAck; }

void CancelReply() {
  if (Out.sending && Reply.resume == ContinueReply) WaitForDrain(nullptr);
  if (Parser.ParseState == AckState) ResetParser();
  Out = EditReplyState{};
}

void ResetEditReply() { Out = EditReplyState{}; }
