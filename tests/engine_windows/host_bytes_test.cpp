// Whatever the host sends, the windows service stays inside its blocks and
// the screen, keeps its books, and frees everything when told to.
#include <random>
#include <string>

#include "windows_fixture.h"

namespace {

class HostBytes : public WindowsTest {};

TEST_F(HostBytes, RandomWindowTrafficLeavesNoBlockBehind) {
  int deepest = 0, found = 0;
  const std::string names[] = {"", "a", "b", "menu", std::string(60, 'n'), std::string(61, 'n')};
  for (unsigned seed = 1; seed <= 30; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto bytes = [&](int n) {
      std::string s;
      for (int i = 0; i < n; ++i) s += static_cast<char>(pick(3) == 0 ? pick(256) : 32 + pick(90));
      return s;
    };
    const size_t startBlocks = LiveBlockCount();
    for (int step = 0; step < 300; ++step) {
      if (pick(10) == 0) LimitBlocksTo(pick(4000));
      std::string s;
      switch (pick(16)) {
        case 0: case 1: s = "\x1bWO" + bytes(6) + "t\n"; break;
        case 2: case 3: s = "\x1b" "CO" + bytes(5) + "\n"; break;
        case 4: s = "\x1b" "CC\n"; break;
        case 5: s = "\x1bWC\n"; break;
        case 6: s = "\x1bS" + std::string(1, "ACL"[pick(3)]) + names[pick(6)] + "\n"; break;
        case 7: s = "\x1bSS\n"; break;
        case 8: s = "\x1bWV" + bytes(5) + "\n"; break;
        case 9: s = "\x1b^S" + std::string(1, "UD"[pick(2)]) + bytes(5) + "\n"; break;
        case 10: s = "\x1bY" + bytes(2) + bytes(pick(100)); break;
        case 11: s = "\x1bW" + std::string(1, "HF"[pick(2)]) + bytes(pick(90)) + "\n"; break;
        case 12: s = "\x1bSU" + bytes(pick(50)) + "\n"; break;
        case 13: s = pick(20) == 0 ? "\x1bWI\n" : (pick(10) == 0 ? "\x1bWR" : "\r\n"); break;
        default: s = bytes(pick(40)); break;
      }
      shell.sent.clear();
      Feed(s);
      SetBlockStoreLimit(0);
      if (Screen.WindowLevel > deepest) deepest = Screen.WindowLevel;
      found += shell.sent.find('1') != std::string::npos;
      ASSERT_GE(Screen.WindowLevel, 0);
      ASSERT_LE(Screen.win.winRight, kScreenCols - 1);
      ASSERT_LE(Screen.win.winLeft, Screen.win.winRight);
      ASSERT_LE(Screen.win.winTop, Screen.win.winBottom);
      ASSERT_LE(Screen.win.winBottom, kScreenRows - 1);
    }
    Feed("\x1b\x1b\x1bWI\n\x1bWR");  // leave any half-collected sequence first
    Feed("\x1bWI\n\x1bWR");
    ASSERT_EQ(0, Screen.WindowLevel);
    ASSERT_EQ(startBlocks, LiveBlockCount());
  }
  // The traffic reached deep stacks and found saved screens.
  EXPECT_GE(deepest, 5) << deepest << " " << found;
  EXPECT_GE(found, 20);
}

}  // namespace
