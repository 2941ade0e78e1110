#include "framing.h"

bool FramingSafe(const std::string& bytes) {
  for (char c : bytes) {
    const uint8_t b = static_cast<uint8_t>(c);
    if (b == kMessageFieldEnd || b == kMessageLineEnd) return false;
  }
  return true;
}

std::string MessageContentBytes(const std::string& contents) {
  std::string out;
  out.reserve(contents.size() + 1);
  for (char c : contents) {
    if (c == '\r') continue;
    out += c == '\n' ? static_cast<char>(kMessageLineEnd) : c;
  }
  out += static_cast<char>(kMessageFieldEnd);
  return out;
}
