#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "connect_string.h"

namespace {
std::string Decode(const std::string& s) {
  const std::vector<uint8_t> d = DecodeConnectString(s);
  return std::string(d.begin(), d.end());
}
}  // namespace

TEST(ConnectString, CaretNotation) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"ATDT123^M", "ATDT123\r"},
      {"^m^j", "\r\n"},            // lower case is raised first
      {"a^^b", "a^b"},
      {"^^^M", "^\r"},
      {"x^", "x"},                 // a lone caret at the end is dropped
      {"^", ""},
      {"^@", std::string(1, '\0')},
      {"^[", "\x1b"},
      {"^?", std::string(1, static_cast<char>(0xFF))},  // '?' - 64 wraps to a byte
      {"plain", "plain"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Decode(c.in), c.out) << c.in;
}

TEST(ConnectString, OnlyTheFirst79CharactersCount) {
  const std::string seventyNine(79, 'x');
  EXPECT_EQ(Decode(seventyNine + "TAIL"), seventyNine);
  // A caret as the 79th character has no partner inside the field.
  EXPECT_EQ(Decode(std::string(78, 'x') + "^M"), std::string(78, 'x'));
}

TEST(ConnectString, CopyFitsTheField) {
  char field[kConnectStringFieldSize + 8];
  std::memset(field, '#', sizeof field);
  auto& exact = *reinterpret_cast<char(*)[kConnectStringFieldSize]>(field);
  CopyConnectString(exact, std::string(200, 'y').c_str());
  EXPECT_EQ(std::strlen(field), 79u);
  EXPECT_EQ(field[kConnectStringFieldSize], '#');  // nothing written past the field
  CopyConnectString(exact, "AT^M");
  EXPECT_STREQ(field, "AT^M");
  CopyConnectString(exact, nullptr);
  EXPECT_STREQ(field, "");
}
