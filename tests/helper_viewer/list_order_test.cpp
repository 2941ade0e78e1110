#include "list_order.h"

#include <gtest/gtest.h>

namespace {

using viewer::Column;

std::vector<std::string> Titles(const viewer::ViewerSettings& s) {
  std::vector<std::string> out;
  for (const auto& c : viewer::ListColumns(s)) out.push_back(c.title);
  return out;
}

TEST(ListOrder, ColumnsByWhatIsShown) {
  viewer::ViewerSettings s;
  s.imageColWidth = 150;
  s.sizeColWidth = 60;
  s.typeColWidth = 90;
  EXPECT_EQ(Titles(s), (std::vector<std::string>{"Image"}));
  s.sizeColEnabled = true;
  s.typeColEnabled = true;
  EXPECT_EQ(Titles(s), (std::vector<std::string>{"Image", "Size", "Type"}));
  const auto columns = viewer::ListColumns(s);
  EXPECT_EQ(columns[0].width, 150);
  EXPECT_EQ(columns[1].width, 60);
  EXPECT_EQ(columns[2].width, 90);
  s.sizeColEnabled = false;
  EXPECT_EQ(Titles(s), (std::vector<std::string>{"Image", "Type"})) << "the type column moves to second place";
  s.sizeColEnabled = true;
  s.typeColEnabled = false;
  EXPECT_EQ(Titles(s), (std::vector<std::string>{"Image", "Size"}));
}

TEST(ListOrder, EveryClickAfterTheFirstTurnsTheDirection) {
  viewer::SortState sort;
  EXPECT_FALSE(sort.sorted());
  EXPECT_TRUE(sort.Click(Column::kImage));
  EXPECT_FALSE(sort.Click(Column::kImage));
  EXPECT_TRUE(sort.Click(Column::kSize)) << "another header still turns the direction";
  EXPECT_FALSE(sort.Click(Column::kType));
  EXPECT_EQ(sort.column(), Column::kType);
}

std::vector<viewer::Entry> Fixture() {
  std::vector<viewer::Entry> e(4);
  e[0].description = "beta";
  e[0].typeName = "TIFF image";
  e[0].size = 3000000000ull;  // past 2 GB: compared as a 64-bit number
  e[1].description = "Alpha";
  e[1].typeName = "png image";
  e[1].size = 20;
  e[2].description = "gamma";
  e[2].typeName = "JPEG image";
  e[2].size = 100;
  e[3].description = "ALPHA";  // equal to e[1] without regard to case
  e[3].typeName = "PNG Image";
  e[3].size = 20;
  return e;
}

TEST(ListOrder, SortingByColumn) {
  const auto e = Fixture();
  EXPECT_EQ(viewer::SortedOrder(e, Column::kImage, true), (std::vector<int>{1, 3, 0, 2}));
  EXPECT_EQ(viewer::SortedOrder(e, Column::kImage, false), (std::vector<int>{2, 0, 1, 3}));
  EXPECT_EQ(viewer::SortedOrder(e, Column::kSize, true), (std::vector<int>{1, 3, 2, 0}));
  EXPECT_EQ(viewer::SortedOrder(e, Column::kSize, false), (std::vector<int>{0, 2, 1, 3}));
  EXPECT_EQ(viewer::SortedOrder(e, Column::kType, true), (std::vector<int>{2, 1, 3, 0}));
  EXPECT_EQ(viewer::CompareEntries(e[1], e[3], Column::kType), 0);
  EXPECT_LT(viewer::CompareEntries(e[1], e[0], Column::kImage), 0);
}

}  // namespace
