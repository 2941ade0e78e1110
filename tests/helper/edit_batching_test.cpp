// When the edit window tells the terminal about queued work (the batch of 25,
// the flush minute, operations that must go at once), and the property that
// matters most: a host applying the messages in order ends with exactly the
// editor's lines, whatever the user did while they were being sent.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "edit_fakes.h"
#include "helper_state.h"

namespace {

class FakeClock final : public EditClock {
 public:
  long long now = 1000;
  long long NowMs() override { return now; }
};

class Batching : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetHelperState();
    Helper.editCallbacks = &callbacks;
    frame = new FakeFrame;
    s = &frame->Session();
    s->SetClock(&clock);
    s->prefs.autoIndent = 0;
    s->prefs.saveOnExit = kSaveNever;
    for (int i = 0; i < 40; ++i) s->Lines().Insert(i, "LINE " + std::to_string(i));
  }
  void TearDown() override {
    delete frame;
    ResetHelperState();
  }
  void EditLine(int line) {
    s->MoveCaret(line, 0);
    ASSERT_TRUE(s->TypeCharacter('X'));
    s->FlushLineChange();
  }
  std::vector<std::string> Drain() { return DrainMessages(*s, false); }

  RecordingEditToMoxel callbacks;
  FakeClock clock;
  FakeFrame* frame = nullptr;
  EditSession* s = nullptr;
};

TEST_F(Batching, TwentyFourEditsWaitForTheMinute) {
  for (int i = 0; i < 24; ++i) {
    EditLine(i);
    clock.now += 1000;
  }
  EXPECT_EQ(s->Queue().Size(), 24);
  EXPECT_EQ(callbacks.notifications, 0);
  // The minute counts from the first batched operation.
  clock.now = 1000 + 59999;
  s->CheckFlushTimer();
  EXPECT_EQ(callbacks.notifications, 0);
  clock.now = 1000 + 60000;
  s->CheckFlushTimer();
  EXPECT_EQ(callbacks.notifications, 1);
  EXPECT_FALSE(s->Timer().Running());
  s->CheckFlushTimer();
  EXPECT_EQ(callbacks.notifications, 1) << "told once";
}

TEST_F(Batching, TheWindowTimerIsAskedForWhatRemainsOfTheMinute) {
  EditLine(0);
  EditLine(1);
  EXPECT_EQ(frame->timerStarts, (std::vector<long long>{60000})) << "started once";
  clock.now += 45000;  // a window timer that fired early
  s->CheckFlushTimer();
  EXPECT_EQ(frame->timerStarts, (std::vector<long long>{60000, 15000}));
  EXPECT_EQ(callbacks.notifications, 0);
  s->SetViewOnly();
  EXPECT_FALSE(s->Timer().Running()) << "a view-only window has nothing to send";
  EXPECT_EQ(frame->timerStops, 1);
  clock.now += 60000;
  s->CheckFlushTimer();
  EXPECT_EQ(callbacks.notifications, 0);
}

TEST_F(Batching, TheTwentyFifthGoesAtOnce) {
  for (int i = 0; i < 24; ++i) EditLine(i);
  EXPECT_EQ(callbacks.notifications, 0);
  EXPECT_TRUE(s->Timer().Running());
  EditLine(24);
  EXPECT_EQ(callbacks.notifications, 1);
  EXPECT_FALSE(s->Timer().Running()) << "the timer stops when the terminal is told";
  clock.now += 120000;
  s->CheckFlushTimer();
  EXPECT_EQ(callbacks.notifications, 1);
  EXPECT_EQ(Drain().size(), 25u);
}

TEST_F(Batching, EditingAQueuedLineAgainAddsNothing) {
  for (int i = 0; i < 24; ++i) EditLine(i);
  EditLine(3);
  EXPECT_EQ(s->Queue().Size(), 24);
  EXPECT_EQ(callbacks.notifications, 0);
  std::vector<std::string> m = Drain();
  ASSERT_EQ(m.size(), 24u);
  EXPECT_EQ(m[3], "r12,4,0,XXLINE 3\r") << "one replace, the latest text";
}

TEST_F(Batching, MustGoOperationsNotifyAtOnce) {
  EditLine(0);
  EXPECT_EQ(callbacks.notifications, 0);
  s->Compile();
  EXPECT_EQ(callbacks.notifications, 1);
  EXPECT_FALSE(s->Timer().Running());
  ASSERT_TRUE(s->RequestHelp());
  EXPECT_EQ(callbacks.notifications, 2);
  ASSERT_TRUE(s->Save());
  EXPECT_EQ(callbacks.notifications, 3);
  EXPECT_EQ(Drain(), (std::vector<std::string>{"r11,1,0,XLINE 0\r", "C\r", "v5,XLINE\r", "ew\r"}));
}

