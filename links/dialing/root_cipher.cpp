#include "root_cipher.h"

#include <cstdio>

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

uint8_t Lower(uint8_t c) { return c >= 'A' && c <= 'Z' ? static_cast<uint8_t>(c - 'A' + 'a') : c; }

}  // namespace

std::vector<uint8_t> RootKey(const std::string& p) {
  const int length = static_cast<int>(p.size());
  std::vector<uint8_t> key;
  key.reserve(p.size());
  for (int i = length - 1; i >= 0; --i) {
    int b = Lower(static_cast<uint8_t>(p[static_cast<size_t>(i)])) + (((i + 1) % 2) * length) % 11 +
            ((i + 1) % 7) * 2;
    if (i == 0) b += 11;
    if (i == 1) b -= 3;
    key.push_back(static_cast<uint8_t>(b));
  }
  return key;
}

bool EncipherRoot(const std::string& password, const std::string& userPassword, std::string* out) {
  out->clear();
  if (password.empty()) return true;
  std::vector<uint8_t> key = RootKey(userPassword);
  if (key.empty()) return false;
  for (size_t i = 0; i < password.size(); ++i) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%2.2X", static_cast<unsigned>(static_cast<uint8_t>(password[i]) ^ key[i % key.size()]));
    *out += pair;
  }
  return true;
}

bool DecipherRoot(const std::string& stored, const std::string& userPassword, std::string* out) {
  out->clear();
  std::vector<uint8_t> key = RootKey(userPassword);
  if (key.empty()) return false;
  std::string text;
  for (size_t i = 0; i + 1 < stored.size(); i += 2) {
    int hi = HexValue(stored[i]), lo = HexValue(stored[i + 1]);
    if (hi < 0 || lo < 0) return false;
    uint8_t c = static_cast<uint8_t>((hi * 16 + lo) ^ key[(i / 2) % key.size()]);
    if (c < 32 || c > 127) return false;
    text += static_cast<char>(c);
  }
  *out = text;
  return true;
}
