// The disconnect password the host sets (a length and that many bytes) is
// kept transformed; what the user types is transformed the same way and the
// two compared.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavix {

// The longest password the dialog's field takes.
constexpr int kDisconnectPasswordMax = 199;

// Transforms the typed text of length n into n bytes, from its last
// character to its first: the character at position i (1-based, i from n
// down to 1) becomes, modulo 256, itself + ((i odd ? n : 0) mod 11) +
// (i mod 7) x 2, plus 11 more at position 1 and minus 3 at position 2. The
// first output byte belongs to the last character.
void TransformDisconnectPassword(const char* typed, size_t n, uint8_t* out);

// True when the typed text, transformed, is exactly the stored bytes: same
// length and every byte equal. An empty stored password accepts only an
// empty entry.
bool DisconnectPasswordMatches(const char* typed, size_t typedLength, const uint8_t* stored,
                               size_t storedLength);

}  // namespace tavix
