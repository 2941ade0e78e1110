// The one-dimensional Modified Huffman codes of ITU-T T.4: terminating codes
// for runs of 0-63 and make-up codes for 64-1728, white and black.
#pragma once

#include <cstdint>

struct T4Code {
  uint16_t bits;    // the code, right-aligned
  uint8_t length;   // in bits
};

// Indexed by run length 0-63.
extern const T4Code kT4WhiteTerminating[64];
extern const T4Code kT4BlackTerminating[64];
// Indexed by run length / 64 - 1, for 64-1728.
extern const T4Code kT4WhiteMakeUp[27];
extern const T4Code kT4BlackMakeUp[27];
