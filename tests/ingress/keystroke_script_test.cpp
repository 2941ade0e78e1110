#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keystroke_script.h"

namespace {
using Codes = std::vector<int32_t>;
const int32_t kTail[] = {13, 1089, 13};
Codes WithTail(Codes c) {
  c.insert(c.end(), kTail, kTail + 3);
  return c;
}
}  // namespace

TEST(KeystrokeScript, EscapesAndTheClosingEnter) {
  struct Case {
    const char* script;
    Codes codes;
  } cases[] = {
      {"abc", WithTail({'a', 'b', 'c'})},
      {"abc^N", {'a', 'b', 'c', 13}},
      {"^D^U^L^R", WithTail({1000, 1001, 1002, 1003})},
      {"^T^t^I", WithTail({9, 1062, 1089})},
      {"^^", WithTail({'^'})},
      {"^x", WithTail({'^', 'x'})},
      {"^n", WithTail({'^', 'n'})},          // escapes are case-sensitive
      {"a^", WithTail({'a'})},               // a caret at the end is ignored
      {"^N^", {13}},                         // ... so ^N is still the last item
      {"^Nx", WithTail({13, 'x'})},
      {"^N^x", WithTail({13, '^', 'x'})},
      {"", WithTail({})},
      {"\xe9", WithTail({0xE9})},            // characters above 127 are their byte value
  };
  for (const Case& c : cases) EXPECT_EQ(ParseKeystrokeScript(c.script), c.codes) << c.script;
}

TEST(KeystrokeScript, LongScriptsAreNotCut) {
  // The command line allows 199 characters; every one of them is played.
  std::string script;
  for (int i = 0; i < 199; ++i) script += static_cast<char>('a' + i % 26);
  const Codes codes = ParseKeystrokeScript(script);
  ASSERT_EQ(codes.size(), 199u + 3u);
  EXPECT_EQ(codes[198], 'a' + 198 % 26);
  // Longer texts too: nothing inside sets a shorter limit.
  EXPECT_EQ(ParseKeystrokeScript(std::string(1000, '^') + "N").size(), 500u + 1u + 3u);
}
