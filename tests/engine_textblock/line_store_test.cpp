// The line store: segments of engine blocks behind a table of descriptors.
#include <gtest/gtest.h>

#include <cstring>

#include "block_store.h"
#include "line_store.h"
#include "recording_shell.h"

namespace {

class LineStoreTest : public ::testing::Test {
 protected:
  RecordingShell shell;
  void SetUp() override {
    shell.Attach();
    ResetBlockStore();
    LineStore.Reset(80);
  }
  void TearDown() override {
    LineStore.FreeAll();
    SetBlockStoreLimit(0);
    ResetBlockStore();
    DetachEngine();
  }
  static void Put(int line, const std::string& text) {
    uint8_t* p = LineStore.LineAt(line);
    ASSERT_NE(p, nullptr) << line;
    std::memcpy(p, text.data(), text.size());
    LineStore.UnlockAll();
  }
  static std::string Get(int line) {
    uint8_t* p = LineStore.LineAt(line);
    std::string s = p ? std::string(reinterpret_cast<char*>(p), LineStore.lineLength) : "";
    LineStore.UnlockAll();
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
  }
};

TEST_F(LineStoreTest, SegmentCapacityFollowsTheLineLength) {
  struct Case {
    int lineLength, capacity;
  } cases[] = {{80, 100}, {75, 100}, {326, 100}, {327, 99}, {400, 81}, {40000, 1}};
  for (const Case& c : cases) {
    LineStore.Reset(c.lineLength);
    EXPECT_EQ(LineStore.SegmentCapacity(), c.capacity) << c.lineLength;
  }
}

TEST_F(LineStoreTest, LinesAcrossSegmentsKeepTheirText) {
  for (int i = 0; i < 250; ++i) Put(i, "line " + std::to_string(i));
  EXPECT_EQ(LineStore.segmentCount, 3);
  EXPECT_EQ(LineStore.lineCount, 300);
  EXPECT_EQ(BlockSize(LineStore.table), 3 * sizeof(SegmentDescriptor));
  EXPECT_EQ(LiveBlockCount(), 4u) << "three segments and the table";
  for (int i : {0, 99, 100, 199, 200, 249}) EXPECT_EQ(Get(i), "line " + std::to_string(i));
  // A fresh line is blank with flag 0.
  uint8_t* fresh = LineStore.LineAt(270);
  EXPECT_EQ(fresh[-1], kLineFresh);
  EXPECT_EQ(Get(270), "");
  LineStore.UnlockAll();
  int index = 150;
  SegmentDescriptor* d = LineStore.FindSegment(&index);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(index, 50);
  EXPECT_EQ(d->lineCount, 100u);
}

TEST_F(LineStoreTest, InsertAndDeleteMoveLinesOverSegmentBoundaries) {
  for (int i = 0; i < 200; ++i) Put(i, std::to_string(i));
  LineStore.LineAt(101)[-1] = kLineContinues;
  LineStore.UnlockAll();
  LineStore.InsertLine(99);
  EXPECT_EQ(Get(98), "98");
  EXPECT_EQ(Get(99), "");
  EXPECT_EQ(Get(100), "99");
  EXPECT_EQ(Get(101), "100");
  EXPECT_EQ(LineStore.LineAt(102)[-1], kLineContinues) << "flags move with their lines";
  EXPECT_EQ(Get(199), "198") << "the last allocated line is lost";
  LineStore.DeleteLine(99);
  LineStore.DeleteLine(0);
  EXPECT_EQ(Get(0), "1");
  EXPECT_EQ(Get(99), "100");
  EXPECT_EQ(Get(199), "") << "the last line becomes blank";
  EXPECT_EQ(LineStore.LineAt(199)[-1], kLineFresh);
  LineStore.UnlockAll();
}

TEST_F(LineStoreTest, AllocationFailureFreesEverythingAndPostsTheNotice) {
  Put(0, "kept for now");
  SetBlockStoreLimit(BlockSize(LineStore.table) + 3 * 81 * 100);
  EXPECT_NE(LineStore.LineAt(150), nullptr);
  LineStore.UnlockAll();
  EXPECT_EQ(LineStore.LineAt(350), nullptr);
  EXPECT_EQ(LineStore.lineCount, 0);
  EXPECT_EQ(LineStore.segmentCount, 0);
  EXPECT_EQ(LiveBlockCount(), 0u);
  ASSERT_EQ(shell.events.size(), 1u);
  EXPECT_EQ(shell.events[0], "failure-notice");
}

TEST_F(LineStoreTest, TheLineLimitIsNeverPassed) {
  LineStore.lineLimit = 10;
  EXPECT_NE(LineStore.LineAt(9), nullptr);
  EXPECT_EQ(LineStore.LineAt(10), nullptr);
  EXPECT_EQ(LineStore.LineAt(-1), nullptr);
  EXPECT_TRUE(shell.events.empty()) << "a line past the limit is no failure";
  LineStore.UnlockAll();
}

}  // namespace
