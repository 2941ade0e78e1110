#include "shell/sound/tone_player.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/sound/tone_samples.h"

namespace tavix {
namespace {

// The player's output on a simulated clock: timer 1 and the wave block each
// fall due at a time; Beep takes its duration (the real one waits).
struct SimulatedOutput : ToneOutput {
  struct Event {
    int64_t at;
    std::string what;  // "open", "block", "finish", "reset", "close", "beep", "default"
    int a = 0;         // block: samples; beep: frequency
    int b = 0;         // block: first flip position; beep: milliseconds
  };

  int64_t now = 0;
  int64_t timerDue = -1;
  int64_t blockDue = -1;
  bool deviceOpen = false;
  bool openFails = false;
  bool writeFails = false;
  bool beepFails = false;
  std::vector<Event> events;

  std::vector<Event> Of(const std::string& what) const {
    std::vector<Event> out;
    for (const Event& e : events)
      if (e.what == what) out.push_back(e);
    return out;
  }

  void StartToneTimer(int ms) override { timerDue = now + ms; }
  void StopToneTimer() override { timerDue = -1; }
  bool OpenWaveDevice() override {
    if (openFails) return false;
    if (!deviceOpen) events.push_back({now, "open"});
    deviceOpen = true;
    return true;
  }
  bool WaveDeviceOpen() const override { return deviceOpen; }
  bool WriteWaveBlock(const uint8_t* samples, int count) override {
    EXPECT_TRUE(deviceOpen);
    if (writeFails) return false;
    int flip = 0;
    while (flip < count && samples[flip] == samples[0]) ++flip;
    events.push_back({now, "block", count, flip});
    blockDue = now + int64_t{count} * 1000 / kWaveSampleRate;
    return true;
  }
  void FinishWaveBlock() override { events.push_back({now, "finish"}); }
  void ResetWaveDevice() override {
    events.push_back({now, "reset"});
    if (blockDue >= 0) blockDue = now;  // the block comes back at once
  }
  void CloseWaveDevice() override {
    events.push_back({now, "close"});
    deviceOpen = false;
  }
  bool Beep(int frequency, int milliseconds) override {
    events.push_back({now, "beep", frequency, milliseconds});
    if (beepFails) return false;
    now += milliseconds;
    return true;
  }
  void DefaultBeep() override { events.push_back({now, "default"}); }
};

class TonePlayerTest : public ::testing::Test {
 protected:
  // Delivers timer 1 and the block's return in time order until the player
  // is idle; false when it stalls (playing with nothing due) or runs on.
  bool RunUntilIdle(int64_t limitMs = 60000) {
    while (player.Playing()) {
      int64_t due = -1;
      bool block = false;
      if (out.blockDue >= 0) { due = out.blockDue; block = true; }
      if (out.timerDue >= 0 && (due < 0 || out.timerDue < due)) { due = out.timerDue; block = false; }
      if (due < 0 || due > limitMs) return false;
      out.now = due;
      if (block) {
        out.blockDue = -1;
        player.WaveBlockDone();
      } else {
        out.timerDue = -1;
        player.NextTone();
      }
    }
    return true;
  }

