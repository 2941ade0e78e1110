#include "outgoing_queue.h"

#include <cstdio>

#include "edit_lines.h"

namespace {

std::string NumberPair(int first, int count) {
  char text[32];
  if (count == 1) {
    std::snprintf(text, sizeof text, "%d", first);
  } else {
    std::snprintf(text, sizeof text, "%d,%d", first, count);
  }
  return text;
}

char RequestLetter(int code) {
  switch (code) {
    case kOpFunction: return 'f';
    case kOpHelp: return 'v';
    case kOpEditProgram: return 'E';
    case kOpViewProgram: return 'V';
    default: return 0;
  }
}

const char* EndText(int argument) {
  switch (argument) {
    case kEndSaveClose: return "es\r";
    case kEndSaveStay: return "ew\r";
    case kEndViewOnly: return "ev\r";
    default: return "ea\r";
  }
}

}  // namespace

void FrameMessage(char letter, const std::string& payload, std::string& out) {
  char head[24];
  std::snprintf(head, sizeof head, "%c%d,", letter, static_cast<int>(payload.size()));
  out = head;
  out += payload;
  out += '\r';
}

void OutgoingQueue::Append(int code, int a, int b, std::string text) {
  const unsigned long long sequence = nextSequence_++;
  if (code == kOpReplace) live_[a] = sequence;
  ops_.push_back(Operation{code, a, b, false, std::move(text), sequence});
}

void OutgoingQueue::PopFront() {
  const Operation& op = ops_.front();
  if (op.code == kOpReplace && !op.frozen) {
    auto it = live_.find(op.a);
    if (it != live_.end() && it->second == op.sequence) live_.erase(it);
  }
  ops_.pop_front();
}

bool OutgoingQueue::QueueReplace(int line) {
  if (continuing_ && continuedLine_ == line) {
    continuing_ = false;
    lastPartial_ = false;
    awaiting_ = false;
    rest_.clear();
  }
  auto it = live_.find(line);
  if (it != live_.end()) {
    if (!ops_.empty() && ops_.front().sequence == it->second) awaiting_ = false;
    return false;
  }
  Append(kOpReplace, line, 0);
  return true;
}

void OutgoingQueue::FreezeReplaces(const EditLines& lines) {
  if (live_.empty()) return;
  for (auto op = ops_.rbegin(); op != ops_.rend() && op->sequence >= liveFrom_; ++op) {
    if (op->code != kOpReplace || op->frozen) continue;
    op->frozen = true;
    op->text = lines.Exists(op->a) ? lines.At(op->a) : std::string();
  }
  live_.clear();
  liveFrom_ = nextSequence_;
}

void OutgoingQueue::ComposePiece(std::string& out) {
  const size_t n = rest_.size() < static_cast<size_t>(kPieceRoom) ? rest_.size() : kPieceRoom;
  FrameMessage('c', rest_.substr(0, n), out);
  rest_.erase(0, n);
  lastPartial_ = !rest_.empty();
  if (!lastPartial_) continuing_ = false;
}

void OutgoingQueue::ComposeReplace(const Operation& op, const EditLines& lines, std::string& out) {
  std::string text = op.frozen ? op.text : (lines.Exists(op.a) ? lines.At(op.a) : std::string());
  text.resize(TrimmedLength(text));
  size_t indent = 0;
  while (indent < text.size() && text[indent] == ' ') ++indent;
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, "%d,%d,", op.a + 1, static_cast<int>(indent));
  std::string payload = prefix;
  const size_t room = payload.size() < static_cast<size_t>(kReplaceRoom) ? kReplaceRoom - payload.size() : 0;
  const size_t bodyLength = text.size() - indent;
  if (bodyLength > room) {
    payload.append(text, indent, room);
    rest_ = text.substr(indent + room);
    continuing_ = true;
    lastPartial_ = true;
    continuedLine_ = op.a;
  } else {
    payload.append(text, indent, std::string::npos);
    lastPartial_ = false;
  }
  FrameMessage('r', payload, out);
}

bool OutgoingQueue::Compose(const EditLines& lines, std::string& out) {
  out.clear();
  if (continuing_ && !ops_.empty()) {
    ComposePiece(out);
    awaiting_ = true;
    return true;
  }
  continuing_ = false;
  if (ops_.empty()) return false;
  const Operation& op = ops_.front();
  lastPartial_ = false;
  switch (op.code) {
    case kOpReplace: ComposeReplace(op, lines, out); break;
    case kOpDelete: FrameMessage('d', NumberPair(op.a + 1, op.b), out); break;
    case kOpInsert: FrameMessage('i', NumberPair(op.a + 1, op.b), out); break;
    case kOpEndSession: out = EndText(op.a); break;
    case kOpCompile: out = "C\r"; break;
    case kOpFunction:
    case kOpHelp:
    case kOpEditProgram:
    case kOpViewProgram: FrameMessage(RequestLetter(op.code), op.text, out); break;
    default:
      Clear();
      return false;
  }
  awaiting_ = true;
  return true;
}

void OutgoingQueue::Acknowledge() {
  if (!awaiting_) return;
  awaiting_ = false;
  if (lastPartial_) return;  // a piece of a long line: the replace stays until its last piece
  if (!ops_.empty()) PopFront();
}

void OutgoingQueue::CancelContinuation() {
  if (!continuing_) return;
  continuing_ = false;
  lastPartial_ = false;
  awaiting_ = false;
  rest_.clear();
  if (!ops_.empty() && ops_.front().code == kOpReplace) PopFront();
}

void OutgoingQueue::Clear() {
  ops_.clear();
  live_.clear();
  liveFrom_ = nextSequence_;
  awaiting_ = false;
  continuing_ = false;
  lastPartial_ = false;
  rest_.clear();
}
