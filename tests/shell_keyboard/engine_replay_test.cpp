// The dispatcher behind the real engine: ESC ^ H makes the host busy, ESC ^ T
// replays what was typed meanwhile into the basic handler.
#include <string>
#include <vector>

#include "engine.h"
#include "engine_context.h"
#include "keyboard_fixture.h"
#include "keyboard_seam.h"
#include "recording_shell.h"

class EngineReplayTest : public KeyboardTest {
 protected:
  RecordingShell shell;
  void SetUp() override {
    KeyboardTest::SetUp();
    shell.Attach(false);
    EngineContext c{};
    c.shell = &shell;
    c.channel = &shell;
    c.keyboard = &KeyboardSeamForShell;
    AttachEngine(c);
    ResetEngine();
    InputMode.handler = BasicHandler;
  }
  void TearDown() override {
    DetachEngine();
    KeyboardTest::TearDown();
  }
  static void Feed(const std::string& bytes) {
    ParseBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
};

TEST_F(EngineReplayTest, KeysTypedWhileTheHostIsBusyReachItAfterReadyInOrder) {
  Feed("\x1b^H\r\n");
  ASSERT_TRUE(Screen.busy);
  DispatchAll({'x', 13, 13, 1000, 1004});
  EXPECT_TRUE(sent().empty());
  Feed("\x1b^T\r\n");
  EXPECT_FALSE(Screen.busy);
  EXPECT_EQ(sent(), std::string("x\r\n\x02" "1\r"));
  DispatchKey('y');
  EXPECT_EQ(sent().back(), 'y');
}

TEST_F(EngineReplayTest, AnEmulationResetForgetsEverythingThatWaited) {
  Feed("\x1b^H\r\n");
  DispatchAll({'a', 'b'});
  IngressState.pendingEot = true;
  PasteText("pasted");
  InputMode.handler = Record;  // a local mode's handler
  InputMode.modeNumber = 1;
  InputMode.localMode = true;
  ResetConnectionState();
  EXPECT_EQ(TypeAheadCount(), 0);
  EXPECT_FALSE(IngressState.pendingEot);
  EXPECT_FALSE(PasteWaiting());
  EXPECT_FALSE(InputMode.localMode);
  EXPECT_EQ(InputMode.handler, BasicHandler);
  EXPECT_EQ(InputMode.modeNumber, 0);
}

TEST_F(EngineReplayTest, ALocalModeTakesKeysEvenWhileBusyAndHandsTheKeyboardBack) {
  Feed("\x1b^H\r\n");
  DispatchAll({'a', 13, 'b'});
  int32_t code = 0;
  ASSERT_TRUE(KeyboardSeamForShell.NextTypeAhead(&code));
  EXPECT_EQ(code, 'a');
  KeyboardSeamForShell.InstallLocalHandler(Record, 1);
  EXPECT_TRUE(InputMode.localMode);
  EXPECT_EQ(InputMode.modeNumber, 1);
  DispatchAll({1000, 1000});
  EXPECT_EQ(handled(), (std::vector<int32_t>{1000, 1000})) << "no type-ahead while a local mode owns the keyboard";
  ASSERT_TRUE(KeyboardSeamForShell.NextTypeAhead(&code));
  EXPECT_EQ(code, 13);
  KeyboardSeamForShell.RestoreNormalHandler();
  EXPECT_FALSE(InputMode.localMode);
  EXPECT_EQ(InputMode.handler, BasicHandler);
  EXPECT_EQ(InputMode.modeNumber, 0);
  Feed("\x1b^T\r\n");
  EXPECT_EQ(sent(), "b") << "the last key was still waiting";
}
