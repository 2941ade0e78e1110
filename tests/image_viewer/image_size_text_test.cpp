#include "image_size_text.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct SizeCase {
  std::uint64_t bytes;
  const char* column;
};

TEST(SizeColumnText, UnitsChangeAtTheirEdges) {
  const SizeCase cases[] = {
      {0, "0 B"},
      {10239, "10239 B"},
      {10240, "10 KB"},
      {10485246, "10239 KB"},
      {10485247, "10 MB"},
      // Past 2 GB and 4 GB: no sign or wrap.
      {2147483648ULL, "2048 MB"},
      {5ULL * 1024 * 1024 * 1024, "5120 MB"},
      {5000000000ULL, "4768 MB"},
  };
  for (const SizeCase& c : cases) EXPECT_EQ(SizeColumnText(c.bytes), c.column) << c.bytes;
}

TEST(FileSizeText, FiveGigabytesInFull) {
  EXPECT_EQ(FileSizeText(0), "0 Bytes");
  EXPECT_EQ(FileSizeText(2147483647ULL), "2147483647 Bytes");
  EXPECT_EQ(FileSizeText(4294967296ULL), "4294967296 Bytes");
  EXPECT_EQ(FileSizeText(5ULL * 1024 * 1024 * 1024), "5368709120 Bytes");
}

TEST(PageOfText, PageAndCount) {
  EXPECT_EQ(PageOfText(1, 3), "Page 1 of 3");
  EXPECT_EQ(PageOfText(12, 120), "Page 12 of 120");
}

}  // namespace

namespace {

TEST(StorageDateText, MonthNameDayYearAndTwelveHourClock) {
  EXPECT_EQ(StorageDateText(2026, 3, 5, 14, 7), "March 05,2026 02:07 PM");
  EXPECT_EQ(StorageDateText(1999, 12, 31, 0, 0), "December 31,1999 12:00 AM");
  EXPECT_EQ(StorageDateText(2000, 1, 1, 12, 59), "January 01,2000 12:59 PM");
  EXPECT_EQ(StorageDateText(2000, 7, 10, 11, 30), "July 10,2000 11:30 AM");
}

}  // namespace
