#include "shell/sound/tone_queue.h"

#include <gtest/gtest.h>

namespace tavix {
namespace {

TEST(ToneQueue, HoldsAHundredTonesAndLosesTheNext) {
  ToneQueue queue;
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(queue.PutTone(i + 1, 1000 + i)) << "tone " << i;
  EXPECT_FALSE(queue.PutTone(7, 7777));
  EXPECT_FALSE(queue.Put(1));  // not even half a tone goes in
  for (int i = 0; i < 100; ++i) {
    int32_t length = 0, frequency = 0;
    ASSERT_TRUE(queue.TakeTone(&length, &frequency));
    EXPECT_EQ(length, i + 1);
    EXPECT_EQ(frequency, 1000 + i);
  }
  int32_t length, frequency;
  EXPECT_FALSE(queue.TakeTone(&length, &frequency));
}

TEST(ToneQueue, StoresTheLengthBeforeTheFrequency) {
  ToneQueue queue;
  ASSERT_TRUE(queue.PutTone(3, 440));
  int32_t first = 0, second = 0;
  ASSERT_TRUE(queue.Take(&first));
  ASSERT_TRUE(queue.Take(&second));
  EXPECT_EQ(first, 3);
  EXPECT_EQ(second, 440);
}

TEST(ToneQueue, KeepsOrderAndCapacityAcrossTheWrap) {
  ToneQueue queue;
  // Move the ring's ends to an odd slot so that tones straddle the wrap.
  ASSERT_TRUE(queue.Put(-1));
  int32_t value;
  ASSERT_TRUE(queue.Take(&value));
  int next = 0, expected = 0;
  for (int round = 0; round < 7; ++round) {
    while (queue.PutTone(next, -next)) ++next;
    EXPECT_EQ(queue.Count(), 200) << "round " << round;
    for (int k = 0; k < 37; ++k) {
      int32_t length, frequency;
      ASSERT_TRUE(queue.TakeTone(&length, &frequency));
      EXPECT_EQ(length, expected);
      EXPECT_EQ(frequency, -expected);
      ++expected;
    }
  }
}

}  // namespace
}  // namespace tavix
