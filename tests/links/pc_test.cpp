#include <gtest/gtest.h>

#include "pc.h"

namespace {

TEST(WindowsPc, ChannelConfiguredByModeHostAndSpeed) {
  struct Case {
    int mode;
    const char* host;
    int speed;
    bool configured;
  } cases[] = {
      {6, "corvane", -1, true}, {0, "corvane", -1, true}, {9, "10.0.0.1", -1, true},
      {6, "", 2, false},        {9, nullptr, 2, false},   {1, "", 0, true},
      {11, "", 7, true},        {3, "host", -1, false},   {7, "pool", 2, false},
      {8, "pool", 2, false},    {-1, "host", 2, false},   {12, "host", 2, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WindowsPc.channel_configured(c.mode, c.host, c.speed), c.configured)
        << c.mode << " " << (c.host ? c.host : "(null)") << " " << c.speed;
  EXPECT_EQ(WindowsPc.pass_through(5, 9), 9);
}

}  // namespace
