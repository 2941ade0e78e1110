#include "shell/dialogs/disconnect_password.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace tavix {
namespace {

std::vector<uint8_t> Transform(const std::string& typed) {
  std::vector<uint8_t> out(typed.size());
  TransformDisconnectPassword(typed.data(), typed.size(), out.data());
  return out;
}

TEST(DisconnectPassword, TransformMatchesHandComputedVectors) {
  struct Case { std::string typed; std::vector<uint8_t> bytes; };
  // Worked by hand, last character first: "ab" -> 'b' + 0 + 2x2 - 3 = 99,
  // 'a' + 2 + 1x2 + 11 = 112. In the 12-letter case n mod 11 = 1 is added at
  // odd positions, and position 7 adds nothing for i mod 7.
  const Case cases[] = {
      {"", {}},
      {"z", {136}},
      {"\xFF", {13}},  // 255 + 1 + 2 + 11 wraps to 13
      {"\xE9", {247}},
      {"ab", {99, 112}},
      {"abc", {108, 99, 113}},
      {"ABCDEFGHIJKL", {86, 84, 80, 78, 74, 72, 82, 80, 76, 74, 67, 79}},
  };
  for (const Case& c : cases) EXPECT_EQ(Transform(c.typed), c.bytes) << c.typed;
}

TEST(DisconnectPassword, OnlyTheSameTextInTheSameLengthMatches) {
  const std::vector<uint8_t> stored = Transform("secret");
  struct Case { std::string typed; bool matches; };
  const Case cases[] = {
      {"secret", true}, {"Secret", false}, {"secre", false},
      {"secrets", false}, {"", false}, {"secretsecret", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DisconnectPasswordMatches(c.typed.data(), c.typed.size(), stored.data(),
                                        stored.size()),
              c.matches)
        << c.typed;
  }
}

TEST(DisconnectPassword, RightCharactersInTheWrongLengthAreRefused) {
  // The stored bytes begin with exactly what "abc" transforms to, but the host
  // set four bytes: comparing only the typed length would let "abc" through.
  std::vector<uint8_t> stored = Transform("abc");
  stored.push_back(stored.back());
  EXPECT_FALSE(DisconnectPasswordMatches("abc", 3, stored.data(), stored.size()));
  stored.pop_back();
  EXPECT_TRUE(DisconnectPasswordMatches("abc", 3, stored.data(), stored.size()));
  EXPECT_FALSE(DisconnectPasswordMatches("abc", 3, stored.data(), 2));
}

TEST(DisconnectPassword, EmptyStoredPasswordAcceptsOnlyAnEmptyEntry) {
  const uint8_t none[1] = {0};
  EXPECT_TRUE(DisconnectPasswordMatches("", 0, none, 0));
  EXPECT_FALSE(DisconnectPasswordMatches("a", 1, none, 0));
  const std::vector<uint8_t> stored = Transform("x");
  EXPECT_FALSE(DisconnectPasswordMatches("", 0, stored.data(), stored.size()));
}

}  // namespace
}  // namespace tavix
