#include "tones.h"

#include <cstdlib>

#include "completions.h"
#include "engine_context.h"
#include "param_collector.h"
#include "parser.h"

ToneSettings Tones = {1, 880};

// Two octaves of semitones from 262 Hz; entry 0 is never looked up.
const int ToneTable[25] = {0,   262, 277, 294, 311, 330, 349, 370, 392, 415, 440, 466, 494,
                           523, 554, 587, 622, 659, 698, 740, 784, 831, 880, 932, 988};

// Decimal text: an optional sign and the leading digits; no digits = 0.
static int32_t LeadingDecimal(const char* text) {
  long long value = std::strtoll(text, nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

void ResetTones() { Tones = ToneSettings{1, 880}; }

void PlayToneParameter(uint8_t p) {
  int n = p - 31;
  // Bytes below 31 encode no tone at all; they must not reach before the table.
  if (n < 0) return;
  int length = n / 25 + 1;
  int note = n - 25 * (length - 1);
  if (!Engine.shell->SoundEnabled()) return;
  Engine.shell->QueueTone(length, note == 0 ? 0 : ToneTable[note]);
}

void BusyToneState(uint8_t p) {
  ResetParser();
  PlayToneParameter(p);
}

// ESC ^ D and ESC ^ F: the bell's length and frequency as decimal text.
void SetBellLength() { Tones.BellLength = LeadingDecimal(ParamText(0)); }
void SetBellFrequency() { Tones.BellFrequency = LeadingDecimal(ParamText(0)); }
