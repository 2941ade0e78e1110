// Outbox files and notices reaching the host through the real engine's
// local modes and the shell's keyboard seam: the host starts an input field
// or a pick list of the second form, the file's name, 254, its contents (line
// feeds as 253) and 254 go out, and the mode ends with 154.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine.h"
#include "engine_context.h"
#include "host_items.h"
#include "input_field.h"
#include "input_mode.h"
#include "key_codes.h"
#include "key_dispatcher.h"
#include "keyboard_seam.h"
#include "messaging_fakes.h"
#include "messaging_folders.h"
#include "outbox_delivery.h"
#include "pick_list.h"
#include "recording_shell.h"

namespace {

const std::string kOutbox = "C:\\msg\\FromPC\\";
const std::string kEsc = "\x1b";

int drains = 0;
int yields = 0;
std::vector<std::string> refusals;
void CountDrain() { ++drains; }
void CountYield() { ++yields; }
void NoteRefusal(const std::string& path) { refusals.push_back(path); }

char V(int value) { return static_cast<char>(value + 32); }

class Delivery : public ::testing::Test {
 protected:
  RecordingShell shell;
  PickLists pickLists;
  InputFields fields;
  FakeMessagingFiles files;

  void SetUp() override {
    shell.Attach(false);
    EngineContext c = Engine;
    c.keyboard = &KeyboardSeamForShell;
    c.fields = &fields;
    c.pickLists = &pickLists;
    AttachEngine(c);
    ResetEngine();
    ResetConnectionState();
    ResetKeyboard();
    InputMode = InputModeRecord{BasicHandler, 0, false, false};
    ResetMessaging();
    Messaging.enabled = Messaging.source = Messaging.haveDirectory = Messaging.useSubdirectory = true;
    std::snprintf(Messaging.directory, sizeof Messaging.directory, "C:\\msg");
    files.folders[kOutbox];
    OutboxDeliveryHooks hooks;
    hooks.files = &files;
    hooks.yield = CountYield;
    hooks.drained = CountDrain;
    hooks.refused = NoteRefusal;
    AttachOutboxDelivery(hooks);
    ResetOutboxDelivery();
    UseHeapHostItemMemory();
    drains = yields = 0;
    refusals.clear();
    shell.sent.clear();
  }
  void TearDown() override {
    ResetOutboxDelivery();
    ClearHostItems();
    ResetMessaging();
    ResetEngine();
    DetachEngine();
    InputMode = InputModeRecord{DiscardHandler, 0, false, false};
  }

  static void Feed(const std::string& bytes) { ParseBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()); }
  // An input field of the second form, 10 cells at the screen's top left.
  static void StartField() { Feed(kEsc + "i" + V(0) + V(0) + V(10) + V(0) + V(0) + V(0) + "\n"); }
  // Program message 1031: the outbox changed.
  static void OutboxChanged() {
    NoteOutboxChanged();
    DispatchKey(keycode::kMessageArrived);
  }
  std::string Sent() {
    std::string s = shell.sent;
    shell.sent.clear();
    return s;
  }
  // The field's reply after a delivery: empty text, code 154, no item, offset 0.
  static std::string FieldEnd(int code) { return std::string(1, V(code)) + V(0) + V(0) + " \n"; }
};

TEST_F(Delivery, TwoFilesInARowEachAsNameContentsAndEnd) {
  files.Put(kOutbox, "b.txt", "second\n");
  files.Put(kOutbox, "a.txt", "one\r\ntwo\n3");
  StartField();
  OutboxChanged();
  EXPECT_EQ(Sent(), "a.txt\xFE" "one\xFDtwo\xFD" "3\xFE" + FieldEnd(154));
  EXPECT_TRUE(Messaging.messageWaiting) << "b.txt is waiting";
  EXPECT_EQ(drains, 0);
  // The host asks again: the next field takes b.txt at its start.
  StartField();
  EXPECT_EQ(Sent(), "b.txt\xFE" "second\xFD\xFE" + FieldEnd(154));
  EXPECT_FALSE(Messaging.messageWaiting);
  EXPECT_EQ(drains, 1) << "the watcher hears that the outbox is drained";
  // Nothing new: a third field waits for keys.
  StartField();
  OutboxChanged();
  EXPECT_EQ(Sent(), "");
  EXPECT_TRUE(Field.active);
}

TEST_F(Delivery, ADeliveredFileGoesAgainOnlyOnceChanged) {
  files.Put(kOutbox, "a.txt", "x");
  StartField();
  OutboxChanged();
  EXPECT_EQ(Sent(), "a.txt\xFEx\xFE" + FieldEnd(154));
  StartField();
  OutboxChanged();
  EXPECT_EQ(Sent(), "") << "the file was not moved, but it went already";
  files.Put(kOutbox, "a.txt", "xy", 2);
  OutboxChanged();
  EXPECT_EQ(Sent(), "a.txt\xFExy\xFE" + FieldEnd(154));
}

TEST_F(Delivery, APickListOfTheSecondFormTakesAFileToo) {
  files.Put(kOutbox, "p.txt", "line\n");
  Feed(kEsc + "ML" + V(1) + V(1) + V(4) + V(1) + "A\n");
  Feed(kEsc + "MC" + V(1) + "\n");
  Feed(kEsc + "Ms" + V(1) + V(0) + "\n");
  Sent();
  OutboxChanged();
  EXPECT_EQ(Sent(), std::string("p.txt\xFEline\xFD\xFE") + V(154) + V(1) + "\n");
}