  SimulatedOutput out;
  TonePlayer player{out};
};

TEST_F(TonePlayerTest, ModeNoneGivesDefaultBeepsThreeHundredMsApart) {
  player.SetMode(2);
  player.QueueTone(1, 440);
  player.QueueTone(2, 0);
  player.QueueTone(3, 880);
  ASSERT_TRUE(RunUntilIdle());
  auto beeps = out.Of("default");
  ASSERT_EQ(beeps.size(), 3u);
  EXPECT_EQ(beeps[0].at, 1);  // the first tone starts from a 1 ms timer
  EXPECT_EQ(beeps[1].at, 301);
  EXPECT_EQ(beeps[2].at, 601);
  EXPECT_EQ(out.now, 901);  // the queue is found empty 300 ms after the last
  EXPECT_TRUE(out.Of("open").empty());
  EXPECT_TRUE(out.Of("beep").empty());
}

TEST_F(TonePlayerTest, PcModeRestOfTwoUnitsLastsOneHundredFiftyMs) {
  player.SetMode(1);
  player.QueueTone(2, 0);
  player.QueueTone(3, 523);
  ASSERT_TRUE(RunUntilIdle());
  auto beeps = out.Of("beep");
  ASSERT_EQ(beeps.size(), 1u);
  EXPECT_EQ(beeps[0].at, 1 + 150);
  EXPECT_EQ(beeps[0].a, 523);
  EXPECT_EQ(beeps[0].b, 225);  // 75 ms per unit
  EXPECT_TRUE(out.Of("default").empty());
}

TEST_F(TonePlayerTest, WindowsModeRestUsesOneHundredFiftyMsUnits) {
  player.SetMode(0);
  player.QueueTone(2, 0);
  player.QueueTone(1, 440);
  ASSERT_TRUE(RunUntilIdle());
  auto blocks = out.Of("block");
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].at, 1 + 300);
}

TEST_F(TonePlayerTest, WindowsModePlaysOneBlockPerToneThenClosesTheDevice) {
  player.SetMode(0);
  player.QueueTone(1, 440);
  player.QueueTone(2, 880);
  EXPECT_TRUE(player.Playing());
  ASSERT_TRUE(RunUntilIdle());
  auto blocks = out.Of("block");
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].a, 3307);
  EXPECT_EQ(blocks[0].b, 25);  // 440 Hz: the first flip after 25 samples
  EXPECT_EQ(blocks[1].a, 6615);
  EXPECT_EQ(blocks[1].at, blocks[0].at + 3307 * 1000 / 22050);  // after the first returned
  EXPECT_EQ(out.Of("open").size(), 1u);
  EXPECT_EQ(out.Of("finish").size(), 2u);
  ASSERT_EQ(out.Of("close").size(), 1u);
  EXPECT_FALSE(out.deviceOpen);
  EXPECT_FALSE(player.HasSampleBuffer());
  EXPECT_FALSE(player.Playing());
}

TEST_F(TonePlayerTest, LongOrNegativeLengthsAreBounded) {
  struct Case { int mode; int32_t length; int32_t frequency; const char* what; int expected; };
  // expected: block samples, Beep milliseconds, or the rest's timer (started at 0).
  const Case cases[] = {
      {0, 1000, 440, "block", kSampleBufferBytes},
      {0, INT32_MAX, 440, "block", kSampleBufferBytes},
      {1, 100000, 440, "beep", 9 * 75},
      {0, INT32_MAX, 0, "rest", 9 * 150},
      {1, 50, 0, "rest", 9 * 75},
  };
  for (const Case& c : cases) {
    SimulatedOutput o;
    TonePlayer p(o);
    p.SetMode(c.mode);
    p.QueueTone(c.length, c.frequency);
    p.NextTone();  // timer 1
    std::string what = c.what;
    if (what == "rest") {
      EXPECT_EQ(o.timerDue, c.expected) << c.length;
    } else {
      auto events = o.Of(what);
      ASSERT_EQ(events.size(), 1u) << c.length;
      EXPECT_EQ(what == "block" ? events[0].a : events[0].b, c.expected) << c.length;
    }
    EXPECT_TRUE(o.Of("default").empty());
    p.Shutdown();
  }
}

TEST_F(TonePlayerTest, NothingPlaysForLengthZeroOrLess) {
  for (int32_t length : {0, -1, INT32_MIN}) player.QueueTone(length, 440);
  EXPECT_FALSE(player.Playing());
  EXPECT_EQ(out.timerDue, -1);
  EXPECT_EQ(player.QueuedTones(), 0);
}

