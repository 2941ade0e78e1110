// The framing bytes and the queue of items for the host.
#include <gtest/gtest.h>

#include <string>

#include "framing.h"
#include "host_items.h"

namespace {

TEST(MessageFraming, ContentsAndRefusals) {
  struct {
    std::string contents, sent;
  } cases[] = {
      {"", "\xFE"},
      {"one\r\ntwo\n", "one\xFDtwo\xFD\xFE"},
      {"a\rb", "ab\xFE"},
      {"no end", "no end\xFE"},
      {std::string("nul\0!", 5), std::string("nul\0!\xFE", 6)},
      {"\n\n", "\xFD\xFD\xFE"},
  };
  for (const auto& c : cases) EXPECT_EQ(MessageContentBytes(c.contents), c.sent);
  EXPECT_TRUE(FramingSafe("C:\\m\\FromPC\\order.txt"));
  EXPECT_TRUE(FramingSafe("\xFC\xFF"));
  EXPECT_FALSE(FramingSafe("a\xFE"));
  EXPECT_FALSE(FramingSafe("\xFD"));
}

class HostItems : public ::testing::Test {
 protected:
  void SetUp() override { UseHeapHostItemMemory(); }
  void TearDown() override { ClearHostItems(); }
};

TEST_F(HostItems, ItemsComeOutInArrivalOrderWithTheirPositionAndKind) {
  EXPECT_FALSE(HostItemsWaiting());
  ASSERT_TRUE(QueueHostItem("C:\\a.txt", "3,4", 0));
  ASSERT_TRUE(QueueHostItem("C:\\m\\Msg-ack\\n.txt", "", kNoticeKind));
  EXPECT_TRUE(HostItemsWaiting());
  std::string text, position;
  int kind = -1;
  ASSERT_TRUE(PopHostItem(&text, &position, &kind));
  EXPECT_EQ(text, "C:\\a.txt");
  EXPECT_EQ(position, "3,4");
  EXPECT_EQ(kind, 0);
  ASSERT_TRUE(PopHostItem(&text, &position, &kind));
  EXPECT_EQ(text, "C:\\m\\Msg-ack\\n.txt");
  EXPECT_EQ(position, "");
  EXPECT_EQ(kind, kNoticeKind);
  EXPECT_FALSE(PopHostItem(&text, &position, &kind));
  EXPECT_FALSE(HostItemsWaiting());
}

TEST_F(HostItems, AnItemThatCannotBeFramedIsNotQueued) {
  EXPECT_FALSE(QueueHostItem("C:\\a\xFE.txt", "", 0));
  EXPECT_FALSE(QueueHostItem("C:\\a.txt", "1\xFD", 0));
  EXPECT_FALSE(HostItemsWaiting());
}

// A lock that cannot be had and memory that runs out queue nothing and lose nothing queued.
bool refuseLock = false;
int blocks = 0;
void* CountingAllocate(size_t size) {
  ++blocks;
  return ::operator new(size);
}
void* Same(void* b) { return b; }
void Keep(void*) {}
void CountingRelease(void* b) {
  --blocks;
  ::operator delete(b);
}
bool Acquire() { return !refuseLock; }
void Relinquish() {}

TEST_F(HostItems, ALockNotHadQueuesNothingAndReleasesTheBlock) {
  SetHostItemMemory({CountingAllocate, Same, Keep, CountingRelease, Acquire, Relinquish});
  ASSERT_TRUE(QueueHostItem("first", "", 0));
  refuseLock = true;
  EXPECT_FALSE(QueueHostItem("second", "", 0));
  EXPECT_EQ(blocks, 1);
  refuseLock = false;
  std::string text, position;
  int kind = 0;
  ASSERT_TRUE(PopHostItem(&text, &position, &kind));
  EXPECT_EQ(text, "first");
  EXPECT_FALSE(PopHostItem(&text, &position, &kind));
  EXPECT_EQ(blocks, 0) << "every block released";
  UseHeapHostItemMemory();
}

TEST(DropPosition, OneBasedWithinTheTextWindowAndZeroOutside) {
  struct {
    int col, row, left, top, right, bottom;
    const char* text;
  } cases[] = {
      {0, 0, 0, 0, 79, 23, "1,1"},      {79, 23, 0, 0, 79, 23, "80,24"}, {12, 6, 10, 4, 49, 11, "3,3"},
      {9, 6, 10, 4, 49, 11, "0,3"},     {12, 12, 10, 4, 49, 11, "3,0"},  {50, 3, 10, 4, 49, 11, "0,0"},
      {49, 11, 10, 4, 49, 11, "40,8"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DropPositionText(c.col, c.row, c.left, c.top, c.right, c.bottom), c.text) << c.col << "," << c.row;
}

}  // namespace
