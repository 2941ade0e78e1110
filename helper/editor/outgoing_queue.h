// The edit window's queue of operations for the host and the messages built
// from it one at a time: the terminal fetches a message, relays it, and
// confirms it when the host has taken it; only then is the operation removed.
#pragma once

#include <deque>
#include <string>
#include <unordered_map>

class EditLines;

enum EditOperation {
  kOpReplace = 0,      // line index
  kOpDelete = 1,       // first line index, count
  kOpInsert = 2,       // first line index, count
  kOpEndSession = 3,   // 0 save and close, 2 save and stay, 3 view only, else close unsaved
  kOpFunction = 4,     // request texts
  kOpHelp = 5,
  kOpEditProgram = 6,
  kOpViewProgram = 7,
  kOpCompile = 8,
};

// End-of-session arguments.
enum EndSession { kEndSaveClose = 0, kEndDiscard = 1, kEndSaveStay = 2, kEndViewOnly = 3 };

class OutgoingQueue {
 public:
  // The most prefix and text one "r" message carries, and each "c" piece.
  static constexpr int kReplaceRoom = 76;
  static constexpr int kPieceRoom = 75;

  void Append(int code, int a, int b, std::string text = std::string());
  // Appends a replace for the line unless one that still reads the live line
  // is queued (no insert or delete queued since); returns false when nothing
  // was added. The flush rules: a partial send of that line is abandoned (it
  // goes again from its start), and when the queued replace is at the front
  // an awaited confirmation is dropped so the message is built afresh.
  bool QueueReplace(int line);
  // Before lines move (insert or delete): every queued replace keeps the text
  // its line has now and the index it had, which is where the host, taking
  // the messages in order, still has that line. A later change of the line
  // queues a replace of its own after the insert or delete.
  void FreezeReplaces(const EditLines& lines);

  // The next message into `out`; false when nothing is queued. Operations of
  // an unknown code empty the queue and produce nothing.
  bool Compose(const EditLines& lines, std::string& out);
  // The host took the last message.
  void Acknowledge();
  // Abandon a partly sent long line: its replace is removed (once) and the
  // next message starts with the next operation.
  void CancelContinuation();

  void Clear();
  bool Empty() const { return ops_.empty(); }
  int Size() const { return static_cast<int>(ops_.size()); }
  bool AwaitingAcknowledgement() const { return awaiting_; }
  bool Continuing() const { return continuing_; }

  struct Operation {
    int code;
    int a;
    int b;
    bool frozen;  // replace: `text` holds the line as it was
    std::string text;
    unsigned long long sequence;  // order of queueing
  };
  const std::deque<Operation>& Operations() const { return ops_; }

 private:
  void ComposeReplace(const Operation& op, const EditLines& lines, std::string& out);
  void ComposePiece(std::string& out);

  void PopFront();

  std::deque<Operation> ops_;
  // Replaces that still read their live line, by line index; all of them
  // were queued at or after `liveFrom_`.
  std::unordered_map<int, unsigned long long> live_;
  unsigned long long nextSequence_ = 0;
  unsigned long long liveFrom_ = 0;
  bool awaiting_ = false;
  bool continuing_ = false;    // "c" pieces of the front replace remain to go
  bool lastPartial_ = false;   // the last message was a piece with more to come
  int continuedLine_ = -1;
  std::string rest_;
};

// The framed message: letter, decimal payload length, ",", payload, CR.
void FrameMessage(char letter, const std::string& payload, std::string& out);