TEST_F(TonePlayerTest, UnplayableTonesBecomeDefaultBeepsAndTheNextIsTriedLater) {
  struct Case { int mode; bool openFails, writeFails, beepFails; int32_t frequency; };
  const Case cases[] = {
      {0, true, false, false, 440},   // no wave device
      {0, false, true, false, 440},   // the block is refused
      {1, false, false, true, 440},   // Beep fails
  };
  for (const Case& c : cases) {
    SimulatedOutput o;
    o.openFails = c.openFails;
    o.writeFails = c.writeFails;
    o.beepFails = c.beepFails;
    TonePlayer p(o);
    p.SetMode(c.mode);
    p.QueueTone(1, c.frequency);
    p.QueueTone(1, c.frequency);
    o.now = 1;
    p.NextTone();
    auto defaults = o.Of("default");
    ASSERT_EQ(defaults.size(), 1u) << c.mode;
    EXPECT_EQ(o.timerDue, 1 + 300) << c.mode;
    EXPECT_FALSE(p.BlockInFlight());
    o.now = 301;
    p.NextTone();
    EXPECT_EQ(o.Of("default").size(), 2u) << c.mode;
    o.now = 601;
    p.NextTone();
    EXPECT_FALSE(p.Playing());
    EXPECT_FALSE(o.deviceOpen);
  }
}

TEST_F(TonePlayerTest, StopWhileABlockPlaysWaitsForItsReturn) {
  player.SetMode(0);
  player.QueueTone(3, 440);
  player.QueueTone(3, 660);
  out.now = 1;
  player.NextTone();
  ASSERT_TRUE(player.BlockInFlight());

  player.StopSound();
  EXPECT_TRUE(player.Stopping());
  EXPECT_EQ(out.Of("reset").size(), 1u);
  EXPECT_EQ(player.QueuedTones(), 0);
  EXPECT_TRUE(out.deviceOpen);      // not closed under the device's feet
  player.QueueTone(1, 880);         // refused while stopping
  EXPECT_EQ(player.QueuedTones(), 0);
  player.NextTone();                // a stray timer must not reuse the buffer
  EXPECT_EQ(out.Of("block").size(), 1u);

  ASSERT_TRUE(RunUntilIdle());      // the block comes back
  EXPECT_FALSE(player.Stopping());
  EXPECT_FALSE(out.deviceOpen);
  EXPECT_EQ(out.Of("block").size(), 1u);

  player.QueueTone(1, 880);         // accepted again
  ASSERT_TRUE(RunUntilIdle());
  EXPECT_EQ(out.Of("block").size(), 2u);
}

TEST_F(TonePlayerTest, ShutdownClosesAtOnceAndIgnoresTheLateReturn) {
  player.SetMode(0);
  player.QueueTone(9, 440);
  player.QueueTone(9, 440);
  out.now = 1;
  player.NextTone();
  ASSERT_TRUE(player.BlockInFlight());
  player.Shutdown();
  EXPECT_FALSE(out.deviceOpen);
  EXPECT_FALSE(player.Playing());
  EXPECT_FALSE(player.HasSampleBuffer());
  EXPECT_EQ(out.timerDue, -1);
  size_t finished = out.Of("finish").size();
  EXPECT_EQ(finished, 1u);
  player.WaveBlockDone();  // the device's notice arrives afterwards
  EXPECT_EQ(out.Of("finish").size(), finished);
  EXPECT_FALSE(out.deviceOpen);
}

TEST(SoundMode, StoredSettingsMapToModes) {
  EXPECT_EQ(SoundModeFromSetting(0), kSoundWindows);
  EXPECT_EQ(SoundModeFromSetting(-1), kSoundWindows);  // unset
  EXPECT_EQ(SoundModeFromSetting(255), kSoundWindows);
  EXPECT_EQ(SoundModeFromSetting(1), kSoundPc);
  EXPECT_EQ(SoundModeFromSetting(2), kSoundNone);
  EXPECT_EQ(SoundModeFromSetting(7), kSoundNone);
}

}  // namespace
}  // namespace tavix
