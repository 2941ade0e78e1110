#include "shell/dialogs/disconnect_password.h"

#include <vector>

namespace tavix {

void TransformDisconnectPassword(const char* typed, size_t n, uint8_t* out) {
  size_t k = 0;
  for (size_t i = n; i >= 1; --i, ++k) {
    unsigned value = static_cast<uint8_t>(typed[i - 1]);
    value += (i % 2 == 1 ? n : 0) % 11;
    value += (i % 7) * 2;
    if (i == 1) value += 11;
    if (i == 2) value -= 3;
    out[k] = static_cast<uint8_t>(value);
  }
}

bool DisconnectPasswordMatches(const char* typed, size_t typedLength, const uint8_t* stored,
                               size_t storedLength) {
  if (typedLength != storedLength) return false;
  std::vector<uint8_t> transformed(typedLength);
  TransformDisconnectPassword(typed, typedLength, transformed.data());
  for (size_t i = 0; i < typedLength; ++i) {
    if (transformed[i] != stored[i]) return false;
  }
  return true;
}

}  // namespace tavix
