#include "shell/sound/tone_samples.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavix {
namespace {

// Lengths of the runs of equal samples, first sample must be the low level.
std::vector<int> RunLengths(const std::vector<uint8_t>& samples, size_t runs) {
  std::vector<int> lengths;
  size_t i = 0;
  while (i < samples.size() && lengths.size() < runs) {
    size_t start = i;
    while (i < samples.size() && samples[i] == samples[start]) ++i;
    lengths.push_back(static_cast<int>(i - start));
  }
  return lengths;
}

TEST(ToneSamples, BlockSizeIsOneHundredFiftyMsPerUnit) {
  EXPECT_EQ(WaveBlockSamples(1), 3307);  // 3,307.5: integer arithmetic
  EXPECT_EQ(WaveBlockSamples(2), 6615);
  EXPECT_EQ(WaveBlockSamples(9), kSampleBufferBytes);  // exactly full
}

TEST(ToneSamples, LengthsFromTheHostAreBounded) {
  struct Case { int32_t length; int units; int samples; };
  const Case cases[] = {
      {0, 0, 0},          {-1, 0, 0},  {INT32_MIN, 0, 0}, {1, 1, 3307},
      {10, 9, 29767},     {1000, 9, 29767},                {INT32_MAX, 9, 29767},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClampToneLength(c.length), c.units) << c.length;
    EXPECT_EQ(WaveBlockSamples(c.length), c.samples) << c.length;
  }
}

TEST(ToneSamples, SquareWaveFlipsWhereThePhaseCounterWraps) {
  struct Case { int32_t frequency; std::vector<int> runs; };
  // Worked by hand from the counter: 440 Hz starts at 108 and gains 440 per
  // sample, so it first reaches 11,025 after 25 samples (108 + 25 x 440 =
  // 11,108, keeping 83), then 58, 33, 8 after 25 each, and then needs 26.
  // 5,000 Hz: 108 -> 5,108 -> 10,108 -> 15,108 (flip, 4,083): 3 samples;
  // 4,083 -> 9,083 -> 14,083 (3,058): 2; 2,033: 2; 1,008: 2; 1,008 -> 6,008
  // -> 11,008 (not yet) -> 16,008: 3.
  const Case cases[] = {
      {440, {25, 25, 25, 25, 26, 25}},
      {5000, {3, 2, 2, 2, 3}},
      {11025, {1, 1, 1, 1}},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> samples(400);
    FillSquareWave(samples.data(), static_cast<int>(samples.size()), c.frequency);
    EXPECT_EQ(samples[0], kSquareLowLevel) << c.frequency;
    EXPECT_EQ(RunLengths(samples, c.runs.size()), c.runs) << c.frequency;
    for (uint8_t s : samples) ASSERT_TRUE(s == kSquareLowLevel || s == kSquareHighLevel);
    // Runs alternate low and high.
    EXPECT_EQ(samples[c.runs[0]], kSquareHighLevel) << c.frequency;
  }
}

TEST(ToneSamples, OutOfRangeFrequenciesFillTheBlockWithoutHarm) {
  // A negative frequency never reaches the wrap (a flat, silent block); a
  // huge one leaves the counter climbing: neither may overflow it.
  for (int32_t frequency : {-5, INT32_MIN, INT32_MAX}) {
    std::vector<uint8_t> samples(kSampleBufferBytes);
    FillSquareWave(samples.data(), kSampleBufferBytes, frequency);
    for (uint8_t s : samples) ASSERT_TRUE(s == kSquareLowLevel || s == kSquareHighLevel);
  }
  std::vector<uint8_t> flat(100);
  FillSquareWave(flat.data(), 100, -5);
  EXPECT_EQ(flat, std::vector<uint8_t>(100, kSquareLowLevel));
}

}  // namespace
}  // namespace tavix
