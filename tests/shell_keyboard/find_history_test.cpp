#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "find_history.h"

using Texts = std::vector<std::string>;

TEST(FindHistory, NewestFirstMovedWhenUsedAgainOldestDroppedWhenFull) {
  FindHistory h;
  for (int i = 0; i < 10; ++i) EXPECT_EQ(UseFindText(&h, "t" + std::to_string(i)).removedIndex, -1);
  EXPECT_EQ(h.texts.front(), "t9");
  EXPECT_EQ(h.texts.back(), "t0");
  // Used again: moves to the top, the combo box deletes it from its old place.
  EXPECT_EQ(UseFindText(&h, "t3").removedIndex, 6);
  EXPECT_EQ(h.texts.size(), 10u);
  EXPECT_EQ(h.texts[0], "t3");
  EXPECT_EQ(h.texts[1], "t9");
  // A new text in a full list drops the oldest.
  EXPECT_EQ(UseFindText(&h, "new").removedIndex, 9);
  EXPECT_EQ(h.texts.size(), 10u);
  EXPECT_EQ(h.texts[0], "new");
  EXPECT_EQ(h.texts.back(), "t1");
  // Empty texts are not kept; long ones are cut to 99 characters.
  EXPECT_EQ(UseFindText(&h, "").removedIndex, -1);
  EXPECT_EQ(h.texts[0], "new");
  UseFindText(&h, std::string(150, 'x'));
  EXPECT_EQ(h.texts[0], std::string(99, 'x'));
  EXPECT_EQ(UseFindText(&h, std::string(120, 'x')).removedIndex, 0) << "the same text once cut";
}

TEST(FindHistory, RequestFlagsForEachButtonAndOption) {
  struct Case {
    FindButton button;
    bool up, matchCase, wholeWord;
    int flags;
  } cases[] = {
      {FindButton::kFindNext, false, false, false, 32},  {FindButton::kFindNext, true, false, false, 33},
      {FindButton::kReplace, false, false, false, 2},    {FindButton::kReplaceAll, false, false, false, 38},
      {FindButton::kFindNext, false, true, false, 40},   {FindButton::kFindNext, false, false, true, 48},
      {FindButton::kReplaceAll, true, true, true, 63},
  };
  for (const Case& c : cases) EXPECT_EQ(FindRequestFlags(c.button, c.up, c.matchCase, c.wholeWord), c.flags);
}