TEST_F(Batching, ReplaceAllTellsTheTerminalOnceWithEveryLineQueued) {
  FindRequest r;
  r.what = "line";
  EXPECT_EQ(s->ReplaceAll(r, "ROW"), 40);
  EXPECT_EQ(s->Queue().Size(), 40);
  EXPECT_EQ(callbacks.notifications, 1);
  const std::vector<std::string> m = Drain();
  ASSERT_EQ(m.size(), 40u);
  EXPECT_EQ(m[39], "r11,40,0,ROW 39\r");
}

// The mended rule: a queued replace names its line as the host has it when
// the message arrives, and a later change of the line after an insert or
// delete is a replace of its own.
TEST_F(Batching, AQueuedReplaceFollowsItsLineAcrossInsertsAndDeletes) {
  s->Lines().Clear();
  for (const char* t : {"A", "B", "C", "D"}) s->Lines().Insert(s->Lines().Count(), t);
  EditLine(2);              // r3 "XC"
  s->MoveCaret(0, 1);
  ASSERT_TRUE(s->NewLine());  // i2 after "A"
  s->MoveCaret(3, 0);         // "XC" is now line index 3
  ASSERT_TRUE(s->TypeCharacter('Y'));
  s->FlushLineChange();
  ASSERT_TRUE(s->DeleteLines(0, 1));
  EditLine(2);  // "YXC" again, now at index 2
  // The host: A B XC D; A _ B XC D; A _ B YXC D; _ B YXC D; _ B XYXC D.
  EXPECT_EQ(Drain(), (std::vector<std::string>{"r6,3,0,XC\r", "i1,2\r", "r7,4,0,YXC\r", "d1,1\r", "r8,3,0,XYXC\r"}));
}

// ---- the property: a host applying every message in order ----

class HostModel {
 public:
  explicit HostModel(const EditLines& lines) {
    for (int i = 0; i < lines.Count(); ++i) lines_.push_back(lines.At(i));
  }
  void Receive(const std::string& m) {
    ASSERT_FALSE(m.empty());
    ASSERT_EQ(m.back(), '\r') << m;
    if (m == "es\r" || m == "ew\r" || m == "ea\r" || m == "ev\r" || m == "C\r") return;
    const char letter = m[0];
    const size_t comma = m.find(',');
    ASSERT_NE(comma, std::string::npos) << m;
    const size_t length = std::strtoul(m.c_str() + 1, nullptr, 10);
    const std::string payload = m.substr(comma + 1, m.size() - comma - 2);
    ASSERT_EQ(payload.size(), length) << m;
    switch (letter) {
      case 'r': {
        char* end = nullptr;
        const long line = std::strtol(payload.c_str(), &end, 10);
        const long indent = std::strtol(end + 1, &end, 10);
        ASSERT_EQ(*end, ',');
        ASSERT_GE(line, 1);
        ASSERT_LE(line, static_cast<long>(lines_.size())) << "a replace of a line the host does not have: " << m;
        ASSERT_LE(m.size(), 76u + 8u) << "prefix and text at most 76";
        lines_[static_cast<size_t>(line - 1)] = std::string(static_cast<size_t>(indent), ' ') + (end + 1);
        continued_ = line - 1;
        break;
      }
      case 'c':
        ASSERT_GE(continued_, 0) << "a piece without its line";
        ASSERT_LE(payload.size(), 75u);
        lines_[static_cast<size_t>(continued_)] += payload;
        break;
      case 'd':
      case 'i': {
        char* end = nullptr;
        const long at = std::strtol(payload.c_str(), &end, 10);
        const long count = *end == ',' ? std::strtol(end + 1, nullptr, 10) : 1;
        ASSERT_GE(at, 1);
        if (letter == 'd') {
          ASSERT_LE(at - 1 + count, static_cast<long>(lines_.size())) << m;
          lines_.erase(lines_.begin() + (at - 1), lines_.begin() + (at - 1 + count));
        } else {
          ASSERT_LE(at - 1, static_cast<long>(lines_.size())) << m;
          lines_.insert(lines_.begin() + (at - 1), static_cast<size_t>(count), std::string());
        }
        continued_ = -1;
        break;
      }
      default:
        FAIL() << "unexpected message " << m;
    }
  }
  std::vector<std::string> lines_;
  long continued_ = -1;
};

