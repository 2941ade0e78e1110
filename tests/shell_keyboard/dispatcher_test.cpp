#include <string>
#include <vector>

#include "key_codes.h"
#include "keyboard_fixture.h"

using Codes = std::vector<int32_t>;

TEST_F(KeyboardTest, NinetyNineCodesWaitAndTheHundredthBeepsAndIsLost) {
  Busy(true);
  Codes typed;
  for (int i = 0; i < kTypeAheadLimit; ++i) typed.push_back('a' + i % 26);
  DispatchAll(typed);
  EXPECT_EQ(TypeAheadCount(), 99);
  EXPECT_EQ(beeps(), 0);
  EXPECT_TRUE(handled().empty()) << "nothing reaches the handler while the host is busy";
  DispatchKey('!');
  EXPECT_EQ(beeps(), 1);
  EXPECT_EQ(TypeAheadCount(), 99);
  EXPECT_EQ(Replayed(), typed);
  EXPECT_EQ(TypeAheadCount(), 0);
}

TEST_F(KeyboardTest, TheDuplicateFilterOnlyHoldsBackRepeatedEnterAndArrows) {
  struct Case {
    const char* what;
    Codes typed;
    Codes queued;
  } cases[] = {
      {"held Enter", {13, 13, 13}, {13}},
      {"Enter, separator, Enter", {13, 1089, 13}, {13, 13}},
      {"held arrows", {1000, 1000, 1001, 1001, 1002, 1002, 1003, 1003}, {1000, 1001, 1002, 1003}},
      {"repeated letters", {'a', 'a'}, {'a', 'a'}},
      {"repeated function keys", {1004, 1004}, {1004, 1004}},
      {"Enter broken by a letter", {13, 'a', 13}, {13, 'a', 13}},
      {"message and edit events are dropped", {1090, 'x', 1095}, {'x'}},
      {"the separator is never queued", {1089, 1089}, {}},
  };
  for (const Case& c : cases) {
    ResetKeyboard();
    Busy(true);
    DispatchAll(c.typed);
    EXPECT_EQ(Replayed(), c.queued) << c.what;
  }
}

TEST_F(KeyboardTest, CodesGoStraightToTheHandlerWhenTheHostIsReadyOrALocalModeOwnsTheKeyboard) {
  DispatchAll({13, 13, 1090, 1089});
  EXPECT_EQ(handled(), (Codes{13, 13, 1090, 1089}));
  handled().clear();
  Busy(true);
  InputMode.localMode = true;
  DispatchAll({1000, 1000, 1095});
  EXPECT_EQ(handled(), (Codes{1000, 1000, 1095}));
  EXPECT_EQ(TypeAheadCount(), 0);
}

TEST_F(KeyboardTest, ReplayGivesEotThenDdeThenQueuedKeysThenThePaste) {
  Busy(true);
  DispatchAll({'a', 'b'});
  IngressState.pendingEot = true;
  SetPendingDdeRequest();
  EXPECT_TRUE(PasteText("cd"));  // the queue is not empty: the paste waits
  EXPECT_EQ(Replayed(), (Codes{keycode::kHostEot, keycode::kDdeRequest, 'a', 'b', 'c', 'd'}));
  EXPECT_FALSE(IngressState.pendingEot);
  EXPECT_FALSE(PasteWaiting());
  EXPECT_TRUE(Replayed().empty());
}

TEST_F(KeyboardTest, APasteWhileBusyQueuesItsFirstCharacterAndReplaysTheRestInOrder) {
  Busy(true);
  PasteText("ab");
  EXPECT_EQ(TypeAheadCount(), 1);
  EXPECT_TRUE(handled().empty());
  IngressState.pendingEot = true;
  EXPECT_EQ(Replayed(), (Codes{keycode::kHostEot, 'a', 'b'}));
}

