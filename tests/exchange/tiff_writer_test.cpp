// The TIFF writer's files read back by libtiff, and their directory layout
// read byte by byte.
#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "tiff_writer.h"

namespace {

class MemorySink final : public TiffSink {
 public:
  std::string bytes;
  int writes = 0;
  int failAt = -1;  // this write (counting from 0) fails
  bool Write(const uint8_t* b, size_t n) override {
    if (writes++ == failAt) return false;
    bytes.append(reinterpret_cast<const char*>(b), n);
    return true;
  }
  bool WriteAt(uint32_t offset, const uint8_t* b, size_t n) override {
    if (writes++ == failAt || offset + n > bytes.size()) return false;
    std::memcpy(&bytes[offset], b, n);
    return true;
  }
};

struct Bitmap {
  int width, height, stride;
  std::vector<uint8_t> bits;
  Bitmap(int w, int h) : width(w), height(h), stride((w + 31) / 32 * 4), bits(static_cast<size_t>(stride) * h, 0xFF) {}
  void Set(int x, int y, bool white) {
    uint8_t& b = bits[static_cast<size_t>(y) * stride + x / 8];
    const uint8_t mask = static_cast<uint8_t>(0x80 >> (x % 8));
    b = white ? (b | mask) : (b & ~mask);
  }
  bool White(int x, int y) const { return bits[static_cast<size_t>(y) * stride + x / 8] & (0x80 >> (x % 8)); }
  TiffPage Page() const { return TiffPage{bits.data(), width, height, stride, 1, 1}; }
};

std::string Write(const std::vector<const Bitmap*>& pages) {
  MemorySink sink;
  TiffWriter w(sink);
  w.Begin();
  for (const Bitmap* b : pages) w.AppendPage(b->Page());
  EXPECT_TRUE(w.Finish());
  return sink.bytes;
}

uint32_t U32(const std::string& s, size_t at) {
  return static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8 | static_cast<uint8_t>(s[at + 2]) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(s[at + 3])) << 24;
}
uint16_t U16(const std::string& s, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(s[at]) | static_cast<uint8_t>(s[at + 1]) << 8);
}

