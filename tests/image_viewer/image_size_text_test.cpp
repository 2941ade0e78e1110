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