TEST_F(KeyboardTest, ReplayStopsAtACodeTheHandlerRefusesAndKeepsItForNextTime) {
  static int refusals;
  refusals = 1;
  InputMode.handler = [](int32_t code) {
    if (code == 'b' && refusals > 0) {
      --refusals;
      handled().push_back(-code);
      return 0;
    }
    return Record(code);
  };
  Busy(true);
  DispatchAll({'a', 'b', 'c'});
  EXPECT_EQ(Replayed(), (Codes{'a', -'b'}));
  EXPECT_EQ(Replayed(), (Codes{'b', 'c'}));
}

TEST_F(KeyboardTest, ClearingTheTypeAheadForgetsQueuedKeysAndTheFilter) {
  Busy(true);
  DispatchAll({13, 'x'});
  ClearTypeAhead();
  EXPECT_EQ(TypeAheadCount(), 0);
  DispatchKey(13);
  EXPECT_EQ(Replayed(), (Codes{13}));
}

TEST_F(KeyboardTest, AnEmptyPasteBeeps) {
  EXPECT_FALSE(PasteText(""));
  EXPECT_EQ(beeps(), 1);
}

// A channel that takes bytes only while its output queue is empty, and
// drains when the test says so.
struct SlowChannel {
  static std::string& waiting() {
    static std::string s;
    return s;
  }
  static void (*&callback())() {
    static void (*cb)() = nullptr;
    return cb;
  }
  static size_t& mostWaiting() {
    static size_t n = 0;
    return n;
  }
  static bool Ready(void (*cb)()) {
    if (waiting().empty()) return true;
    callback() = cb;
    return false;
  }
  static void Write(const uint8_t* bytes, int count) {
    waiting().append(reinterpret_cast<const char*>(bytes), count);
    if (waiting().size() > mostWaiting()) mostWaiting() = waiting().size();
  }
};

TEST_F(KeyboardTest, ALongPasteIsPacedByTheChannelAndArrivesWhole) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += static_cast<char>(' ' + i % 90);
  SlowChannel::waiting().clear();
  SlowChannel::callback() = nullptr;
  SlowChannel::mostWaiting() = 0;
  KeyboardEvents.channelReady = SlowChannel::Ready;
  InputMode.handler = BasicHandler;
  KeyBytesOut = SlowChannel::Write;
  ASSERT_TRUE(PasteText(text));
  std::string delivered;
  int drains = 0;
  while (void (*cb)() = SlowChannel::callback()) {
    delivered += SlowChannel::waiting();
    SlowChannel::waiting().clear();
    SlowChannel::callback() = nullptr;
    cb();
    ++drains;
  }
  delivered += SlowChannel::waiting();
  EXPECT_EQ(delivered, text);
  EXPECT_LE(SlowChannel::mostWaiting(), 1u) << "the paste never piles up in the output queue";
  EXPECT_GT(drains, 1000);
  EXPECT_FALSE(PasteWaiting());
}

TEST_F(KeyboardTest, APastePacedWhileTheHostWasBusyGoesOnAfterTheReplay) {
  SlowChannel::waiting().clear();
  SlowChannel::callback() = nullptr;
  KeyboardEvents.channelReady = SlowChannel::Ready;
  InputMode.handler = BasicHandler;
  KeyBytesOut = SlowChannel::Write;
  Busy(true);
  PasteText("hello");
  ReplayTypeAhead();  // the host is ready: 'h' goes out, then the channel is full
  Busy(false);
  std::string delivered;
  while (void (*cb)() = SlowChannel::callback()) {
    delivered += SlowChannel::waiting();
    SlowChannel::waiting().clear();
    SlowChannel::callback() = nullptr;
    cb();
  }
  delivered += SlowChannel::waiting();
  EXPECT_EQ(delivered, "hello");
}

TEST_F(KeyboardTest, ALongKeystrokeScriptIsNotCutByTheQueue) {
  Codes script;
  for (int i = 0; i < 180; ++i) script.push_back('a' + i % 26);
  script.insert(script.end(), {13, 1089, 13});
  for (int32_t c : script) TypeAheadFromScript(c);
  EXPECT_EQ(beeps(), 0);
  Codes expected(script.begin(), script.begin() + 180);
  expected.insert(expected.end(), {13, 13});
  Busy(true);
  EXPECT_EQ(Replayed(), expected);
}
