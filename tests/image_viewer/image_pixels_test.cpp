#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image_grey_scaler.h"
#include "image_path.h"
#include "image_rotate.h"

namespace {

// A 3 x 2 page: 1 2 3 / 4 5 6.
TEST(TurnPixels, EachQuarterTurn) {
  const std::uint32_t page[] = {1, 2, 3, 4, 5, 6};
  struct Case {
    int turns;
    std::vector<std::uint32_t> shown;
  } cases[] = {
      {0, {1, 2, 3, 4, 5, 6}},
      {1, {4, 1, 5, 2, 6, 3}},  // 2 wide, 3 high: the left column on top, reversed
      {2, {6, 5, 4, 3, 2, 1}},
      {3, {3, 6, 2, 5, 1, 4}},
      {-1, {3, 6, 2, 5, 1, 4}},
  };
  for (const Case& c : cases) {
    std::vector<std::uint32_t> out(6);
    TurnPixels(page, 3, 2, c.turns, out.data());
    EXPECT_EQ(out, c.shown) << c.turns;
  }
}

// A bilevel page 16 wide, 4 high: the left half black, the right half
// white; the top-left 4 x 2 corner white too.
TEST(GreyAreaScaler, AveragesTheCoveredArea) {
  std::vector<std::vector<std::uint8_t>> rows = {
      {0xF0, 0xFF}, {0xF0, 0xFF}, {0x00, 0xFF}, {0x00, 0xFF}};
  GreyAreaScaler s;
  ASSERT_TRUE(s.Start(16, 4, 4, 2));
  std::vector<std::uint8_t> grey(4);
  std::vector<std::vector<std::uint8_t>> out;
  for (int r = 0; r < 2; ++r) {
    EXPECT_EQ(s.FirstPageRow(r), 2 * r);
    EXPECT_EQ(s.EndPageRow(r), 2 * r + 2);
    for (int y = s.FirstPageRow(r); y < s.EndPageRow(r); ++y) s.AddRow(rows[static_cast<size_t>(y)].data());
    s.TakeRow(grey.data());
    out.push_back(grey);
  }
  EXPECT_EQ(out[0], (std::vector<std::uint8_t>{255, 0, 255, 255}));
  EXPECT_EQ(out[1], (std::vector<std::uint8_t>{0, 0, 255, 255}));
}

TEST(GreyAreaScaler, UnevenSplitsAndHalfCover) {
  // 3 wide -> 2: columns [0,1) and [1,3); one row 101 (white, black, white).
  const std::uint8_t row[] = {0xA0};
  GreyAreaScaler s;
  ASSERT_TRUE(s.Start(3, 1, 2, 1));
  s.AddRow(row);
  std::uint8_t grey[2];
  s.TakeRow(grey);
  EXPECT_EQ(grey[0], 255);
  EXPECT_EQ(grey[1], 128);  // half white, rounded
}

TEST(GreyAreaScaler, RefusesBadSizes) {
  GreyAreaScaler s;
  EXPECT_FALSE(s.Start(0, 5, 1, 1));
  EXPECT_FALSE(s.Start(5, 5, 6, 1));  // no enlarging
  EXPECT_FALSE(s.Start(5, 5, 1, -1));
}

TEST(IsDevicePath, DevicesAndNamespacesNeverOpen) {
  for (const char* p : {"\\\\.\\COM1", "\\\\?\\C:\\x.png", "//./pipe/x", "COM1", "com9", "nul", "NUL.txt",
                        "C:\\docs\\LPT1", "C:\\docs\\aux.png", "con", "C:\\d\\COM3 .tif", "CONOUT$"})
    EXPECT_TRUE(IsDevicePath(p)) << p;
  for (const char* p : {"C:\\docs\\scan.png", "COM10", "COM0.png", "console.png", "\\\\server\\share\\a.tif",
                        "C:\\nul\\a.png", ""})
    EXPECT_FALSE(IsDevicePath(p)) << p;
}

}  // namespace

namespace {

TEST(NearestSource, CentresOfTheShownPixels) {
  // 10 page pixels into 4: centres at 1.25, 3.75, 6.25, 8.75.
  EXPECT_EQ(NearestSource(0, 10, 4), 1);
  EXPECT_EQ(NearestSource(1, 10, 4), 3);
  EXPECT_EQ(NearestSource(3, 10, 4), 8);
  EXPECT_EQ(NearestSource(0, 1, 1), 0);
  EXPECT_EQ(NearestSource(11999, 12000, 12000), 11999);
}

TEST(SampleBilevelRow, PicksTheBits) {
  const std::uint8_t row[] = {0x80, 0x01};  // white at 0 and 15
  std::vector<int> columns = {0, 1, 15, 14};
  std::uint8_t grey[4];
  SampleBilevelRow(row, columns, grey);
  EXPECT_EQ(grey[0], 255);
  EXPECT_EQ(grey[1], 0);
  EXPECT_EQ(grey[2], 255);
  EXPECT_EQ(grey[3], 0);
}

}  // namespace
