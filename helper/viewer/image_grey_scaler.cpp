// Area-averaging a bilevel page to grey.
#include "image_grey_scaler.h"

#include <cstddef>
#include <cstdint>

namespace {

int Bits(std::uint8_t byte) {
  int n = 0;
  for (; byte; byte &= static_cast<std::uint8_t>(byte - 1)) ++n;
  return n;
}

struct PopTable {
  std::uint8_t count[256];
  PopTable() {
    for (int i = 0; i < 256; ++i) count[i] = static_cast<std::uint8_t>(Bits(static_cast<std::uint8_t>(i)));
  }
};
const PopTable Pop;

// White bits in [from, to) of a packed row.
std::uint32_t CountWhite(const std::uint8_t* row, int from, int to) {
  std::uint32_t n = 0;
  while (from < to && (from & 7)) {
    n += (row[from >> 3] >> (7 - (from & 7))) & 1;
    ++from;
  }
  while (from + 8 <= to) {
    n += Pop.count[row[from >> 3]];
    from += 8;
  }
  while (from < to) {
    n += (row[from >> 3] >> (7 - (from & 7))) & 1;
    ++from;
  }
  return n;
}

int Split(int index, int total, int parts) {
  return static_cast<int>(static_cast<std::int64_t>(index) * total / parts);
}

}  // namespace

bool GreyAreaScaler::Start(int pageWidth, int pageHeight, int outWidth, int outHeight) {
  if (pageWidth <= 0 || pageHeight <= 0 || outWidth <= 0 || outHeight <= 0) return false;
  if (outWidth > pageWidth || outHeight > pageHeight) return false;
  pageWidth_ = pageWidth;
  pageHeight_ = pageHeight;
  outWidth_ = outWidth;
  outHeight_ = outHeight;
  columnStart_.resize(static_cast<std::size_t>(outWidth) + 1);
  for (int c = 0; c <= outWidth; ++c) columnStart_[static_cast<std::size_t>(c)] = Split(c, pageWidth, outWidth);
  whites_.assign(static_cast<std::size_t>(outWidth), 0);
  rowsAdded_ = 0;
  return true;
}

int GreyAreaScaler::FirstPageRow(int outRow) const { return Split(outRow, pageHeight_, outHeight_); }
int GreyAreaScaler::EndPageRow(int outRow) const { return Split(outRow + 1, pageHeight_, outHeight_); }

void GreyAreaScaler::AddRow(const std::uint8_t* bits) {
  for (int c = 0; c < outWidth_; ++c)
    whites_[static_cast<std::size_t>(c)] +=
        CountWhite(bits, columnStart_[static_cast<std::size_t>(c)], columnStart_[static_cast<std::size_t>(c) + 1]);
  ++rowsAdded_;
}

void GreyAreaScaler::TakeRow(std::uint8_t* grey) {
  for (int c = 0; c < outWidth_; ++c) {
    const std::uint64_t area = static_cast<std::uint64_t>(
        columnStart_[static_cast<std::size_t>(c) + 1] - columnStart_[static_cast<std::size_t>(c)]) *
        static_cast<std::uint64_t>(rowsAdded_ > 0 ? rowsAdded_ : 1);
    const std::uint64_t white = whites_[static_cast<std::size_t>(c)];
    grey[c] = static_cast<std::uint8_t>(rowsAdded_ > 0 ? (white * 255 + area / 2) / area : 255);
    whites_[static_cast<std::size_t>(c)] = 0;
  }
  rowsAdded_ = 0;
}

int NearestSource(int shownIndex, int pageSize, int shownSize) {
  if (shownSize <= 0) return 0;
  const std::int64_t at = (2 * static_cast<std::int64_t>(shownIndex) + 1) * pageSize / (2 * static_cast<std::int64_t>(shownSize));
  return static_cast<int>(at < 0 ? 0 : (at >= pageSize ? pageSize - 1 : at));
}

void SampleBilevelRow(const std::uint8_t* bits, const std::vector<int>& columns, std::uint8_t* grey) {
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const int c = columns[i];
    grey[i] = ((bits[c >> 3] >> (7 - (c & 7))) & 1) ? 255 : 0;
  }
}
