// The sample blocks of the wave-out tone player: 8-bit mono PCM at 22,050
// samples per second, a square wave between two levels around the midpoint.
#pragma once

#include <cstdint>

namespace tavix {

constexpr int kWaveSampleRate = 22050;
// One unit of tone length in Windows-sound mode, in milliseconds.
constexpr int kWaveUnitMs = 150;
// The longest tone a host tune can ask for (parameter byte 255) is 9 units,
// and 9 units exactly fill the sample buffer. Longer lengths (the host sets
// the bell's length freely) are cut to this.
constexpr int kMaxToneUnits = 9;
constexpr int kSampleBufferBytes = 29767;  // 22,050 x 150 x 9 / 1000

constexpr uint8_t kSquareLowLevel = 108;
constexpr uint8_t kSquareHighLevel = 148;
// The phase counter flips the level each time it gains this much: half a
// period at the sample rate.
constexpr int kSquarePhaseWrap = 11025;

// The length the player actually plays: 0 (nothing to play) for a length of
// 0 or less, at most kMaxToneUnits.
int ClampToneLength(int32_t length);

// Samples in the wave block of a tone of this many units (clamped as above),
// 22,050 x 150 x length / 1000 in integer arithmetic; never more than
// kSampleBufferBytes.
int WaveBlockSamples(int32_t length);

// Writes count samples of the square wave for the frequency: the level starts
// low and the phase counter at 108; after each sample the counter gains the
// frequency and, when it reaches 11,025, loses 11,025 and the level flips.
void FillSquareWave(uint8_t* samples, int count, int32_t frequency);

}  // namespace tavix
