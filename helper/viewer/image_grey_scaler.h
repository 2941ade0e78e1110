// Scaling a bilevel page down to grey by area averaging: each shown pixel
// becomes the share of white among the page pixels it covers. Rows of one
// bit per pixel (most significant bit first, 1 = white) go in one at a time,
// shown rows of 8-bit grey come out, so the page is never held whole.
#pragma once

#include <cstdint>
#include <vector>

class GreyAreaScaler {
 public:
  // False when a size is not positive or the output is larger than the page.
  bool Start(int pageWidth, int pageHeight, int outWidth, int outHeight);
  // The page rows the shown row `outRow` covers: [first, last).
  int FirstPageRow(int outRow) const;
  int EndPageRow(int outRow) const;
  // Adds one page row (bits packed, (pageWidth + 7) / 8 bytes) to the
  // shown row being built.
  void AddRow(const std::uint8_t* bits);
  // Ends the shown row: writes outWidth grey values (0 black .. 255 white)
  // averaged over the rows added since the last call, and starts a new one.
  void TakeRow(std::uint8_t* grey);

 private:
  int pageWidth_ = 0, pageHeight_ = 0, outWidth_ = 0, outHeight_ = 0;
  std::vector<int> columnStart_;  // outWidth + 1 bit positions
  std::vector<std::uint32_t> whites_;
  int rowsAdded_ = 0;
};

// Nearest-neighbour sampling of a bilevel page: the page row or column at
// the centre of shown row or column i.
int NearestSource(int shownIndex, int pageSize, int shownSize);
// One shown row of grey (0 or 255) sampled from a packed page row.
void SampleBilevelRow(const std::uint8_t* bits, const std::vector<int>& columns, std::uint8_t* grey);
