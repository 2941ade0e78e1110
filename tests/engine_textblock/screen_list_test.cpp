// The user-defined screen list, cell for cell.
#include <gtest/gtest.h>

#include "menu_selection.h"
#include "text_block_fixture.h"
#include "user_screen_list.h"

namespace {

class ScreenListTest : public TextBlockTest {
 protected:
  void Title(int slot, const std::string& text) { Feed(kEsc + "SU" + V(slot) + text + "\n"); }
  static std::string Glyphs(int row) { return Row(6 + row, 15, 49); }
};

TEST_F(ScreenListTest, TheListShowsTheTitlesCellForCell) {
  Feed("under the list");
  Title(3, "Stock enquiry");
  Title(11, "ignored");
  SetMenuSelection(true);
  ASSERT_TRUE(UserScreenList.shown);
  auto line = [](uint8_t left, uint8_t fill, uint8_t right) {
    std::string s(49, static_cast<char>(fill));
    s[0] = static_cast<char>(left);
    s[48] = static_cast<char>(right);
    return s;
  };
  std::string top = line(201, 205, 187);
  top.replace(10, 29, "Assigned User Defined Screens");
  EXPECT_EQ(Glyphs(0), top);
  std::string head = line(204, 205, 185);
  head.replace(2, 4, "Alt+");
  head[6] = static_cast<char>(209);
  head.replace(21, 12, "Screen Title");
  EXPECT_EQ(Glyphs(1), head);
  for (int slot = 1; slot <= 10; ++slot) {
    std::string row = line(186, ' ', 186);
    std::string key = "F" + std::to_string(slot) + "=";
    row.replace(2, key.size(), key);
    row[6] = static_cast<char>(179);
    if (slot == 3) row.replace(8, 13, "Stock enquiry");
    EXPECT_EQ(Glyphs(1 + slot), row) << slot;
  }
  std::string bottom = line(200, 205, 188);
  bottom[6] = static_cast<char>(207);
  EXPECT_EQ(Glyphs(12), bottom);
  for (int row = 0; row < 13; ++row) EXPECT_EQ(Classes(6 + row, 15, 49), std::string(49, 'p')) << row;
  EXPECT_EQ(CellAt(14, 6)->attrClass, 0) << "nothing outside the list";

  SetMenuSelection(false);
  EXPECT_FALSE(UserScreenList.shown);
  EXPECT_EQ(Row(0, 0, 14), "under the list");
  EXPECT_EQ(Glyphs(4), std::string(49, ' ')) << "what it covered comes back";
  EXPECT_EQ(Screen.win.savedTop, 0u);
}

TEST_F(ScreenListTest, NothingShowsWithoutTitlesOrWithTheOptionOff) {
  SetMenuSelection(true);
  EXPECT_FALSE(UserScreenList.shown);
  SetMenuSelection(false);
  Title(1, "x");
  shell.userScreenList = false;
  SetMenuSelection(true);
  EXPECT_FALSE(UserScreenList.shown);
  EXPECT_EQ(Screen.win.savedTop, 0u);
}

TEST_F(ScreenListTest, HostClosesHideTheListFirst) {
  Feed(kEsc + "CO" + P({2, 2, 10, 3, 1}) + "\n" + "popup");
  Title(2, "Orders");
  SetMenuSelection(true);
  ASSERT_TRUE(UserScreenList.shown);
  Feed(kEsc + "CC\n");
  EXPECT_FALSE(UserScreenList.shown);
  EXPECT_EQ(Screen.win.savedTop, 0u) << "the list and then the host's pop-up closed";
  EXPECT_EQ(Row(3, 3, 5), "     ");

  Feed(kEsc + "WO" + P({0, 0, 60, 20, 1, 0}) + "\n");
  Title(1, "Inner");
  SetMenuSelection(true);
  ASSERT_TRUE(UserScreenList.shown);
  Feed(kEsc + "WC\n");
  EXPECT_FALSE(UserScreenList.shown);
  EXPECT_EQ(Screen.win.savedTop, 0u);
  EXPECT_EQ(Screen.WindowLevel, 0);
}

TEST_F(ScreenListTest, AltInAFieldShowsTheListAndTheReplyHidesIt) {
  Title(4, "Prices");
  Feed(kEsc + "I" + P({0, 23, 10, 0, 0}) + " \n");
  Key(1070);
  EXPECT_TRUE(UserScreenList.shown);
  EXPECT_EQ(Row(11, 15 + 8, 6), "Prices");
  Key(1070);
  EXPECT_FALSE(UserScreenList.shown);
  Key(1070);
  Key(1044);  // Alt+F5 in menu selection ends the field
  EXPECT_FALSE(UserScreenList.shown);
  EXPECT_EQ(Row(11, 15 + 8, 6), "      ");
}

}  // namespace
