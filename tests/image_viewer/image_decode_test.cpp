// Decoding real files made by ImageMagick, in process.
#include <gtest/gtest.h>

#include "image_decode_win32.h"
#include "image_fixtures.h"

namespace {

std::uint32_t At(const ScaledPage& p, int x, int y) {
  return p.pixels[static_cast<size_t>(y) * static_cast<size_t>(p.width) + static_cast<size_t>(x)];
}

TEST(DecodePageScaled, PagesAndPixelsOfEachFormat) {
  struct Case {
    const char* file;
    int page, pages, width, height;  // the scaled size for a 100 x 100 fit
    int x, y;
    std::uint32_t rgb;
    int tolerance;
  } cases[] = {
      {"red_quadrant.png", 1, 1, 100, 50, 10, 10, 0xFF0000, 0},
      {"red_quadrant.png", 1, 1, 100, 50, 80, 40, 0xFFFFFF, 0},
      {"photo.jpg", 1, 1, 100, 75, 90, 5, 0x0000FF, 24},
      {"photo.jpg", 1, 1, 100, 75, 10, 60, 0x00FF00, 24},
      {"three_pages.tif", 1, 3, 60, 40, 30, 20, 0xFF0000, 0},
      {"three_pages.tif", 2, 3, 60, 40, 30, 20, 0x00FF00, 0},
      {"three_pages.tif", 3, 3, 60, 40, 30, 20, 0x0000FF, 0},
      {"fax.tif", 1, 1, 79, 100, 5, 5, 0x000000, 0},
      {"fax.tif", 1, 1, 79, 100, 70, 90, 0xFFFFFF, 0},
  };
  for (const Case& c : cases) {
    ScaledPage page;
    ASSERT_EQ(DecodePageScaled(Fixture(c.file).c_str(), c.page, 100, 100, kQualityFast, &page), kImageLoaded)
        << c.file;
    EXPECT_EQ(page.pageCount, c.pages) << c.file;
    EXPECT_EQ(page.width, c.width) << c.file;
    EXPECT_EQ(page.height, c.height) << c.file;
    EXPECT_TRUE(Near(At(page, c.x, c.y), c.rgb, c.tolerance))
        << c.file << " page " << c.page << " " << std::hex << At(page, c.x, c.y);
    FreeScaledPage(&page);
  }
}

TEST(DecodePageScaled, BilevelPageScaledToGreyWhenOptimized) {
  // 1728 wide into 101: the shown column 50 covers page columns 855..871,
  // across the black quarter's edge at 864.
  ScaledPage fast, grey;
  ASSERT_EQ(DecodePageScaled(Fixture("fax.tif").c_str(), 1, 101, 10000, kQualityFast, &fast), kImageLoaded);
  ASSERT_EQ(DecodePageScaled(Fixture("fax.tif").c_str(), 1, 101, 10000, kQualityOptimized, &grey), kImageLoaded);
  EXPECT_TRUE(fast.bilevel);
  EXPECT_EQ(grey.width, 101);
  EXPECT_EQ(grey.height, 129);
  const std::uint32_t edge = Rgb(At(grey, 50, 10));
  EXPECT_GT(edge & 0xFF, 40u) << std::hex << edge;
  EXPECT_LT(edge & 0xFF, 215u) << std::hex << edge;
  EXPECT_EQ(edge & 0xFF, (edge >> 8) & 0xFF);  // grey
  const std::uint32_t sharp = Rgb(At(fast, 50, 10));
  EXPECT_TRUE(sharp == 0 || sharp == 0xFFFFFF) << std::hex << sharp;
  EXPECT_EQ(Rgb(At(grey, 10, 10)), 0u);
  EXPECT_EQ(Rgb(At(grey, 90, 120)), 0xFFFFFFu);
  FreeScaledPage(&fast);
  FreeScaledPage(&grey);
}

TEST(DecodePageScaled, NeverLargerThanThePage) {
  ScaledPage page;
  ASSERT_EQ(DecodePageScaled(Fixture("three_pages.tif").c_str(), 1, 1000, 1000, kQualityPrecise, &page), kImageLoaded);
  EXPECT_EQ(page.width, 60);
  EXPECT_EQ(page.height, 40);
  FreeScaledPage(&page);
}

TEST(DecodePageScaled, FailuresCarryTheirStatus) {
  const std::string folder = TempPath("tavix-image-folder");
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string held = TempPath("tavix-image-held.png");
  CopyFileA(Fixture("red_quadrant.png").c_str(), held.c_str(), FALSE);
  HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  struct Case {
    std::string path;
    ImageLoadStatus status;
    DWORD error;
  } cases[] = {
      {Fixture("truncated.png"), kImageDecodeError, 0},
      {Fixture("notes.tvxdoc"), kImageNoDecoder, 0},
      {Fixture("missing.png"), kImageOpenFailed, ERROR_FILE_NOT_FOUND},
      {folder, kImageOpenFailed, ERROR_ACCESS_DENIED},
      {held, kImageOpenFailed, ERROR_SHARING_VIOLATION},
      {"COM1", kImageOpenFailed, ERROR_INVALID_NAME},
      {"\\\\.\\PhysicalDrive0", kImageOpenFailed, ERROR_INVALID_NAME},
      {"", kImageOpenFailed, ERROR_INVALID_NAME},
  };
  for (const Case& c : cases) {
    ScaledPage page;
    DWORD error = 12345;
    EXPECT_EQ(DecodePageScaled(c.path.c_str(), 1, 50, 50, kQualityFast, &page, &error), c.status) << c.path;
    if (c.error) {
      EXPECT_EQ(error, c.error) << c.path;
    }
    EXPECT_EQ(page.bitmap, nullptr) << c.path;
  }
  ScaledPage page;
  EXPECT_EQ(DecodePageScaled(Fixture("three_pages.tif").c_str(), 4, 50, 50, kQualityFast, &page), kImageDecodeError);
  CloseHandle(holder);
  DeleteFileA(held.c_str());
  RemoveDirectoryA(folder.c_str());
  ImageLoadStatus status;
  EXPECT_EQ(CountImagePages(Fixture("three_pages.tif").c_str(), &status), 3);
  EXPECT_EQ(status, kImageLoaded);
  EXPECT_EQ(CountImagePages(Fixture("notes.tvxdoc").c_str(), &status), 0);
  EXPECT_EQ(status, kImageNoDecoder);
}

}  // namespace