std::vector<std::string> Trimmed(const EditLines& lines) {
  std::vector<std::string> out;
  for (int i = 0; i < lines.Count(); ++i) out.push_back(lines.At(i).substr(0, TrimmedLength(lines.At(i))));
  return out;
}
std::vector<std::string> Trimmed(const std::vector<std::string>& lines) {
  std::vector<std::string> out;
  for (const std::string& l : lines) out.push_back(l.substr(0, TrimmedLength(l)));
  return out;
}

std::string RandomLineText(std::mt19937& rng) {
  const int kind = static_cast<int>(rng() % 6);
  const int length = kind == 0 ? static_cast<int>(100 + rng() % 300) : static_cast<int>(rng() % 20);
  std::string t(rng() % 4 == 0 ? rng() % 8 : 0, ' ');
  for (int i = 0; i < length; ++i) t += "abc XYZ01 "[rng() % 10];
  return t;
}

TEST_F(Batching, HostModelEndsWithTheEditorsLines) {
  for (unsigned seed = 1; seed <= 60; ++seed) {
    std::mt19937 rng(seed);
    // A fresh window over a small program.
    delete frame;
    frame = new FakeFrame;
    s = &frame->Session();
    s->SetClock(&clock);
    s->prefs.autoIndent = static_cast<int>(seed % 2);
    for (int i = 0; i < 12; ++i) s->Lines().Insert(i, RandomLineText(rng));
    HostModel host(s->Lines());
    bool inFlight = false;
    for (int step = 0; step < 400; ++step) {
      const int count = s->Lines().Count();
      const int line = count ? static_cast<int>(rng() % static_cast<unsigned>(count)) : 0;
      // Every third program sees line changes only, so long lines are often
      // changed again while they are going out in pieces.
      static const int kLineChangesOnly[] = {0, 1, 2, 3, 10, 16, 16, 16};
      const int what = seed % 3 == 0 ? kLineChangesOnly[rng() % 8] : static_cast<int>(rng() % 19);
      switch (what) {
        case 0:
        case 1: {  // the terminal: send the next message or confirm the last
          if (inFlight) {
            s->Queue().Acknowledge();
            inFlight = false;
          } else {
            std::string m;
            if (s->NextMessage(m)) {
              host.Receive(m);
              inFlight = true;
            }
          }
          break;
        }
        case 2: s->MoveCaret(line, static_cast<int>(rng() % 30)); break;
        case 3:
        case 4: s->TypeCharacter("ab X"[rng() % 4]); break;
        case 5: s->NewLine(); break;
        case 6: s->Backspace(); break;
        case 7: s->DeleteRight(); break;
        case 8: s->Undo(); break;
        case 9: s->Paste(rng() % 2 ? "p\r\nq\rr" : RandomLineText(rng)); break;
        case 10: s->ReplaceLine(line, RandomLineText(rng)); break;
        case 11: s->DeleteLines(line, 1 + static_cast<int>(rng() % 3)); break;
        case 12: s->InsertLines(line, {RandomLineText(rng), RandomLineText(rng)}); break;
        case 13:
          s->Select(line, 0, line + static_cast<int>(rng() % 3), static_cast<int>(rng() % 5));
          if (rng() % 2) s->Indent(); else s->DeleteSelection();
          break;
        case 14: s->CommentLines(); break;
        case 15: {
          FindRequest r;
          r.what = "a";
          s->ReplaceAll(r, rng() % 2 ? "" : "aa");
          break;
        }
        case 16:  // the user changes the long line that is going out in pieces
          if (s->Queue().Continuing() && !s->Queue().Operations().empty()) {
            const OutgoingQueue::Operation& front = s->Queue().Operations().front();
            if (!front.frozen) s->ReplaceLine(front.a, RandomLineText(rng));
          }
          break;
        case 17:  // a column block cut, or typed over
          s->SelectBlock(line, static_cast<int>(rng() % 12), line + static_cast<int>(rng() % 4),
                         static_cast<int>(rng() % 12));
          if (rng() % 2) s->DeleteSelection(); else s->TypeCharacter('k');
          break;
        case 18: rng() % 3 ? s->Tab() : s->BackTab(); break;
      }
      if (HasFatalFailure()) return;
    }
    if (inFlight) s->Queue().Acknowledge();
    s->FlushLineChange();
    std::string m;
    while (s->NextMessage(m)) {
      host.Receive(m);
      if (HasFatalFailure()) return;
      s->Queue().Acknowledge();
    }
    ASSERT_EQ(Trimmed(host.lines_), Trimmed(s->Lines())) << "seed " << seed;
  }
}

}  // namespace
