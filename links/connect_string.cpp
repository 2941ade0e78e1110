#include "connect_string.h"

#include <cstring>

void CopyConnectString(char (&field)[kConnectStringFieldSize], const char* text) {
  size_t n = 0;
  if (text) {
    while (n < kConnectStringMax && text[n]) ++n;
    std::memcpy(field, text, n);
  }
  field[n] = '\0';
}

std::vector<uint8_t> DecodeConnectString(const std::string& text) {
  const size_t length = text.size() < kConnectStringMax ? text.size() : kConnectStringMax;
  std::vector<uint8_t> out;
  out.reserve(length);
  for (size_t i = 0; i < length; ++i) {
    const uint8_t c = static_cast<uint8_t>(text[i]);
    if (c != '^') {
      out.push_back(c);
      continue;
    }
    if (i + 1 == length) break;  // a lone caret at the end
    uint8_t next = static_cast<uint8_t>(text[++i]);
    if (next == '^') {
      out.push_back('^');
      continue;
    }
    if (next >= 'a' && next <= 'z') next = static_cast<uint8_t>(next - 'a' + 'A');
    out.push_back(static_cast<uint8_t>(next - 64));
  }
  return out;
}
