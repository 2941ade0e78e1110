// The host's tones: the bell and the tone parameter bytes.
#pragma once

#include <cstdint>

struct ToneSettings {
  int32_t BellLength;     // default 1
  int32_t BellFrequency;  // default 880
};

// Owned by tones.cpp.
extern ToneSettings Tones;

extern const int ToneTable[25];

void ResetTones();
// Queue the tone a parameter byte encodes (SO while busy, SO in a message line).
void PlayToneParameter(uint8_t p);
// SO while busy: the next byte is a tone parameter.
void BusyToneState(uint8_t p);
