#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "block_store.h"
#include "whandler.h"

namespace {

class WhandlerTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetBlockStore(); }
  void TearDown() override {
    SetBlockStoreLimit(0);
    ResetBlockStore();
  }
  static std::string Bytes(BlockId id) {
    return std::string(reinterpret_cast<const char*>(BlockData(id)), BlockSize(id));
  }
};

TEST_F(WhandlerTest, WritesReadsAndFillsThroughTheBlockThatOutlivesTheStream) {
  BlockId id;
  {
    _whandler_windows s;
    ASSERT_TRUE(s.Allocate(12));
    EXPECT_EQ(std::string(12, '\0'), Bytes(s.Handle()));
    EXPECT_TRUE(s.Write("abcd", 4));
    EXPECT_TRUE(s.Fill('-', 3));
    EXPECT_EQ(7u, s.Position());
    s.Skip(2);
    EXPECT_TRUE(s.Write("XYZ", 3));
    id = s.Handle();
  }
  // The stream went away; the block did not.
  ASSERT_EQ(1u, LiveBlockCount());
  EXPECT_EQ(std::string("abcd---\0\0XYZ", 12), Bytes(id));

  _whandler_windows r;
  ASSERT_TRUE(r.Attach(id));
  char out[5] = {};
  EXPECT_TRUE(r.Read(out, 4));
  EXPECT_STREQ("abcd", out);
  r.Seek(9);
  EXPECT_TRUE(r.Read(out, 3));
  EXPECT_EQ(std::string("XYZ"), std::string(out, 3));
  r.Free();
  EXPECT_EQ(0u, LiveBlockCount());
  EXPECT_EQ(0u, r.Handle());
}

TEST_F(WhandlerTest, NothingPassesEitherEndOfTheBlock) {
  _whandler_windows s;
  ASSERT_TRUE(s.Allocate(8));
  s.Seek(6);
  EXPECT_FALSE(s.Write("abc", 3));
  EXPECT_FALSE(s.Fill('x', 3));
  EXPECT_EQ(6u, s.Position());
  char out[4] = {'q', 'q', 'q', 'q'};
  EXPECT_FALSE(s.Read(out, 4));
  EXPECT_EQ(std::string(4, '\0'), std::string(out, 4));  // a refused read leaves no stale bytes
  s.Seek(0xFFFFFFF0u);
  EXPECT_FALSE(s.Write("a", 1));
  s.Seek(2);
  s.Skip(0xFFFFFFFFu);  // wraps round to 1: still inside
  EXPECT_TRUE(s.Write("a", 1));
  EXPECT_EQ(std::string("\0a\0\0\0\0\0\0", 8), Bytes(s.Handle()));
  s.Seek(8);
  EXPECT_TRUE(s.Write("", 0));  // an empty write at the very end is fine
  EXPECT_FALSE(s.Write("a", 1));

  _whandler_windows unknown;
  EXPECT_FALSE(unknown.Attach(77));
  EXPECT_FALSE(unknown.Write("a", 1));
  EXPECT_FALSE(unknown.Read(out, 1));
}

TEST_F(WhandlerTest, MoveShiftsOverlappingBytesBothWays) {
  struct Case {
    uint32_t position;
    int32_t delta;
    uint32_t count;
    bool ok;
    const char* after;
    uint32_t positionAfter;
  } cases[] = {
      {0, 2, 4, true, "cdefefgh", 4},     // pull later bytes forward, overlapping
      {4, -2, 3, true, "abcdcdeh", 1},    // push earlier bytes back, position walks back
      {2, 0, 3, true, "abcdefgh", 5},     // in place
      {5, 2, 3, false, "abcdefgh", 5},    // source passes the end
      {1, -2, 1, false, "abcdefgh", 1},   // source before the start
      {2, -1, 3, false, "abcdefgh", 2},   // the position would go below 0
      {6, -6, 3, false, "abcdefgh", 6},   // target passes the end
  };
  for (const Case& c : cases) {
    _whandler_windows s;
    ASSERT_TRUE(s.Allocate(8));
    s.Write("abcdefgh", 8);
    s.Seek(c.position);
    EXPECT_EQ(c.ok, s.Move(c.delta, c.count)) << c.position << " " << c.delta;
    EXPECT_EQ(std::string(c.after), Bytes(s.Handle())) << c.position << " " << c.delta;
    EXPECT_EQ(c.positionAfter, s.Position()) << c.position << " " << c.delta;
    s.Free();
  }
}

TEST_F(WhandlerTest, AllocationFailureLeavesNoBlock) {
  SetBlockStoreLimit(100);
  _whandler_windows s;
  EXPECT_FALSE(s.Allocate(101));
  EXPECT_EQ(0u, s.Handle());
  EXPECT_EQ(0u, LiveBlockCount());
  EXPECT_FALSE(s.Write("a", 1));
  s.Free();  // nothing to free: harmless
  EXPECT_TRUE(s.Allocate(100));
}

}  // namespace