std::string TempFile(const std::string& bytes) {
  char name[] = "/tmp/tavix_tiff_XXXXXX";
  int fd = mkstemp(name);
  FILE* f = fdopen(fd, "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  return name;
}

// libtiff's decoding of every page, one byte per pixel: 1 where the pixel
// is white.
std::vector<std::vector<uint8_t>> Decode(const std::string& bytes, int* pages) {
  std::string path = TempFile(bytes);
  std::vector<std::vector<uint8_t>> out;
  TIFFSetErrorHandler(nullptr);
  TIFF* t = TIFFOpen(path.c_str(), "r");
  *pages = 0;
  if (t) {
    do {
      uint32_t w = 0, h = 0;
      uint16_t photometric = 9;
      TIFFGetField(t, TIFFTAG_IMAGEWIDTH, &w);
      TIFFGetField(t, TIFFTAG_IMAGELENGTH, &h);
      TIFFGetField(t, TIFFTAG_PHOTOMETRIC, &photometric);
      std::vector<uint8_t> strip(TIFFStripSize(t));
      tmsize_t got = TIFFReadEncodedStrip(t, 0, strip.data(), static_cast<tmsize_t>(strip.size()));
      std::vector<uint8_t> pixels;
      if (got == static_cast<tmsize_t>(strip.size())) {
        const uint32_t rowBytes = (w + 7) / 8;
        for (uint32_t y = 0; y < h; ++y)
          for (uint32_t x = 0; x < w; ++x) {
            bool bit = strip[y * rowBytes + x / 8] & (0x80 >> (x % 8));
            // Photometric 0: a 0 sample is white.
            pixels.push_back(photometric == 0 ? !bit : bit);
          }
      }
      out.push_back(pixels);
      ++*pages;
    } while (TIFFReadDirectory(t));
    TIFFClose(t);
  }
  std::remove(path.c_str());
  return out;
}

std::vector<uint8_t> Pixels(const Bitmap& b) {
  std::vector<uint8_t> p;
  for (int y = 0; y < b.height; ++y)
    for (int x = 0; x < b.width; ++x) p.push_back(b.White(x, y));
  return p;
}

TEST(TiffWriter, AWhiteRowOf1700IsMakeUp1664Then36ThenPadding) {
  Bitmap white(1700, 1);
  std::string file = Write({&white});
  const uint32_t ifd = U32(file, 4);
  // Strip offset: entry 5 (tag 273) of the directory.
  const uint32_t strip = U32(file, ifd + 2 + 4 * 12 + 8);
  const uint32_t count = U32(file, ifd + 2 + 6 * 12 + 8);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(static_cast<uint8_t>(file[strip]), 0x60);
  EXPECT_EQ(static_cast<uint8_t>(file[strip + 1]), 0x54);
}

TEST(TiffWriter, TheDirectoryHasTenEntriesInTagOrderWithTheirTypesAndValues) {
  Bitmap page(1700, 2156), second(70000, 2);
  std::string file = Write({&page, &second});
  ASSERT_EQ(file.substr(0, 4), std::string("II*\0", 4));
  struct Expected {
    uint16_t tag, type;
    uint32_t value;  // 0: checked separately
  };
  const Expected first[] = {{256, 3, 1700}, {257, 3, 2156}, {259, 3, 2}, {262, 3, 0}, {273, 4, 0},
                            {278, 3, 2156}, {279, 4, 0},    {282, 5, 0}, {283, 5, 0}, {296, 3, 2}};
  uint32_t ifd = U32(file, 4);
  EXPECT_EQ(ifd % 2, 0u);
  ASSERT_EQ(U16(file, ifd), 10);
  for (int i = 0; i < 10; ++i) {
    const size_t e = ifd + 2 + 12 * i;
    EXPECT_EQ(U16(file, e), first[i].tag) << i;
    EXPECT_EQ(U16(file, e + 2), first[i].type) << i;
    EXPECT_EQ(U32(file, e + 4), 1u) << i;
    if (first[i].value) {
      EXPECT_EQ(U32(file, e + 8), first[i].value) << i;
    }
  }
  EXPECT_EQ(U32(file, ifd + 2 + 4 * 12 + 8), 8u) << "the strip follows the header";
  const uint32_t x = U32(file, ifd + 2 + 7 * 12 + 8), y = U32(file, ifd + 2 + 8 * 12 + 8);
  EXPECT_EQ(x % 2, 0u) << "rationals word-aligned";
  EXPECT_EQ(U32(file, x), 200u);
  EXPECT_EQ(U32(file, x + 4), 1u);
  EXPECT_EQ(U32(file, y), 196u);
  EXPECT_EQ(U32(file, y + 4), 1u);
  // The second page: chained, its width a LONG.
  const uint32_t next = U32(file, ifd + 2 + 120);
  ASSERT_NE(next, 0u);
  EXPECT_EQ(U16(file, next), 10);
  EXPECT_EQ(U16(file, next + 2 + 2), 4) << "a width of 65536 or more is a LONG";
  EXPECT_EQ(U32(file, next + 2 + 8), 70000u);
  EXPECT_EQ(U32(file, next + 2 + 120), 0u) << "the last page ends the chain";
}

TEST(TiffWriter, LibtiffDecodesEveryPageExactly) {
  std::mt19937 random(11);
  Bitmap noise(1700, 40), stripes(100, 30), blackStart(64, 3), edges(1728 + 1000, 4);
  for (int y = 0; y < noise.height; ++y)
    for (int x = 0; x < noise.width; ++x) noise.Set(x, y, random() % (y % 5 + 2) != 0);
  for (int y = 0; y < stripes.height; ++y)
    for (int x = 0; x < stripes.width; ++x) stripes.Set(x, y, (x / (y + 1)) % 2 == 0);
  for (int x = 0; x < 64; ++x) blackStart.Set(x, 0, false);  // a row starting black: white run of 0
  for (int x = 10; x < 64; ++x) blackStart.Set(x, 1, false);
  for (int x = 0; x < edges.width; ++x) edges.Set(x, 1, false);  // a black run past 1728
  for (int x = 0; x < edges.width; x += 2) edges.Set(x, 2, false);
  std::string file = Write({&noise, &stripes, &blackStart, &edges});
  int pages = 0;
  auto decoded = Decode(file, &pages);
  ASSERT_EQ(pages, 4);
  EXPECT_EQ(decoded[0], Pixels(noise));
  EXPECT_EQ(decoded[1], Pixels(stripes));
  EXPECT_EQ(decoded[2], Pixels(blackStart));
  EXPECT_EQ(decoded[3], Pixels(edges));
}

TEST(TiffWriter, AFailedWriteFailsTheFileAndStopsEveryLaterWrite) {
  Bitmap page(1700, 400);
  for (int y = 0; y < 400; y += 3) page.Set(y, y, false);
  for (int failAt : {0, 1, 2}) {
    MemorySink sink;
    sink.failAt = failAt;
    TiffWriter w(sink);
    w.Begin();
    w.AppendPage(page.Page());
    w.AppendPage(page.Page());
    EXPECT_FALSE(w.Finish()) << failAt;
    EXPECT_EQ(sink.writes, failAt + 1) << "nothing after the failed write";
  }
}

TEST(TiffWriter, APageNotOfOneBitPerPixelIsAnError) {
  MemorySink sink;
  TiffWriter w(sink);
  w.Begin();
  Bitmap b(16, 16);
  TiffPage page = b.Page();
  page.bitsPerPixel = 8;
  w.AppendPage(page);
  EXPECT_TRUE(w.failed());
  EXPECT_FALSE(w.Finish());
  EXPECT_LE(sink.bytes.size(), 8u) << "no more than the header: no directory";
}

}  // namespace
