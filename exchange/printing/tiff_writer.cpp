#include "tiff_writer.h"

#include "t4_codes.h"

namespace {

constexpr uint16_t kShort = 3;
constexpr uint16_t kLong = 4;
constexpr uint16_t kRational = 5;
constexpr uint16_t kCompressionT4OneDimensional = 2;
constexpr uint16_t kWhiteIsZero = 0;
constexpr uint16_t kInch = 2;
constexpr uint32_t kHorizontalDpi = 200;
constexpr uint32_t kVerticalDpi = 196;
constexpr int kLargestMakeUp = 1728;

uint16_t SizeType(uint32_t value) { return value < 65536 ? kShort : kLong; }

}  // namespace

void TiffWriter::Flush() {
  if (buffered_ == 0) return;
  if (!error_ && !sink_.Write(buffer_, buffered_)) error_ = true;
  buffered_ = 0;
}

void TiffWriter::Put(const uint8_t* bytes, size_t count) {
  if (error_) return;
  offset_ += static_cast<uint32_t>(count);
  while (count > 0) {
    if (buffered_ == sizeof buffer_) Flush();
    size_t n = sizeof buffer_ - buffered_;
    if (n > count) n = count;
    for (size_t i = 0; i < n; ++i) buffer_[buffered_ + i] = bytes[i];
    buffered_ += n;
    bytes += n;
    count -= n;
  }
}

void TiffWriter::Put16(uint16_t value) {
  const uint8_t b[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
  Put(b, 2);
}

void TiffWriter::Put32(uint32_t value) {
  const uint8_t b[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                        static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  Put(b, 4);
}

void TiffWriter::PatchAt(uint32_t offset, uint32_t value, size_t size) {
  Flush();
  if (error_) return;
  const uint8_t b[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                        static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  if (!sink_.WriteAt(offset, b, size)) error_ = true;
}

void TiffWriter::PutBits(uint32_t bits, int length) {
  // Codes are at most 13 bits: the accumulator never holds more than 20.
  accumulator_ |= bits << (32 - bitCount_ - length);
  bitCount_ += length;
  while (bitCount_ >= 8) {
    const uint8_t byte = static_cast<uint8_t>(accumulator_ >> 24);
    Put(&byte, 1);
    accumulator_ <<= 8;
    bitCount_ -= 8;
  }
}

void TiffWriter::PadToByte() {
  if (bitCount_ > 0) PutBits(0, 8 - bitCount_);
}

void TiffWriter::PutRun(int length, bool white) {
  const T4Code* makeUp = white ? kT4WhiteMakeUp : kT4BlackMakeUp;
  const T4Code* terminating = white ? kT4WhiteTerminating : kT4BlackTerminating;
  while (length >= 64) {
    int chunk = length / 64 * 64;
    if (chunk > kLargestMakeUp) chunk = kLargestMakeUp;
    const T4Code& c = makeUp[chunk / 64 - 1];
    PutBits(c.bits, c.length);
    length -= chunk;
  }
  PutBits(terminating[length].bits, terminating[length].length);
}

namespace {

// The first pixel at or after pos that is not of the colour (white: bit 1).
int RunEnd(const uint8_t* row, int pos, int width, bool white) {
  const uint8_t solid = white ? 0xFF : 0x00;
  while (pos < width) {
    if ((pos & 7) == 0 && pos + 8 <= width && row[pos >> 3] == solid) {
      pos += 8;
      continue;
    }
    const bool bit = (row[pos >> 3] >> (7 - (pos & 7))) & 1;
    if (bit != white) break;
    ++pos;
  }
  return pos;
}

}  // namespace

void TiffWriter::CodeRow(const uint8_t* row, int width) {
  // Runs alternate from white; a row starting black begins with a white run of 0.
  bool white = true;
  int pos = 0;
  do {
    const int end = RunEnd(row, pos, width, white);
    PutRun(end - pos, white);
    pos = end;
    white = !white;
  } while (pos < width);
  PadToByte();
}

void TiffWriter::Begin() {
  const uint8_t order[2] = {'I', 'I'};
  Put(order, 2);
  Put16(42);
  nextPointer_ = offset_;
  Put32(0);
}

void TiffWriter::Entry(uint16_t tag, uint16_t type, uint32_t value) {
  Put16(tag);
  Put16(type);
  Put32(1);
  Put32(value);  // a SHORT sits in the field's first two bytes
  ++entryCount_;
}

void TiffWriter::AppendPage(const TiffPage& page) {
  if (page.planes != 1 || page.bitsPerPixel != 1 || page.width <= 0 || page.height <= 0) {
    error_ = true;
    return;
  }
  const uint32_t stripOffset = offset_;
  for (int y = 0; y < page.height && !error_; ++y) CodeRow(page.bits + static_cast<size_t>(y) * page.stride, page.width);
  const uint32_t stripBytes = offset_ - stripOffset;

  // The resolutions, word-aligned.
  if (offset_ & 1) {
    const uint8_t zero = 0;
    Put(&zero, 1);
  }
  const uint32_t xResolution = offset_;
  Put32(kHorizontalDpi);
  Put32(1);
  const uint32_t yResolution = offset_;
  Put32(kVerticalDpi);
  Put32(1);

  if (offset_ & 1) {
    const uint8_t zero = 0;
    Put(&zero, 1);
  }
  const uint32_t ifd = offset_;
  PatchAt(nextPointer_, ifd, 4);
  entryCount_ = 0;
  Put16(0);
  const uint32_t width = static_cast<uint32_t>(page.width);
  const uint32_t height = static_cast<uint32_t>(page.height);
  Entry(256, SizeType(width), width);
  Entry(257, SizeType(height), height);
  Entry(259, kShort, kCompressionT4OneDimensional);
  Entry(262, kShort, kWhiteIsZero);
  Entry(273, kLong, stripOffset);
  Entry(278, SizeType(height), height);
  Entry(279, kLong, stripBytes);
  Entry(282, kRational, xResolution);
  Entry(283, kRational, yResolution);
  Entry(296, kShort, kInch);
  PatchAt(ifd, entryCount_, 2);
  nextPointer_ = offset_;
  Put32(0);
}

bool TiffWriter::Finish() {
  Flush();
  return !error_;
}