TEST_F(Delivery, FilesWithFramingBytesAreKeptSkippedAndToldOnce) {
  files.Put(kOutbox, "a.txt", "bad\xFE" "byte");
  files.Put(kOutbox, std::string("b\xFD.txt"), "fine");
  files.Put(kOutbox, "c.txt", "good");
  StartField();
  OutboxChanged();
  EXPECT_EQ(Sent(), "c.txt\xFEgood\xFE" + FieldEnd(154));
  EXPECT_EQ(refusals, (std::vector<std::string>{kOutbox + "a.txt", kOutbox + "b\xFD.txt"}));
  EXPECT_TRUE(files.Has(kOutbox, "a.txt")) << "the terminal deletes nothing";
  StartField();
  OutboxChanged();
  EXPECT_EQ(Sent(), "");
  EXPECT_EQ(refusals.size(), 2u) << "said once";
}

TEST_F(Delivery, AFileTooLargeToTakeIsToldOnceAndTheNextGoes) {
  files.Put(kOutbox, "a.bin", "").size = 1ull << 40;
  files.Put(kOutbox, "b.txt", "small");
  StartField();
  OutboxChanged();
  EXPECT_EQ(Sent(), "b.txt\xFEsmall\xFE" + FieldEnd(154));
  EXPECT_EQ(refusals, std::vector<std::string>{kOutbox + "a.bin"});
}

TEST_F(Delivery, AnUnreadableFileStaysAndIsTakenWhenItCanBeRead) {
  files.Put(kOutbox, "a.txt", "locked");
  files.Put(kOutbox, "b.txt", "free");
  files.unreadable.insert(kOutbox + "a.txt");
  StartField();
  OutboxChanged();
  EXPECT_EQ(Sent(), "b.txt\xFE" "free\xFE" + FieldEnd(154));
  EXPECT_TRUE(Messaging.messageWaiting) << "a.txt remains";
  files.unreadable.clear();
  StartField();
  EXPECT_EQ(Sent(), "a.txt\xFElocked\xFE" + FieldEnd(154));
}

TEST_F(Delivery, ContentsWaitForTheDrainAndGiveTheMessageLoopATurn) {
  std::string big;
  for (int i = 0; i < 3 * kDeliverySlice; ++i) big += static_cast<char>(i % 13 == 12 ? '\n' : 'a' + i % 13);
  files.Put(kOutbox, "big.txt", big);
  StartField();
  shell.drainRefused = true;
  OutboxChanged();
  EXPECT_EQ(Sent(), "big.txt\xFE") << "the name, then the queue must drain";
  shell.drainRefused = false;
  shell.Drain();
  std::string got = Sent();
  EXPECT_LT(got.size(), big.size()) << "one slice, then a turn of the message loop";
  EXPECT_EQ(yields, 1);
  for (int turns = 0; turns < 10 && OutboxDeliveryActive(); ++turns) {
    ContinueOutboxDelivery();
    got += Sent();
  }
  EXPECT_FALSE(OutboxDeliveryActive());
  EXPECT_GE(yields, 2);
  std::string expected = big;
  for (char& c : expected)
    if (c == '\n') c = '\xFD';
  EXPECT_EQ(got, expected + "\xFE" + FieldEnd(154));
}

TEST_F(Delivery, AnEmulationResetCutsTheDeliveryAndTheFileGoesAgainWhole) {
  std::string big(2 * kDeliverySlice, 'z');
  files.Put(kOutbox, "big.txt", big);
  StartField();
  OutboxChanged();
  ASSERT_TRUE(OutboxDeliveryActive());
  ResetConnectionState();
  EXPECT_FALSE(OutboxDeliveryActive());
  ContinueOutboxDelivery();  // a turn posted before the reset
  Sent();
  StartField();
  EXPECT_EQ(Sent().substr(0, 9), "big.txt\xFE" "z");
}

TEST_F(Delivery, AChangeThatLeftNothingToDeliverIsNoEvent) {
  NoteOutboxChanged();
  EXPECT_FALSE(OutboxMessagePending()) << "an empty outbox";
  EXPECT_FALSE(Messaging.messageWaiting);
  EXPECT_EQ(drains, 1);
  files.Put(kOutbox, "a.txt", "x");
  NoteOutboxChanged();
  EXPECT_TRUE(OutboxMessagePending());
  StartField();
  EXPECT_EQ(Sent(), "a.txt\xFEx\xFE" + FieldEnd(154));
  NoteOutboxChanged();
  EXPECT_FALSE(OutboxMessagePending()) << "a.txt went already";
}

TEST_F(Delivery, OnlyTheSourceDelivers) {
  files.Put(kOutbox, "a.txt", "x");
  Messaging.source = false;
  StartField();
  OutboxChanged();
  EXPECT_EQ(Sent(), "");
  EXPECT_TRUE(Field.active);
}

TEST_F(Delivery, ANoticeEndsTheFieldWith156AndADroppedFileWith155) {
  ASSERT_TRUE(QueueHostItem("C:\\msg\\Msg-ack\\n.txt", "", kNoticeKind));
  StartField();
  EXPECT_EQ(Sent(), "C:\\msg\\Msg-ack\\n.txt\xFE\xFE" + FieldEnd(156));
  // An item queued while a field waits comes with key code 1092.
  StartField();
  EXPECT_EQ(Sent(), "");
  ASSERT_TRUE(QueueHostItem("C:\\drop.doc", "3,4", 0));
  DispatchKey(keycode::kItemQueued);
  EXPECT_EQ(Sent(), "C:\\drop.doc\xFE" "3,4\xFE" + FieldEnd(155));
}

}  // namespace
