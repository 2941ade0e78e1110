// The program editor's relay against a recording editor: opening with kind
// 6, and the host's polls, closes and answers.
#include <gtest/gtest.h>

#include "recording_edit.h"
#include "text_block_fixture.h"

namespace {

using Calls = std::vector<std::string>;

struct CreateCall {
  EditToMoxel* callbacks;
  std::string title, suffix;
  int session, readOnly;
};

RecordingEdit* Library = nullptr;  // null: the library makes no window
CreateCall LastCreate;
int CreateCount = 0;

MoxelToEdit* HELPER_CALL CreateEditWindow(EditToMoxel* callbacks, int* index, const char* title, int session,
                                          int readOnly, const char* suffix) {
  ++CreateCount;
  LastCreate = CreateCall{callbacks, title, suffix, session, readOnly};
  if (!Library) return nullptr;
  *index = Library->windows++;
  return Library;
}

const char* MainTitle() { return "Moxel Live Branch"; }

class EditRelayTest : public TextBlockTest {
 protected:
  RecordingEdit library;
  void SetUp() override {
    TextBlockTest::SetUp();
    Library = &library;
    CreateCount = 0;
    LastCreate = CreateCall{};
    AttachEditWindows(EditWindowPort{CreateEditWindow, reinterpret_cast<EditToMoxel*>(&library), MainTitle});
  }
  void TearDown() override {
    AttachEditWindows(EditWindowPort{nullptr, nullptr, nullptr});
    ResetEditRelay();
    TextBlockTest::TearDown();
  }
  // ESC T $ with session and read-only bytes, the text, the program's lines
  // (the comma after the two bytes is the parser's, not the host's).
  void Program(int session, int readOnly, const std::string& text, const std::string& body,
               const std::string& trailer = "\n") {
    Feed(kEsc + "T$" + V(session) + V(readOnly) + text + "\n" + Lines(body) + "\x03" + trailer);
  }
  void Poll() { Feed(kEsc + "SG"); }
  // The pick list the edit-window event ends.
  void EditEvent() {
    Feed(kEsc + "Ms" + P({0, 0}) + "\n");
    Key(1095);
  }
};

TEST_F(EditRelayTest, KindSixOpensTheWindowWithTheLines) {
  Program(7, 1, "BP,PROG.BAS", "10 REM\n" + std::string(85, 'x'), "0,0,1,91\n");
  EXPECT_EQ(Sent(), "1");
  EXPECT_EQ(LastCreate.title, "PROG.BAS Live Branch") << "title prefix and the main title's tail";
  EXPECT_EQ(LastCreate.suffix, "BP");
  EXPECT_EQ(LastCreate.session, 7);
  EXPECT_EQ(LastCreate.readOnly, 1);
  EXPECT_EQ(LastCreate.callbacks, reinterpret_cast<EditToMoxel*>(&library));
  ASSERT_EQ(library.loaded.size(), 3u);
  EXPECT_EQ(library.loaded[0], "010 REM" + std::string(74, ' '));
  EXPECT_EQ(library.loaded[1], "0" + std::string(80, 'x'));
  EXPECT_EQ(library.loaded[2], "1xxxxx" + std::string(75, ' ')) << "the flag byte goes before the text";
  EXPECT_EQ(library.Take(), (Calls{"AddLoadedLine 0", "AddLoadedLine 0", "AddLoadedLine 0", "EndOfLoad 0"}));
  EXPECT_EQ(LineStore.lineCount, 0) << "the store is released";
  EXPECT_EQ(Parser.ParseState, GroundState);
  EXPECT_EQ(EditRelay.edit, &library);
}

TEST_F(EditRelayTest, NothingOpensWhenItCannot) {
  struct Case {
    const char* name;
    int session;
    bool library;
    std::string trailer;
    bool created;
  } cases[] = {
      {"session 0 can never be named", 0, true, "\n", false},
      {"no window made", 3, false, "\n", true},
      {"byte count wrong", 3, true, "0,0,1,9\n", false},
  };
  for (const Case& c : cases) {
    Library = c.library ? &library : nullptr;
    CreateCount = 0;
    Program(c.session, 0, "PROG", "abc", c.trailer);
    EXPECT_EQ(Sent(), "0") << c.name;
    EXPECT_EQ(CreateCount, c.created ? 1 : 0) << c.name;
    EXPECT_EQ(LineStore.lineCount, 0) << c.name;
  }
  // Without the library at all.
  AttachEditWindows(EditWindowPort{nullptr, nullptr, MainTitle});
  Program(3, 0, "PROG", "abc");
  EXPECT_EQ(Sent(), "0");
  // ESC T % carries no session.
  Library = &library;
  AttachEditWindows(EditWindowPort{CreateEditWindow, nullptr, MainTitle});
  Feed(kEsc + "T%PROG\nabc\x03\n");
  EXPECT_EQ(Sent(), "0");
}

TEST_F(EditRelayTest, PollsRelayMessagesAndConfirmThemOnTheNextPoll) {
  Program(2, 0, "P", "a");
  Sent();
  library.Take();
  Poll();
  EXPECT_EQ(Sent(), "s \r") << "no pending session: the empty form at once";
  library.messages[2] = {"r4,1,0,X\r", "ew\r"};
  library.pendingSession = 2;
  EditEvent();
  EXPECT_EQ(Sent(), (std::string{V(2), V(157), V(0), '\n'}));
  library.Take();
  Poll();
  EXPECT_EQ(Sent(), "r4,1,0,X\r");
  Poll();
  EXPECT_EQ(Sent(), "ew\r");
  library.pendingSession = 0;
  Poll();
  EXPECT_EQ(Sent(), "s \r");
  EXPECT_EQ(library.Take(), (Calls{"GetNextMessage 2", "AcknowledgeSend 2", "GetNextMessage 2", "AcknowledgeSend 2",
                                   "GetNextMessage 2", "GetPendingSession"}));
  // Another session with work is named.
  library.pendingSession = 5;
  library.messages[5] = {"d3\r"};
  EditRelay.pendingSession = 2;
  Poll();
  EXPECT_EQ(Sent(), (std::string{'s', V(5), '\r'}));
  Poll();
  EXPECT_EQ(Sent(), "d3\r");
}

TEST_F(EditRelayTest, CloseCancelsALongLineOnceOrClosesTheSession) {
  Program(4, 0, "P", "a");
  Sent();
  library.messages[4] = {"r80,12,4,xxxx\r", "i5\r"};
  library.pendingSession = 4;
  EditEvent();
  Sent();
  Poll();
  EXPECT_EQ(Sent(), "r80,12,4,xxxx\r");
  library.Take();
  // Mid-line: the continuation is dropped, the line confirmed once, the next
  // operation sent.
  Feed(kEsc + "SB");
  EXPECT_EQ(library.Take(), (Calls{"CancelContinuation 4", "AcknowledgeSend 4", "GetNextMessage 4"}));
  EXPECT_EQ(Sent(), "i5\r");
  Poll();
  Sent();
  library.Take();
  // Nothing awaiting confirmation: the session is closed, then polled.
  library.windows = 1;
  Feed(kEsc + "SB");
  EXPECT_EQ(library.Take(), (Calls{"CloseSession 4"}));
  EXPECT_EQ(EditRelay.edit, nullptr) << "no window remains";
  EXPECT_EQ(Sent(), "s \r");
}

TEST_F(EditRelayTest, HostClosesAndAnswersSessions) {
  Program(3, 0, "P", "a");
  Program(6, 0, "Q", "b");
  Sent();
  library.Take();
  EditRelay.pendingSession = 3;
  Feed(kEsc + "SR" + V(6) + " Y\n");
  Feed(kEsc + "SK" + V(3) + "\n");
  EXPECT_EQ(library.Take(), (Calls{"HostReply 6  Y", "CloseSession 3"}));
  EXPECT_EQ(EditRelay.pendingSession, 0);
  EXPECT_EQ(EditRelay.edit, &library) << "one window remains";
  Feed(kEsc + "SK" + V(6) + "\n");
  EXPECT_EQ(EditRelay.edit, nullptr);
  Feed(kEsc + "SR" + V(6) + "1x\n");
  EXPECT_TRUE(library.Take() == Calls{"CloseSession 6"}) << "nothing reaches a forgotten library";
}

TEST_F(EditRelayTest, EditEventsEndFieldsAndBrowsingWithTheSession) {
  Program(9, 0, "P", "a");
  Sent();
  library.pendingSession = 9;
  Feed(kEsc + "i" + P({0, 0, 5, 0, 0}) + " \n");
  Key(1095);
  EXPECT_EQ(Sent(), std::string("\x29") + V(157) + V(0) + V(0) + " \n");
  Feed(kEsc + "v\n");
  Key(1095);
  EXPECT_EQ(Sent(), (std::string{V(9), V(157), V(0), '\n'}));
  library.pendingSession = 0;
  Feed(kEsc + "v\n");
  Key(1095);
  EXPECT_EQ(Sent(), "") << "no session with work: the mode goes on";
}

}  // namespace
