#include "shell/sound/tone_samples.h"

namespace tavix {

int ClampToneLength(int32_t length) {
  if (length <= 0) return 0;
  return length > kMaxToneUnits ? kMaxToneUnits : static_cast<int>(length);
}

int WaveBlockSamples(int32_t length) {
  int units = ClampToneLength(length);
  return static_cast<int>(int64_t{kWaveSampleRate} * kWaveUnitMs * units / 1000);
}

void FillSquareWave(uint8_t* samples, int count, int32_t frequency) {
  uint8_t level = kSquareLowLevel;
  // 64 bits: a frequency above 11,025 Hz makes the counter climb by more than
  // it loses per sample; a whole buffer of that must not overflow it.
  int64_t phase = kSquareLowLevel;
  for (int i = 0; i < count; ++i) {
    samples[i] = level;
    phase += frequency;
    if (phase >= kSquarePhaseWrap) {
      phase -= kSquarePhaseWrap;
      level = level == kSquareLowLevel ? kSquareHighLevel : kSquareLowLevel;
    }
  }
}

}  // namespace tavix
